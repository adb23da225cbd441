#pragma once
// Renders the score into one stereo mix, each instrument at its level and
// with its share of reverb and echo.

#include <cstddef>

#include "score.h"
#include "stereo_buffer.h"

namespace music {

StereoBuffer MixScore(const Score& score, std::size_t frames);

} // namespace music
