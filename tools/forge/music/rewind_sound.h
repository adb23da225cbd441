#pragma once
// The rewind passage: while the picture runs backwards, so does the tape.

#include "stereo_buffer.h"

namespace music {

// Replaces the mix between the rewind's start and end by the mix before it
// played backwards at the rewind's speed, with the hiss and whine of a tape
// deck winding; it pulses with the "rewind" sign and darkens with the picture.
void LayRewind(StereoBuffer& mix);

} // namespace music
