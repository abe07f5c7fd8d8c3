#pragma once

#include "sound/mod/ModSong.h"

#include <cstdint>

// Plays a Song into interleaved 16-bit stereo at a chosen rate, the way a
// ProTracker replay does: rows of ticks, effects on ticks, four channels with
// Amiga panning (left, right, right, left). The song loops for ever.
// Nothing is allocated after construction, so render can run on an audio thread.
namespace mod {

class Player {
public:
    struct ChannelState {
        int period;        // the period the note is at, before arpeggio and vibrato
        int volume;        // 0 .. 64, before tremolo
        bool playing;
    };

    Player(const Song& song, int mixRate);

    void render(std::int16_t* stereoFrames, int frameCount);

    int order() const { return order_; }
    int row() const { return row_; }
    int speed() const { return speed_; }
    int tempo() const { return tempo_; }
    ChannelState channel(int index) const;

private:
    struct Channel {
        const Sample* sample = nullptr;
        const Sample* instrument = nullptr; // the last sample number seen in this channel
        double position = 0.0;
        bool playing = false;
        int period = 0;
        int volume = 0;
        int finetune = 0;
        int outputPeriod = 0;
        int outputVolume = 0;
        int portaTarget = 0;
        int portaSpeed = 0;
        int vibratoSpeed = 0;
        int vibratoDepth = 0;
        int vibratoPosition = 0;
        int tremoloSpeed = 0;
        int tremoloDepth = 0;
        int tremoloPosition = 0;
        int sampleOffset = 0;
        int loopRow = 0;
        int loopCount = 0;
        Cell cell;
    };

    void startRow();
    void startCell(int index, Channel& ch, const Cell& cell);
    void triggerNote(Channel& ch, const Cell& cell);
    void continueCell(Channel& ch);
    void advanceRow();
    void nextTick();
    void mix(std::int16_t* out, int frames);

    const Song& song_;
    int mixRate_;
    Channel channels_[channelCount];
    int order_ = 0;
    int row_ = 0;
    int tick_ = 0;
    int speed_ = 6;
    int tempo_ = 125;
    int rowDelay_ = 0;          // extra rows' worth of ticks from EEx
    int breakOrder_ = -1;       // pending Bxx / Dxx: where the next row is
    int breakRow_ = 0;
    int loopJumpRow_ = -1;      // pending E6x jump inside the pattern
    int framesLeftInTick_ = 0;
    int tickRemainder_ = 0;
};

} // namespace mod
