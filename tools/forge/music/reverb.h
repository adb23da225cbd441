#pragma once
// A plate-like stereo reverb (parallel damped combs into series all-passes,
// the two channels slightly detuned against each other) and a ping-pong echo.

#include "stereo_buffer.h"

namespace music {

// Replaces `send` by its reverberation.
void Reverberate(StereoBuffer& send, double roomSize, double damping);

// Replaces `send` by its echoes, bouncing between left and right.
void Echo(StereoBuffer& send, double delaySeconds, double feedback);

} // namespace music
