#pragma once
// The SDL2 audio device the mix plays on.

#include <cstdint>

using AudioFill = void (*)(void* user, std::uint8_t* stereo, int bytes);

// Opens and starts the default device for 16-bit stereo at `rate`; `fill`
// runs on SDL's audio thread. Returns 0 where there is no device to play
// on, SDL_AUDIODRIVER=dummy included: the caller then plays silently.
// `bufferFrames` receives the device's buffer length, the delay between
// mixing a frame and hearing it.
std::uint32_t OpenAudioDevice(int rate, AudioFill fill, void* user, int* bufferFrames);

// Stops the device and waits for its thread; never call it while holding a
// lock that `fill` takes.
void CloseAudioDevice(std::uint32_t device);
