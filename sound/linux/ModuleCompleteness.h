#pragma once

#include <cstdint>
#include <span>

namespace sound {

// The decoder plays a cut-off file as far as it goes and says nothing. For
// the ProTracker family, whose header declares every byte that follows, this
// tells whether the file ends before its declared patterns and samples do.
// Files of other formats are left to the decoder and answer false.
bool isTruncatedProTracker(std::span<const std::uint8_t> bytes);

} // namespace sound
