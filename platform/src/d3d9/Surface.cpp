#include "d3d9/Surface.h"

#include "d3d9/Device.h"
#include "d3d9/Direct3DState.h"
#include "d3d9/FormatInfo.h"

namespace d3d9 {

Surface::Surface(Device* owner, UINT width, UINT height, D3DFORMAT format, D3DPOOL pool, int pitch)
    : owner(owner), width_(width), height_(height), format_(format), pool_(pool), pitch_(pitch),
      memory(static_cast<std::size_t>(pitch) * height)
{
    if (owner != nullptr) {
        owner->addRef();
    }
    ++state().live.surfaces;
}

Surface::~Surface()
{
    --state().live.surfaces;
    if (owner != nullptr) {
        owner->Release();
    }
}

ULONG Surface::Release()
{
    const ULONG left = --references;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT Surface::LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD)
{
    if (pLockedRect == nullptr || locked_ || state().faults.failLockRect) {
        return D3DERR_INVALIDCALL;
    }
    std::size_t offset = 0;
    if (pRect != nullptr) {
        if (pRect->left < 0 || pRect->top < 0 || pRect->right > LONG(width_) || pRect->bottom > LONG(height_) ||
            pRect->left >= pRect->right || pRect->top >= pRect->bottom) {
            return D3DERR_INVALIDCALL;
        }
        offset = static_cast<std::size_t>(pRect->top) * static_cast<std::size_t>(pitch_) +
                 static_cast<std::size_t>(pRect->left) * static_cast<std::size_t>(bytesPerPixel(format_));
    }
    locked_ = true;
    pLockedRect->Pitch = pitch_;
    pLockedRect->pBits = memory.data() + offset;
    return D3D_OK;
}

HRESULT Surface::UnlockRect()
{
    if (!locked_) {
        return D3DERR_INVALIDCALL;
    }
    locked_ = false;
    return D3D_OK;
}

} // namespace d3d9
