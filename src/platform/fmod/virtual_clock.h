#pragma once
// rewind's own addition to the sound output, for frame-exact capture: the
// play position follows a clock the caller sets instead of a device, and
// the mix can be read back as PCM to be muxed with the video. The spectrum,
// FSOUND_Stream_GetTime and the read-out then all see the same samples.

#include <cstddef>
#include <cstdint>

// Takes effect at the next FSOUND_Init: no device is opened, and the play
// position stays where SetVirtualSoundTime put it (0 at first).
void UseVirtualSoundClock(bool enabled);

// The virtual clock's time; sounds started at time 0 play their frame
// milliseconds * rate / 1000 now.
void SetVirtualSoundTime(std::uint32_t milliseconds);

// The mix rate given to FSOUND_Init; 0 while FSOUND is not initialised.
int SoundMixRate();

// Writes `frames` frames of the mix, interleaved 16-bit stereo at the mix
// rate, from `firstFrame` on the output's timeline (frame 0 is FSOUND_Init
// on the virtual clock at time 0): every sound playing, at its volume, as
// the device would hear it. Silence where nothing plays.
void ReadSoundMix(std::int64_t firstFrame, std::size_t frames, std::int16_t* stereo);

// The timeline frame where the last playing sound ends.
std::int64_t SoundMixLength();
