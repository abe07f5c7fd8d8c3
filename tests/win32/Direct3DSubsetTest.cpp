#include "d3d9/Direct3DControl.h"
#include "headless/HeadlessDesktop.h"

#include <d3d9.h>
#include <desktop/Desktop.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

// Our Direct3D 9 on the headless desktop: what it accepts, how it loses and
// regains a fullscreen device, what Present puts into the client area, and
// that every object goes away with its last Release.
namespace {

LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

class Direct3DSubsetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset(1920, 1080);
        d3d9::resetControl();
        direct3d = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(direct3d, nullptr);
    }
    void TearDown() override
    {
        direct3d->Release();
        EXPECT_EQ(d3d9::liveObjectReport(), "");
        d3d9::resetControl();
    }

    // A window whose client area is exactly width x height.
    HWND makeWindow(DWORD style, int width, int height)
    {
        WNDCLASSEXA cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = plainProcedure;
        cls.lpszClassName = "d3dtest";
        RegisterClassExA(&cls);
        RECT outer{0, 0, width, height};
        AdjustWindowRect(&outer, style, FALSE);
        HWND window = CreateWindowExA(0, "d3dtest", "d3dtest", style, 0, 0, outer.right - outer.left,
                                      outer.bottom - outer.top, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(window, SW_SHOW);
        return window;
    }

    static D3DPRESENT_PARAMETERS parameters(HWND window, UINT width, UINT height, D3DFORMAT format, bool windowed)
    {
        D3DPRESENT_PARAMETERS p{};
        p.BackBufferWidth = width;
        p.BackBufferHeight = height;
        p.BackBufferFormat = format;
        p.BackBufferCount = 1;
        p.SwapEffect = D3DSWAPEFFECT_DISCARD;
        p.hDeviceWindow = window;
        p.Windowed = windowed ? TRUE : FALSE;
        return p;
    }

    IDirect3DDevice9* makeDevice(HWND window, D3DPRESENT_PARAMETERS p)
    {
        IDirect3DDevice9* device = nullptr;
        EXPECT_EQ(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                         D3DCREATE_HARDWARE_VERTEXPROCESSING, &p, &device),
                  D3D_OK);
        return device;
    }

    // Fills a system-memory X8R8G8B8 surface with `pixels` and presents it.
    static void show(IDirect3DDevice9* device, UINT width, UINT height, const std::vector<std::uint32_t>& pixels)
    {
        IDirect3DSurface9* surface = nullptr;
        ASSERT_EQ(device->CreateOffscreenPlainSurface(width, height, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &surface,
                                                      nullptr),
                  D3D_OK);
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_DISCARD), D3D_OK);
        EXPECT_GT(locked.Pitch, static_cast<INT>(width * 4)); // rows carry padding
        for (UINT y = 0; y < height; ++y) {
            std::memcpy(static_cast<unsigned char*>(locked.pBits) + y * UINT(locked.Pitch), &pixels[y * width],
                        width * 4);
        }
        surface->UnlockRect();
        IDirect3DSurface9* backBuffer = nullptr;
        device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
        ASSERT_NE(backBuffer, nullptr);
        EXPECT_EQ(device->UpdateSurface(surface, nullptr, backBuffer, nullptr), D3D_OK);
        backBuffer->Release();
        surface->Release();
        EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    }

    IDirect3D9* direct3d = nullptr;
};

TEST_F(Direct3DSubsetTest, DefaultPolicyTakesOnlyWhatDirect3D9TakesAsABackBuffer)
{
    HWND window = makeWindow(WS_OVERLAPPEDWINDOW, 40, 30);
    struct Case {
        D3DFORMAT format;
        bool accepted;
    };
    const Case cases[] = {{D3DFMT_X8R8G8B8, true},       {D3DFMT_R5G6B5, true},  {D3DFMT_X1R5G5B5, true},
                          {D3DFMT_A32B32G32R32F, false}, {D3DFMT_R8G8B8, false}, {D3DFMT_X8B8G8R8, false}};
    for (const Case& c : cases) {
        for (bool windowed : {true, false}) {
            SCOPED_TRACE(testing::Message() << "format " << c.format << " windowed " << windowed);
            D3DPRESENT_PARAMETERS p = parameters(window, 40, 30, c.format, windowed);
            IDirect3DDevice9* device = nullptr;
            const HRESULT result = direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                                          D3DCREATE_SOFTWARE_VERTEXPROCESSING, &p, &device);
            EXPECT_EQ(SUCCEEDED(result), c.accepted);
            EXPECT_EQ(device != nullptr, c.accepted);
            if (device != nullptr) {
                device->Release();
            }
        }
    }
    EXPECT_EQ(d3d9::createDeviceCalls().size(), 12u);
}

TEST_F(Direct3DSubsetTest, WithoutAScreenThereIsNoAdapterToMakeADeviceOn)
{
    HWND window = makeWindow(WS_OVERLAPPEDWINDOW, 40, 30);
    headless::setScreenSize(0, 0);
    D3DPRESENT_PARAMETERS p = parameters(window, 40, 30, D3DFMT_X8R8G8B8, true);
    IDirect3DDevice9* device = nullptr;
    EXPECT_EQ(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &p, &device),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device, nullptr);
}

