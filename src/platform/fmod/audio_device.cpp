#include "platform/fmod/audio_device.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace {

// About 23 ms at 44.1 kHz: short enough that the spectrum stays with what
// is heard, long enough not to starve on a busy frame.
constexpr Uint16 kBufferFrames = 1024;

} // namespace

std::uint32_t OpenAudioDevice(int rate, AudioFill fill, void* user, int* bufferFrames)
{
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    if (driver != nullptr && std::strcmp(driver, "dummy") == 0) {
        return 0;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return 0;
    }
    SDL_AudioSpec wanted = {};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kBufferFrames;
    wanted.callback = fill;
    wanted.userdata = user;
    SDL_AudioSpec obtained = {};
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    *bufferFrames = obtained.samples;
    SDL_PauseAudioDevice(device, 0);
    return device;
}

void CloseAudioDevice(std::uint32_t device)
{
    if (device == 0) {
        return;
    }
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
