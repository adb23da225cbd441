#pragma once
// What rewind-capture was asked to render.

#include <cstdint>
#include <string>
#include <vector>

struct CaptureOptions {
    std::vector<std::uint32_t> times; // show times in milliseconds, rising
    std::vector<bool> written;        // per time: false for a lead-in frame, drawn but not written
    bool numberedFrames = false; // a range at a frame rate: files named by frame number
    std::string outputDirectory;
    std::string videoFile;      // a range encoded, with the music, into this file instead of PNG files
    std::uint32_t fps = 60;     // the range's frame rate
    int videoWidth = 0;         // the video's frame; 0: the rendered size
    int videoHeight = 0;
    int scale = 1;
    bool bench = false; // time every frame and print figures per slot; nothing is written
};

// Null error: the options. Otherwise `error` says what is wrong.
bool ParseCaptureOptions(int argumentCount, char** arguments, CaptureOptions* options, std::string* error);

extern const char* const captureUsage;
