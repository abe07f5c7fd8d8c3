#pragma once

// The process-wide state behind Direct3DControl.h, shared by the objects.

#include "d3d9/Direct3DControl.h"

#include <functional>

namespace d3d9 {

class Device;

struct Direct3DState {
    DevicePolicy policy = DevicePolicy::standard();
    Faults faults;
    std::vector<CreateDeviceCall> calls;
    LiveObjects live;
    std::vector<Device*> devices; // every live device, for loseDevices
};

Direct3DState& state();

} // namespace d3d9
