#include "platform/fmod/audio_device.h"

#include <SDL.h>

#if defined(__linux__)
#include <dlfcn.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// About 23 ms at 44.1 kHz: short enough that the spectrum stays with what
// is heard, long enough not to starve on a busy frame.
constexpr Uint16 kBufferFrames = 1024;

// SDL's ALSA driver reaches libasound, which prints each error of its own
// (no card, an unknown default device) to standard error unless it is
// given a handler: snd_lib_error_set_handler sets one for the process, and
// a null handler brings back the printing one. The library is looked up at
// run time, so nothing links it where SDL does not use it.
class QuietAlsa {
public:
    QuietAlsa()
    {
#if defined(__linux__)
        library = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
        if (library != nullptr) {
            setHandler = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler"));
        }
        if (setHandler != nullptr) {
            setHandler(&Ignore);
        }
#endif
    }
    ~QuietAlsa()
    {
#if defined(__linux__)
        if (setHandler != nullptr) {
            setHandler(nullptr);
        }
        if (library != nullptr) {
            dlclose(library);
        }
#endif
    }
    QuietAlsa(const QuietAlsa&) = delete;
    QuietAlsa& operator=(const QuietAlsa&) = delete;

#if defined(__linux__)
private:
    // libasound's handler: file, line, function, errno, printf format, arguments.
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);

    static void Ignore(const char*, int, const char*, int, const char*, ...) {}

    void* library = nullptr;
    SetHandler setHandler = nullptr;
#endif
};

// The one line a user sees when the show plays without its music.
std::uint32_t NoDevice()
{
    std::fprintf(stderr, "rewind: no sound device (SDL: %s); the music is off\n", SDL_GetError());
    return 0;
}

} // namespace

std::uint32_t OpenAudioDevice(int rate, AudioFill fill, void* user, int* bufferFrames)
{
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    if (driver != nullptr && std::strcmp(driver, "dummy") == 0) {
        return 0;
    }
    const QuietAlsa quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return NoDevice();
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
        const std::uint32_t none = NoDevice();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return none;
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
