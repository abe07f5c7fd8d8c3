#include "sound/linux/ModuleCompleteness.h"

#include <cstddef>
#include <string_view>

namespace sound {
namespace {

constexpr std::size_t titleBytes = 20;
constexpr std::size_t sampleHeaderBytes = 30;
constexpr std::size_t sampleCount = 31;
constexpr std::size_t ordersOffset = titleBytes + sampleCount * sampleHeaderBytes + 2; // 952
constexpr std::size_t orderSlots = 128;
constexpr std::size_t tagOffset = ordersOffset + orderSlots;                         // 1080
constexpr std::size_t headerBytes = tagOffset + 4;                                   // 1084
constexpr std::size_t rowsPerPattern = 64;
constexpr std::size_t bytesPerCell = 4;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Channels of a tag whose patterns are stored plainly, 0 for tags we do not
// check (including pattern layouts like FLT8 that pair patterns).
std::size_t channelsOfTag(std::string_view tag) {
    for (std::string_view four : {"M.K.", "M!K!", "M&K!", "FLT4", "N.T."})
        if (tag == four)
            return 4;
    if (tag == "OKTA" || tag == "CD81")
        return 8;
    if (isDigit(tag[0]) && tag.substr(1) == "CHN")
        return static_cast<std::size_t>(tag[0] - '0');
    if (isDigit(tag[0]) && isDigit(tag[1]) && (tag.substr(2) == "CH" || tag.substr(2) == "CN"))
        return static_cast<std::size_t>((tag[0] - '0') * 10 + (tag[1] - '0'));
    return 0;
}

} // namespace

bool isTruncatedProTracker(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < headerBytes)
        return false; // too short to carry the tag: not ours to judge
    const std::string_view tag(reinterpret_cast<const char*>(bytes.data() + tagOffset), 4);
    const std::size_t channels = channelsOfTag(tag);
    if (channels == 0)
        return false;
    // As ProTracker counts them: every pattern number in all 128 slots.
    std::size_t patterns = 0;
    for (std::size_t i = 0; i < orderSlots; ++i)
        if (std::size_t p = bytes[ordersOffset + i]; p + 1 > patterns)
            patterns = p + 1;
    std::size_t declared = headerBytes + patterns * rowsPerPattern * channels * bytesPerCell;
    for (std::size_t s = 0; s < sampleCount; ++s) {
        const std::size_t at = titleBytes + s * sampleHeaderBytes + 22;
        declared += 2 * ((static_cast<std::size_t>(bytes[at]) << 8) | bytes[at + 1]);
    }
    return bytes.size() < declared;
}

} // namespace sound
