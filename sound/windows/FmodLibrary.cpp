// The six calls of our fmod.dll. One library state per process; the module
// plays on the output's thread, so every call that touches the song in play
// takes the lock the thread renders under.
#include "sound/FmodApi.h"
#include "sound/mod/ModPlayer.h"
#include "sound/mod/ModSong.h"
#include "sound/windows/WaveOutput.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <vector>

#ifndef TOVI_FMOD_VERSION
#define TOVI_FMOD_VERSION 3.75f
#endif

struct FMUSIC_MODULE {
    std::unique_ptr<mod::Song> song;
};

namespace {

// Larger files are not modules worth reading: refuse them before reading.
constexpr std::streamoff maxModuleBytes = 16 * 1024 * 1024;
constexpr int minMixRate = 8000;
constexpr int maxMixRate = 192000;

struct Library {
    std::mutex lock;
    bool initialised = false;
    int mixRate = 0;
    std::vector<std::unique_ptr<FMUSIC_MODULE>> modules;
    FMUSIC_MODULE* playing = nullptr;
    std::unique_ptr<mod::Player> player;
    WaveOutput output;

    bool owns(FMUSIC_MODULE* module) const
    {
        return std::any_of(modules.begin(), modules.end(),
                           [module](const std::unique_ptr<FMUSIC_MODULE>& m) { return m.get() == module; });
    }

    void render(std::int16_t* frames, int count)
    {
        std::lock_guard<std::mutex> guard(lock);
        if (player) {
            player->render(frames, count);
        } else {
            std::memset(frames, 0, static_cast<std::size_t>(count) * 2 * sizeof(std::int16_t));
        }
    }
};

// Never destroyed: at process exit the output thread is already gone and
// must not be joined from the loader's detach.
Library& library()
{
    static Library* instance = new Library;
    return *instance;
}

std::vector<std::uint8_t> readFile(const char* name)
{
    std::ifstream file(name, std::ios::binary | std::ios::ate);
    if (!file) {
        return {};
    }
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > maxModuleBytes) {
        return {};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        return {};
    }
    return bytes;
}

} // namespace

extern "C" {

float FMOD_CALL FSOUND_GetVersion(void)
{
    return TOVI_FMOD_VERSION;
}

signed char FMOD_CALL FSOUND_Init(int mixRate, int maxSoftwareChannels, unsigned int)
{
#ifdef TOVI_FMOD_INIT_FAILS
    (void)mixRate;
    (void)maxSoftwareChannels;
    return 0;
#else
    Library& lib = library();
    if (lib.initialised) {
        return 1;
    }
    if (mixRate < minMixRate || mixRate > maxMixRate || maxSoftwareChannels < 0) {
        return 0;
    }
    lib.mixRate = mixRate;
    lib.initialised = true;
    // No device is no failure: the music then stays silent.
    lib.output.start(mixRate, [&lib](std::int16_t* frames, int count) { lib.render(frames, count); });
    return 1;
#endif
}

FMUSIC_MODULE* FMOD_CALL FMUSIC_LoadSong(const char* name)
{
    Library& lib = library();
    if (!lib.initialised || name == nullptr) {
        return nullptr;
    }
    const std::vector<std::uint8_t> bytes = readFile(name);
    std::unique_ptr<mod::Song> song = mod::parseSong(bytes.data(), bytes.size());
    if (!song) {
        return nullptr;
    }
    auto module = std::make_unique<FMUSIC_MODULE>();
    module->song = std::move(song);
    std::lock_guard<std::mutex> guard(lib.lock);
    lib.modules.push_back(std::move(module));
    return lib.modules.back().get();
}

signed char FMOD_CALL FMUSIC_PlaySong(FMUSIC_MODULE* module)
{
    Library& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    if (!lib.initialised || !lib.owns(module)) {
        return 0;
    }
    lib.player = std::make_unique<mod::Player>(*module->song, lib.mixRate);
    lib.playing = module;
    return 1;
}

signed char FMOD_CALL FMUSIC_FreeSong(FMUSIC_MODULE* module)
{
    Library& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    if (!lib.initialised || !lib.owns(module)) {
        return 0;
    }
    if (lib.playing == module) {
        lib.player.reset();
        lib.playing = nullptr;
    }
    lib.modules.erase(std::find_if(lib.modules.begin(), lib.modules.end(),
                                   [module](const std::unique_ptr<FMUSIC_MODULE>& m) { return m.get() == module; }));
    return 1;
}

void FMOD_CALL FSOUND_Close(void)
{
    Library& lib = library();
    if (!lib.initialised) {
        return;
    }
    lib.output.stop();
    std::lock_guard<std::mutex> guard(lib.lock);
    lib.player.reset();
    lib.playing = nullptr;
    lib.modules.clear();
    lib.initialised = false;
}

} // extern "C"
