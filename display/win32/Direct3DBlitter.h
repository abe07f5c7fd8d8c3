#pragma once

// The full Windows header set declares an enumerator Unknown of its own, which
// would clash with PixelFormat's.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <d3d9.h>

#include "display/DisplayModes.h"
#include "display/PixelFormat.h"
#include "display/PixelTypes.h"

// Puts the display's frames on the screen through one Direct3D 9 device made
// for the display window. Each frame is converted row by row straight into a
// system-memory surface of the back buffer's format, copied to the back buffer
// and presented. The back-buffer format is chosen once, at construction, by a
// fixed fall-back order; the owner makes a new blitter for every change of
// output and asks valid() whether this one got a device.
class Direct3DBlitter {
public:
    // direct3d and hwnd are borrowed; the device and surface are owned.
    Direct3DBlitter(IDirect3D9* direct3d, HWND hwnd, int width, int height, PixelMode mode, bool isWindowed);
    ~Direct3DBlitter();

    Direct3DBlitter(const Direct3DBlitter&) = delete;
    Direct3DBlitter& operator=(const Direct3DBlitter&) = delete;

    // A device exists and is usable now.
    bool valid();
    // Exactly one of the two is given, width x height pixels, rows packed.
    // True when the frame was presented.
    bool blit(const IntPixel* intPixels, const FloatPixel* floatPixels);
    // Presents the surface's current content again. True when presented.
    bool flip();

    PixelFormat pixelFormat() const { return format; }
    bool windowedDevice() const { return isWindowed; }

    static D3DFORMAT toDirect3DFormat(PixelFormat format);

private:
    bool tryFormat(int width, int height, PixelFormat format, bool isWindowed);
    void initialize();
    bool tryBehaviours();

    IDirect3D9* direct3d;
    HWND hwnd;
    D3DPRESENT_PARAMETERS presentParameters;
    IDirect3DDevice9* device;
    IDirect3DSurface9* surface;
    int width;
    int height;
    PixelFormat format;
    PixelMode mode;
    bool isWindowed;
};
