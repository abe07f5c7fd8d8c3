#include "sound/linux/SoundSystem.h"

#include "sound/linux/SdlOutput.h"
#include "sound/linux/SilentOutput.h"

#include <algorithm>
#include <new>

namespace sound {

SoundSystem& SoundSystem::instance() {
    static SoundSystem system;
    return system;
}

SoundSystem::~SoundSystem() { close(); }

bool SoundSystem::init(int mixRate, int maxSoftwareChannels) {
    std::lock_guard<std::mutex> hold(calls);
    if (running)
        return true;
    if (mixRate < ModulePlayer::minimumRate || mixRate > ModulePlayer::maximumRate || maxSoftwareChannels < 0)
        return false;
    try {
        auto newMixer = std::make_unique<Mixer>();
        std::unique_ptr<AudioOutput> newOutput = SdlOutput::open(*newMixer, mixRate);
        deviceOpen = newOutput != nullptr;
        if (!newOutput)
            newOutput = std::make_unique<SilentOutput>(*newMixer, mixRate);
        mixer = std::move(newMixer);
        output = std::move(newOutput);
    } catch (const std::exception&) {
        // No memory or no thread: the library cannot start at all.
        return false;
    }
    rate = mixRate;
    running = true;
    return true;
}

ModulePlayer* SoundSystem::load(const char* name) {
    std::lock_guard<std::mutex> hold(calls);
    if (!running || name == nullptr)
        return nullptr;
    try {
        auto player = ModulePlayer::fromFile(name, rate);
        if (!player)
            return nullptr;
        songs.push_back(std::move(player));
        return songs.back().get();
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool SoundSystem::play(ModulePlayer* song) {
    std::lock_guard<std::mutex> hold(calls);
    if (!running || !holds(song))
        return false;
    OutputLock still(*output);
    // Playing a song again starts it over.
    song->rewind();
    return mixer->isPlaying(song) || mixer->start(song);
}

bool SoundSystem::free(ModulePlayer* song) {
    std::lock_guard<std::mutex> hold(calls);
    if (!running || !holds(song))
        return false;
    {
        OutputLock still(*output);
        mixer->stop(song);
    }
    songs.erase(std::find_if(songs.begin(), songs.end(), [song](const auto& s) { return s.get() == song; }));
    return true;
}

void SoundSystem::close() {
    std::lock_guard<std::mutex> hold(calls);
    if (!running)
        return;
    output.reset(); // joins the rendering thread before anything it reads goes
    mixer.reset();
    songs.clear();
    running = false;
    deviceOpen = false;
    rate = 0;
}

bool SoundSystem::isRunning() const {
    std::lock_guard<std::mutex> hold(calls);
    return running;
}

bool SoundSystem::hasDevice() const {
    std::lock_guard<std::mutex> hold(calls);
    return deviceOpen;
}

bool SoundSystem::holds(const ModulePlayer* song) const {
    return song != nullptr
           && std::any_of(songs.begin(), songs.end(), [song](const auto& s) { return s.get() == song; });
}

} // namespace sound
