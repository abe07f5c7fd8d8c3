#include "tools/make_module/ModuleFile.h"

#include <algorithm>
#include <stdexcept>

namespace make_module {
namespace {

void putText(std::vector<std::uint8_t>& out, const std::string& text, std::size_t width) {
    if (text.size() > width)
        throw std::invalid_argument("text \"" + text + "\" is longer than " + std::to_string(width) + " characters");
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
}

// Lengths and loop points are stored big-endian in 16-bit words.
void putWords(std::vector<std::uint8_t>& out, std::size_t bytes) {
    if (bytes % 2 != 0 || bytes / 2 > 0xFFFF)
        throw std::invalid_argument("sample length or loop point not storable in words");
    const auto words = static_cast<unsigned>(bytes / 2);
    out.push_back(static_cast<std::uint8_t>(words >> 8));
    out.push_back(static_cast<std::uint8_t>(words & 0xFF));
}

void putSampleHeader(std::vector<std::uint8_t>& out, const Sample& s) {
    if (s.volume < 0 || s.volume > 64)
        throw std::invalid_argument("sample volume out of range");
    if (s.loopLength != 0 && s.loopStart + s.loopLength > s.data.size())
        throw std::invalid_argument("sample loop reaches past its data");
    putText(out, s.name, 22);
    putWords(out, s.data.size());
    out.push_back(0); // finetune
    out.push_back(static_cast<std::uint8_t>(s.volume));
    if (s.loopLength == 0) {
        putWords(out, 0);
        putWords(out, 2); // one word: the format's "no loop"
    } else {
        putWords(out, s.loopStart);
        putWords(out, s.loopLength);
    }
}

void putCell(std::vector<std::uint8_t>& out, const Cell& c) {
    if (c.sample < 0 || c.sample > sampleSlots || c.period < 0 || c.period > 0xFFF
        || c.effect < 0 || c.effect > 0xF || c.param < 0 || c.param > 0xFF)
        throw std::invalid_argument("pattern cell out of range");
    out.push_back(static_cast<std::uint8_t>((c.sample & 0xF0) | (c.period >> 8)));
    out.push_back(static_cast<std::uint8_t>(c.period & 0xFF));
    out.push_back(static_cast<std::uint8_t>(((c.sample & 0x0F) << 4) | c.effect));
    out.push_back(static_cast<std::uint8_t>(c.param));
}

} // namespace

std::vector<std::uint8_t> serialise(const Module& module) {
    if (module.orders.empty() || module.orders.size() > maxOrders)
        throw std::invalid_argument("order list must hold 1 to 128 entries");
    for (int p : module.orders)
        if (p < 0 || static_cast<std::size_t>(p) >= module.patterns.size())
            throw std::invalid_argument("order list names a missing pattern");
    if (module.patterns.empty() || module.patterns.size() > 64)
        throw std::invalid_argument("a module holds 1 to 64 patterns");

    std::vector<std::uint8_t> out;
    putText(out, module.title, 20);
    for (const Sample& s : module.samples)
        putSampleHeader(out, s);
    out.push_back(static_cast<std::uint8_t>(module.orders.size()));
    out.push_back(127); // restart byte as ProTracker writes it
    for (int i = 0; i < maxOrders; ++i)
        out.push_back(static_cast<std::uint8_t>(
            static_cast<std::size_t>(i) < module.orders.size() ? module.orders[static_cast<std::size_t>(i)] : 0));
    for (char c : std::string("M.K."))
        out.push_back(static_cast<std::uint8_t>(c));
    for (const Pattern& pattern : module.patterns)
        for (const Row& row : pattern)
            for (const Cell& cell : row)
                putCell(out, cell);
    for (const Sample& s : module.samples)
        for (std::int8_t v : s.data)
            out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

} // namespace make_module
