#include "sound/mod/ModPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mod {

namespace {

constexpr int minPeriod = 113;
constexpr int maxPeriod = 856;
// The Amiga's sample clock on PAL machines, halved: a period of p plays
// clock / p samples a second.
constexpr double paulaClock = 3546894.6;

// Three octaves of ProTracker periods at finetune 0, C-1 to B-3.
constexpr int periods[36] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,
};

// A half sine of 32 steps, peak 255, for vibrato and tremolo.
constexpr int sine[32] = {
    0,   24,  49,  74,  97,  120, 141, 161, 180, 197, 212, 224, 235, 244, 250, 253,
    255, 253, 250, 244, 235, 224, 212, 197, 180, 161, 141, 120, 97,  74,  49,  24,
};

int noteIndex(int period)
{
    int best = 0;
    for (int i = 1; i < 36; ++i) {
        if (std::abs(periods[i] - period) < std::abs(periods[best] - period)) {
            best = i;
        }
    }
    return best;
}

int waveform(int position) // -255 .. 255 over 64 steps
{
    const int value = sine[position & 31];
    return (position & 32) ? -value : value;
}

void slideVolume(int& volume, int param)
{
    const int up = param >> 4;
    const int down = param & 15;
    volume = up ? std::min(volume + up, 64) : std::max(volume - down, 0);
}

} // namespace

Player::Player(const Song& song, int mixRate) : song_(song), mixRate_(mixRate > 0 ? mixRate : 1)
{
}

Player::ChannelState Player::channel(int index) const
{
    const Channel& ch = channels_[index];
    return {ch.period, ch.volume, ch.playing};
}

void Player::render(std::int16_t* stereoFrames, int frameCount)
{
    while (frameCount > 0) {
        if (framesLeftInTick_ == 0) {
            nextTick();
            // A tick lasts 2.5 / tempo seconds; the remainder carries over so
            // the long-run speed is exact.
            const int numerator = mixRate_ * 5 + tickRemainder_;
            const int denominator = tempo_ * 2;
            framesLeftInTick_ = numerator / denominator;
            tickRemainder_ = numerator % denominator;
            if (framesLeftInTick_ == 0) {
                continue;
            }
        }
        const int frames = std::min(frameCount, framesLeftInTick_);
        mix(stereoFrames, frames);
        stereoFrames += frames * 2;
        frameCount -= frames;
        framesLeftInTick_ -= frames;
    }
}

void Player::nextTick()
{
    if (tick_ == 0) {
        startRow();
    } else {
        for (Channel& ch : channels_) {
            continueCell(ch);
        }
    }
    ++tick_;
    if (tick_ >= speed_ * (1 + rowDelay_)) {
        tick_ = 0;
        rowDelay_ = 0;
        advanceRow();
    }
}

void Player::startRow()
{
    for (int c = 0; c < channelCount; ++c) {
        startCell(c, channels_[c], song_.cell(order_, row_, c));
    }
}

