#pragma once
// rewind-forge writes every data file the show reads into one directory:
// the pictures and parameter files, the music, the objects and the scene.
// The same bytes on every run: nothing reads a clock or unseeded randomness.

#include <string>

bool WriteShow(const std::string& outdir, std::string& error);
