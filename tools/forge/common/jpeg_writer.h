#pragma once
// Writes a picture as a baseline JPEG file: grey pictures as one-channel
// JPEGs (the show reads alpha pictures from their grey level), colour
// pictures with full-resolution chroma so that thin lines and text stay clean.

#include <string>

#include "forge/common/image.h"

bool WriteJpeg(const std::string& path, const Image& image, std::string& error);

// The bytes of the 8-bit samples the JPEG is made from (values clamped and
// rounded), row by row; also what the contact sheet shows.
std::vector<unsigned char> QuantisedSamples(const Image& image);
