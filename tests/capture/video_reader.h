#pragma once
// Decodes a whole video file through FFmpeg's libraries, for checking what
// rewind-capture wrote: every picture as 8-bit RGBA and the sound as mono.

#include <cstdint>
#include <string>
#include <vector>

struct DecodedVideo {
    int width = 0;
    int height = 0;
    std::string videoCodec;
    std::string audioCodec;
    double videoSeconds = 0.0; // the video stream's duration as the file states it
    std::vector<std::vector<std::uint8_t>> frames; // RGBA, top row first
    int sampleRate = 0;
    std::vector<float> sound; // left and right averaged, -1..1
};

// False with `error` when the file cannot be opened or decoded.
bool ReadVideo(const std::string& path, DecodedVideo* video, std::string* error);
