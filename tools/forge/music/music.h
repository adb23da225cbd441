#pragma once
// The show's music track: composed and synthesised here, the same bytes on
// every run. 271 seconds, 44.1 kHz stereo; MP3 unless the name ends in ".wav".

#include <string>

bool WriteMusic(const std::string& path, std::string& error);
