#include "forge/ini/ini_files.h"

#include <exception>
#include <filesystem>
#include <fstream>

const std::vector<IniFile>& IniCatalogue()
{
    static const std::vector<IniFile> catalogue = {
        {"demo.ini", DemoIni},           {"data/layer.ini", LayerIni},   {"data/znaki.ini", ZnakiIni},
        {"data/znaki2.ini", Znaki2Ini}, {"data/greets.ini", GreetsIni}, {"data/fly.ini", FlyIni},
    };
    return catalogue;
}

bool WriteIniFiles(const std::string& outdir, std::string& error)
{
    try {
        for (const IniFile& ini : IniCatalogue()) {
            const std::filesystem::path path = std::filesystem::path(outdir) / ini.file;
            std::filesystem::create_directories(path.parent_path());
            std::ofstream stream(path, std::ios::binary);
            stream << ini.make();
            if (!stream.flush()) {
                error = "cannot write " + path.string();
                return false;
            }
        }
    } catch (const std::exception& failure) {
        error = failure.what();
        return false;
    }
    return true;
}
