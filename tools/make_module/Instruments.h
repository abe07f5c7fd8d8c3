#pragma once

#include "tools/make_module/ModuleFile.h"

// The synthesised instruments. Only exact IEEE operations (add, subtract,
// multiply, divide) are used, so every machine writes the same bytes.
namespace make_module {

// Sample numbers as the patterns use them.
enum InstrumentNumber : int {
    InstrumentBass = 1,
    InstrumentLead = 2,
    InstrumentKick = 3,
    InstrumentSnare = 4,
    InstrumentHat = 5,
    InstrumentPad = 6,
};

Sample makeBass();   // looped single-cycle saw, 64 bytes
Sample makeLead();   // looped single-cycle square, 32 bytes
Sample makeKick();   // falling sine thump
Sample makeSnare();  // noise burst over a short tone
Sample makeHat();    // short high-passed noise
Sample makePad();    // looped single-cycle triangle, 32 bytes

// All 31 slots: the instruments above, then empty slots carrying credits.
std::array<Sample, sampleSlots> makeInstruments();

} // namespace make_module
