#pragma once
// File decoders behind FSOUND_Stream_OpenFile and FMUSIC_LoadSong. Each
// returns null and an FMOD_ERRORS code when the file cannot be decoded; a
// file that decodes to no samples is a valid, silent sound.

#include <memory>

#include "platform/fmod/decoded_sound.h"

// Streams through libsndfile. `mode` describes raw data (FSOUND_8BITS,
// FSOUND_STEREO, FSOUND_UNSIGNED, ...) for a ".raw" file without a header.
std::shared_ptr<const DecodedSound> DecodeStreamFile(const char* windowsName, unsigned mode,
                                                     int mixRate, int* error);

// Modules through libopenmpt, rendered once through to their end.
std::shared_ptr<const DecodedSound> DecodeModuleFile(const char* windowsName, int mixRate,
                                                     int* error);

// Converts interleaved stereo from one rate to another (SDL's resampler).
std::vector<std::int16_t> ConvertRate(const std::vector<std::int16_t>& stereo, int fromRate,
                                      int toRate);
