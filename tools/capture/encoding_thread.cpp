#include "encoding_thread.h"

EncodingThread::EncodingThread(VideoEncoder& encoder) : encoder(encoder), worker([this] { Work(); }) {}

EncodingThread::~EncodingThread()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    worker.join();
}

bool EncodingThread::Add(const std::uint8_t* rgba, std::size_t bytes, const std::int16_t* stereo,
                         std::size_t audioFrames, std::string* error)
{
    std::unique_lock lock(mutex);
    const Clock::time_point start = Clock::now();
    changed.wait(lock, [this] { return queued.size() < maxQueued || failed; });
    waiting += Clock::now() - start;
    if (failed) {
        *error = failure;
        return false;
    }
    Job job;
    if (!spare.empty()) {
        job = std::move(spare.back());
        spare.pop_back();
    }
    lock.unlock();
    job.rgba.assign(rgba, rgba + bytes);
    job.stereo.assign(stereo, stereo + audioFrames * 2);
    job.audioFrames = audioFrames;
    lock.lock();
    queued.push_back(std::move(job));
    changed.notify_all();
    return true;
}

bool EncodingThread::Drain(std::string* error)
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return (queued.empty() && !busy) || failed; });
    if (failed) *error = failure;
    return !failed;
}

EncodingThread::Clock::duration EncodingThread::Encoding() const
{
    std::lock_guard lock(mutex);
    return encoding;
}

void EncodingThread::Work()
{
    std::unique_lock lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return !queued.empty() || stopping; });
        if (queued.empty() || failed) {
            if (stopping) return;
            queued.clear();
            continue;
        }
        Job job = std::move(queued.front());
        queued.pop_front();
        busy = true;
        lock.unlock();
        const Clock::time_point start = Clock::now();
        std::string error;
        const bool encoded = Encode(job, &error);
        const Clock::duration took = Clock::now() - start;
        lock.lock();
        busy = false;
        encoding += took;
        if (!encoded && !failed) {
            failed = true;
            failure = error;
        }
        spare.push_back(std::move(job));
        changed.notify_all();
    }
}

bool EncodingThread::Encode(Job& job, std::string* error)
{
    if (!encoder.AddFrame(job.rgba.data(), error)) return false;
    return job.audioFrames == 0 || encoder.AddAudio(job.stereo.data(), job.audioFrames, error);
}
