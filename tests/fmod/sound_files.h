#pragma once
// Sound files the tests build for themselves: PCM WAV files holding tones,
// and a two-pattern ProTracker module.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

// Tests never open an audio device: SDL's dummy driver selects the silent
// output. Set before any test runs.
inline const bool silentOutputForTests = setenv("SDL_AUDIODRIVER", "dummy", 1) == 0;

constexpr int kRate = 44100;

// The frequency at the centre of 1024-point FFT bin `bin`.
inline double BinFrequency(int bin, int rate = kRate)
{
    return bin * static_cast<double>(rate) / 1024.0;
}

// Mono samples: silence until `startFrame`, then a sine of `amplitude`
// (32767 is full scale).
inline std::vector<std::int16_t> Tone(double frequency, int frames, int startFrame = 0,
                                      double amplitude = 32767.0, int rate = kRate)
{
    std::vector<std::int16_t> samples(static_cast<size_t>(frames), 0);
    for (int frame = startFrame; frame < frames; ++frame) {
        double phase = 2.0 * std::numbers::pi * frequency * (frame - startFrame) / rate;
        samples[static_cast<size_t>(frame)] = static_cast<std::int16_t>(std::lround(amplitude * std::sin(phase)));
    }
    return samples;
}

inline void PutLittle(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// A 16-bit PCM WAV file. `declaredFrames` overrides the length the header
// claims, to build truncated files.
inline std::string WavFile(const std::vector<std::int16_t>& samples, int channels = 1,
                           int rate = kRate, long declaredFrames = -1)
{
    std::uint32_t dataBytes = static_cast<std::uint32_t>(
        (declaredFrames < 0 ? static_cast<long>(samples.size()) / channels : declaredFrames) *
        channels * 2);
    std::string bytes = "RIFF";
    PutLittle(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    PutLittle(bytes, 16, 4);
    PutLittle(bytes, 1, 2);  // PCM
    PutLittle(bytes, static_cast<std::uint32_t>(channels), 2);
    PutLittle(bytes, static_cast<std::uint32_t>(rate), 4);
    PutLittle(bytes, static_cast<std::uint32_t>(rate * channels * 2), 4);
    PutLittle(bytes, static_cast<std::uint32_t>(channels * 2), 2);
    PutLittle(bytes, 16, 2);
    bytes += "data";
    PutLittle(bytes, dataBytes, 4);
    for (std::int16_t sample : samples) {
        PutLittle(bytes, static_cast<std::uint16_t>(sample), 2);
    }
    return bytes;
}

// A four-channel ProTracker module: orders 0 and 1 play patterns 0 and 1,
// each starting a 32-byte square-wave sample at C-3 (about 518 Hz, FFT bin
// 12) at speed 1, so each 64-row pattern lasts 1.28 s.
inline std::string ModFile()
{
    auto putBig = [](std::string& bytes, int value) {
        bytes += static_cast<char>((value >> 8) & 0xFF);
        bytes += static_cast<char>(value & 0xFF);
    };
    std::string bytes(20, '\0');  // title
    for (int sample = 1; sample <= 31; ++sample) {
        bytes += std::string(22, '\0');
        bool square = sample == 1;
        putBig(bytes, square ? 16 : 0);  // length in words
        bytes += '\0';                   // finetune
        bytes += static_cast<char>(square ? 64 : 0);
        putBig(bytes, 0);                // loop start
        putBig(bytes, square ? 16 : 1);  // loop length
    }
    bytes += static_cast<char>(2);    // song length
    bytes += static_cast<char>(127);  // restart
    std::string orders(128, '\0');
    orders[1] = 1;
    bytes += orders;
    bytes += "M.K.";
    for (int pattern = 0; pattern < 2; ++pattern) {
        std::string cells(64 * 4 * 4, '\0');
        const int period = 214;
        cells[0] = static_cast<char>(period >> 8);
        cells[1] = static_cast<char>(period & 0xFF);
        cells[2] = static_cast<char>((1 << 4) | 0xF);  // sample 1, set speed
        cells[3] = 1;
        bytes += cells;
    }
    for (int i = 0; i < 32; ++i) {
        bytes += static_cast<char>(i < 16 ? 100 : -100);
    }
    return bytes;
}
