#pragma once

// The six calls of the sound library the intro plays its module through,
// with the signatures of the FMOD 3.75 programming interface. Truth values are
// signed chars: non-zero is true.

#if defined(_WIN32) && !defined(_WIN64)
#define FMOD_CALL __stdcall
#else
#define FMOD_CALL
#endif

#if defined(_WIN32)
#if defined(TOVI_BUILDING_FMOD)
// fmod.dll exports by its module-definition file, under the exact names.
#define FMOD_EXPORT
#else
#define FMOD_EXPORT __declspec(dllimport)
#endif
#else
#define FMOD_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FMUSIC_MODULE FMUSIC_MODULE;

FMOD_EXPORT float FMOD_CALL FSOUND_GetVersion(void);
FMOD_EXPORT signed char FMOD_CALL FSOUND_Init(int mixRate, int maxSoftwareChannels, unsigned int flags);
FMOD_EXPORT FMUSIC_MODULE* FMOD_CALL FMUSIC_LoadSong(const char* name);
FMOD_EXPORT signed char FMOD_CALL FMUSIC_PlaySong(FMUSIC_MODULE* module);
FMOD_EXPORT signed char FMOD_CALL FMUSIC_FreeSong(FMUSIC_MODULE* module);
FMOD_EXPORT void FMOD_CALL FSOUND_Close(void);

#ifdef __cplusplus
}
#endif
