#include "video_encoder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "picture_fit.h"

namespace {

constexpr const char* preferredVideoCodec = "libx264";
constexpr std::int64_t audioBitRate = 192000;
// Rates AAC has no table for are resampled to this one.
constexpr int fallbackSampleRate = 48000;

std::string ErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

bool Fail(std::string* error, const std::string& what, int code)
{
    *error = what + ": " + ErrorText(code);
    return false;
}

// The best H.264 encoder this libavcodec has; the container's own video
// codec when it has none.
const AVCodec* FindVideoCodec(const AVOutputFormat* container)
{
    if (const AVCodec* codec = avcodec_find_encoder_by_name(preferredVideoCodec)) return codec;
    if (const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_H264)) return codec;
    return avcodec_find_encoder(container->video_codec);
}

int SupportedSampleRate(const AVCodec* codec, int wanted)
{
    if (codec->supported_samplerates == nullptr) return wanted;
    for (const int* rate = codec->supported_samplerates; *rate != 0; ++rate)
        if (*rate == wanted) return wanted;
    return fallbackSampleRate;
}

} // namespace

struct VideoEncoder::Codecs {
    std::string path;
    bool createdHere = false; // the path named nothing before: only then may it be removed
    AVFormatContext* container = nullptr;
    bool headerWritten = false;
    VideoFormat format;
    PictureArea area;

    AVCodecContext* video = nullptr;
    AVStream* videoStream = nullptr;
    AVFrame* picture = nullptr;
    SwsContext* scaler = nullptr;
    std::int64_t videoPts = 0;

    AVCodecContext* audio = nullptr;
    AVStream* audioStream = nullptr;
    AVFrame* sound = nullptr;
    SwrContext* resampler = nullptr;
    AVAudioFifo* pending = nullptr;
    std::vector<std::vector<float>> converted; // one plane per channel
    std::int64_t audioPts = 0;

    AVPacket* packet = nullptr;

    ~Codecs()
    {
        av_packet_free(&packet);
        av_audio_fifo_free(pending);
        swr_free(&resampler);
        av_frame_free(&sound);
        avcodec_free_context(&audio);
        sws_freeContext(scaler);
        av_frame_free(&picture);
        avcodec_free_context(&video);
        if (container != nullptr) {
            avio_closep(&container->pb);
            avformat_free_context(container);
        }
    }

    // Writes every packet the encoder has ready (all of them once drained).
    bool WritePackets(AVCodecContext* codec, AVStream* stream, std::string* error)
    {
        for (;;) {
            const int received = avcodec_receive_packet(codec, packet);
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
            if (received < 0) return Fail(error, "encoding failed", received);
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            const int written = av_interleaved_write_frame(container, packet);
            if (written < 0) return Fail(error, "cannot write " + path, written);
        }
    }

    bool Encode(AVCodecContext* codec, AVStream* stream, const AVFrame* frame, std::string* error)
    {
        const int sent = avcodec_send_frame(codec, frame);
        if (sent < 0) return Fail(error, "encoding failed", sent);
        return WritePackets(codec, stream, error);
    }

