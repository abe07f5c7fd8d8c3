// Test builds only: a Direct3DCreate9 that hands out the system's Direct3D
// object behind a thin forwarder, so that every CreateDevice the display
// makes is written to "d3d9-log.txt" in the working directory: which
// back-buffer format was asked for, with which behaviour, and what came back.
// Linked into the probe programs ahead of d3d9's import library.
#include <windows.h>

#include <d3d9.h>

#include <cstdio>

namespace {

const char* formatName(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_A32B32G32R32F: return "D3DFMT_A32B32G32R32F";
    case D3DFMT_X8R8G8B8: return "D3DFMT_X8R8G8B8";
    case D3DFMT_X8B8G8R8: return "D3DFMT_X8B8G8R8";
    case D3DFMT_A8R8G8B8: return "D3DFMT_A8R8G8B8";
    case D3DFMT_R8G8B8: return "D3DFMT_R8G8B8";
    case D3DFMT_R5G6B5: return "D3DFMT_R5G6B5";
    case D3DFMT_X1R5G5B5: return "D3DFMT_X1R5G5B5";
    case D3DFMT_UNKNOWN: return "D3DFMT_UNKNOWN";
    default: return "other";
    }
}

class LoggingDirect3D9 final : public IDirect3D9 {
public:
    explicit LoggingDirect3D9(IDirect3D9* real) : real_(real) {}

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override
    {
        if (object != nullptr && (IsEqualGUID(riid, __uuidof(IUnknown)) || IsEqualGUID(riid, __uuidof(IDirect3D9)))) {
            *object = this;
            AddRef();
            return S_OK;
        }
        return real_->QueryInterface(riid, object);
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            real_->Release();
            delete this;
        }
        return left;
    }
    STDMETHOD(RegisterSoftwareDevice)(void* f) override { return real_->RegisterSoftwareDevice(f); }
    STDMETHOD_(UINT, GetAdapterCount)() override { return real_->GetAdapterCount(); }
    STDMETHOD(GetAdapterIdentifier)(UINT a, DWORD f, D3DADAPTER_IDENTIFIER9* i) override
    {
        return real_->GetAdapterIdentifier(a, f, i);
    }
    STDMETHOD_(UINT, GetAdapterModeCount)(UINT a, D3DFORMAT f) override { return real_->GetAdapterModeCount(a, f); }
    STDMETHOD(EnumAdapterModes)(UINT a, D3DFORMAT f, UINT m, D3DDISPLAYMODE* d) override
    {
        return real_->EnumAdapterModes(a, f, m, d);
    }
    STDMETHOD(GetAdapterDisplayMode)(UINT a, D3DDISPLAYMODE* d) override { return real_->GetAdapterDisplayMode(a, d); }
    STDMETHOD(CheckDeviceType)(UINT a, D3DDEVTYPE t, D3DFORMAT d, D3DFORMAT b, WINBOOL w) override
    {
        return real_->CheckDeviceType(a, t, d, b, w);
    }
    STDMETHOD(CheckDeviceFormat)(UINT a, D3DDEVTYPE t, D3DFORMAT af, DWORD u, D3DRESOURCETYPE r, D3DFORMAT c) override
    {
        return real_->CheckDeviceFormat(a, t, af, u, r, c);
    }
    STDMETHOD(CheckDeviceMultiSampleType)(UINT a, D3DDEVTYPE t, D3DFORMAT s, WINBOOL w, D3DMULTISAMPLE_TYPE m,
                                          DWORD* q) override
    {
        return real_->CheckDeviceMultiSampleType(a, t, s, w, m, q);
    }
    STDMETHOD(CheckDepthStencilMatch)(UINT a, D3DDEVTYPE t, D3DFORMAT af, D3DFORMAT r, D3DFORMAT d) override
    {
        return real_->CheckDepthStencilMatch(a, t, af, r, d);
    }
    STDMETHOD(CheckDeviceFormatConversion)(UINT a, D3DDEVTYPE t, D3DFORMAT s, D3DFORMAT d) override
    {
        return real_->CheckDeviceFormatConversion(a, t, s, d);
    }
    STDMETHOD(GetDeviceCaps)(UINT a, D3DDEVTYPE t, D3DCAPS9* c) override { return real_->GetDeviceCaps(a, t, c); }
    STDMETHOD_(HMONITOR, GetAdapterMonitor)(UINT a) override { return real_->GetAdapterMonitor(a); }
    STDMETHOD(CreateDevice)(UINT adapter, D3DDEVTYPE type, HWND window, DWORD behaviour,
                            D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override
    {
        D3DPRESENT_PARAMETERS asked = {};
        if (parameters != nullptr) {
            asked = *parameters;
        }
        const HRESULT result = real_->CreateDevice(adapter, type, window, behaviour, parameters, device);
        if (FILE* log = std::fopen("d3d9-log.txt", "a")) {
            std::fprintf(log, "CreateDevice format=%s windowed=%d size=%ux%u buffers=%u behaviour=0x%lx result=0x%08lx\n",
                         formatName(asked.BackBufferFormat), asked.Windowed ? 1 : 0, asked.BackBufferWidth,
                         asked.BackBufferHeight, asked.BackBufferCount, static_cast<unsigned long>(behaviour),
                         static_cast<unsigned long>(result));
            std::fclose(log);
        }
        return result;
    }

private:
    IDirect3D9* real_;
    ULONG references_ = 1;
};

} // namespace

extern "C" IDirect3D9* WINAPI Direct3DCreate9(UINT sdkVersion)
{
    using Create = IDirect3D9*(WINAPI*)(UINT);
    HMODULE system = LoadLibraryA("d3d9.dll");
    auto create = system ? reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(system, "Direct3DCreate9")))
                         : nullptr;
    IDirect3D9* real = create ? create(sdkVersion) : nullptr;
    return real ? new LoggingDirect3D9(real) : nullptr;
}
