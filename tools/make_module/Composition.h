#pragma once

#include "tools/make_module/ModuleFile.h"

// The tune itself: bass, lead, drums and an arpeggio break in A minor over
// Am - F - C - G, eight positions of 7.68 s each at speed 6, tempo 125.
namespace make_module {

// The Amiga period of a note written as "C-2", "C#2" or "C2", octaves 1 to 3.
// Throws std::invalid_argument for anything else.
int periodOf(const std::string& note);

Module composeModule();

} // namespace make_module
