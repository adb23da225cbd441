#pragma once
// Encodes rendered frames and the music into a video file through FFmpeg's
// libraries: H.264 (x264, "superfast", constant quality 20, 4:2:0) and AAC at
// 192 kb/s. Each frame is fitted into the video's frame with black bars when
// their shapes differ.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct VideoFormat {
    int pictureWidth = 0; // the RGBA frames handed to AddFrame
    int pictureHeight = 0;
    int frameWidth = 0; // the video's frames, even
    int frameHeight = 0;
    int fps = 60;
    int sampleRate = 0; // of the 16-bit stereo handed to AddAudio; 0: no sound track
};

class VideoEncoder {
public:
    VideoEncoder();
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Creates the file (its type from its name, MP4 when the name says
    // nothing); so that a path that cannot be written fails before any
    // rendering. False with `error` saying why.
    bool Create(const std::string& path, std::string* error);

    // Sets up the encoders and writes the file's header.
    bool Begin(const VideoFormat& format, std::string* error);

    // The next frame, 8-bit RGBA, top row first, the picture size of Begin.
    bool AddFrame(const std::uint8_t* rgba, std::string* error);

    // The sound that follows what was added before, interleaved 16-bit stereo.
    bool AddAudio(const std::int16_t* stereo, std::size_t frames, std::string* error);

    // Encodes what the encoders still hold and writes the file's index: the
    // file then plays up to the last frame added. A file this encoder
    // created and never began is removed.
    bool Finish(std::string* error);

    // The video encoder in use ("libx264" unless that was missing).
    std::string VideoCodecName() const;

private:
    struct Codecs;
    std::unique_ptr<Codecs> codecs;
};
