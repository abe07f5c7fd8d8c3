// kernel32: the module handle. (Sleep lives in Sleep.cpp, which needs no desktop.)
#include <windows.h>

#include <cstdint>

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName)
{
    // Only the program itself is asked for; it has one fixed handle.
    if (lpModuleName != nullptr) {
        return nullptr;
    }
    return reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000));
}
