#include "sound/linux/SdlOutput.h"

#include "sound/linux/Mixer.h"

#include <SDL.h>

namespace sound {

std::unique_ptr<SdlOutput> SdlOutput::open(Mixer& mixer, int mixRate) {
    // Counted by SDL, so a display living on SDL in the same process keeps
    // its own hold.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    std::unique_ptr<SdlOutput> output(new SdlOutput(mixer));
    SDL_AudioSpec wanted{};
    wanted.freq = mixRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = &SdlOutput::callback;
    wanted.userdata = output.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to the device, we always mix at the
    // rate the program asked for.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    output->device = device;
    SDL_PauseAudioDevice(device, 0);
    return output;
}

SdlOutput::~SdlOutput() {
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlOutput::lock() { SDL_LockAudioDevice(device); }

void SdlOutput::unlock() { SDL_UnlockAudioDevice(device); }

void SdlOutput::callback(void* self, std::uint8_t* stream, int length) {
    auto* output = static_cast<SdlOutput*>(self);
    const auto frames = static_cast<std::size_t>(length) / (2 * sizeof(float));
    output->mixer.render(reinterpret_cast<float*>(stream), frames);
}

} // namespace sound
