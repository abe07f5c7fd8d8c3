#pragma once

#include <SDL.h>

namespace sdlhost {

// The Win32 virtual-key code of a physical key (by its position, as on a US
// keyboard), or 0 for keys that have none.
int virtualKeyFor(SDL_Scancode scancode);

}  // namespace sdlhost
