#include "sound/windows/WaveOutput.h"

#include <mmsystem.h>

#include <utility>

WaveOutput::~WaveOutput()
{
    stop();
}

bool WaveOutput::start(int mixRate, Source source)
{
    stop();
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = static_cast<DWORD>(mixRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * format.wBitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;

    bufferDone_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (bufferDone_ == nullptr) {
        return false;
    }
    if (waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(bufferDone_), 0, CALLBACK_EVENT)
        != MMSYSERR_NOERROR) {
        device_ = nullptr;
        CloseHandle(bufferDone_);
        bufferDone_ = nullptr;
        return false;
    }
    source_ = std::move(source);
    samples_.assign(static_cast<std::size_t>(bufferCount) * framesPerBuffer * 2, 0);
    for (int i = 0; i < bufferCount; ++i) {
        WAVEHDR& header = headers_[i];
        header = WAVEHDR{};
        header.lpData = reinterpret_cast<LPSTR>(samples_.data() + static_cast<std::size_t>(i) * framesPerBuffer * 2);
        header.dwBufferLength = framesPerBuffer * 2 * sizeof(std::int16_t);
        waveOutPrepareHeader(device_, &header, sizeof(header));
        // Marked done so that the thread fills and queues it first thing.
        header.dwFlags |= WHDR_DONE;
    }
    running_ = true;
    thread_ = std::thread(&WaveOutput::run, this);
    return true;
}

void WaveOutput::run()
{
    while (running_) {
        for (WAVEHDR& header : headers_) {
            if (running_ && (header.dwFlags & WHDR_DONE)) {
                header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
                source_(reinterpret_cast<std::int16_t*>(header.lpData), framesPerBuffer);
                waveOutWrite(device_, &header, sizeof(header));
            }
        }
        WaitForSingleObject(bufferDone_, 50);
    }
}

void WaveOutput::stop()
{
    if (device_ == nullptr) {
        return;
    }
    running_ = false;
    SetEvent(bufferDone_);
    if (thread_.joinable()) {
        thread_.join();
    }
    waveOutReset(device_);
    for (WAVEHDR& header : headers_) {
        waveOutUnprepareHeader(device_, &header, sizeof(header));
    }
    waveOutClose(device_);
    device_ = nullptr;
    CloseHandle(bufferDone_);
    bufferDone_ = nullptr;
    source_ = nullptr;
}
