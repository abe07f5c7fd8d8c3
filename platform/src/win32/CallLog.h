#pragma once

// Records a Win32 call in the desktop's call log, when logging is on. The
// arguments are formatted only then, so that a frame allocates nothing.

#include "desktop/Desktop.h"

#include <string>

namespace desktop {

inline std::string logArgument(long long value) { return std::to_string(value); }
inline std::string logArgument(const void* handle)
{
    return handle == nullptr ? std::string("null") : std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

template <typename... Args>
void logCall(const char* name, Args... args)
{
    Desktop& d = Desktop::instance();
    if (!d.logging()) {
        return;
    }
    std::string entry = name;
    entry += '(';
    bool first = true;
    ((entry += (first ? "" : ", ") + logArgument(args), first = false), ...);
    entry += ')';
    d.log(std::move(entry));
}

}  // namespace desktop
