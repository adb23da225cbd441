#pragma once
// A stream or module decoded whole to 16-bit stereo at the mix rate. Decoding
// up front makes every position reachable at once: the virtual clock jumps,
// the spectrum looks back 1024 samples, and the audio thread only copies.

#include <cstddef>
#include <cstdint>
#include <vector>

// Longer files are cut here: ten minutes is about 100 MB decoded, and the
// show runs under five.
constexpr int kMaxSoundSeconds = 600;

// A module's pattern position is noted every this many frames while it
// renders, so that the order and row can be looked up at any play position.
constexpr std::size_t kModuleMarkFrames = 256;

struct PatternMark {
    int order = 0;
    int row = 0;
};

struct DecodedSound {
    std::vector<std::int16_t> samples;  // interleaved left, right
    std::vector<PatternMark> marks;     // modules only
    int sourceRate = 0;                 // streams: the file's own rate
    int sourceBytesPerFrame = 0;        // streams: one frame of the file's PCM

    std::int64_t FrameCount() const { return static_cast<std::int64_t>(samples.size() / 2); }
};
