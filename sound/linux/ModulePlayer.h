#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

struct openmpt_module;

namespace sound {

// One decoded tracker module (MOD, S3M, XM, IT) rendering interleaved stereo
// floats at a fixed rate, looping for ever. Not thread-safe: the owner
// serialises render against everything else.
class ModulePlayer {
public:
    // Rates the decoder accepts.
    static constexpr int minimumRate = 8000;
    static constexpr int maximumRate = 192000;

    // Null when the bytes are not a complete module or the rate is unusable.
    static std::unique_ptr<ModulePlayer> fromMemory(std::span<const std::uint8_t> bytes, int mixRate);
    // Null also when the file is missing, unreadable, a directory or empty.
    static std::unique_ptr<ModulePlayer> fromFile(const std::string& path, int mixRate);

    ~ModulePlayer();
    ModulePlayer(const ModulePlayer&) = delete;
    ModulePlayer& operator=(const ModulePlayer&) = delete;

    // Fills frames stereo frames (2 * frames floats); silence after an end
    // the decoder cannot loop past.
    void render(float* interleavedStereo, std::size_t frames);
    // Back to the first row of the first order.
    void rewind();

    int mixRate() const { return rate; }
    double durationSeconds() const;
    // Where playback is within the song.
    double positionSeconds() const;
    int channelCount() const;

private:
    ModulePlayer(openmpt_module* module, int mixRate);

    openmpt_module* module;
    int rate;
};

} // namespace sound
