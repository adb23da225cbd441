// The pictures: present under the names the effects load, decodable by the
// show's own JPEG path, in the sizes their use needs, the same on every run.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

#include "forge/forged_show.h"

namespace {

std::string Contents(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Every file the effects and start-up load, as they name it.
const char* const kFilesTheShowLoads[] = {
    "data\\rewind.jpg",       "data\\black.jpg",        "data\\white.jpg",        "data\\flara3.jpg",
    "data\\tex0.jpg",         "data\\tex1.jpg",         "data\\tex2.jpg",         "data\\tex3.jpg",
    "data\\tex4.jpg",         "data\\logo.jpg",         "data\\fx01_tlo.jpg",     "data\\wisnia.jpg",
    "data\\czarna.jpg",       "data\\back.jpg",         "data\\layers.jpg",       "data\\fx04_tlo.jpg",
    "data\\fx04_tloalpha.jpg", "data\\flara03.jpg",     "data\\fx03_tlo.jpg",     "data\\fx06_tlo.jpg",
    "data\\fx06_tloalfa.jpg", "data\\lay.jpg",          "data\\layalpha.jpg",     "data\\rebirth.jpg",
    "data\\fxend_tlo.jpg",    "data\\fxend_tloalfa.jpg", "data\\flarainv.jpg",    "data\\nightglass512.jpg",
    "data\\dupa2.jpg",        "data\\niebo.jpg",        "data\\greetsblack.jpg",  "data\\greets.jpg",
    "data\\pasek.jpg",        "data\\pasekalpha.jpg",   "data\\obraz.jpg",        "data\\obrazalpha.jpg",
    "data\\obrazalpha22.jpg", "data\\obrazalpha3.jpg",  "data\\back2.jpg",        "data\\t5.jpg",
    "data\\red.jpg",          "data\\foko.jpg",         "data\\volu1.jpg",        "data\\volu2.jpg",
    "data\\volu3.jpg",        "data\\volu4.jpg",        "data\\volu5.jpg",        "data\\flara3zzz.jpg",
    "data\\fx05_tlo.jpg",     "data\\flara2.jpg",       "data\\flaraorbita.jpg",  "demo.ini",
    "data\\layer.ini",        "data\\znaki.ini",        "data\\znaki2.ini",       "data\\greets.ini",
    "data\\fly.ini",
};

std::string SlashName(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

// Mean difference, over the rows, between neighbouring columns: across the
// wrap (last column to first) and the largest between two inner columns.
struct EdgeContrast {
    double acrossWrap = 0, largestInside = 0;
};

EdgeContrast HorizontalContrast(const DecodedPicture& picture)
{
    auto columnStep = [&](unsigned left, unsigned right) {
        double sum = 0;
        for (unsigned y = 0; y < picture.height; ++y) {
            for (int c = 0; c < 3; ++c) sum += std::abs(picture.Channel(left, y, c) - picture.Channel(right, y, c));
        }
        return sum / (picture.height * 3.0);
    };
    EdgeContrast contrast;
    contrast.acrossWrap = columnStep(picture.width - 1, 0);
    for (unsigned x = 0; x + 1 < picture.width; ++x) {
        contrast.largestInside = std::max(contrast.largestInside, columnStep(x, x + 1));
    }
    return contrast;
}

DecodedPicture Transposed(const DecodedPicture& picture)
{
    DecodedPicture result{picture.height, picture.width, std::vector<unsigned char>(picture.bgrx.size())};
    for (unsigned y = 0; y < picture.height; ++y) {
        for (unsigned x = 0; x < picture.width; ++x) {
            std::copy_n(&picture.bgrx[(y * picture.width + x) * 4], 4, &result.bgrx[(x * picture.height + y) * 4]);
        }
    }
    return result;
}

} // namespace

TEST(ForgePictures, WritesTheSameBytesOnEveryRun)
{
    TempDir again;
    ForgePicturesAndIni(again.Path());
    size_t compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ForgedShow())) {
        if (!entry.is_regular_file()) continue;
        const auto relative = std::filesystem::relative(entry.path(), ForgedShow());
        EXPECT_EQ(Contents(entry.path()), Contents(again.Path() / relative)) << relative;
        ++compared;
    }
    EXPECT_EQ(compared, PictureCatalogue().size() + IniCatalogue().size());
}

TEST(ForgePictures, WritesEveryFileTheShowLoads)
{
    for (const char* name : kFilesTheShowLoads) {
        EXPECT_TRUE(std::filesystem::is_regular_file(ForgedShow() / SlashName(name))) << name;
    }
}

TEST(ForgePictures, EveryPictureDecodesInAPowerOfTwoSize)
{
    for (const PictureEntry& entry : PictureCatalogue()) {
        const DecodedPicture picture = Decode(entry.file);
        ASSERT_GT(picture.width, 0u) << entry.file;
        EXPECT_EQ(picture.width & (picture.width - 1), 0u) << entry.file;
        EXPECT_EQ(picture.height & (picture.height - 1), 0u) << entry.file;
    }
}

