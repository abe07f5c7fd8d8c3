#include "tools/make_module/Composition.h"

#include "tools/make_module/Instruments.h"

#include <sstream>
#include <stdexcept>

namespace make_module {
namespace {

// ProTracker periods without finetune, C-1 to B-3.
constexpr int periods[36] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,
};

constexpr int effectArpeggio = 0x0;
constexpr int effectSetVolume = 0xC;

enum Channel : std::size_t { ChannelBass = 0, ChannelLead = 1, ChannelDrums = 2, ChannelHats = 3 };

// One bar is sixteen rows; four bars make a pattern.
constexpr int rowsPerBar = 16;
constexpr int barsPerPattern = rowsPerPattern / rowsPerBar;

struct Chord {
    const char* bassLow;
    const char* bassHigh;
    int arpeggio; // semitone offsets of the third and the fifth
};

// Am, F, C, G.
constexpr Chord progression[barsPerPattern] = {
    {"A-1", "A-2", 0x37},
    {"F-1", "F-2", 0x47},
    {"C-2", "C-3", 0x47},
    {"G-1", "G-2", 0x47},
};

// Lead lines, one token per row: a note, "--" to hold, ".." to silence.
constexpr const char* melodyA[barsPerPattern] = {
    "A-2 --  C-3 --  E-3 --  D-3 C-3 --  --  A-2 --  C-3 --  D-3 --",
    "C-3 --  --  A-2 --  --  F-2 --  A-2 --  C-3 --  F-3 --  E-3 --",
    "E-3 --  --  D-3 --  --  C-3 --  G-2 --  --  --  C-3 --  D-3 --",
    "D-3 --  --  --  B-2 --  --  --  G-2 --  A-2 --  B-2 --  ..  --",
};
constexpr const char* melodyB[barsPerPattern] = {
    "E-3 --  A-3 --  G-3 --  E-3 --  --  --  D-3 --  E-3 --  C-3 --",
    "C-3 --  --  --  F-3 --  E-3 --  D-3 --  C-3 --  A-2 --  --  --",
    "G-3 --  E-3 --  C-3 --  E-3 --  G-3 --  A-3 --  G-3 --  E-3 --",
    "D-3 --  --  --  --  --  B-2 --  D-3 --  G-3 --  --  --  ..  --",
};

enum class Part { Intro, LeadA, LeadB, Break };

void writeMelody(Pattern& pattern, const char* const (&bars)[barsPerPattern]) {
    for (int bar = 0; bar < barsPerPattern; ++bar) {
        std::istringstream tokens(bars[bar]);
        std::string token;
        int row = bar * rowsPerBar;
        while (tokens >> token) {
            if (row >= (bar + 1) * rowsPerBar)
                throw std::logic_error("melody bar longer than sixteen rows");
            Cell& cell = pattern[static_cast<std::size_t>(row)][ChannelLead];
            if (token == "..") {
                cell.effect = effectSetVolume;
                cell.param = 0;
            } else if (token != "--") {
                cell.sample = InstrumentLead;
                cell.period = periodOf(token);
            }
            ++row;
        }
        if (row != (bar + 1) * rowsPerBar)
            throw std::logic_error("melody bar shorter than sixteen rows");
    }
}

void writeBass(Pattern& pattern) {
    for (int bar = 0; bar < barsPerPattern; ++bar) {
        const Chord& chord = progression[bar];
        for (int step = 0; step < rowsPerBar; step += 2) {
            Cell& cell = pattern[static_cast<std::size_t>(bar * rowsPerBar + step)][ChannelBass];
            cell.sample = InstrumentBass;
            // Octave jumps on the off-beats of each half bar.
            cell.period = periodOf(step % 8 == 4 ? chord.bassHigh : chord.bassLow);
        }
    }
}

void writeDrums(Pattern& pattern, bool withSnare) {
    for (int bar = 0; bar < barsPerPattern; ++bar) {
        const int base = bar * rowsPerBar;
        auto hit = [&](int row, int instrument) {
            Cell& cell = pattern[static_cast<std::size_t>(base + row)][ChannelDrums];
            cell.sample = instrument;
            cell.period = periodOf("C-2");
        };
        hit(0, InstrumentKick);
        hit(8, InstrumentKick);
        if (bar == barsPerPattern - 1)
            hit(10, InstrumentKick);
        if (withSnare) {
            hit(4, InstrumentSnare);
            hit(12, InstrumentSnare);
            if (bar == barsPerPattern - 1)
                hit(15, InstrumentSnare);
        }
    }
}

void writeHats(Pattern& pattern) {
    for (int row = 2; row < rowsPerPattern; row += 4) {
        Cell& cell = pattern[static_cast<std::size_t>(row)][ChannelHats];
        cell.sample = InstrumentHat;
        cell.period = periodOf("C-3");
    }
}

// The break: the chords as arpeggios, struck every four rows.
void writeArpeggios(Pattern& pattern) {
    for (int bar = 0; bar < barsPerPattern; ++bar) {
        const Chord& chord = progression[bar];
        for (int step = 0; step < rowsPerBar; ++step) {
            Cell& cell = pattern[static_cast<std::size_t>(bar * rowsPerBar + step)][ChannelLead];
            if (step % 4 == 0) {
                cell.sample = InstrumentPad;
                cell.period = periodOf(chord.bassHigh);
            }
            cell.effect = effectArpeggio;
            cell.param = chord.arpeggio;
        }
    }
}

Pattern makePattern(Part part) {
    Pattern pattern{};
    writeBass(pattern);
    writeHats(pattern);
    switch (part) {
    case Part::Intro:
        writeDrums(pattern, false);
        break;
    case Part::LeadA:
        writeDrums(pattern, true);
        writeMelody(pattern, melodyA);
        break;
    case Part::LeadB:
        writeDrums(pattern, true);
        writeMelody(pattern, melodyB);
        break;
    case Part::Break:
        writeArpeggios(pattern);
        break;
    }
    return pattern;
}

} // namespace

int periodOf(const std::string& note) {
    static constexpr int semitoneOfLetter[7] = {9, 11, 0, 2, 4, 5, 7}; // A to G
    std::size_t i = 0;
    if (note.empty() || note[0] < 'A' || note[0] > 'G')
        throw std::invalid_argument("not a note: \"" + note + "\"");
    int semitone = semitoneOfLetter[note[0] - 'A'];
    ++i;
    if (i < note.size() && note[i] == '#') {
        ++semitone;
        ++i;
    } else if (i < note.size() && note[i] == '-') {
        ++i;
    }
    if (i + 1 != note.size() || note[i] < '1' || note[i] > '3' || semitone > 11)
        throw std::invalid_argument("not a note: \"" + note + "\"");
    const int octave = note[i] - '1';
    return periods[octave * 12 + semitone];
}

Module composeModule() {
    Module module;
    module.title = "tovi theme 2026";
    module.samples = makeInstruments();
    module.patterns = {
        makePattern(Part::Intro),
        makePattern(Part::LeadA),
        makePattern(Part::LeadB),
        makePattern(Part::Break),
    };
    module.orders = {0, 1, 2, 3, 1, 2, 3, 2};
    return module;
}

} // namespace make_module