    bool OpenVideo(std::string* error)
    {
        const AVCodec* codec = FindVideoCodec(container->oformat);
        if (codec == nullptr) {
            *error = "this libavcodec has no video encoder for " + path;
            return false;
        }
        video = avcodec_alloc_context3(codec);
        video->width = format.frameWidth;
        video->height = format.frameHeight;
        video->time_base = AVRational{1, format.fps};
        video->framerate = AVRational{format.fps, 1};
        video->pix_fmt = AV_PIX_FMT_YUV420P;
        video->color_range = AVCOL_RANGE_MPEG;
        video->colorspace = AVCOL_SPC_BT709;
        video->color_primaries = AVCOL_PRI_BT709;
        video->color_trc = AVCOL_TRC_BT709;
        if (codec->id == AV_CODEC_ID_H264) {
            av_opt_set(video->priv_data, "preset", "superfast", 0);
            av_opt_set(video->priv_data, "crf", "20", 0);
        } else {
            video->bit_rate = std::int64_t{format.frameWidth} * format.frameHeight * format.fps / 4;
        }
        if (container->oformat->flags & AVFMT_GLOBALHEADER) video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        const int opened = avcodec_open2(video, codec, nullptr);
        if (opened < 0) return Fail(error, std::string("cannot open the video encoder ") + codec->name, opened);

        videoStream = avformat_new_stream(container, nullptr);
        videoStream->time_base = video->time_base;
        videoStream->avg_frame_rate = video->framerate;
        avcodec_parameters_from_context(videoStream->codecpar, video);

        picture = av_frame_alloc();
        picture->format = video->pix_fmt;
        picture->width = video->width;
        picture->height = video->height;
        picture->color_range = video->color_range;
        picture->colorspace = video->colorspace;
        const int allocated = av_frame_get_buffer(picture, 0);
        if (allocated < 0) return Fail(error, "out of memory", allocated);
        // Black bars: the picture area is overwritten every frame, the rest stays.
        for (int plane = 0; plane < 3; ++plane) {
            const int rows = plane == 0 ? picture->height : picture->height / 2;
            std::fill_n(picture->data[plane], std::size_t(picture->linesize[plane]) * rows, plane == 0 ? 16 : 128);
        }

        area = FitPicture(format.pictureWidth, format.pictureHeight, format.frameWidth, format.frameHeight);
        // Supersampled frames are averaged down; anything else is interpolated.
        const bool shrinking = area.width < format.pictureWidth;
        scaler = sws_getContext(format.pictureWidth, format.pictureHeight, AV_PIX_FMT_RGBA, area.width, area.height,
                                AV_PIX_FMT_YUV420P, (shrinking ? SWS_AREA : SWS_BICUBIC) | SWS_ACCURATE_RND,
                                nullptr, nullptr, nullptr);
        if (scaler == nullptr) {
            *error = "cannot convert the frames to the video's size";
            return false;
        }
        sws_setColorspaceDetails(scaler, sws_getCoefficients(SWS_CS_DEFAULT), 1, sws_getCoefficients(SWS_CS_ITU709), 0,
                                 0, 1 << 16, 1 << 16);
        return true;
    }

    bool OpenAudio(std::string* error)
    {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (codec == nullptr) {
            *error = "this libavcodec has no AAC encoder";
            return false;
        }
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO; // not const: swresample takes it so
        audio = avcodec_alloc_context3(codec);
        audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
        audio->sample_rate = SupportedSampleRate(codec, format.sampleRate);
        audio->bit_rate = audioBitRate;
        audio->time_base = AVRational{1, audio->sample_rate};
        av_channel_layout_copy(&audio->ch_layout, &stereo);
        if (container->oformat->flags & AVFMT_GLOBALHEADER) audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        const int opened = avcodec_open2(audio, codec, nullptr);
        if (opened < 0) return Fail(error, "cannot open the AAC encoder", opened);

        audioStream = avformat_new_stream(container, nullptr);
        audioStream->time_base = audio->time_base;
        avcodec_parameters_from_context(audioStream->codecpar, audio);

        const int made = swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_FLTP, audio->sample_rate, &stereo,
                                             AV_SAMPLE_FMT_S16, format.sampleRate, 0, nullptr);
        if (made < 0 || swr_init(resampler) < 0) {
            *error = "cannot convert the music for the AAC encoder";
            return false;
        }
        pending = av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, 2, audio->frame_size);
        converted.resize(2);
        sound = av_frame_alloc();
        sound->format = AV_SAMPLE_FMT_FLTP;
        sound->sample_rate = audio->sample_rate;
        av_channel_layout_copy(&sound->ch_layout, &stereo);
        sound->nb_samples = audio->frame_size;
        const int allocated = av_frame_get_buffer(sound, 0);
        if (allocated < 0) return Fail(error, "out of memory", allocated);
        return true;
    }

    // Encodes whole encoder frames from what is pending; with `all`, the
    // shorter last one too.
    bool EncodePendingAudio(bool all, std::string* error)
    {
        for (;;) {
            const int available = av_audio_fifo_size(pending);
            if (available == 0 || (available < audio->frame_size && !all)) return true;
            const int count = std::min(available, audio->frame_size);
            const int ready = av_frame_make_writable(sound);
            if (ready < 0) return Fail(error, "out of memory", ready);
            sound->nb_samples = count;
            av_audio_fifo_read(pending, reinterpret_cast<void**>(sound->data), count);
            sound->pts = audioPts;
            audioPts += count;
            if (!Encode(audio, audioStream, sound, error)) return false;
        }
    }

    // Resamples (or only converts) `frames` input frames, none to flush what
    // the resampler holds, into the pending samples.
    bool Convert(const std::int16_t* stereo, int frames, std::string* error)
    {
        const int room = swr_get_out_samples(resampler, frames);
        if (room <= 0) return true;
        for (auto& plane : converted) plane.resize(std::size_t(room));
        std::uint8_t* planes[2] = {reinterpret_cast<std::uint8_t*>(converted[0].data()),
                                   reinterpret_cast<std::uint8_t*>(converted[1].data())};
        const std::uint8_t* input = reinterpret_cast<const std::uint8_t*>(stereo);
        const int produced = swr_convert(resampler, planes, room, stereo != nullptr ? &input : nullptr, frames);
        if (produced < 0) return Fail(error, "cannot convert the music", produced);
        if (av_audio_fifo_write(pending, reinterpret_cast<void**>(planes), produced) < produced) {
            *error = "out of memory";
            return false;
        }
        return true;
    }
};

