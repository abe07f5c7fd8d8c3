// Placeholder until the module player lands: a library that starts but loads nothing.
#include "sound/FmodApi.h"

float FSOUND_GetVersion(void) { return 3.75f; }
signed char FSOUND_Init(int, int, unsigned int) { return 1; }
FMUSIC_MODULE* FMUSIC_LoadSong(const char*) { return nullptr; }
signed char FMUSIC_PlaySong(FMUSIC_MODULE*) { return 0; }
signed char FMUSIC_FreeSong(FMUSIC_MODULE*) { return 0; }
void FSOUND_Close(void) {}
