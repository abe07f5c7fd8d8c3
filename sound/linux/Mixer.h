#pragma once

#include "sound/linux/ModulePlayer.h"

#include <array>
#include <cstddef>
#include <vector>

namespace sound {

// Sums the songs that are playing into one stereo stream. Called from the
// audio thread; the output's lock serialises it with start and stop, and it
// never allocates after construction.
class Mixer {
public:
    static constexpr std::size_t maximumSongs = 32;
    static constexpr std::size_t chunkFrames = 1024;

    Mixer();

    // False when already playing or when maximumSongs play.
    bool start(ModulePlayer* player);
    // False when it was not playing.
    bool stop(ModulePlayer* player);
    bool isPlaying(const ModulePlayer* player) const;
    std::size_t playingCount() const { return playing.size(); }

    void render(float* interleavedStereo, std::size_t frames);

private:
    std::vector<ModulePlayer*> playing;
    std::array<float, 2 * chunkFrames> scratch{};
};

} // namespace sound
