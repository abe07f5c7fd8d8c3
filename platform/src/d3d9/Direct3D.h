#pragma once

#include <d3d9.h>

namespace d3d9 {

// The Direct3D object: makes devices for windows of the desktop model, as the
// device policy allows.
class Direct3D final : public IDirect3D9 {
public:
    Direct3D();
    ~Direct3D();

    Direct3D(const Direct3D&) = delete;
    Direct3D& operator=(const Direct3D&) = delete;

    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                                           DWORD BehaviorFlags, D3DPRESENT_PARAMETERS* pPresentationParameters,
                                           IDirect3DDevice9** ppReturnedDeviceInterface) override;

    ULONG addRef() { return ++references; }

    // The policy's verdict on a back-buffer format, count and windowed flag.
    bool accepts(const D3DPRESENT_PARAMETERS& parameters) const;

private:
    ULONG references = 1;
};

} // namespace d3d9
