#include "video_reader.h"

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

struct Decoder {
    AVCodecContext* codec = nullptr;
    int stream = -1;
    ~Decoder() { avcodec_free_context(&codec); }

    bool Open(AVFormatContext* container, AVMediaType type)
    {
        const AVCodec* found = nullptr;
        stream = av_find_best_stream(container, type, -1, -1, &found, 0);
        if (stream < 0) return false;
        codec = avcodec_alloc_context3(found);
        avcodec_parameters_to_context(codec, container->streams[stream]->codecpar);
        return avcodec_open2(codec, found, nullptr) == 0;
    }
};

struct Pictures {
    SwsContext* scaler = nullptr;
    ~Pictures() { sws_freeContext(scaler); }

    // The capture writes limited-range BT.709; read it back the same way.
    void Add(const AVFrame* frame, DecodedVideo* video)
    {
        if (scaler == nullptr) {
            scaler = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                    frame->height, AV_PIX_FMT_RGBA, SWS_BICUBIC | SWS_ACCURATE_RND |
                                    SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
            sws_setColorspaceDetails(scaler, sws_getCoefficients(SWS_CS_ITU709), 0, sws_getCoefficients(SWS_CS_DEFAULT),
                                     1, 0, 1 << 16, 1 << 16);
        }
        std::vector<std::uint8_t> rgba(std::size_t(frame->width) * frame->height * 4);
        std::uint8_t* target[1] = {rgba.data()};
        const int stride[1] = {frame->width * 4};
        sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, target, stride);
        video->frames.push_back(std::move(rgba));
    }
};

void AddSound(const AVFrame* frame, DecodedVideo* video)
{
    const int channels = frame->ch_layout.nb_channels;
    for (int i = 0; i < frame->nb_samples; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c) sum += reinterpret_cast<const float*>(frame->extended_data[c])[i];
        video->sound.push_back(sum / static_cast<float>(channels));
    }
}

} // namespace

bool ReadVideo(const std::string& path, DecodedVideo* video, std::string* error)
{
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0) {
        *error = "cannot open " + path;
        return false;
    }
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> container(
        opened, [](AVFormatContext* c) { avformat_close_input(&c); });
    avformat_find_stream_info(container.get(), nullptr);

    Decoder pictures, sound;
    if (!pictures.Open(container.get(), AVMEDIA_TYPE_VIDEO)) {
        *error = "no video stream in " + path;
        return false;
    }
    const AVStream* videoStream = container->streams[pictures.stream];
    video->width = pictures.codec->width;
    video->height = pictures.codec->height;
    video->videoCodec = pictures.codec->codec->name;
    video->videoSeconds = static_cast<double>(videoStream->duration) * av_q2d(videoStream->time_base);
    if (sound.Open(container.get(), AVMEDIA_TYPE_AUDIO)) {
        video->audioCodec = sound.codec->codec->name;
        video->sampleRate = sound.codec->sample_rate;
        if (sound.codec->sample_fmt != AV_SAMPLE_FMT_FLTP) {
            *error = "the sound decodes to an unexpected sample format";
            return false;
        }
    }

    Pictures converter;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    const auto drain = [&](Decoder& decoder) {
        while (avcodec_receive_frame(decoder.codec, frame) == 0) {
            if (&decoder == &pictures) converter.Add(frame, video);
            else AddSound(frame, video);
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(container.get(), packet) == 0) {
        Decoder& decoder = packet->stream_index == pictures.stream ? pictures : sound;
        if (packet->stream_index == pictures.stream || packet->stream_index == sound.stream) {
            avcodec_send_packet(decoder.codec, packet);
            drain(decoder);
        }
        av_packet_unref(packet);
    }
    for (Decoder* decoder : {&pictures, &sound}) {
        if (decoder->codec == nullptr) continue;
        avcodec_send_packet(decoder->codec, nullptr);
        drain(*decoder);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    return true;
}
