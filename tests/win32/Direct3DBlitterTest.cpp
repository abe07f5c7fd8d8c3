#include "display/win32/Direct3DBlitter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// The blitter against a scripted Direct3D: the fake records every call and
// answers as the test decides, so the fall-back order, the row stepping and
// the recovery paths can be checked call by call.
namespace {

struct Log {
    std::vector<std::string> calls;
    int count(const std::string& name) const
    {
        int n = 0;
        for (const auto& call : calls) {
            n += call == name ? 1 : 0;
        }
        return n;
    }
};

class FakeSurface final : public IDirect3DSurface9 {
public:
    FakeSurface(Log& log, std::string name, int pitch, int rows) : log(log), name(std::move(name)), pitch(pitch)
    {
        memory.assign(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(rows), 0xAB);
    }
    ULONG Release() override
    {
        log.calls.push_back(name + ".Release");
        return --references;
    }
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override
    {
        log.calls.push_back("LockRect");
        EXPECT_EQ(rect, nullptr);
        EXPECT_EQ(flags, DWORD(D3DLOCK_DISCARD));
        if (failLock) {
            return D3DERR_INVALIDCALL;
        }
        locked->Pitch = pitch;
        locked->pBits = memory.data();
        return D3D_OK;
    }
    HRESULT UnlockRect() override
    {
        log.calls.push_back("UnlockRect");
        return D3D_OK;
    }

    Log& log;
    std::string name;
    int pitch;
    std::vector<unsigned char> memory;
    int references = 1;
    bool failLock = false;
};

struct DeviceScript {
    int bytesPerPixel = 4;
    int extraPitch = 0;
    bool failLock = false;
    HRESULT updateResult = D3D_OK;
    std::vector<HRESULT> cooperative; // answered in turn, then D3D_OK
};

class FakeDevice final : public IDirect3DDevice9 {
public:
    FakeDevice(Log& log, DeviceScript& script) : log(log), script(script), backBuffer(log, "backBuffer", 4, 1) {}
    ULONG Release() override
    {
        log.calls.push_back("device.Release");
        return --references;
    }
    HRESULT TestCooperativeLevel() override
    {
        log.calls.push_back("TestCooperativeLevel");
        if (next < script.cooperative.size()) {
            return script.cooperative[next++];
        }
        return D3D_OK;
    }
    HRESULT Reset(D3DPRESENT_PARAMETERS*) override
    {
        log.calls.push_back("Reset");
        return D3D_OK;
    }
    HRESULT Present(const RECT* source, const RECT* destination, HWND override, const RGNDATA* dirty) override
    {
        log.calls.push_back("Present");
        EXPECT_EQ(source, nullptr);
        EXPECT_EQ(destination, nullptr);
        EXPECT_EQ(override, nullptr);
        EXPECT_EQ(dirty, nullptr);
        return D3D_OK;
    }
    HRESULT GetBackBuffer(UINT chain, UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** out) override
    {
        log.calls.push_back("GetBackBuffer");
        EXPECT_EQ(chain, 0u);
        EXPECT_EQ(index, 0u);
        EXPECT_EQ(type, D3DBACKBUFFER_TYPE_MONO);
        ++backBuffer.references;
        *out = &backBuffer;
        return D3D_OK;
    }
    HRESULT UpdateSurface(IDirect3DSurface9* source, const RECT* rect, IDirect3DSurface9* destination,
                          const POINT* point) override
    {
        log.calls.push_back("UpdateSurface");
        EXPECT_EQ(source, surface);
        EXPECT_EQ(rect, nullptr);
        EXPECT_EQ(destination, &backBuffer);
        EXPECT_EQ(point, nullptr);
        return script.updateResult;
    }
    HRESULT CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                        IDirect3DSurface9** out, HANDLE* shared) override
    {
        log.calls.push_back("CreateOffscreenPlainSurface");
        surfaceFormat = format;
        surfaceWidth = width;
        surfaceHeight = height;
        EXPECT_EQ(pool, D3DPOOL_SYSTEMMEM);
        EXPECT_EQ(shared, nullptr);
        const int pitch = static_cast<int>(width) * script.bytesPerPixel + script.extraPitch;
        surface = new FakeSurface(log, "surface", pitch, static_cast<int>(height));
        surface->failLock = script.failLock;
        *out = surface;
        return D3D_OK;
    }

    Log& log;
    DeviceScript& script;
    FakeSurface backBuffer;
    FakeSurface* surface = nullptr;
    D3DFORMAT surfaceFormat = D3DFMT_UNKNOWN;
    UINT surfaceWidth = 0;
    UINT surfaceHeight = 0;
    int references = 1;
    std::size_t next = 0;
};

struct CreateCall {
    D3DPRESENT_PARAMETERS parameters;
    DWORD behaviour;
};

