#pragma once

#include "sound/linux/AudioOutput.h"

#include <cstdint>
#include <memory>

namespace sound {

// The mixer played through an SDL audio device: stereo floats at the mix
// rate, rendered on SDL's audio thread.
class SdlOutput final : public AudioOutput {
public:
    // Null when SDL has no audio driver or no device opens.
    static std::unique_ptr<SdlOutput> open(Mixer& mixer, int mixRate);
    ~SdlOutput() override;

    void lock() override;
    void unlock() override;

private:
    explicit SdlOutput(Mixer& mixer) : mixer(mixer) {}
    static void callback(void* self, std::uint8_t* stream, int length);

    Mixer& mixer;
    std::uint32_t device = 0;
};

} // namespace sound
