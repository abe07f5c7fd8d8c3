#pragma once

// Control over our Direct3D 9 subset, for tests and hosts: which devices
// CreateDevice accepts, which calls fail on purpose, what every CreateDevice
// call asked for, and which Direct3D objects are still alive.

#include <d3d9.h>

#include <string>
#include <vector>

namespace d3d9 {

// What CreateDevice accepts. The defaults are what Direct3D 9 itself takes as
// a back buffer: X8R8G8B8, R5G6B5 and X1R5G5B5, windowed and fullscreen.
struct DevicePolicy {
    std::vector<D3DFORMAT> windowedFormats;
    std::vector<D3DFORMAT> fullscreenFormats;
    std::vector<UINT> refusedBackBufferCounts;
    DWORD refusedBehaviourFlags = 0; // any of these vertex-processing flags is refused
    UINT maxBackBufferCount = 3;

    static DevicePolicy standard();
};

// Calls made to fail on purpose; all off by default.
struct Faults {
    bool failDirect3DCreate = false;
    bool failSurfaceCreation = false;
    bool failLockRect = false;
    bool failUpdateSurface = false;
    bool failPresent = false;
    // Bytes added to every row of a system-memory surface beyond the packed row
    // rounded up to 4 bytes.
    int pitchPadding = 32;
};

struct CreateDeviceCall {
    D3DPRESENT_PARAMETERS parameters;
    DWORD behaviourFlags;
    HWND focusWindow;
    bool succeeded;
};

struct LiveObjects {
    int direct3d = 0;
    int devices = 0;
    int surfaces = 0; // back buffers included
    int total() const { return direct3d + devices + surfaces; }
};

DevicePolicy& policy();
Faults& faults();
std::vector<CreateDeviceCall>& createDeviceCalls();

// Policy, faults and the call log back to their defaults; live objects stay.
void resetControl();

LiveObjects liveObjects();
// One line per kind still alive, empty when nothing is: "2 IDirect3DSurface9\n".
std::string liveObjectReport();

// As if the system took the devices away (another program went fullscreen):
// every device reports D3DERR_DEVICELOST until restoreDevices, then
// D3DERR_DEVICENOTRESET until it is Reset.
void loseDevices();
void restoreDevices();

} // namespace d3d9
