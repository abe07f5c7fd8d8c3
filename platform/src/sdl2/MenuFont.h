#pragma once

#include <cstdint>

namespace sdlhost {

constexpr int glyphWidth = 5;
constexpr int glyphHeight = 7;

// Seven rows of five pixels (bit 4 is the leftmost) for a character of the
// system menu's texts; letters are drawn in capitals. Unknown characters are blank.
const std::uint8_t* glyphFor(char c);

}  // namespace sdlhost