class FakeDirect3D final : public IDirect3D9 {
public:
    ULONG Release() override { return 0; }
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focus, DWORD behaviour,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** out) override
    {
        EXPECT_EQ(adapter, UINT(D3DADAPTER_DEFAULT));
        EXPECT_EQ(type, D3DDEVTYPE_HAL);
        EXPECT_EQ(focus, window);
        calls.push_back({*parameters, behaviour});
        if (!accepts(*parameters, behaviour)) {
            return D3DERR_NOTAVAILABLE;
        }
        device = new FakeDevice(log, script);
        *out = device;
        return D3D_OK;
    }

    HWND window = reinterpret_cast<HWND>(std::uintptr_t{0x1234});
    Log log;
    DeviceScript script;
    std::function<bool(const D3DPRESENT_PARAMETERS&, DWORD)> accepts = [](const D3DPRESENT_PARAMETERS&, DWORD) {
        return true;
    };
    std::vector<CreateCall> calls;
    FakeDevice* device = nullptr;
};

// The fakes outlive the blitter; the test frees what the blitter released.
class BlitterTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (direct3d.device != nullptr) {
            delete direct3d.device->surface;
            delete direct3d.device;
        }
    }
    Direct3DBlitter make(int width, int height, PixelMode mode, bool windowed = true)
    {
        return Direct3DBlitter(&direct3d, direct3d.window, width, height, mode, windowed);
    }
    FakeDirect3D direct3d;
};

bool refuses(D3DFORMAT format, const D3DPRESENT_PARAMETERS& parameters)
{
    return parameters.BackBufferFormat == format;
}

TEST_F(BlitterTest, EveryFormatRefusedCosts36CallsForFloatAnd30ForInteger)
{
    struct Case {
        PixelMode mode;
        std::size_t calls;
        D3DFORMAT first;
    };
    for (const Case& c : {Case{ModeFloat, 36, D3DFMT_A32B32G32R32F}, Case{ModeInteger, 30, D3DFMT_X8R8G8B8}}) {
        direct3d.calls.clear();
        direct3d.accepts = [](const D3DPRESENT_PARAMETERS&, DWORD) { return false; };
        Direct3DBlitter blitter = make(400, 300, c.mode);
        EXPECT_FALSE(blitter.valid());
        ASSERT_EQ(direct3d.calls.size(), c.calls);
        EXPECT_EQ(direct3d.calls.front().parameters.BackBufferFormat, c.first);
        // Six calls per format, in the fall-back order; the swapped-channel
        // layouts without a Direct3D format are never asked for.
        const D3DFORMAT order[] = {D3DFMT_A32B32G32R32F, D3DFMT_X8R8G8B8, D3DFMT_X8B8G8R8,
                                   D3DFMT_R8G8B8,        D3DFMT_R5G6B5,   D3DFMT_X1R5G5B5};
        const std::size_t skipped = c.mode == ModeFloat ? 0 : 1;
        for (std::size_t i = 0; i < direct3d.calls.size(); ++i) {
            EXPECT_EQ(direct3d.calls[i].parameters.BackBufferFormat, order[i / 6 + skipped]) << "call " << i;
        }
        // The last attempt: X1R5G5B5 with one back buffer and software vertex processing.
        EXPECT_EQ(direct3d.calls.back().parameters.BackBufferFormat, D3DFMT_X1R5G5B5);
        EXPECT_EQ(direct3d.calls.back().parameters.BackBufferCount, 1u);
        EXPECT_EQ(direct3d.calls.back().behaviour, DWORD(D3DCREATE_SOFTWARE_VERTEXPROCESSING));
        EXPECT_FALSE(blitter.blit(nullptr, nullptr));
        EXPECT_FALSE(blitter.flip());
    }
}

TEST_F(BlitterTest, FloatModeWithoutFloatBackBufferSucceedsOnTheSeventhCall)
{
    direct3d.accepts = [](const D3DPRESENT_PARAMETERS& p, DWORD) { return !refuses(D3DFMT_A32B32G32R32F, p); };
    Direct3DBlitter blitter = make(400, 300, ModeFloat);
    ASSERT_EQ(direct3d.calls.size(), 7u);
    const DWORD expectedBehaviour[] = {
        D3DCREATE_HARDWARE_VERTEXPROCESSING, D3DCREATE_MIXED_VERTEXPROCESSING, D3DCREATE_SOFTWARE_VERTEXPROCESSING};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(direct3d.calls[i].parameters.BackBufferFormat, D3DFMT_A32B32G32R32F);
        EXPECT_EQ(direct3d.calls[i].parameters.BackBufferCount, i < 3 ? 2u : 1u);
        EXPECT_EQ(direct3d.calls[i].behaviour, expectedBehaviour[i % 3]);
    }
    EXPECT_EQ(direct3d.calls[6].parameters.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(direct3d.calls[6].parameters.BackBufferCount, 2u);
    EXPECT_EQ(direct3d.calls[6].behaviour, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING));
    EXPECT_TRUE(blitter.valid());
    EXPECT_EQ(blitter.pixelFormat(), XRGB8888);
    EXPECT_EQ(direct3d.device->surfaceFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(direct3d.device->surfaceWidth, 400u);
    EXPECT_EQ(direct3d.device->surfaceHeight, 300u);
}