void Player::startCell(int, Channel& ch, const Cell& cell)
{
    ch.cell = cell;
    if (cell.sample != 0) {
        ch.instrument = &song_.samples[static_cast<std::size_t>(cell.sample - 1)];
        ch.volume = ch.instrument->volume;
        ch.finetune = ch.instrument->finetune;
    }
    const int x = cell.param >> 4;
    const int y = cell.param & 15;
    const bool delayed = cell.effect == 0xE && x == 0xD && y != 0;
    if (cell.period != 0 && !delayed) {
        if (cell.effect == 0x3 || cell.effect == 0x5) {
            ch.portaTarget = cell.period;
        } else {
            if (cell.effect == 0x9 && cell.param != 0) {
                ch.sampleOffset = cell.param * 256;
            }
            triggerNote(ch, cell);
        }
    }

    switch (cell.effect) {
    case 0x3:
        if (cell.param != 0) {
            ch.portaSpeed = cell.param;
        }
        break;
    case 0x4:
        if (x != 0) {
            ch.vibratoSpeed = x;
        }
        if (y != 0) {
            ch.vibratoDepth = y;
        }
        break;
    case 0x7:
        if (x != 0) {
            ch.tremoloSpeed = x;
        }
        if (y != 0) {
            ch.tremoloDepth = y;
        }
        break;
    case 0xB:
        breakOrder_ = cell.param;
        breakRow_ = 0;
        break;
    case 0xC:
        ch.volume = std::min(cell.param, 64);
        break;
    case 0xD:
        if (breakOrder_ < 0) {
            breakOrder_ = order_ + 1;
        }
        breakRow_ = x * 10 + y;
        if (breakRow_ >= rowsPerPattern) {
            breakRow_ = 0;
        }
        break;
    case 0xE:
        switch (x) {
        case 0x1:
            ch.period = std::max(ch.period - y, minPeriod);
            break;
        case 0x2:
            ch.period = std::min(ch.period + y, maxPeriod);
            break;
        case 0x5:
            ch.finetune = y < 8 ? y : y - 16;
            break;
        case 0x6:
            if (y == 0) {
                ch.loopRow = row_;
            } else if (ch.loopCount == 0) {
                ch.loopCount = y;
                loopJumpRow_ = ch.loopRow;
            } else if (--ch.loopCount != 0) {
                loopJumpRow_ = ch.loopRow;
            }
            break;
        case 0xA:
            ch.volume = std::min(ch.volume + y, 64);
            break;
        case 0xB:
            ch.volume = std::max(ch.volume - y, 0);
            break;
        case 0xC:
            if (y == 0) {
                ch.volume = 0;
            }
            break;
        case 0xE:
            if (rowDelay_ == 0) {
                rowDelay_ = y;
            }
            break;
        default:
            break;
        }
        break;
    case 0xF:
        if (cell.param != 0 && cell.param < 32) {
            speed_ = cell.param;
        } else if (cell.param >= 32) {
            tempo_ = cell.param;
        }
        break;
    default:
        break;
    }
    ch.outputPeriod = ch.period;
    ch.outputVolume = ch.volume;
}

void Player::triggerNote(Channel& ch, const Cell& cell)
{
    ch.period = cell.period;
    ch.sample = ch.instrument;
    ch.vibratoPosition = 0;
    ch.tremoloPosition = 0;
    ch.position = 0.0;
    ch.playing = ch.sample != nullptr && !ch.sample->data.empty();
    if (ch.playing && cell.effect == 0x9) {
        const int length = static_cast<int>(ch.sample->data.size());
        if (ch.sampleOffset < length) {
            ch.position = ch.sampleOffset;
        } else if (ch.sample->loopLength > 0) {
            ch.position = ch.sample->loopStart;
        } else {
            ch.playing = false;
        }
    }
}

