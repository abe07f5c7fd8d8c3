#include "sound/linux/Mixer.h"

#include <algorithm>
#include <cstring>

namespace sound {

Mixer::Mixer() { playing.reserve(maximumSongs); }

bool Mixer::start(ModulePlayer* player) {
    if (player == nullptr || isPlaying(player) || playing.size() >= maximumSongs)
        return false;
    playing.push_back(player);
    return true;
}

bool Mixer::stop(ModulePlayer* player) {
    const auto it = std::find(playing.begin(), playing.end(), player);
    if (it == playing.end())
        return false;
    playing.erase(it);
    return true;
}

bool Mixer::isPlaying(const ModulePlayer* player) const {
    return std::find(playing.begin(), playing.end(), player) != playing.end();
}

void Mixer::render(float* interleavedStereo, std::size_t frames) {
    std::memset(interleavedStereo, 0, frames * 2 * sizeof(float));
    for (std::size_t offset = 0; offset < frames; offset += chunkFrames) {
        const std::size_t count = std::min(chunkFrames, frames - offset);
        float* out = interleavedStereo + 2 * offset;
        for (ModulePlayer* player : playing) {
            player->render(scratch.data(), count);
            for (std::size_t i = 0; i < 2 * count; ++i)
                out[i] += scratch[i];
        }
    }
}

} // namespace sound
