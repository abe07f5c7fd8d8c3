#include "intro/Intro.h"

#include "display/Display.h"
#include "intro/Frame.h"
#include "intro/IntroState.h"
#include "sound/FmodApi.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr float requiredSoundVersion = 3.75f;
constexpr DWORD frameSleepMilliseconds = 20;

// Held from start-up to shutdown.
FMUSIC_MODULE* module = nullptr;

[[noreturn]] void failStartup()
{
    std::fflush(stdout);
    std::exit(1);
}

} // namespace

void startMusic()
{
    if (FSOUND_GetVersion() < requiredSoundVersion) {
        std::printf("Error : You are using the wrong DLL version!  You should be using FMOD %.02f\n",
                    static_cast<double>(requiredSoundVersion));
        failStartup();
    }
    if (!FSOUND_Init(32000, 32, 0)) {
        std::printf("Error in initialize\n");
        failStartup();
    }
    module = FMUSIC_LoadSong("rezov_ud_ari.mod");
    if (!module) {
        std::printf("Error playing file.\n");
        failStartup();
    }
}

int introMain(OutputMode output)
{
    startMusic();

    Display display("tovi", introWidth, introHeight, output, ModeFloat);
    const bool opened = display.isOpen();

    FMUSIC_PlaySong(module);
    frameCount = 0;
    lineCount = 0;

    while (display.isOpen()) {
        advanceFrame();
        display.update(frameBuffer);
        Sleep(frameSleepMilliseconds);
    }

    FMUSIC_FreeSong(module);
    FSOUND_Close();
    module = nullptr;

    // A display that never opened showed nothing: that is a failure, not a run.
    if (!opened) {
        std::printf("Error opening display.\n");
        std::fflush(stdout);
        return 1;
    }
    return 0;
}