TEST_F(BlitterTest, IntegerModeFirstCallAsksForX8R8G8B8WithTwoBackBuffers)
{
    Direct3DBlitter blitter = make(400, 300, ModeInteger, false);
    ASSERT_EQ(direct3d.calls.size(), 1u);
    const D3DPRESENT_PARAMETERS& p = direct3d.calls[0].parameters;
    EXPECT_EQ(direct3d.calls[0].behaviour, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING));
    EXPECT_EQ(p.BackBufferWidth, 400u);
    EXPECT_EQ(p.BackBufferHeight, 300u);
    EXPECT_EQ(p.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(p.BackBufferCount, 2u);
    EXPECT_EQ(p.MultiSampleType, D3DMULTISAMPLE_NONE);
    EXPECT_EQ(p.MultiSampleQuality, 0u);
    EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(p.hDeviceWindow, direct3d.window);
    EXPECT_EQ(p.Windowed, FALSE);
    EXPECT_EQ(p.EnableAutoDepthStencil, FALSE);
    EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_UNKNOWN);
    EXPECT_EQ(p.Flags, 0u);
    EXPECT_EQ(p.FullScreen_RefreshRateInHz, 0u);
    EXPECT_EQ(p.PresentationInterval, 0u);
    EXPECT_EQ(blitter.pixelFormat(), XRGB8888);
    EXPECT_FALSE(blitter.windowedDevice());
}

TEST_F(BlitterTest, RefusedDoubleBufferingIsCreatedOnTheFourthCallWithOneBackBuffer)
{
    direct3d.accepts = [](const D3DPRESENT_PARAMETERS& p, DWORD) { return p.BackBufferCount == 1; };
    Direct3DBlitter blitter = make(400, 300, ModeInteger);
    ASSERT_EQ(direct3d.calls.size(), 4u);
    EXPECT_EQ(direct3d.calls[3].parameters.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(direct3d.calls[3].parameters.BackBufferCount, 1u);
    EXPECT_EQ(direct3d.calls[3].behaviour, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING));
    EXPECT_TRUE(blitter.valid());
}

TEST_F(BlitterTest, RowsFollowThePitchAndLeaveTheBytesBetweenRowsAlone)
{
    direct3d.script.extraPitch = 8;
    Direct3DBlitter blitter = make(3, 2, ModeInteger);
    const IntPixel frame[] = {0x01020304, 0x05060708, 0x090A0B0C, 0x11121314, 0x15161718, 0x191A1B1C};
    EXPECT_TRUE(blitter.blit(frame, nullptr));

    const FakeSurface& surface = *direct3d.device->surface;
    ASSERT_EQ(surface.pitch, 20);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(std::memcmp(surface.memory.data() + row * 20, frame + row * 3, 12), 0) << "row " << row;
        for (int gap = 12; gap < 20; ++gap) {
            EXPECT_EQ(surface.memory[static_cast<std::size_t>(row * 20 + gap)], 0xAB) << "row " << row;
        }
    }
    EXPECT_EQ(direct3d.log.count("Present"), 1);
    EXPECT_EQ(direct3d.log.count("UnlockRect"), 1);
}

TEST_F(BlitterTest, ZeroHeightWritesNothingAndStillPresents)
{
    direct3d.script.extraPitch = 4;
    Direct3DBlitter blitter = make(2, 0, ModeInteger);
    const IntPixel frame[] = {0, 0};
    EXPECT_TRUE(blitter.blit(frame, nullptr));
    EXPECT_EQ(direct3d.log.count("LockRect"), 1);
    EXPECT_EQ(direct3d.log.count("UpdateSurface"), 1);
    EXPECT_EQ(direct3d.log.count("Present"), 1);
}

TEST_F(BlitterTest, FailedLockDropsTheFrameWithoutUnlockingOrPresenting)
{
    direct3d.script.failLock = true;
    Direct3DBlitter blitter = make(2, 2, ModeInteger);
    const IntPixel frame[4] = {};
    EXPECT_FALSE(blitter.blit(frame, nullptr));
    EXPECT_EQ(direct3d.log.count("LockRect"), 1);
    EXPECT_EQ(direct3d.log.count("UnlockRect"), 0);
    EXPECT_EQ(direct3d.log.count("UpdateSurface"), 0);
    EXPECT_EQ(direct3d.log.count("Present"), 0);
}

