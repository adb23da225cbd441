#pragma once
// The parameter files of the show, as text. Each builder returns the whole
// file; WriteIniFiles puts them under the show directory.

#include <string>
#include <vector>

std::string DemoIni();      // demo.ini: the music volume
std::string LayerIni();     // data/layer.ini: the band pictures and when each band scrolls by
std::string ZnakiIni();     // data/znaki.ini: the signs drawn large, 40x30
std::string Znaki2Ini();    // data/znaki2.ini: the signs of the 4x5 matrix
std::string GreetsIni();    // data/greets.ini: the greetings stripes and their cells
std::string FlyIni();       // data/fly.ini: the depths of the planes' trails

struct IniFile {
    std::string file;  // relative to the show directory, with '/'
    std::string (*make)();
};

const std::vector<IniFile>& IniCatalogue();

bool WriteIniFiles(const std::string& outdir, std::string& error);
