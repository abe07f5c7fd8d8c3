#include "d3d9/Device.h"

#include "d3d9/Direct3D.h"
#include "d3d9/Direct3DState.h"
#include "d3d9/FormatInfo.h"
#include "d3d9/Surface.h"
#include "desktop/Desktop.h"

#include <algorithm>

namespace d3d9 {

namespace {

int packedPitch(UINT width, D3DFORMAT format, int padding)
{
    const int row = static_cast<int>(width) * bytesPerPixel(format);
    return ((row + 3) & ~3) + std::max(padding, 0);
}

} // namespace

Device::Device(Direct3D* parent, HWND window, const D3DPRESENT_PARAMETERS& parameters)
    : parent(parent), window(window), parameters(parameters)
{
    parent->addRef();
    ++state().live.devices;
    state().devices.push_back(this);
    makeBackBuffer();
    observer = desktop::Desktop::instance().addActivationObserver(window,
                                                                  [this](bool active) { activationChanged(active); });
}

Device::~Device()
{
    desktop::Desktop::instance().removeActivationObserver(observer);
    if (backBuffer != nullptr) {
        backBuffer->Release();
    }
    auto& devices = state().devices;
    devices.erase(std::remove(devices.begin(), devices.end(), this), devices.end());
    --state().live.devices;
    parent->Release();
}

void Device::makeBackBuffer()
{
    if (backBuffer != nullptr) {
        backBuffer->Release();
    }
    const D3DFORMAT format = parameters.BackBufferFormat;
    backBuffer = new Surface(nullptr, parameters.BackBufferWidth, parameters.BackBufferHeight, format,
                             D3DPOOL_DEFAULT, packedPitch(parameters.BackBufferWidth, format, 0));
    unpacked.assign(parameters.BackBufferWidth, 0);
}

ULONG Device::Release()
{
    const ULONG left = --references;
    if (left == 0) {
        delete this;
    }
    return left;
}

void Device::activationChanged(bool active)
{
    if (parameters.Windowed) {
        return;
    }
    if (!active) {
        lose();
    } else {
        restore();
    }
}

void Device::lose()
{
    cooperation = Cooperation::Lost;
}

void Device::restore()
{
    if (cooperation == Cooperation::Lost) {
        cooperation = Cooperation::NotReset;
    }
}

HRESULT Device::TestCooperativeLevel()
{
    switch (cooperation) {
    case Cooperation::Lost:
        return D3DERR_DEVICELOST;
    case Cooperation::NotReset:
        return D3DERR_DEVICENOTRESET;
    default:
        return D3D_OK;
    }
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* pPresentationParameters)
{
    if (pPresentationParameters == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (cooperation == Cooperation::Lost) {
        return D3DERR_DEVICELOST;
    }
    // Direct3D refuses to reset while the application still holds the back buffer.
    if (backBuffer->referenceCount() > 1) {
        return D3DERR_INVALIDCALL;
    }
    if (!parent->accepts(*pPresentationParameters)) {
        return D3DERR_NOTAVAILABLE;
    }
    parameters = *pPresentationParameters;
    if (parameters.BackBufferCount == 0) {
        parameters.BackBufferCount = 1;
    }
    makeBackBuffer();
    cooperation = Cooperation::Operational;
    return D3D_OK;
}

HRESULT Device::GetBackBuffer(UINT iSwapChain, UINT iBackBuffer, D3DBACKBUFFER_TYPE,
                              IDirect3DSurface9** ppBackBuffer)
{
    if (ppBackBuffer == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppBackBuffer = nullptr;
    if (iSwapChain != 0 || iBackBuffer >= std::max<UINT>(parameters.BackBufferCount, 1)) {
        return D3DERR_INVALIDCALL;
    }
    // Every back buffer of the chain shares one memory: only the copy into it
    // and the next Present can be observed.
    backBuffer->addRef();
    *ppBackBuffer = backBuffer;
    return D3D_OK;
}

HRESULT Device::UpdateSurface(IDirect3DSurface9* pSourceSurface, const RECT* pSourceRect,
                              IDirect3DSurface9* pDestinationSurface, const POINT* pDestPoint)
{
    auto* source = static_cast<Surface*>(pSourceSurface);
    auto* destination = static_cast<Surface*>(pDestinationSurface);
    if (source == nullptr || destination == nullptr || state().faults.failUpdateSurface) {
        return D3DERR_INVALIDCALL;
    }
    if (source->pool() != D3DPOOL_SYSTEMMEM || destination->pool() != D3DPOOL_DEFAULT ||
        source->format() != destination->format() || source->locked() || destination->locked()) {
        return D3DERR_INVALIDCALL;
    }
    RECT area{0, 0, LONG(source->width()), LONG(source->height())};
    if (pSourceRect != nullptr) {
        area = *pSourceRect;
    }
    const POINT to = pDestPoint != nullptr ? *pDestPoint : POINT{0, 0};
    const LONG w = area.right - area.left;
    const LONG h = area.bottom - area.top;
    if (area.left < 0 || area.top < 0 || w < 0 || h < 0 || area.right > LONG(source->width()) ||
        area.bottom > LONG(source->height()) || to.x < 0 || to.y < 0 || to.x + w > LONG(destination->width()) ||
        to.y + h > LONG(destination->height())) {
        return D3DERR_INVALIDCALL;
    }
    const std::size_t pixel = static_cast<std::size_t>(bytesPerPixel(source->format()));
    for (LONG y = 0; y < h; ++y) {
        const unsigned char* from = source->row(static_cast<UINT>(area.top + y)) + pixel * std::size_t(area.left);
        unsigned char* into = destination->row(static_cast<UINT>(to.y + y)) + pixel * std::size_t(to.x);
        std::copy(from, from + pixel * std::size_t(w), into);
    }
    return D3D_OK;
}

HRESULT Device::CreateOffscreenPlainSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DPOOL Pool,
                                            IDirect3DSurface9** ppSurface, HANDLE* pSharedHandle)
{
    if (ppSurface == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *ppSurface = nullptr;
    if (pSharedHandle != nullptr || Pool != D3DPOOL_SYSTEMMEM || bytesPerPixel(Format) == 0 || Width == 0) {
        return D3DERR_INVALIDCALL;
    }
    if (state().faults.failSurfaceCreation) {
        return E_OUTOFMEMORY;
    }
    *ppSurface = new Surface(this, Width, Height, Format, Pool, packedPitch(Width, Format, state().faults.pitchPadding));
    return D3D_OK;
}

HRESULT Device::Present(const RECT*, const RECT*, HWND, const RGNDATA*)
{
    if (cooperation != Cooperation::Operational) {
        return D3DERR_DEVICELOST;
    }
    if (state().faults.failPresent) {
        return D3DERR_DRIVERINTERNALERROR;
    }
    const RECT client = desktop::Desktop::instance().clientRectOnScreen(window);
    const int clientWidth = client.right - client.left;
    const int clientHeight = client.bottom - client.top;
    // A minimized or destroyed window shows nothing; that is no failure.
    if (clientWidth > 0 && clientHeight > 0) {
        showBackBuffer(clientWidth, clientHeight);
    }
    return D3D_OK;
}

void Device::showBackBuffer(int clientWidth, int clientHeight)
{
    const int width = static_cast<int>(backBuffer->width());
    const int height = static_cast<int>(backBuffer->height());
    const std::size_t area = static_cast<std::size_t>(clientWidth) * static_cast<std::size_t>(clientHeight);
    if (shown.size() != area) {
        shown.assign(area, 0);
    }
    std::fill(shown.begin(), shown.end(), 0u);

    // Where the picture goes: all of the client area, or the largest rectangle
    // of the back buffer's aspect ratio centred in it.
    int left = 0;
    int top = 0;
    int fitWidth = clientWidth;
    int fitHeight = clientHeight;
    if (!parameters.Windowed && width > 0 && height > 0) {
        if (static_cast<long long>(clientWidth) * height > static_cast<long long>(clientHeight) * width) {
            fitWidth = static_cast<int>(static_cast<long long>(width) * clientHeight / height);
        } else {
            fitHeight = static_cast<int>(static_cast<long long>(height) * clientWidth / width);
        }
        left = (clientWidth - fitWidth) / 2;
        top = (clientHeight - fitHeight) / 2;
    }

    if (width > 0 && height > 0 && fitWidth > 0 && fitHeight > 0) {
        int lastRow = -1;
        for (int y = 0; y < fitHeight; ++y) {
            const int sourceRow = static_cast<int>(static_cast<long long>(y) * height / fitHeight);
            if (sourceRow != lastRow) {
                unpackRow(backBuffer->format(), backBuffer->row(static_cast<UINT>(sourceRow)), unpacked.data(), width);
                lastRow = sourceRow;
            }
            std::uint32_t* out = shown.data() + static_cast<std::size_t>(top + y) * std::size_t(clientWidth) + left;
            for (int x = 0; x < fitWidth; ++x) {
                out[x] = unpacked[static_cast<std::size_t>(static_cast<long long>(x) * width / fitWidth)];
            }
        }
    }
    desktop::Desktop::instance().present(window, shown.data(), clientWidth, clientHeight, clientWidth * 4);
}

} // namespace d3d9