TEST_F(Direct3DSubsetTest, FullscreenDeviceIsLostWhileItsWindowIsInactiveAndNeedsAReset)
{
    HWND window = makeWindow(WS_POPUP, 64, 48);
    ASSERT_EQ(headless::activeWindow(), window);
    D3DPRESENT_PARAMETERS p = parameters(window, 64, 48, D3DFMT_X8R8G8B8, false);
    IDirect3DDevice9* fullscreen = makeDevice(window, p);
    IDirect3DDevice9* windowed = makeDevice(window, parameters(window, 64, 48, D3DFMT_X8R8G8B8, true));
    ASSERT_NE(fullscreen, nullptr);
    EXPECT_EQ(fullscreen->TestCooperativeLevel(), D3D_OK);

    headless::focusOtherWindow();
    EXPECT_EQ(fullscreen->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(fullscreen->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(fullscreen->Reset(&p), D3DERR_DEVICELOST);
    EXPECT_EQ(windowed->TestCooperativeLevel(), D3D_OK);

    desktop::Desktop::instance().activate(window);
    EXPECT_EQ(fullscreen->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(fullscreen->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(fullscreen->Reset(&p), D3D_OK);
    EXPECT_EQ(fullscreen->TestCooperativeLevel(), D3D_OK);

    // The same through the control, for any device.
    d3d9::loseDevices();
    EXPECT_EQ(windowed->TestCooperativeLevel(), D3DERR_DEVICELOST);
    d3d9::restoreDevices();
    EXPECT_EQ(windowed->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

    windowed->Release();
    fullscreen->Release();
}

TEST_F(Direct3DSubsetTest, PresentStretchesWhenWindowedAndKeepsTheAspectWithBlackBarsWhenFullscreen)
{
    const std::uint32_t a = 0x00112233;
    const std::uint32_t b = 0x00445566;
    {
        HWND window = makeWindow(WS_OVERLAPPEDWINDOW, 4, 2);
        IDirect3DDevice9* device = makeDevice(window, parameters(window, 2, 1, D3DFMT_X8R8G8B8, true));
        show(device, 2, 1, {a, b});
        const headless::Pixels shown = headless::clientPixels(window);
        ASSERT_EQ(shown.width, 4);
        ASSERT_EQ(shown.height, 2);
        EXPECT_EQ(shown.data, (std::vector<std::uint32_t>{a, a, b, b, a, a, b, b}));
        device->Release();
    }
    {
        HWND window = makeWindow(WS_POPUP, 8, 2);
        IDirect3DDevice9* device = makeDevice(window, parameters(window, 2, 1, D3DFMT_X8R8G8B8, false));
        show(device, 2, 1, {a, b});
        const headless::Pixels shown = headless::clientPixels(window);
        ASSERT_EQ(shown.width, 8);
        EXPECT_EQ(shown.data, (std::vector<std::uint32_t>{0, 0, a, a, b, b, 0, 0, 0, 0, a, a, b, b, 0, 0}));
        device->Release();
    }
}

TEST_F(Direct3DSubsetTest, SurfacesKeepTheirDeviceAliveUntilTheLastRelease)
{
    HWND window = makeWindow(WS_OVERLAPPEDWINDOW, 8, 8);
    IDirect3DDevice9* device = makeDevice(window, parameters(window, 8, 8, D3DFMT_R5G6B5, true));
    IDirect3DSurface9* surface = nullptr;
    device->CreateOffscreenPlainSurface(8, 8, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &surface, nullptr);
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    // The formats differ, so the copy is refused.
    EXPECT_EQ(device->UpdateSurface(surface, nullptr, backBuffer, nullptr), D3DERR_INVALIDCALL);
    backBuffer->Release();

    device->Release();
    EXPECT_EQ(d3d9::liveObjectReport(), "1 IDirect3D9\n1 IDirect3DDevice9\n2 IDirect3DSurface9\n");
    surface->Release();
    EXPECT_EQ(d3d9::liveObjects().total(), 1); // the Direct3D object of the fixture
}

TEST_F(Direct3DSubsetTest, InjectedFaultsFailTheirCall)
{
    HWND window = makeWindow(WS_OVERLAPPEDWINDOW, 8, 8);
    IDirect3DDevice9* device = makeDevice(window, parameters(window, 8, 8, D3DFMT_X8R8G8B8, true));
    IDirect3DSurface9* surface = nullptr;
    device->CreateOffscreenPlainSurface(8, 8, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &surface, nullptr);
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    D3DLOCKED_RECT locked{};

    d3d9::faults().failLockRect = true;
    EXPECT_TRUE(FAILED(surface->LockRect(&locked, nullptr, D3DLOCK_DISCARD)));
    d3d9::faults().failUpdateSurface = true;
    EXPECT_TRUE(FAILED(device->UpdateSurface(surface, nullptr, backBuffer, nullptr)));
    d3d9::faults().failPresent = true;
    EXPECT_TRUE(FAILED(device->Present(nullptr, nullptr, nullptr, nullptr)));
    d3d9::faults().failSurfaceCreation = true;
    IDirect3DSurface9* refused = reinterpret_cast<IDirect3DSurface9*>(std::uintptr_t{1});
    EXPECT_TRUE(FAILED(device->CreateOffscreenPlainSurface(8, 8, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &refused,
                                                           nullptr)));
    EXPECT_EQ(refused, nullptr);
    d3d9::faults().failDirect3DCreate = true;
    EXPECT_EQ(Direct3DCreate9(D3D_SDK_VERSION), nullptr);

    d3d9::policy().refusedBehaviourFlags = D3DCREATE_HARDWARE_VERTEXPROCESSING;
    D3DPRESENT_PARAMETERS p = parameters(window, 8, 8, D3DFMT_X8R8G8B8, true);
    IDirect3DDevice9* second = nullptr;
    EXPECT_EQ(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &p, &second),
              D3DERR_NOTAVAILABLE);

    backBuffer->Release();
    surface->Release();
    device->Release();
}

} // namespace
