#include "sound_file.h"

#include <sndfile.h>

#include <vector>

#include "dsp.h"

namespace music {

namespace {

// 0 is the encoder's highest bitrate, 1 its lowest; 0.3 gives 170..230 kbit/s,
// enough to keep the cymbals clean. At the lowest bitrates the decoder also
// stops trimming the encoder's start-up delay and every hit drifts 25 ms late.
constexpr double kMp3CompressionLevel = 0.3;

constexpr sf_count_t kChunkFrames = 65536;

bool EndsWith(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

} // namespace

bool WriteSoundFile(const std::string& path, const StereoBuffer& mix, std::string& error)
{
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 2;
    bool wav = EndsWith(path, ".wav");
    info.format = wav ? (SF_FORMAT_WAV | SF_FORMAT_PCM_16) : (SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        error = "cannot open " + path + " for writing: " + sf_strerror(nullptr);
        return false;
    }
    if (!wav) {
        double level = kMp3CompressionLevel;
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof(level));
    }
    std::vector<float> interleaved(static_cast<std::size_t>(kChunkFrames) * 2);
    auto total = static_cast<sf_count_t>(mix.Frames());
    for (sf_count_t first = 0; first < total; first += kChunkFrames) {
        sf_count_t count = std::min(kChunkFrames, total - first);
        for (sf_count_t i = 0; i < count; ++i) {
            auto frame = static_cast<std::size_t>(first + i);
            interleaved[static_cast<std::size_t>(2 * i)] = mix.left[frame];
            interleaved[static_cast<std::size_t>(2 * i + 1)] = mix.right[frame];
        }
        if (sf_writef_float(file, interleaved.data(), count) != count) {
            error = "writing " + path + " failed: " + sf_strerror(file);
            sf_close(file);
            return false;
        }
    }
    if (sf_close(file) != 0) {
        error = "closing " + path + " failed";
        return false;
    }
    return true;
}

} // namespace music
