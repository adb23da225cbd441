#pragma once
// Encodes on a thread of its own while the next frame renders. Frames and
// their sound are copied into a short queue (a few frames: rendering waits
// when it is full, so memory stays bounded); the worker hands them to the
// encoder in order. The first failure stops the work and is reported by the
// next call.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "video_encoder.h"

class EncodingThread {
public:
    using Clock = std::chrono::steady_clock;

    explicit EncodingThread(VideoEncoder& encoder);
    ~EncodingThread();
    EncodingThread(const EncodingThread&) = delete;
    EncodingThread& operator=(const EncodingThread&) = delete;

    // Queues a frame (`bytes` of RGBA) and the sound that follows it
    // (`audioFrames` of interleaved 16-bit stereo, possibly none). False,
    // with `error`, once encoding has failed.
    bool Add(const std::uint8_t* rgba, std::size_t bytes, const std::int16_t* stereo, std::size_t audioFrames,
             std::string* error);
    // Waits until everything queued is encoded; false with `error` if any of it failed.
    bool Drain(std::string* error);

    // Time the worker spent encoding, and time Add spent waiting for room.
    Clock::duration Encoding() const;
    Clock::duration Waiting() const { return waiting; }

private:
    struct Job {
        std::vector<std::uint8_t> rgba;
        std::vector<std::int16_t> stereo;
        std::size_t audioFrames = 0;
    };
    static constexpr std::size_t maxQueued = 3;

    void Work();
    bool Encode(Job& job, std::string* error);

    VideoEncoder& encoder;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> queued;
    std::vector<Job> spare; // finished jobs, their buffers kept for reuse
    bool busy = false;
    bool stopping = false;
    bool failed = false;
    std::string failure;
    Clock::duration encoding{};
    Clock::duration waiting{};
    std::thread worker;
};
