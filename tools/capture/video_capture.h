#pragma once
// The captured show as a video: each presented frame of a range goes to the
// encoder together with the music that plays until the next frame, read from
// the virtual clock's mix. Frame n of the video shows show time
// from + n * 1000 / fps milliseconds, and its sound is the mix from that time
// on: the samples the spectrum of that frame was taken from. Encoding runs
// beside the rendering of the next frames.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "capture_options.h"
#include "encoding_thread.h"
#include "platform/d3d8/presentation.h"
#include "progress_line.h"
#include "video_encoder.h"

class VideoCapture {
public:
    explicit VideoCapture(const CaptureOptions& options);

    // Creates the file before anything is rendered.
    bool Create(std::string* error);
    // Frame `index` of the range, just presented.
    bool AddFrame(std::size_t index, const PresentedFrame& frame, std::string* error);
    // Closes the file, playable up to the last frame added.
    bool Finish(std::string* error);
    // One line, once frames were written: what they were and how fast
    // rendering and encoding went.
    void PrintSummary() const;

private:
    using Clock = std::chrono::steady_clock;
    bool Begin(const PresentedFrame& frame, std::string* error);
    bool Encode(std::size_t index, const PresentedFrame& frame, std::string* error);
    std::int64_t MixFrameAt(std::size_t videoFrame) const;

    const CaptureOptions& options;
    VideoEncoder encoder;
    std::unique_ptr<EncodingThread> encoding; // ends before the encoder
    ProgressLine progress;
    int mixRate = 0;
    std::int64_t mixRead = 0; // the mix's timeline frame up to which the sound is encoded
    std::vector<std::int16_t> mix;
    std::size_t framesAdded = 0;
    Clock::time_point firstFrame;
    Clock::time_point finished;
    Clock::duration encodingTime{}; // the worker's, and the final flush
    Clock::duration waitingTime{};  // rendering waiting for the encoder
    Clock::duration flushTime{};    // from the last frame to the closed file
};
