#pragma once

#include <d3d9.h>

#include <vector>

namespace d3d9 {

class Device;

// A surface in memory: a system-memory offscreen plain surface, or a device's
// back buffer. A surface the application created keeps its device alive.
class Surface final : public IDirect3DSurface9 {
public:
    Surface(Device* owner, UINT width, UINT height, D3DFORMAT format, D3DPOOL pool, int pitch);
    ~Surface();

    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags) override;
    HRESULT STDMETHODCALLTYPE UnlockRect() override;

    ULONG addRef() { return ++references; }
    ULONG referenceCount() const { return references; }

    UINT width() const { return width_; }
    UINT height() const { return height_; }
    D3DFORMAT format() const { return format_; }
    D3DPOOL pool() const { return pool_; }
    int pitch() const { return pitch_; }
    bool locked() const { return locked_; }
    unsigned char* row(UINT y) { return memory.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch_); }
    const unsigned char* row(UINT y) const
    {
        return memory.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch_);
    }

private:
    Device* owner; // holds a reference when set
    ULONG references = 1;
    UINT width_;
    UINT height_;
    D3DFORMAT format_;
    D3DPOOL pool_;
    int pitch_;
    bool locked_ = false;
    std::vector<unsigned char> memory;
};

} // namespace d3d9
