#include <mpg123.h>

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "platform/fmod/decoders.h"
#include "platform/fmod/fmod.h"
#include "platform/win32/file_path.h"

// The page decodes its streams with libmpg123 directly. The show's music is
// MP3, which libsndfile decodes natively through this same libmpg123, with
// gapless decoding (encoder delay and padding removed) as here; libsndfile in
// the page would bring LAME, its MP3 writer, along. Files of other formats
// fail as an unknown format, with a line saying why.

namespace {

bool ReadWholeFile(FILE* file, std::vector<unsigned char>& bytes)
{
    unsigned char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    return std::ferror(file) == 0;
}

using Decoder = std::unique_ptr<mpg123_handle, void (*)(mpg123_handle*)>;

// Every rate mpg123 knows, mono or stereo, always as 16-bit samples.
Decoder OpenDecoder()
{
    Decoder decoder(mpg123_new(nullptr, nullptr), mpg123_delete);
    if (decoder == nullptr) return decoder;
    mpg123_param(decoder.get(), MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    mpg123_format_none(decoder.get());
    const long* rates = nullptr;
    std::size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (std::size_t index = 0; index < rateCount; ++index)
        mpg123_format(decoder.get(), rates[index], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    return decoder;
}

} // namespace

std::shared_ptr<const DecodedSound> DecodeStreamFile(const char* windowsName, unsigned, int mixRate, int* error)
{
    FILE* file = OpenWindowsFile(windowsName, "rb");
    if (file == nullptr) {
        *error = FMOD_ERR_FILE_NOTFOUND;
        return nullptr;
    }
    try {
        std::vector<unsigned char> bytes;
        const bool complete = ReadWholeFile(file, bytes);
        std::fclose(file);
        if (!complete) {
            *error = FMOD_ERR_FILE_BAD;
            return nullptr;
        }
        Decoder decoder = OpenDecoder();
        if (decoder == nullptr || mpg123_open_feed(decoder.get()) != MPG123_OK ||
            mpg123_feed(decoder.get(), bytes.data(), bytes.size()) != MPG123_OK) {
            *error = FMOD_ERR_MEMORY;
            return nullptr;
        }
        auto sound = std::make_shared<DecodedSound>();
        long rate = 0;
        int channels = 0;
        std::vector<std::int16_t> chunk(16384);
        for (;;) {
            std::size_t got = 0;
            const int result = mpg123_read(decoder.get(), chunk.data(), chunk.size() * 2, &got);
            if (result == MPG123_NEW_FORMAT) {
                int encoding = 0;
                mpg123_getformat(decoder.get(), &rate, &channels, &encoding);
                continue;
            }
            const std::size_t samples = got / 2;
            for (std::size_t index = 0; index < samples && channels > 0; index += channels) {
                // Mono plays on both sides.
                sound->samples.push_back(chunk[index]);
                sound->samples.push_back(chunk[index + (channels > 1 ? 1 : 0)]);
            }
            if (result != MPG123_OK || sound->FrameCount() >= static_cast<std::int64_t>(kMaxSoundSeconds) * rate) break;
        }
        if (rate <= 0 || channels < 1) {
            std::fprintf(stderr, "rewind: %s: the page plays MP3 streams only\n", windowsName);
            *error = FMOD_ERR_FILE_FORMAT;
            return nullptr;
        }
        sound->sourceRate = static_cast<int>(rate);
        sound->sourceBytesPerFrame = channels * 2;
        if (sound->sourceRate != mixRate) sound->samples = ConvertRate(sound->samples, sound->sourceRate, mixRate);
        *error = FMOD_ERR_NONE;
        return sound;
    } catch (const std::bad_alloc&) {
        *error = FMOD_ERR_MEMORY;
        return nullptr;
    }
}