void Player::continueCell(Channel& ch)
{
    const Cell& cell = ch.cell;
    const int x = cell.param >> 4;
    const int y = cell.param & 15;
    const int tick = tick_ % speed_;
    ch.outputPeriod = ch.period;
    switch (cell.effect) {
    case 0x0:
        if (cell.param != 0 && ch.period != 0) {
            const int step = tick_ % 3 == 1 ? x : tick_ % 3 == 2 ? y : 0;
            ch.outputPeriod = periods[std::min(noteIndex(ch.period) + step, 35)];
        }
        break;
    case 0x1:
        ch.period = std::max(ch.period - cell.param, minPeriod);
        ch.outputPeriod = ch.period;
        break;
    case 0x2:
        ch.period = std::min(ch.period + cell.param, maxPeriod);
        ch.outputPeriod = ch.period;
        break;
    case 0x3:
    case 0x5:
        if (ch.portaTarget != 0 && ch.period != 0) {
            if (ch.period < ch.portaTarget) {
                ch.period = std::min(ch.period + ch.portaSpeed, ch.portaTarget);
            } else {
                ch.period = std::max(ch.period - ch.portaSpeed, ch.portaTarget);
            }
        }
        ch.outputPeriod = ch.period;
        if (cell.effect == 0x5) {
            slideVolume(ch.volume, cell.param);
        }
        break;
    case 0x4:
    case 0x6:
        ch.outputPeriod = ch.period + waveform(ch.vibratoPosition) * ch.vibratoDepth / 128;
        ch.vibratoPosition = (ch.vibratoPosition + ch.vibratoSpeed) & 63;
        if (cell.effect == 0x6) {
            slideVolume(ch.volume, cell.param);
        }
        break;
    case 0xA:
        slideVolume(ch.volume, cell.param);
        break;
    case 0xE:
        if (x == 0x9 && y != 0 && tick % y == 0 && ch.sample != nullptr) {
            ch.position = 0.0;
            ch.playing = !ch.sample->data.empty();
        } else if (x == 0xC && tick == y) {
            ch.volume = 0;
        } else if (x == 0xD && tick == y && cell.period != 0) {
            triggerNote(ch, cell);
            ch.outputPeriod = ch.period;
        }
        break;
    default:
        break;
    }
    ch.outputVolume = ch.volume;
    if (cell.effect == 0x7) {
        ch.outputVolume = std::clamp(ch.volume + waveform(ch.tremoloPosition) * ch.tremoloDepth / 64, 0, 64);
        ch.tremoloPosition = (ch.tremoloPosition + ch.tremoloSpeed) & 63;
    }
}

void Player::advanceRow()
{
    if (loopJumpRow_ >= 0) {
        row_ = loopJumpRow_;
        loopJumpRow_ = -1;
        breakOrder_ = -1;
        return;
    }
    if (breakOrder_ >= 0) {
        order_ = breakOrder_;
        row_ = breakRow_;
        breakOrder_ = -1;
        breakRow_ = 0;
    } else if (++row_ == rowsPerPattern) {
        row_ = 0;
        ++order_;
    }
    if (order_ >= song_.length) {
        order_ = song_.restart;
    }
}

void Player::mix(std::int16_t* out, int frames)
{
    for (int f = 0; f < frames; ++f) {
        int level[channelCount] = {};
        for (int c = 0; c < channelCount; ++c) {
            Channel& ch = channels_[c];
            if (!ch.playing || ch.outputPeriod <= 0) {
                continue;
            }
            const Sample& sample = *ch.sample;
            const int length = static_cast<int>(sample.data.size());
            const int loopEnd = sample.loopStart + sample.loopLength;
            const int index = static_cast<int>(ch.position);
            int next = index + 1;
            if (sample.loopLength > 0 && next >= loopEnd) {
                next = sample.loopStart;
            } else if (next >= length) {
                next = index;
            }
            const double fraction = ch.position - index;
            const double value = sample.data[static_cast<std::size_t>(index)]
                                 + (sample.data[static_cast<std::size_t>(next)] - sample.data[static_cast<std::size_t>(index)]) * fraction;
            level[c] = static_cast<int>(value * ch.outputVolume);

            const int period = std::max(ch.outputPeriod, minPeriod / 4);
            const double rate = paulaClock / period * std::exp2(ch.finetune / 96.0);
            ch.position += rate / mixRate_;
            if (sample.loopLength > 0) {
                while (ch.position >= loopEnd) {
                    ch.position -= sample.loopLength;
                }
            } else if (ch.position >= length) {
                ch.playing = false;
            }
        }
        // Amiga channels 0 and 3 are left, 1 and 2 right; a quarter of each
        // side crosses over so headphones do not hear it fully split.
        const int left = level[0] + level[3];
        const int right = level[1] + level[2];
        out[2 * f] = static_cast<std::int16_t>(std::clamp((3 * left + right) / 2, -32768, 32767));
        out[2 * f + 1] = static_cast<std::int16_t>(std::clamp((3 * right + left) / 2, -32768, 32767));
    }
}

} // namespace mod
