#pragma once
// The last stage before encoding.

#include "stereo_buffer.h"

namespace music {

// The highest sample the mastered mix may reach: 3 dB below full scale.
// The MP3 encoder's quantisation noise lifts the loud, cymbal-heavy passages
// by up to about 2 dB once decoded, and the decoded track must stay under
// -0.3 dBFS.
constexpr double kCeiling = 0.71;

// Sets the final level, trims what lies above the encoder's own cut-off,
// holds every peak under the ceiling with a look-ahead limiter, and ends the
// track in silence.
void Master(StereoBuffer& mix);

} // namespace music
