#include "display/PlatformDisplay.h"

#include "display/DisplayBase.h"

// Until the Direct3D presenter is in place, a display that accepts every frame.
DisplayInterface* createPlatformDisplay()
{
    return new DisplayBase();
}
