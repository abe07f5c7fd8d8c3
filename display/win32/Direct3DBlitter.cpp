#include "display/win32/Direct3DBlitter.h"

#include "display/PixelConverter.h"
#include "display/win32/Direct3DChannelOrder.h"

#include <cstring>

namespace {

// The vertex-processing flags tried for every back-buffer setting, best first.
constexpr DWORD behaviourOrder[] = {
    D3DCREATE_HARDWARE_VERTEXPROCESSING,
    D3DCREATE_MIXED_VERTEXPROCESSING,
    D3DCREATE_SOFTWARE_VERTEXPROCESSING,
};

// The integer formats in fall-back order; the three swapped-channel layouts
// have no Direct3D back-buffer format and are never tried.
constexpr PixelFormat integerFallBack[] = {XRGB8888, XBGR8888, RGB888, RGB565, XRGB1555};

} // namespace

Direct3DBlitter::Direct3DBlitter(IDirect3D9* direct3d, HWND hwnd, int width, int height, PixelMode mode,
                                 bool isWindowed)
    : direct3d(direct3d),
      hwnd(hwnd),
      presentParameters(),
      device(nullptr),
      surface(nullptr),
      width(width),
      height(height),
      format(Unknown),
      mode(mode),
      isWindowed(isWindowed)
{
    initialize();
}

Direct3DBlitter::~Direct3DBlitter()
{
    if (surface != nullptr) {
        surface->Release();
        surface = nullptr;
    }
    if (device != nullptr) {
        device->Release();
        device = nullptr;
    }
}

D3DFORMAT Direct3DBlitter::toDirect3DFormat(PixelFormat format)
{
    switch (format) {
    case XRGB8888:
        return D3DFMT_X8R8G8B8;
    case XBGR8888:
        return D3DFMT_X8B8G8R8;
    case RGB888:
        return D3DFMT_R8G8B8;
    case RGB565:
        return D3DFMT_R5G6B5;
    case XRGB1555:
        return D3DFMT_X1R5G5B5;
    case XBGRFFFF:
        return D3DFMT_A32B32G32R32F;
    default:
        return D3DFMT_UNKNOWN;
    }
}

bool Direct3DBlitter::tryBehaviours()
{
    for (DWORD behaviour : behaviourOrder) {
        IDirect3DDevice9* created = nullptr;
        // Without a Direct3D object every attempt counts as failed.
        if (direct3d != nullptr &&
            SUCCEEDED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hwnd, behaviour,
                                             &presentParameters, &created)) &&
            created != nullptr) {
            device = created;
            return true;
        }
    }
    device = nullptr;
    return false;
}

bool Direct3DBlitter::tryFormat(int backBufferWidth, int backBufferHeight, PixelFormat candidate,
                                bool windowedDevice)
{
    format = candidate;

    std::memset(&presentParameters, 0, sizeof presentParameters);
    presentParameters.BackBufferWidth = static_cast<UINT>(backBufferWidth);
    presentParameters.BackBufferHeight = static_cast<UINT>(backBufferHeight);
    presentParameters.BackBufferFormat = toDirect3DFormat(candidate);
    presentParameters.BackBufferCount = 2;
    presentParameters.MultiSampleType = D3DMULTISAMPLE_NONE;
    presentParameters.MultiSampleQuality = 0;
    presentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParameters.hDeviceWindow = hwnd;
    presentParameters.Windowed = windowedDevice ? TRUE : FALSE;
    presentParameters.EnableAutoDepthStencil = FALSE;
    presentParameters.AutoDepthStencilFormat = D3DFMT_UNKNOWN;
    presentParameters.Flags = 0;
    presentParameters.FullScreen_RefreshRateInHz = 0;
    presentParameters.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;

    if (!tryBehaviours()) {
        // Some devices cannot keep two back buffers; one is enough for a copy.
        presentParameters.BackBufferCount = 1;
        tryBehaviours();
    }
    return device != nullptr;
}

void Direct3DBlitter::initialize()
{
    if (mode == ModeFloat) {
        tryFormat(width, height, XBGRFFFF, isWindowed);
    }
    for (PixelFormat candidate : integerFallBack) {
        if (device != nullptr) {
            break;
        }
        tryFormat(width, height, candidate, isWindowed);
    }
    if (device == nullptr) {
        return;
    }
    IDirect3DSurface9* created = nullptr;
    device->CreateOffscreenPlainSurface(static_cast<UINT>(width), static_cast<UINT>(height),
                                        toDirect3DFormat(format), D3DPOOL_SYSTEMMEM, &created, nullptr);
    surface = created;
}

bool Direct3DBlitter::valid()
{
    return device != nullptr && SUCCEEDED(device->TestCooperativeLevel());
}

bool Direct3DBlitter::blit(const IntPixel* intPixels, const FloatPixel* floatPixels)
{
    if (device != nullptr && device->TestCooperativeLevel() == D3DERR_DEVICENOTRESET) {
        device->Reset(&presentParameters);
    }
    if (!valid()) {
        return false;
    }
    if (surface == nullptr) {
        return false;
    }

    D3DLOCKED_RECT locked;
    locked.Pitch = 0;
    locked.pBits = nullptr;
    if (FAILED(surface->LockRect(&locked, nullptr, D3DLOCK_DISCARD))) {
        return false;
    }

    const unsigned char* source = nullptr;
    std::size_t sourceRow = 0;
    PixelConverter* converter = nullptr;
    const PixelFormat layout = surfaceLayout(format);
    if (floatPixels != nullptr) {
        source = reinterpret_cast<const unsigned char*>(floatPixels);
        sourceRow = static_cast<std::size_t>(width) * sizeof(FloatPixel);
        converter = findConverter(XBGRFFFF, layout);
    } else if (intPixels != nullptr) {
        source = reinterpret_cast<const unsigned char*>(intPixels);
        sourceRow = static_cast<std::size_t>(width) * sizeof(IntPixel);
        converter = findConverter(XRGB8888, layout);
    }

    if (converter != nullptr) {
        const bool reorder = needsFloatReorder(format);
        auto* destination = static_cast<unsigned char*>(locked.pBits);
        converter->begin();
        for (int row = 0; row < height; ++row) {
            unsigned char* destinationRow = destination + static_cast<std::ptrdiff_t>(row) * locked.Pitch;
            converter->convert(source + static_cast<std::size_t>(row) * sourceRow, destinationRow,
                               static_cast<std::uint32_t>(width));
            if (reorder) {
                toRedGreenBlueAlpha(destinationRow, static_cast<std::uint32_t>(width));
            }
        }
        converter->end();
    }

    surface->UnlockRect();
    return flip();
}

bool Direct3DBlitter::flip()
{
    if (!valid()) {
        return false;
    }
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    if (backBuffer == nullptr) {
        return false;
    }
    const HRESULT copied = device->UpdateSurface(surface, nullptr, backBuffer, nullptr);
    backBuffer->Release();
    if (FAILED(copied)) {
        return false;
    }
    if (FAILED(device->Present(nullptr, nullptr, nullptr, nullptr))) {
        return false;
    }
    ValidateRect(hwnd, nullptr);
    return true;
}
