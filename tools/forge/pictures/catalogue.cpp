#include "forge/pictures/catalogue.h"

#include <exception>
#include <filesystem>

#include "forge/common/jpeg_writer.h"
#include "forge/pictures/bands.h"
#include "forge/pictures/pictures.h"

namespace {

std::string SlashPath(const char* windowsPath)
{
    std::string path = windowsPath;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

Image Volume1() { return MakeVolumePicture(0); }
Image Volume2() { return MakeVolumePicture(1); }
Image Volume3() { return MakeVolumePicture(2); }
Image Volume4() { return MakeVolumePicture(3); }
Image Volume5() { return MakeVolumePicture(4); }

} // namespace

const std::vector<PictureEntry>& PictureCatalogue()
{
    static const std::vector<PictureEntry> catalogue = {
        {"data/rewind.jpg", MakeRewindSign},
        {"data/black.jpg", MakeBlack},
        {"data/white.jpg", MakeWhite},
        {"data/flara3.jpg", MakeFlareWarm},
        {"data/tex0.jpg", MakePlasmaTile},
        {"data/tex1.jpg", MakeChromeTile},
        {"data/tex2.jpg", MakeTechTile},
        {"data/tex3.jpg", MakeCellTile},
        {"data/tex4.jpg", MakeInterferenceTile},
        {"data/logo.jpg", MakeLogo},
        {"data/fx01_tlo.jpg", MakeSwirlBackground},
        {"data/wisnia.jpg", MakeCherry},
        {"data/czarna.jpg", MakeDarkGlossTile},
        {"data/back.jpg", MakeFloorTile},
        {"data/layers.jpg", MakeStrata},
        {"data/fx04_tlo.jpg", MakeFrameColour},
        {"data/fx04_tloalpha.jpg", MakeFrameAlpha},
        {"data/flara03.jpg", MakeFlareCool},
        {"data/fx03_tlo.jpg", MakeFlashBackground},
        {"data/flaraorbita.jpg", MakeFlareOrbit},
        {"data/fx06_tlo.jpg", MakeGoldBackground},
        {"data/fx06_tloalfa.jpg", MakeGoldEmblemAlpha},
        {"data/lay.jpg", MakeLetterboxColour},
        {"data/layalpha.jpg", MakeLetterboxAlpha},
        {"data/rebirth.jpg", MakeSunriseBackground},
        {"data/fxend_tlo.jpg", MakeEndColour},
        {"data/fxend_tloalfa.jpg", MakeEndAlpha},
        {"data/flarainv.jpg", MakeFlareInverse},
        {"data/nightglass512.jpg", MakeNightGlass},
        {"data/dupa2.jpg", MakeChessTile},
        {"data/niebo.jpg", MakeSkyFromAbove},
        {"data/greetsblack.jpg", MakeGreetingsColour},
        {"data/greets.jpg", MakeGreetingsAlpha},
        {"data/pasek.jpg", MakeBarColour},
        {"data/pasekalpha.jpg", MakeBarAlpha},
        {"data/obraz.jpg", MakeEclipse},
        {"data/obrazalpha.jpg", MakeEclipseStudyAlpha},
        {"data/obrazalpha22.jpg", MakeEclipseRingAlpha},
        {"data/obrazalpha3.jpg", MakeEclipseCoreAlpha},
        {"data/back2.jpg", MakeTunnelTile},
        {"data/t5.jpg", MakeHorizonTile},
        {"data/red.jpg", MakeRed},
        {"data/foko.jpg", MakeFocusGlow},
        {"data/volu1.jpg", Volume1},
        {"data/volu2.jpg", Volume2},
        {"data/volu3.jpg", Volume3},
        {"data/volu4.jpg", Volume4},
        {"data/volu5.jpg", Volume5},
        {"data/flara3zzz.jpg", MakeFlareRinged},
        {"data/fx05_tlo.jpg", MakeVolumeBackground},
        {"data/flara2.jpg", MakeFlareSoft},
        {SlashPath(kLetterBands.file), MakeLetterBands},
        {SlashPath(kPatternBands.file), MakePatternBands},
    };
    return catalogue;
}

bool WritePictures(const std::string& outdir, std::string& error)
{
    try {
        for (const PictureEntry& entry : PictureCatalogue()) {
            const std::filesystem::path path = std::filesystem::path(outdir) / entry.file;
            std::filesystem::create_directories(path.parent_path());
            if (!WriteJpeg(path.string(), entry.make(), error)) {
                return false;
            }
        }
    } catch (const std::exception& failure) {
        error = failure.what();
        return false;
    }
    return true;
}
