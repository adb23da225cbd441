#include "forge/forge.h"

#include <filesystem>
#include <system_error>

#include "forge/ini/ini_files.h"
#include "forge/music/music.h"
#include "forge/objects/objects.h"
#include "forge/pictures/catalogue.h"
#include "forge/scene/scene.h"

namespace {

bool PrepareDirectory(const std::string& outdir, std::string& error)
{
    std::error_code failure;
    std::filesystem::create_directories(outdir, failure);
    if (failure || !std::filesystem::is_directory(outdir, failure)) {
        error = "cannot create the directory " + outdir + (failure ? ": " + failure.message() : "");
        return false;
    }
    return true;
}

} // namespace

bool WriteShow(const std::string& outdir, std::string& error)
{
    if (!PrepareDirectory(outdir, error) || !WritePictures(outdir, error) || !WriteIniFiles(outdir, error)) {
        return false;
    }
    if (!WriteMusic((std::filesystem::path(outdir) / "music.mp3").string(), error)) return false;
    if (!WriteObjects(outdir, error)) return false;
    if (!WriteScene(outdir, error)) return false;
    return true;
}
