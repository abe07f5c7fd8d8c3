// Test builds only: says whether a waveOut device opens for the format our
// fmod.dll plays (32000 Hz, 16-bit stereo), so the Wine tests can report
// whether the music is heard or stays silent there.
#include <windows.h>

#include <mmsystem.h>

#include <cstdio>

int main()
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 32000;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 32000 * 4;
    HWAVEOUT device = nullptr;
    const MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
    std::printf("waveOut devices: %u, open: %s (%u)\n", waveOutGetNumDevs(),
                result == MMSYSERR_NOERROR ? "yes" : "no", static_cast<unsigned>(result));
    if (result == MMSYSERR_NOERROR) {
        waveOutClose(device);
    }
    return 0;
}
