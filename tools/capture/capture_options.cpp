#include "capture_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

const char* const captureUsage =
    "usage: rewind-capture (--out DIR | --video FILE.mp4 | --bench) [--times MS,MS,... [--lead-in N]]\n"
    "                      [--from MS] [--to MS] [--fps N] [--scale K] [--size WxH]\n"
    "  Renders the show without a display, on a virtual clock, into PNG files in DIR\n"
    "  or into a video with the music.\n"
    "  --video   a range encoded as H.264 with the music as AAC, frame n at show time\n"
    "            from + n / fps\n"
    "  --times   the show times to render (each drawn after the ones before it)\n"
    "  --lead-in draw N frames 20 ms apart before each of the times, unwritten,\n"
    "            so that what effects carry from frame to frame is as in the show\n"
    "  --from, --to, --fps   a range of show times at a fixed frame rate\n"
    "                        (defaults: 0, 271000, 60)\n"
    "  --scale   render K times larger than 640x480 (1 to 4)\n"
    "  --size    the video's frame (even numbers); the picture is fitted into it\n"
    "            with black bars, for example 1920x1080 (default: the rendered size)\n"
    "  --bench   write nothing; print each slot's median and 99th-percentile frame time\n"
    "  --help, --version\n"
    "  The data files are looked for in $REWIND_DATA, the current directory,\n"
    "  ../share/rewind beside the executable and show/ beside the executable.\n";

namespace {

// A whole number of milliseconds, at most a day.
bool ParseTime(const char* text, std::uint32_t* value)
{
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || parsed < 0 || parsed > 86400000) {
        return false;
    }
    *value = static_cast<std::uint32_t>(parsed);
    return true;
}

bool ParseTimeList(const char* text, std::vector<std::uint32_t>* times)
{
    std::string list = text;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        std::uint32_t time = 0;
        if (!ParseTime(list.substr(start, comma - start).c_str(), &time)) {
            return false;
        }
        times->push_back(time);
        start = comma + 1;
    }
    return !times->empty();
}

// "WxH", both even (4:2:0 video halves them) and 16 to 8192.
bool ParseSize(const std::string& text, int* width, int* height)
{
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    if (!ParseTime(text.substr(0, x).c_str(), &w) || !ParseTime(text.substr(x + 1).c_str(), &h)) return false;
    const auto fits = [](std::uint32_t side) { return side >= 16 && side <= 8192 && side % 2 == 0; };
    if (!fits(w) || !fits(h)) return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

// The capture enters the show's data directory before it writes anything, so
// the paths it writes to are made absolute while the current directory is
// still the one they were given in.
std::string AbsolutePath(const char* path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? std::string(path) : absolute.string();
}

} // namespace

bool ParseCaptureOptions(int argumentCount, char** arguments, CaptureOptions* options, std::string* error)
{
    std::uint32_t from = 0;
    std::uint32_t to = 271000;
    std::uint32_t& fps = options->fps;
    std::uint32_t leadIn = 0;
    bool range = false;
    for (int index = 1; index < argumentCount; ++index) {
        const std::string option = arguments[index];
        if (option == "--bench") {
            options->bench = true;
            continue;
        }
        static const char* const valueOptions[] = {"--out", "--video", "--size", "--times", "--from",
                                                   "--to",  "--fps",   "--scale", "--lead-in"};
        if (std::find(std::begin(valueOptions), std::end(valueOptions), option) == std::end(valueOptions)) {
            *error = "unknown option " + option;
            return false;
        }
        if (index + 1 >= argumentCount) {
            *error = "missing value after " + option;
            return false;
        }
        const char* value = arguments[++index];
        std::uint32_t number = 0;
        if (option == "--out") {
            options->outputDirectory = AbsolutePath(value);
        } else if (option == "--video") {
            options->videoFile = AbsolutePath(value);
        } else if (option == "--size") {
            if (!ParseSize(value, &options->videoWidth, &options->videoHeight)) {
                *error = std::string("bad size (even width and height from 16 to 8192, as 1920x1080): ") + value;
                return false;
            }
        } else if (option == "--times") {
            if (!ParseTimeList(value, &options->times)) {
                *error = std::string("bad time list: ") + value;
                return false;
            }
        } else { // a number: --from, --to, --fps, --scale or --lead-in
            if (!ParseTime(value, &number)) {
                *error = "bad number for " + option + ": " + value;
                return false;
            }
            if (option == "--from") from = number, range = true;
            if (option == "--to") to = number, range = true;
            if (option == "--fps") fps = number, range = true;
            if (option == "--scale") options->scale = static_cast<int>(number);
            if (option == "--lead-in") leadIn = number;
        }
    }
    const int destinations = !options->outputDirectory.empty() + !options->videoFile.empty() + options->bench;
    if (destinations != 1) {
        *error = "give one of --out DIR, --video FILE and --bench";
        return false;
    }
    if (options->videoWidth > 0 && options->videoFile.empty()) {
        *error = "--size goes with --video";
        return false;
    }
    if (options->scale < 1 || options->scale > 4) {
        *error = "--scale must be 1 to 4";
        return false;
    }
    if (!options->times.empty() && range) {
        *error = "give either --times or a range, not both";
        return false;
    }
    if (!options->times.empty() && !options->videoFile.empty()) {
        *error = "--video takes a range (--from, --to, --fps), not --times";
        return false;
    }
    if (options->times.empty()) {
        if (fps == 0 || fps > 1000 || from > to) {
            *error = "the range needs 1 <= fps <= 1000 and from <= to";
            return false;
        }
        for (std::uint64_t frame = 0;; ++frame) {
            const std::uint64_t time = from + frame * 1000 / fps;
            if (time > to) break;
            options->times.push_back(static_cast<std::uint32_t>(time));
        }
        options->numberedFrames = true;
    }
    if (!std::is_sorted(options->times.begin(), options->times.end())) {
        *error = "the times must not fall: each frame is drawn after the ones before it";
        return false;
    }
    if (leadIn > 0 && options->numberedFrames) {
        *error = "--lead-in goes with --times";
        return false;
    }
    if (leadIn > 1000) {
        *error = "--lead-in must be at most 1000 frames";
        return false;
    }
    std::vector<std::uint32_t> requested;
    requested.swap(options->times);
    for (std::uint32_t time : requested) {
        for (std::uint32_t frame = leadIn; frame > 0; --frame) {
            const std::uint32_t step = frame * 20;
            if (step > time) continue;
            const std::uint32_t lead = time - step;
            if (!options->times.empty() && lead <= options->times.back()) continue;
            options->times.push_back(lead);
            options->written.push_back(false);
        }
        options->times.push_back(time);
        options->written.push_back(true);
    }
    return true;
}
