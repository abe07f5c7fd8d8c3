#include "d3d9/Direct3DControl.h"

#include "d3d9/Device.h"
#include "d3d9/Direct3DState.h"

#include <algorithm>

namespace d3d9 {

DevicePolicy DevicePolicy::standard()
{
    DevicePolicy standard;
    standard.windowedFormats = {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, D3DFMT_X1R5G5B5};
    standard.fullscreenFormats = standard.windowedFormats;
    return standard;
}

Direct3DState& state()
{
    static Direct3DState instance;
    return instance;
}

DevicePolicy& policy()
{
    return state().policy;
}

Faults& faults()
{
    return state().faults;
}

std::vector<CreateDeviceCall>& createDeviceCalls()
{
    return state().calls;
}

void resetControl()
{
    state().policy = DevicePolicy::standard();
    state().faults = Faults();
    state().calls.clear();
}

LiveObjects liveObjects()
{
    return state().live;
}

std::string liveObjectReport()
{
    std::string report;
    const LiveObjects live = state().live;
    const auto line = [&report](int count, const char* kind) {
        if (count != 0) {
            report += std::to_string(count) + " " + kind + "\n";
        }
    };
    line(live.direct3d, "IDirect3D9");
    line(live.devices, "IDirect3DDevice9");
    line(live.surfaces, "IDirect3DSurface9");
    return report;
}

void loseDevices()
{
    for (Device* device : state().devices) {
        device->lose();
    }
}

void restoreDevices()
{
    for (Device* device : state().devices) {
        device->restore();
    }
}

} // namespace d3d9