TEST_F(BlitterTest, ResetHappensOnlyForANotResetDevice)
{
    struct Case {
        HRESULT first;
        int resets;
        bool presented;
    };
    for (const Case& c : {Case{D3DERR_DEVICENOTRESET, 1, true}, Case{D3DERR_DEVICELOST, 0, false}}) {
        SCOPED_TRACE(c.first);
        TearDown();
        direct3d.device = nullptr;
        direct3d.log.calls.clear();
        Direct3DBlitter blitter = make(2, 1, ModeInteger);
        direct3d.log.calls.clear();
        // Asked twice in this blit: once before a possible reset, once by valid().
        direct3d.script.cooperative = {c.first, c.presented ? D3D_OK : c.first};
        const IntPixel frame[2] = {};
        EXPECT_EQ(blitter.blit(frame, nullptr), c.presented);
        EXPECT_EQ(direct3d.log.count("Reset"), c.resets);
        EXPECT_EQ(direct3d.log.count("Present"), c.presented ? 1 : 0);
        if (c.resets == 1) {
            EXPECT_EQ(direct3d.log.calls[1], "Reset"); // before the lock, i.e. before converting
            EXPECT_EQ(direct3d.log.calls[3], "LockRect");
        }
        direct3d.script.cooperative.clear();
    }
}

TEST_F(BlitterTest, FailedCopyReleasesTheBackBufferAndSkipsPresent)
{
    direct3d.script.updateResult = D3DERR_INVALIDCALL;
    Direct3DBlitter blitter = make(2, 2, ModeInteger);
    EXPECT_FALSE(blitter.flip());
    EXPECT_EQ(direct3d.log.count("GetBackBuffer"), 1);
    EXPECT_EQ(direct3d.log.count("backBuffer.Release"), 1);
    EXPECT_EQ(direct3d.device->backBuffer.references, 1);
    EXPECT_EQ(direct3d.log.count("Present"), 0);
}

TEST_F(BlitterTest, DestructionReleasesTheSurfaceThenTheDevice)
{
    {
        Direct3DBlitter blitter = make(2, 2, ModeInteger);
        direct3d.log.calls.clear();
    }
    ASSERT_EQ(direct3d.log.calls.size(), 2u);
    EXPECT_EQ(direct3d.log.calls[0], "surface.Release");
    EXPECT_EQ(direct3d.log.calls[1], "device.Release");
}

// A device that takes D3DFMT_R8G8B8 or D3DFMT_A32B32G32R32F gets the frame in
// that format's own memory order, so the colours stay true.
TEST_F(BlitterTest, SwappedChannelFormatsAreWrittenInDirect3DMemoryOrder)
{
    {
        direct3d.accepts = [](const D3DPRESENT_PARAMETERS& p, DWORD) {
            return !refuses(D3DFMT_X8R8G8B8, p) && !refuses(D3DFMT_X8B8G8R8, p);
        };
        direct3d.script.bytesPerPixel = 3;
        Direct3DBlitter blitter = make(1, 1, ModeInteger);
        ASSERT_EQ(blitter.pixelFormat(), RGB888);
        EXPECT_EQ(direct3d.device->surfaceFormat, D3DFMT_R8G8B8);
        const IntPixel frame[] = {0x00FF8010}; // red FF, green 80, blue 10
        EXPECT_TRUE(blitter.blit(frame, nullptr));
        const auto& bytes = direct3d.device->surface->memory;
        EXPECT_EQ(bytes[0], 0x10);
        EXPECT_EQ(bytes[1], 0x80);
        EXPECT_EQ(bytes[2], 0xFF);
    }
    TearDown();
    direct3d.device = nullptr;
    {
        direct3d.accepts = [](const D3DPRESENT_PARAMETERS&, DWORD) { return true; };
        direct3d.script.bytesPerPixel = 16;
        Direct3DBlitter blitter = make(1, 1, ModeFloat);
        ASSERT_EQ(blitter.pixelFormat(), XBGRFFFF);
        EXPECT_EQ(direct3d.device->surfaceFormat, D3DFMT_A32B32G32R32F);
        const FloatPixel frame[] = {{7.0f, 0.25f, 0.5f, 0.75f}};
        EXPECT_TRUE(blitter.blit(nullptr, frame));
        float stored[4];
        std::memcpy(stored, direct3d.device->surface->memory.data(), sizeof stored);
        EXPECT_EQ(stored[0], 0.75f);
        EXPECT_EQ(stored[1], 0.5f);
        EXPECT_EQ(stored[2], 0.25f);
        EXPECT_EQ(stored[3], 1.0f);
    }
}

} // namespace
