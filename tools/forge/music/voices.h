#pragma once
// The instruments: each note of the score rendered on its own, from its
// start sample until it has died away.

#include <cstdint>

#include "score.h"
#include "stereo_buffer.h"

namespace music {

// `seed` makes the noise of each note its own and the same on every run.
StereoBuffer RenderVoice(const Note& note, std::uint64_t seed);

} // namespace music
