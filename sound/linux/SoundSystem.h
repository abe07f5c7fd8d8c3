#pragma once

#include "sound/linux/AudioOutput.h"
#include "sound/linux/Mixer.h"
#include "sound/linux/ModulePlayer.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace sound {

// The library's whole state between init and close: the output, the mixer
// and the songs loaded. Handles given out are the players themselves; the
// system only acts on handles it still holds, so stale or foreign ones are
// refused instead of followed.
class SoundSystem {
public:
    SoundSystem() = default;
    // A program may end without closing: stop the output before the songs go.
    ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Rejects rates the decoder cannot render and negative channel counts.
    // A second init while running keeps the running system.
    bool init(int mixRate, int maxSoftwareChannels);
    ModulePlayer* load(const char* name);
    bool play(ModulePlayer* song);
    bool free(ModulePlayer* song);
    // Stops output, then frees every song still loaded.
    void close();

    bool isRunning() const;
    bool hasDevice() const;

    static SoundSystem& instance();

private:
    bool holds(const ModulePlayer* song) const;

    mutable std::mutex calls;
    int rate = 0;
    bool running = false;
    bool deviceOpen = false;
    std::unique_ptr<Mixer> mixer;
    std::unique_ptr<AudioOutput> output;
    std::vector<std::unique_ptr<ModulePlayer>> songs;
};

} // namespace sound
