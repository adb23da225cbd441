#include <SDL.h>

#include <algorithm>

#include "platform/fmod/decoders.h"

std::vector<std::int16_t> ConvertRate(const std::vector<std::int16_t>& stereo, int fromRate,
                                      int toRate)
{
    SDL_AudioStream* converter =
        SDL_NewAudioStream(AUDIO_S16SYS, 2, fromRate, AUDIO_S16SYS, 2, toRate);
    if (converter == nullptr) {
        // Rates SDL refuses are far outside anything music uses; better the
        // wrong pitch than no music.
        return stereo;
    }
    std::vector<std::int16_t> converted;
    converted.reserve(static_cast<size_t>(static_cast<double>(stereo.size()) * toRate / fromRate) + 2);
    std::vector<std::int16_t> chunk;
    auto drain = [&] {
        int available = SDL_AudioStreamAvailable(converter);
        chunk.resize(static_cast<size_t>(available) / sizeof(std::int16_t));
        int got = SDL_AudioStreamGet(converter, chunk.data(), available);
        if (got > 0) {
            converted.insert(converted.end(), chunk.begin(),
                             chunk.begin() + got / static_cast<int>(sizeof(std::int16_t)));
        }
    };
    constexpr size_t kPutSamples = 65536 * 2;
    for (size_t start = 0; start < stereo.size(); start += kPutSamples) {
        size_t count = std::min(kPutSamples, stereo.size() - start);
        SDL_AudioStreamPut(converter, stereo.data() + start,
                           static_cast<int>(count * sizeof(std::int16_t)));
        drain();
    }
    // SDL holds back the last stretch of its filter's input even when
    // flushed; silence behind the music pushes it out, and the length is then
    // cut to what the rate asks for.
    std::vector<std::int16_t> tail(static_cast<size_t>(fromRate / 10) * 2, 0);
    SDL_AudioStreamPut(converter, tail.data(), static_cast<int>(tail.size() * sizeof(std::int16_t)));
    SDL_AudioStreamFlush(converter);
    drain();
    SDL_FreeAudioStream(converter);
    std::int64_t frames = static_cast<std::int64_t>(stereo.size() / 2) * toRate / fromRate;
    converted.resize(static_cast<size_t>(frames) * 2, 0);
    return converted;
}