TEST(ForgePictures, SizesFollowHowTheEffectsDrawThem)
{
    const std::map<std::string, std::pair<unsigned, unsigned>> sizes = {
        // Stretched 20 times to 640 pixels by the streaks; squares of the sign matrix.
        {"data/black.jpg", {32, 32}}, {"data/white.jpg", {32, 32}},
        // Drawn 256x256 into the render target and tiled by the grids.
        {"data/tex0.jpg", {256, 256}}, {"data/tex4.jpg", {256, 256}},
        // Drawn 64x64 into the volume effect's target.
        {"data/volu1.jpg", {64, 64}}, {"data/volu5.jpg", {64, 64}},
        // Backgrounds showing their top 384 or 359 rows of 512.
        {"data/fx03_tlo.jpg", {512, 512}}, {"data/niebo.jpg", {512, 512}}, {"data/fx05_tlo.jpg", {512, 512}},
        // Four columns of 128-texel greetings cells.
        {"data/greets.jpg", {512, 128}},
        // Bands 1024 wide.
        {"data/bands_letters.jpg", {1024, 256}}, {"data/bands_patterns.jpg", {1024, 128}},
    };
    for (const auto& [file, size] : sizes) {
        const DecodedPicture picture = Decode(file);
        EXPECT_EQ(picture.width, size.first) << file;
        EXPECT_EQ(picture.height, size.second) << file;
    }
}

TEST(ForgePictures, AlphaPicturesAreGreyAndMatchTheirColourPictures)
{
    const std::pair<const char*, const char*> pairs[] = {
        {"data/fx04_tlo.jpg", "data/fx04_tloalpha.jpg"}, {"data/fx06_tlo.jpg", "data/fx06_tloalfa.jpg"},
        {"data/lay.jpg", "data/layalpha.jpg"},           {"data/fxend_tlo.jpg", "data/fxend_tloalfa.jpg"},
        {"data/greetsblack.jpg", "data/greets.jpg"},     {"data/pasek.jpg", "data/pasekalpha.jpg"},
        {"data/obraz.jpg", "data/obrazalpha22.jpg"},     {"data/obraz.jpg", "data/obrazalpha3.jpg"},
    };
    for (const auto& [colourFile, alphaFile] : pairs) {
        const DecodedPicture colour = Decode(colourFile), alpha = Decode(alphaFile);
        EXPECT_EQ(colour.width, alpha.width) << alphaFile;
        EXPECT_EQ(colour.height, alpha.height) << alphaFile;
        for (size_t i = 0; i < alpha.bgrx.size(); i += 4) {
            ASSERT_TRUE(alpha.bgrx[i] == alpha.bgrx[i + 1] && alpha.bgrx[i] == alpha.bgrx[i + 2]) << alphaFile;
        }
    }
}

TEST(ForgePictures, FadesAndStreaksArePlainBlackAndWhite)
{
    const DecodedPicture black = Decode("data/black.jpg"), white = Decode("data/white.jpg");
    EXPECT_TRUE(std::all_of(black.bgrx.begin(), black.bgrx.end(), [](unsigned char v) { return v == 0; }));
    for (size_t i = 0; i < white.bgrx.size(); i += 4) {
        ASSERT_EQ(std::min({white.bgrx[i], white.bgrx[i + 1], white.bgrx[i + 2]}), 255);
    }
}

TEST(ForgePictures, TilesWrapWithoutASeam)
{
    // A seam is a step across the wrap larger than any step between two
    // columns (or rows) inside the picture, hard pattern edges included.
    for (const char* file : {"data/tex0.jpg", "data/tex1.jpg", "data/tex2.jpg", "data/tex3.jpg", "data/tex4.jpg",
                             "data/back.jpg", "data/back2.jpg", "data/dupa2.jpg", "data/t5.jpg", "data/czarna.jpg"}) {
        const DecodedPicture picture = Decode(file);
        for (const DecodedPicture& view : {picture, Transposed(picture)}) {
            const EdgeContrast contrast = HorizontalContrast(view);
            EXPECT_LE(contrast.acrossWrap, contrast.largestInside * 1.1 + 1.0) << file;
        }
    }
}

TEST(ForgePictures, SpriteGlowsFadeOutBeforeTheirBorder)
{
    // Additive glows end in black and the multiplied one in white, or the
    // sprite's square would show.
    for (const char* file : {"data/flara3.jpg", "data/flara03.jpg", "data/flara2.jpg", "data/flara3zzz.jpg",
                             "data/flaraorbita.jpg", "data/foko.jpg", "data/rewind.jpg", "data/volu1.jpg",
                             "data/volu3.jpg", "data/flarainv.jpg"}) {
        const DecodedPicture picture = Decode(file);
        const bool inverse = std::string(file) == "data/flarainv.jpg";
        for (unsigned i = 0; i < picture.width; ++i) {
            for (const auto& [x, y] : {std::pair{i, 0u}, {i, picture.height - 1}, {0u, i}, {picture.width - 1, i}}) {
                const int value = inverse ? 255 - picture.Brightness(x, y) : picture.Brightness(x, y);
                ASSERT_LE(value, 4) << file << " at " << x << "," << y;
            }
        }
        EXPECT_GT(inverse ? 255 - picture.Brightness(picture.width / 2, picture.height / 2)
                          : picture.Brightness(picture.width / 2, picture.height / 2),
                  60)
            << file;
    }
}
