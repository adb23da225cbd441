#include "platform/fmod/mixer.h"

#include <algorithm>

void MixVoices(const std::vector<Voice>& voices, std::int64_t firstFrame, std::size_t count,
               std::int16_t* stereo)
{
    std::vector<std::int32_t> sums(count * 2, 0);
    const std::int64_t lastFrame = firstFrame + static_cast<std::int64_t>(count);
    for (const Voice& voice : voices) {
        std::int64_t from = std::max(firstFrame, voice.startFrame);
        std::int64_t to = std::min(lastFrame, voice.EndFrame());
        const std::int16_t* source = voice.sound->samples.data();
        for (std::int64_t frame = from; frame < to; ++frame) {
            size_t out = static_cast<size_t>(frame - firstFrame) * 2;
            size_t in = static_cast<size_t>(frame - voice.startFrame) * 2;
            sums[out] += source[in] * voice.volume / kFullVolume;
            sums[out + 1] += source[in + 1] * voice.volume / kFullVolume;
        }
    }
    for (size_t sample = 0; sample < count * 2; ++sample) {
        stereo[sample] = static_cast<std::int16_t>(std::clamp(sums[sample], -32768, 32767));
    }
}
