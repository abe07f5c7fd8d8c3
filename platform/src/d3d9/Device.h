#pragma once

#include <d3d9.h>

#include <cstdint>
#include <vector>

namespace d3d9 {

class Direct3D;
class Surface;

// A device for one window. Its back buffer lives in memory; Present shows it
// in the window's client area through the desktop model: stretched over the
// client area when windowed, and, as our stand-in for the mode change of a
// fullscreen device, fitted into the screen-covering window with its aspect
// ratio kept and black bars around it.
//
// A fullscreen device is lost (D3DERR_DEVICELOST) while its window is not
// active and reports D3DERR_DEVICENOTRESET once it is active again, until
// Reset.
class Device final : public IDirect3DDevice9 {
public:
    Device(Direct3D* parent, HWND window, const D3DPRESENT_PARAMETERS& parameters);
    ~Device();

    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override;
    HRESULT STDMETHODCALLTYPE Reset(D3DPRESENT_PARAMETERS* pPresentationParameters) override;
    HRESULT STDMETHODCALLTYPE Present(const RECT* pSourceRect, const RECT* pDestRect, HWND hDestWindowOverride,
                                      const RGNDATA* pDirtyRegion) override;
    HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT iSwapChain, UINT iBackBuffer, D3DBACKBUFFER_TYPE Type,
                                            IDirect3DSurface9** ppBackBuffer) override;
    HRESULT STDMETHODCALLTYPE UpdateSurface(IDirect3DSurface9* pSourceSurface, const RECT* pSourceRect,
                                            IDirect3DSurface9* pDestinationSurface, const POINT* pDestPoint) override;
    HRESULT STDMETHODCALLTYPE CreateOffscreenPlainSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DPOOL Pool,
                                                          IDirect3DSurface9** ppSurface,
                                                          HANDLE* pSharedHandle) override;

    ULONG addRef() { return ++references; }

    // Loss and recovery, from the window's activation or from loseDevices.
    void lose();
    void restore();

private:
    enum class Cooperation { Operational, Lost, NotReset };

    void makeBackBuffer();
    void activationChanged(bool active);
    void showBackBuffer(int clientWidth, int clientHeight);

    Direct3D* parent; // holds a reference
    HWND window;
    D3DPRESENT_PARAMETERS parameters;
    ULONG references = 1;
    Cooperation cooperation = Cooperation::Operational;
    Surface* backBuffer = nullptr; // the device's own reference
    int observer = 0;
    // Working rows for Present, sized when the back buffer or the client area
    // changes, never per frame.
    std::vector<std::uint32_t> unpacked;
    std::vector<std::uint32_t> shown;
};

} // namespace d3d9
