#pragma once

#include "display/DisplayModes.h"

// Checks the sound library's version, starts it and loads the module. On
// failure prints its line on standard output and ends the process with status 1.
void startMusic();

// The whole program: music, display, frame loop, shutdown. Returns the exit status.
int introMain(OutputMode output);
