#include "display/PlatformDisplay.h"

#include "display/DisplayBase.h"

#if defined(_WIN32)
#include "display/win32/Direct3DDisplay.h"
#endif

// On Windows the real window and Direct3D presenter; elsewhere, until the
// desktop hosts take over, a display that accepts every frame.
DisplayInterface* createPlatformDisplay()
{
#if defined(_WIN32)
    return new Direct3DDisplay();
#else
    return new DisplayBase();
#endif
}
