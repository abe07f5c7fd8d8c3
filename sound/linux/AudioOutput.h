#pragma once

namespace sound {

class Mixer;

// Where the mixed stream goes. Rendering runs on the output's own thread;
// lock/unlock keep the mixer still while the library changes what plays.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    virtual void lock() = 0;
    virtual void unlock() = 0;
};

// Scoped hold of an output's lock.
class OutputLock {
public:
    explicit OutputLock(AudioOutput& output) : output(output) { output.lock(); }
    ~OutputLock() { output.unlock(); }
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;

private:
    AudioOutput& output;
};

} // namespace sound
