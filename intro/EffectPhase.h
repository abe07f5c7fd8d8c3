#pragma once

// Where the effect stands in its twelve-unit cycle, derived afresh each frame
// from introTime.

enum EffectStretch {
    StretchNothing, // t below 2
    StretchWipe,    // 2 up to below 3.5
    StretchWaves,   // 3.5 and on, fading out after 10
};

// The phase value t: the exact remainder of introTime divided by 12.
float effectPhase(float time);
// Index into effectPalette: one colour per cycle, taken from the growing time.
int effectColourIndex(float time);
// The stretch drawn at phase value t.
EffectStretch effectStretch(float t);

// Amplitude ramp of the wave pattern: 0 at t = 3.5, rising to 0.7 at t = 4.2.
float waveRamp(float t);
// Fade of the wave panel: 1 up to t = 10, then down to 0 at t = 11.25.
float waveFade(float t);
