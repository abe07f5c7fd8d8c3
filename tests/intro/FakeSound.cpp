#include "tests/intro/FakeSound.h"

#include "sound/FmodApi.h"

#include <cstdio>

FakeSound fakeSound;

namespace {
struct FakeModule {
} theModule;
FMUSIC_MODULE* moduleHandle() { return reinterpret_cast<FMUSIC_MODULE*>(&theModule); }
} // namespace

float FSOUND_GetVersion(void)
{
    fakeSound.calls.push_back("GetVersion");
    return fakeSound.version;
}

signed char FSOUND_Init(int mixRate, int channels, unsigned int flags)
{
    char text[64];
    std::snprintf(text, sizeof text, "Init %d %d %u", mixRate, channels, flags);
    fakeSound.calls.push_back(text);
    return fakeSound.initSucceeds ? 1 : 0;
}

FMUSIC_MODULE* FMUSIC_LoadSong(const char* name)
{
    fakeSound.calls.push_back(std::string("LoadSong ") + name);
    return fakeSound.loadSucceeds ? moduleHandle() : nullptr;
}

signed char FMUSIC_PlaySong(FMUSIC_MODULE* module)
{
    fakeSound.calls.push_back(module == moduleHandle() ? "PlaySong" : "PlaySong ?");
    return 1;
}

signed char FMUSIC_FreeSong(FMUSIC_MODULE* module)
{
    fakeSound.calls.push_back(module == moduleHandle() ? "FreeSong" : "FreeSong ?");
    return 1;
}

void FSOUND_Close(void)
{
    fakeSound.calls.push_back("Close");
}
