#include "video_capture.h"

#include <cstdio>

#include "platform/fmod/virtual_clock.h"

VideoCapture::VideoCapture(const CaptureOptions& options) : options(options), progress(options.times.size()) {}

bool VideoCapture::Create(std::string* error)
{
    return encoder.Create(options.videoFile, error);
}

// The sound system starts with the show, so its rate is known at the first frame.
bool VideoCapture::Begin(const PresentedFrame& frame, std::string* error)
{
    VideoFormat format;
    format.pictureWidth = frame.width;
    format.pictureHeight = frame.height;
    format.frameWidth = options.videoWidth > 0 ? options.videoWidth : frame.width;
    format.frameHeight = options.videoHeight > 0 ? options.videoHeight : frame.height;
    format.fps = static_cast<int>(options.fps);
    format.sampleRate = mixRate = SoundMixRate();
    if (!encoder.Begin(format, error)) return false;
    if (encoder.VideoCodecName() != "libx264")
        std::fprintf(stderr, "rewind-capture: libx264 is missing from this libavcodec; encoding with %s\n",
                     encoder.VideoCodecName().c_str());
    mixRead = MixFrameAt(0);
    encoding = std::make_unique<EncodingThread>(encoder);
    firstFrame = Clock::now();
    return true;
}

std::int64_t VideoCapture::MixFrameAt(std::size_t videoFrame) const
{
    const std::int64_t from = options.times.front();
    return (from * mixRate + 500) / 1000 + static_cast<std::int64_t>(videoFrame) * mixRate / options.fps;
}

bool VideoCapture::AddFrame(std::size_t index, const PresentedFrame& frame, std::string* error)
{
    if (!Encode(index, frame, error)) {
        progress.End();
        return false;
    }
    progress.Update(framesAdded);
    return true;
}

bool VideoCapture::Encode(std::size_t index, const PresentedFrame& frame, std::string* error)
{
    if (framesAdded == 0 && !Begin(frame, error)) return false;
    // The sound up to the next frame's time, read now: a later change of
    // volume must not reach back into it.
    const std::int64_t end = MixFrameAt(index + 1);
    std::size_t audioFrames = 0;
    if (mixRate > 0 && end > mixRead) {
        audioFrames = static_cast<std::size_t>(end - mixRead);
        mix.resize(audioFrames * 2);
        ReadSoundMix(mixRead, audioFrames, mix.data());
        mixRead = end;
    }
    const std::size_t bytes = static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 4;
    if (!encoding->Add(frame.rgba, bytes, mix.data(), audioFrames, error)) return false;
    ++framesAdded;
    return true;
}

bool VideoCapture::Finish(std::string* error)
{
    progress.End();
    const Clock::time_point start = Clock::now();
    bool finished = true;
    if (encoding) {
        finished = encoding->Drain(error);
        encodingTime = encoding->Encoding();
        waitingTime = encoding->Waiting();
        encoding.reset();
    }
    const Clock::time_point flushing = Clock::now();
    std::string finishError;
    if (!encoder.Finish(&finishError) && finished) {
        *error = finishError;
        finished = false;
    }
    this->finished = Clock::now();
    encodingTime += this->finished - flushing;
    flushTime = this->finished - start;
    return finished;
}

void VideoCapture::PrintSummary() const
{
    if (framesAdded == 0) return;
    using Seconds = std::chrono::duration<double>;
    const double encodingSeconds = Seconds(encodingTime).count();
    // The first frame also carries the show's start-up: the rendering rate
    // counts the frames after it, without the time spent waiting for the
    // encoder and the final flush.
    const double renderingSeconds = Seconds(finished - firstFrame - waitingTime - flushTime).count();
    const double rendered = static_cast<double>(framesAdded) - 1.0;
    std::fprintf(stderr,
                 "rewind-capture: wrote %s: %zu frames (%.2f s) with %s; rendering %.1f frames/s, encoding %.1f "
                 "frames/s\n",
                 options.videoFile.c_str(), framesAdded, static_cast<double>(framesAdded) / options.fps,
                 encoder.VideoCodecName().c_str(), renderingSeconds > 0.0 ? rendered / renderingSeconds : 0.0,
                 encodingSeconds > 0.0 ? static_cast<double>(framesAdded) / encodingSeconds : 0.0);
}
