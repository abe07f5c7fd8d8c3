#include "tools/make_module/Instruments.h"

#include <cstdint>

namespace make_module {
namespace {

// The rate a sample plays at for note C-2, the note the drums are struck with.
constexpr double drumRate = 8287.0;

std::int8_t toSample(double v) {
    if (v > 1.0) v = 1.0;
    if (v < -1.0) v = -1.0;
    return static_cast<std::int8_t>(v * 127.0);
}

// Sine of one turn times phase (phase in [0, 1)), by a parabola corrected
// once: close enough for a drum and free of library rounding differences.
double sineOfTurn(double phase) {
    double x = phase - static_cast<double>(static_cast<long long>(phase)); // [0,1)
    double a = x < 0.5 ? x * 2.0 : x * 2.0 - 2.0;                           // half turns, [-1,1)
    double y = a * 4.0 * (1.0 - (a < 0.0 ? -a : a));                        // parabola
    double ay = y < 0.0 ? -y : y;
    return 0.225 * (y * ay - y) + y;
}

// Fixed-seed xorshift, so the noise is the same on every run.
class Noise {
public:
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
private:
    std::uint32_t state = 0x7011u;
};

Sample looped(const char* name, std::vector<std::int8_t> data, int volume) {
    Sample s;
    s.name = name;
    s.volume = volume;
    s.loopStart = 0;
    s.loopLength = data.size();
    s.data = std::move(data);
    return s;
}

Sample oneShot(const char* name, std::vector<std::int8_t> data, int volume) {
    if (data.size() % 2 != 0)
        data.push_back(0);
    Sample s;
    s.name = name;
    s.volume = volume;
    s.data = std::move(data);
    return s;
}

} // namespace

Sample makeBass() {
    std::vector<std::int8_t> d(64);
    for (int i = 0; i < 64; ++i)
        d[static_cast<std::size_t>(i)] = toSample(static_cast<double>(i) / 32.0 - 1.0);
    return looped("bass saw", std::move(d), 52);
}

Sample makeLead() {
    std::vector<std::int8_t> d(32);
    for (int i = 0; i < 32; ++i)
        d[static_cast<std::size_t>(i)] = toSample(i < 16 ? 0.6 : -0.6);
    return looped("lead square", std::move(d), 40);
}

Sample makeKick() {
    constexpr int length = 2600;
    std::vector<std::int8_t> d(length);
    double phase = 0.0, frequency = 170.0, amplitude = 1.0;
    for (int i = 0; i < length; ++i) {
        d[static_cast<std::size_t>(i)] = toSample(amplitude * sineOfTurn(phase));
        phase = phase + frequency / drumRate;
        frequency = (frequency - 42.0) * 0.9975 + 42.0;
        amplitude = amplitude * 0.9986;
    }
    return oneShot("kick", std::move(d), 64);
}

Sample makeSnare() {
    constexpr int length = 2200;
    std::vector<std::int8_t> d(length);
    Noise noise;
    double phase = 0.0, body = 0.7, rattle = 0.8;
    for (int i = 0; i < length; ++i) {
        double v = body * sineOfTurn(phase) + rattle * noise.next();
        d[static_cast<std::size_t>(i)] = toSample(v);
        phase = phase + 190.0 / drumRate;
        body = body * 0.996;
        rattle = rattle * 0.9979;
    }
    return oneShot("snare", std::move(d), 56);
}

Sample makeHat() {
    constexpr int length = 700;
    std::vector<std::int8_t> d(length);
    Noise noise;
    double previous = 0.0, amplitude = 0.9;
    for (int i = 0; i < length; ++i) {
        double n = noise.next();
        d[static_cast<std::size_t>(i)] = toSample(amplitude * (n - previous) * 0.5);
        previous = n;
        amplitude = amplitude * 0.993;
    }
    return oneShot("hat", std::move(d), 30);
}

Sample makePad() {
    std::vector<std::int8_t> d(32);
    for (int i = 0; i < 32; ++i) {
        double t = i < 16 ? static_cast<double>(i) / 8.0 - 1.0 : 3.0 - static_cast<double>(i) / 8.0;
        d[static_cast<std::size_t>(i)] = toSample(t * 0.8);
    }
    return looped("arp triangle", std::move(d), 36);
}

std::array<Sample, sampleSlots> makeInstruments() {
    std::array<Sample, sampleSlots> all;
    all[InstrumentBass - 1] = makeBass();
    all[InstrumentLead - 1] = makeLead();
    all[InstrumentKick - 1] = makeKick();
    all[InstrumentSnare - 1] = makeSnare();
    all[InstrumentHat - 1] = makeHat();
    all[InstrumentPad - 1] = makePad();
    const char* credits[] = {"", "tovi music", "made in code by", "make_module", "", "greetings to all", "who still track"};
    for (std::size_t i = 0; i < std::size(credits); ++i)
        all[InstrumentPad + i].name = credits[i];
    return all;
}

} // namespace make_module
