#include <sndfile.h>
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "platform/fmod/decoders.h"
#include "platform/fmod/fmod.h"
#include "platform/win32/file_path.h"

namespace {

constexpr sf_count_t kChunkFrames = 4096;

// Raw data carries no rate; FMOD plays it at its default frequency.
constexpr int kRawRate = 44100;

bool HasRawExtension(const std::string& path)
{
    return path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".raw") == 0;
}

SNDFILE* OpenRaw(const std::string& path, unsigned mode, SF_INFO* info)
{
    *info = {};
    info->samplerate = kRawRate;
    info->channels = (mode & FSOUND_STEREO) != 0 ? 2 : 1;
    int encoding = SF_FORMAT_PCM_16;
    if ((mode & FSOUND_8BITS) != 0) {
        encoding = (mode & FSOUND_UNSIGNED) != 0 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_S8;
    }
    info->format = SF_FORMAT_RAW | encoding | SF_ENDIAN_LITTLE;
    return sf_open(path.c_str(), SFM_READ, info);
}

// Mono plays on both sides; layouts wider than stereo fold their even
// channels to the left and their odd ones to the right.
void AppendAsStereo(const short* frames, sf_count_t count, int channels,
                    std::vector<std::int16_t>& stereo)
{
    for (sf_count_t frame = 0; frame < count; ++frame) {
        const short* in = frames + frame * channels;
        if (channels == 1) {
            stereo.push_back(in[0]);
            stereo.push_back(in[0]);
            continue;
        }
        int sums[2] = {0, 0};
        int counts[2] = {0, 0};
        for (int channel = 0; channel < channels; ++channel) {
            sums[channel % 2] += in[channel];
            counts[channel % 2] += 1;
        }
        stereo.push_back(static_cast<std::int16_t>(sums[0] / counts[0]));
        stereo.push_back(static_cast<std::int16_t>(sums[1] / counts[1]));
    }
}

} // namespace

std::shared_ptr<const DecodedSound> DecodeStreamFile(const char* windowsName, unsigned mode,
                                                     int mixRate, int* error)
{
    FILE* probe = OpenWindowsFile(windowsName, "rb");
    if (probe == nullptr) {
        *error = FMOD_ERR_FILE_NOTFOUND;
        return nullptr;
    }
    std::fclose(probe);

    std::string path = NativeFileName(windowsName);
    SF_INFO info = {};
    SNDFILE* opened = sf_open(path.c_str(), SFM_READ, &info);
    if (opened == nullptr && HasRawExtension(path)) {
        opened = OpenRaw(path, mode, &info);
    }
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(opened, sf_close);
    if (file == nullptr || info.channels < 1 || info.samplerate < 1) {
        *error = FMOD_ERR_FILE_FORMAT;
        return nullptr;
    }

    try {
        auto sound = std::make_shared<DecodedSound>();
        sound->sourceRate = info.samplerate;
        sound->sourceBytesPerFrame = info.channels * 2;
        std::vector<short> chunk(static_cast<size_t>(kChunkFrames * info.channels));
        sf_count_t remaining = static_cast<sf_count_t>(kMaxSoundSeconds) * info.samplerate;
        // The header's frame count is an estimate for compressed files; it
        // only spares the buffer its regrowth.
        if (info.frames > 0) {
            sound->samples.reserve(static_cast<size_t>(std::min(info.frames, remaining)) * 2);
        }
        while (remaining > 0) {
            sf_count_t got = sf_readf_short(file.get(), chunk.data(),
                                            remaining < kChunkFrames ? remaining : kChunkFrames);
            if (got <= 0) {
                break;
            }
            AppendAsStereo(chunk.data(), got, info.channels, sound->samples);
            remaining -= got;
        }
        if (info.samplerate != mixRate) {
            sound->samples = ConvertRate(sound->samples, info.samplerate, mixRate);
        }
        *error = FMOD_ERR_NONE;
        return sound;
    } catch (const std::bad_alloc&) {
        *error = FMOD_ERR_MEMORY;
        return nullptr;
    }
}
