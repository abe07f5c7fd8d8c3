#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A four-channel ProTracker module, parsed and checked once at load so that
// the replay never has to validate anything.
namespace mod {

constexpr int channelCount = 4;
constexpr int rowsPerPattern = 64;
constexpr int sampleSlots = 31;
constexpr int maxOrders = 128;

struct Sample {
    std::vector<std::int8_t> data;
    int finetune = 0;     // -8 .. 7, in eighths of a semitone
    int volume = 0;       // 0 .. 64
    int loopStart = 0;    // in bytes, inside data
    int loopLength = 0;   // in bytes; 0 means the sample plays once
};

struct Cell {
    int period = 0;       // 0 means no note
    int sample = 0;       // 1 .. 31, 0 means none
    int effect = 0;       // 0 .. 15
    int param = 0;        // 0 .. 255
};

using Pattern = std::array<Cell, rowsPerPattern * channelCount>;

struct Song {
    std::array<Sample, sampleSlots> samples;
    std::vector<Pattern> patterns;
    std::array<int, maxOrders> orders{};
    int length = 0;       // orders in use, 1 .. 128
    int restart = 0;      // where the song goes on after its last order

    const Cell& cell(int order, int row, int channel) const
    {
        return patterns[static_cast<std::size_t>(orders[order])][row * channelCount + channel];
    }
};

// Null for anything that is not a complete four-channel module, including a
// file cut off before the end of its declared sample data.
std::unique_ptr<Song> parseSong(const std::uint8_t* bytes, std::size_t size);

} // namespace mod
