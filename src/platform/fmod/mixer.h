#pragma once
// The software mixer: every playing sound laid on one timeline of output
// frames at the mix rate, summed and clipped to 16-bit stereo.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/fmod/decoded_sound.h"

// Full volume: a sound plays at volume / kFullVolume of its level.
constexpr int kFullVolume = 256;

struct Voice {
    std::uint32_t soundId = 0;
    int channel = -1;  // a stream's FSOUND channel; modules have none
    std::shared_ptr<const DecodedSound> sound;
    std::int64_t startFrame = 0;  // the timeline frame where the sound's first frame plays
    int volume = kFullVolume;

    std::int64_t EndFrame() const { return startFrame + sound->FrameCount(); }
};

// Writes timeline frames [firstFrame, firstFrame + count) of the voices'
// sum to `stereo` (interleaved); silence where nothing plays.
void MixVoices(const std::vector<Voice>& voices, std::int64_t firstFrame, std::size_t count,
               std::int16_t* stereo);
