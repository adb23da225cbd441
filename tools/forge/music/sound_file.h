#pragma once
// Writes the finished mix through libsndfile: MP3 for the show, or 16-bit
// WAV when the name ends in ".wav" (for listening without the encoder).

#include <string>

#include "stereo_buffer.h"

namespace music {

bool WriteSoundFile(const std::string& path, const StereoBuffer& mix, std::string& error);

} // namespace music
