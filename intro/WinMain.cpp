#include "intro/Intro.h"

#include <windows.h>

#ifndef TOVI_OUTPUT_MODE
#error "Build with TOVI_OUTPUT_MODE set to OutputWindowed or OutputFullscreen"
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return introMain(TOVI_OUTPUT_MODE);
}
