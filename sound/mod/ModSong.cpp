#include "sound/mod/ModSong.h"

#include <algorithm>
#include <cstring>

namespace mod {

namespace {

constexpr std::size_t titleSize = 20;
constexpr std::size_t sampleHeaderSize = 30;
constexpr std::size_t lengthOffset = titleSize + sampleSlots * sampleHeaderSize; // 950
constexpr std::size_t ordersOffset = lengthOffset + 2;
constexpr std::size_t signatureOffset = ordersOffset + maxOrders;               // 1080
constexpr std::size_t patternsOffset = signatureOffset + 4;                     // 1084
constexpr std::size_t patternSize = rowsPerPattern * channelCount * 4;          // 1024

int word(const std::uint8_t* p) { return (p[0] << 8) | p[1]; }

bool fourChannelSignature(const std::uint8_t* p)
{
    static const char* const known[] = {"M.K.", "M!K!", "4CHN", "FLT4"};
    for (const char* s : known) {
        if (std::memcmp(p, s, 4) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::unique_ptr<Song> parseSong(const std::uint8_t* bytes, std::size_t size)
{
    if (bytes == nullptr || size < patternsOffset) {
        return nullptr;
    }
    if (!fourChannelSignature(bytes + signatureOffset)) {
        return nullptr;
    }
    auto song = std::make_unique<Song>();
    song->length = bytes[lengthOffset];
    if (song->length < 1 || song->length > maxOrders) {
        return nullptr;
    }
    const int restart = bytes[lengthOffset + 1];
    song->restart = restart < song->length ? restart : 0;

    int patternCount = 0;
    for (int i = 0; i < maxOrders; ++i) {
        const int order = bytes[ordersOffset + i];
        if (order >= 128) {
            return nullptr;
        }
        song->orders[i] = order;
        // Unused order slots still count: their patterns are stored in the file.
        patternCount = std::max(patternCount, order + 1);
    }
    const std::size_t sampleDataOffset = patternsOffset + static_cast<std::size_t>(patternCount) * patternSize;
    if (size < sampleDataOffset) {
        return nullptr;
    }

    song->patterns.resize(static_cast<std::size_t>(patternCount));
    for (int p = 0; p < patternCount; ++p) {
        const std::uint8_t* cellBytes = bytes + patternsOffset + static_cast<std::size_t>(p) * patternSize;
        for (Cell& cell : song->patterns[static_cast<std::size_t>(p)]) {
            cell.sample = (cellBytes[0] & 0xF0) | (cellBytes[2] >> 4);
            cell.period = ((cellBytes[0] & 0x0F) << 8) | cellBytes[1];
            cell.effect = cellBytes[2] & 0x0F;
            cell.param = cellBytes[3];
            if (cell.sample > sampleSlots) {
                cell.sample = 0;
            }
            cellBytes += 4;
        }
    }

    // A file that ends before the sample data its header declares is broken,
    // not a shorter song: refuse it.
    std::size_t declaredEnd = sampleDataOffset;
    for (int s = 0; s < sampleSlots; ++s) {
        declaredEnd += static_cast<std::size_t>(word(bytes + titleSize + static_cast<std::size_t>(s) * sampleHeaderSize + 22)) * 2;
    }
    if (size < declaredEnd) {
        return nullptr;
    }

    std::size_t offset = sampleDataOffset;
    for (int s = 0; s < sampleSlots; ++s) {
        const std::uint8_t* header = bytes + titleSize + static_cast<std::size_t>(s) * sampleHeaderSize;
        Sample& sample = song->samples[static_cast<std::size_t>(s)];
        const std::size_t length = static_cast<std::size_t>(word(header + 22)) * 2;
        sample.data.assign(reinterpret_cast<const std::int8_t*>(bytes + offset),
                           reinterpret_cast<const std::int8_t*>(bytes + offset + length));
        offset += length;
        const int nibble = header[24] & 0x0F;
        sample.finetune = nibble < 8 ? nibble : nibble - 16;
        sample.volume = std::min<int>(header[25], 64);
        int loopStart = word(header + 26) * 2;
        int loopLength = word(header + 28) * 2;
        const int dataLength = static_cast<int>(sample.data.size());
        if (loopLength <= 2 || loopStart >= dataLength) {
            loopStart = 0;
            loopLength = 0;
        } else if (loopStart + loopLength > dataLength) {
            loopLength = dataLength - loopStart;
        }
        sample.loopStart = loopStart;
        sample.loopLength = loopLength;
    }
    return song;
}

} // namespace mod
