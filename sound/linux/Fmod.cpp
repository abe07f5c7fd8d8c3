// The six calls the intro makes, over the sound system.
#include "sound/FmodApi.h"

#include "sound/linux/SoundSystem.h"

namespace {

// The handle the callers see is the player itself; they never look inside.
sound::ModulePlayer* toPlayer(FMUSIC_MODULE* module) { return reinterpret_cast<sound::ModulePlayer*>(module); }

} // namespace

float FSOUND_GetVersion(void) { return 3.75f; }

signed char FSOUND_Init(int mixRate, int maxSoftwareChannels, unsigned int /*flags*/) {
    return sound::SoundSystem::instance().init(mixRate, maxSoftwareChannels) ? 1 : 0;
}

FMUSIC_MODULE* FMUSIC_LoadSong(const char* name) {
    return reinterpret_cast<FMUSIC_MODULE*>(sound::SoundSystem::instance().load(name));
}

signed char FMUSIC_PlaySong(FMUSIC_MODULE* module) {
    return sound::SoundSystem::instance().play(toPlayer(module)) ? 1 : 0;
}

signed char FMUSIC_FreeSong(FMUSIC_MODULE* module) {
    return sound::SoundSystem::instance().free(toPlayer(module)) ? 1 : 0;
}

void FSOUND_Close(void) { sound::SoundSystem::instance().close(); }
