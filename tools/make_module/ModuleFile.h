#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A four-channel ProTracker module ("M.K.", 31 samples, 64-row patterns) as
// plain data, and its byte-exact serialisation.
namespace make_module {

constexpr int channelCount = 4;
constexpr int rowsPerPattern = 64;
constexpr int sampleSlots = 31;
constexpr int maxOrders = 128;

struct Sample {
    std::string name;                  // up to 22 characters
    std::vector<std::int8_t> data;     // even length, at most 131070 bytes
    int volume = 64;                   // 0 to 64
    std::size_t loopStart = 0;         // in bytes, even
    std::size_t loopLength = 0;        // in bytes, even; 0 plays once
};

struct Cell {
    int sample = 0;   // 0 = none, 1 to 31
    int period = 0;   // 0 = no note
    int effect = 0;   // 0x0 to 0xF
    int param = 0;    // 0x00 to 0xFF
};

using Row = std::array<Cell, channelCount>;
using Pattern = std::array<Row, rowsPerPattern>;

struct Module {
    std::string title;                      // up to 20 characters
    std::array<Sample, sampleSlots> samples;
    std::vector<Pattern> patterns;
    std::vector<int> orders;                // 1 to 128 pattern numbers
};

// The file image. Throws std::invalid_argument when a field cannot be stored.
std::vector<std::uint8_t> serialise(const Module& module);

} // namespace make_module
