#pragma once

#include <cstdint>

// Key codes that listeners receive, indexed by Win32 virtual-key code: the
// virtual-key code itself, except for twelve keys that arrive with the code
// of their character (and minus, which arrives as 108).
void fillKeyTable(std::int32_t (&table)[256]);
