#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

// Sound out through waveOut, fed by its own thread. The thread keeps a few
// short buffers queued and asks the source to fill each one as the device
// hands it back. Where no device opens, nothing plays and nothing fails.
class WaveOutput {
public:
    using Source = std::function<void(std::int16_t* stereoFrames, int frameCount)>;

    WaveOutput() = default;
    ~WaveOutput();

    WaveOutput(const WaveOutput&) = delete;
    WaveOutput& operator=(const WaveOutput&) = delete;

    // True when a device opened; false means the output stays silent.
    bool start(int mixRate, Source source);
    void stop();

private:
    static constexpr int bufferCount = 4;
    static constexpr int framesPerBuffer = 1024;

    void run();

    HWAVEOUT device_ = nullptr;
    HANDLE bufferDone_ = nullptr;
    Source source_;
    std::vector<std::int16_t> samples_;
    WAVEHDR headers_[bufferCount] = {};
    std::atomic<bool> running_{false};
    std::thread thread_;
};