VideoEncoder::VideoEncoder() : codecs(std::make_unique<Codecs>()) {}

VideoEncoder::~VideoEncoder() = default;

bool VideoEncoder::Create(const std::string& path, std::string* error)
{
    codecs->path = path;
    std::error_code unknown;
    codecs->createdHere = !std::filesystem::exists(std::filesystem::symlink_status(path, unknown));
    // The encoders' notes (x264's settings and statistics) are not for the user.
    av_log_set_level(AV_LOG_ERROR);
    const AVOutputFormat* type = av_guess_format(nullptr, path.c_str(), nullptr);
    if (type == nullptr) type = av_guess_format("mp4", nullptr, nullptr);
    const int made = avformat_alloc_output_context2(&codecs->container, type, nullptr, path.c_str());
    if (made < 0) return Fail(error, "cannot make a video file", made);
    const int opened = avio_open(&codecs->container->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (opened < 0) return Fail(error, "cannot write " + path, opened);
    return true;
}

bool VideoEncoder::Begin(const VideoFormat& format, std::string* error)
{
    codecs->format = format;
    if (!codecs->OpenVideo(error)) return false;
    if (format.sampleRate > 0 && !codecs->OpenAudio(error)) return false;
    codecs->packet = av_packet_alloc();
    const int written = avformat_write_header(codecs->container, nullptr);
    if (written < 0) return Fail(error, "cannot write " + codecs->path, written);
    codecs->headerWritten = true;
    return true;
}

bool VideoEncoder::AddFrame(const std::uint8_t* rgba, std::string* error)
{
    Codecs& c = *codecs;
    const int ready = av_frame_make_writable(c.picture);
    if (ready < 0) return Fail(error, "out of memory", ready);
    const int stride = c.format.pictureWidth * 4;
    std::uint8_t* target[3];
    for (int plane = 0; plane < 3; ++plane) {
        const int x = plane == 0 ? c.area.x : c.area.x / 2;
        const int y = plane == 0 ? c.area.y : c.area.y / 2;
        target[plane] = c.picture->data[plane] + std::ptrdiff_t(y) * c.picture->linesize[plane] + x;
    }
    sws_scale(c.scaler, &rgba, &stride, 0, c.format.pictureHeight, target, c.picture->linesize);
    c.picture->pts = c.videoPts++;
    return c.Encode(c.video, c.videoStream, c.picture, error);
}

bool VideoEncoder::AddAudio(const std::int16_t* stereo, std::size_t frames, std::string* error)
{
    if (codecs->audio == nullptr || frames == 0) return true;
    return codecs->Convert(stereo, static_cast<int>(frames), error) && codecs->EncodePendingAudio(false, error);
}

bool VideoEncoder::Finish(std::string* error)
{
    Codecs& c = *codecs;
    if (!c.headerWritten) {
        if (c.container != nullptr) avio_closep(&c.container->pb);
        if (c.createdHere) std::remove(c.path.c_str());
        return true;
    }
    if (c.audio != nullptr) {
        if (!c.Convert(nullptr, 0, error) || !c.EncodePendingAudio(true, error)) return false;
        if (!c.Encode(c.audio, c.audioStream, nullptr, error)) return false;
    }
    if (!c.Encode(c.video, c.videoStream, nullptr, error)) return false;
    const int trailer = av_write_trailer(c.container);
    if (trailer < 0) return Fail(error, "cannot write " + c.path, trailer);
    const int closed = avio_closep(&c.container->pb);
    if (closed < 0) return Fail(error, "cannot write " + c.path, closed);
    return true;
}

std::string VideoEncoder::VideoCodecName() const
{
    return codecs->video != nullptr ? codecs->video->codec->name : "";
}
