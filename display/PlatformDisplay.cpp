#include "display/PlatformDisplay.h"

#include "display/win32/Direct3DDisplay.h"

// The window and Direct3D presenter: on Windows through the system's own
// libraries, on Linux through our Win32 and Direct3D 9 subset on the desktop
// model, whose host the program links.
DisplayInterface* createPlatformDisplay()
{
    return new Direct3DDisplay();
}
