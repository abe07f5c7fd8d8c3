#include "sound/linux/SilentOutput.h"

#include "sound/linux/Mixer.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace sound {

SilentOutput::SilentOutput(Mixer& mixer, int mixRate) : mixer(mixer), rate(mixRate) {
    worker = std::thread([this] { run(); });
}

SilentOutput::~SilentOutput() {
    {
        std::lock_guard<std::mutex> hold(stopping);
        stopRequested = true;
    }
    stopFlag.store(true, std::memory_order_relaxed);
    wake.notify_all();
    worker.join();
}

void SilentOutput::lock() { mixing.lock(); }

void SilentOutput::unlock() { mixing.unlock(); }

void SilentOutput::run() {
    using Clock = std::chrono::steady_clock;
    const auto begin = Clock::now();
    std::int64_t rendered = 0;
    std::unique_lock<std::mutex> waitLock(stopping);
    while (!wake.wait_for(waitLock, std::chrono::milliseconds(20), [this] { return stopRequested; })) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begin).count();
        const std::int64_t due = elapsed * rate / 1000000;
        waitLock.unlock();
        // Far behind (a stalled machine): skip rather than render a backlog.
        if (due - rendered > rate)
            rendered = due - rate;
        while (rendered < due && !stopFlag.load(std::memory_order_relaxed)) {
            const auto frames = static_cast<std::size_t>(
                std::min<std::int64_t>(due - rendered, static_cast<std::int64_t>(discard.size() / 2)));
            {
                std::lock_guard<std::mutex> hold(mixing);
                mixer.render(discard.data(), frames);
            }
            rendered += static_cast<std::int64_t>(frames);
        }
        waitLock.lock();
    }
}

} // namespace sound
