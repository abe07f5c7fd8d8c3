#pragma once

#include "sound/linux/AudioOutput.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace sound {

// For machines without sound: renders the mixer at real-time pace on its own
// thread and discards the result, so songs advance as if heard.
class SilentOutput final : public AudioOutput {
public:
    SilentOutput(Mixer& mixer, int mixRate);
    ~SilentOutput() override;

    void lock() override;
    void unlock() override;

private:
    void run();

    Mixer& mixer;
    int rate;
    std::mutex mixing;
    std::mutex stopping;
    std::condition_variable wake;
    bool stopRequested = false;
    std::atomic<bool> stopFlag{false}; // read while rendering, without the wait lock
    std::array<float, 2 * 1024> discard{};
    std::thread worker;
};

} // namespace sound
