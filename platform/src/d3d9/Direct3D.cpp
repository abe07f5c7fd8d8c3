#include "d3d9/Direct3D.h"

#include "d3d9/Device.h"
#include "d3d9/Direct3DState.h"
#include "desktop/Desktop.h"

#include <algorithm>

namespace d3d9 {

namespace {

constexpr DWORD vertexProcessing =
    D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING;

bool exactlyOneVertexProcessingFlag(DWORD flags)
{
    const DWORD chosen = flags & vertexProcessing;
    return chosen != 0 && (chosen & (chosen - 1)) == 0;
}

template <typename T>
bool contains(const std::vector<T>& values, T value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

} // namespace

Direct3D::Direct3D()
{
    ++state().live.direct3d;
}

Direct3D::~Direct3D()
{
    --state().live.direct3d;
}

ULONG Direct3D::Release()
{
    const ULONG left = --references;
    if (left == 0) {
        delete this;
    }
    return left;
}

bool Direct3D::accepts(const D3DPRESENT_PARAMETERS& parameters) const
{
    const DevicePolicy& policy = state().policy;
    const auto& formats = parameters.Windowed ? policy.windowedFormats : policy.fullscreenFormats;
    const UINT count = std::max<UINT>(parameters.BackBufferCount, 1);
    return contains(formats, parameters.BackBufferFormat) && count <= policy.maxBackBufferCount &&
           !contains(policy.refusedBackBufferCounts, count) && parameters.SwapEffect == D3DSWAPEFFECT_DISCARD &&
           parameters.MultiSampleType == D3DMULTISAMPLE_NONE;
}

HRESULT Direct3D::CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD BehaviorFlags,
                               D3DPRESENT_PARAMETERS* pPresentationParameters,
                               IDirect3DDevice9** ppReturnedDeviceInterface)
{
    if (ppReturnedDeviceInterface != nullptr) {
        *ppReturnedDeviceInterface = nullptr;
    }
    if (pPresentationParameters == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    CreateDeviceCall call{*pPresentationParameters, BehaviorFlags, hFocusWindow, false};

    const HWND window =
        pPresentationParameters->hDeviceWindow != nullptr ? pPresentationParameters->hDeviceWindow : hFocusWindow;
    auto& model = desktop::Desktop::instance();
    HRESULT result = D3D_OK;
    if (ppReturnedDeviceInterface == nullptr || Adapter != D3DADAPTER_DEFAULT || DeviceType != D3DDEVTYPE_HAL ||
        model.liveWindow(window) == nullptr || !exactlyOneVertexProcessingFlag(BehaviorFlags)) {
        result = D3DERR_INVALIDCALL;
    } else if (model.screenSize().cx <= 0 || model.screenSize().cy <= 0) {
        // Without a screen there is no display adapter to make a device on.
        result = D3DERR_NOTAVAILABLE;
    } else if ((BehaviorFlags & state().policy.refusedBehaviourFlags) != 0 || !accepts(*pPresentationParameters)) {
        result = D3DERR_NOTAVAILABLE;
    }
    if (SUCCEEDED(result)) {
        D3DPRESENT_PARAMETERS parameters = *pPresentationParameters;
        parameters.hDeviceWindow = window;
        if (parameters.BackBufferCount == 0) {
            parameters.BackBufferCount = 1;
            pPresentationParameters->BackBufferCount = 1;
        }
        // A windowed back buffer of size 0 takes the size of the client area.
        if (parameters.Windowed && (parameters.BackBufferWidth == 0 || parameters.BackBufferHeight == 0)) {
            const RECT client = model.clientRectOnScreen(window);
            if (parameters.BackBufferWidth == 0) {
                parameters.BackBufferWidth = static_cast<UINT>(std::max<LONG>(client.right - client.left, 1));
            }
            if (parameters.BackBufferHeight == 0) {
                parameters.BackBufferHeight = static_cast<UINT>(std::max<LONG>(client.bottom - client.top, 1));
            }
        }
        *ppReturnedDeviceInterface = new Device(this, window, parameters);
        call.succeeded = true;
    }
    state().calls.push_back(call);
    return result;
}

} // namespace d3d9

IDirect3D9* WINAPI Direct3DCreate9(UINT SDKVersion)
{
    if (SDKVersion != D3D_SDK_VERSION || d3d9::state().faults.failDirect3DCreate) {
        return nullptr;
    }
    return new d3d9::Direct3D();
}
