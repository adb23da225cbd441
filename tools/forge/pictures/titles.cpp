// The pictures that carry the show's name: the opening logo and the closing
// picture. Lettering in Liberation Sans through FreeType.

#include <cmath>
#include <string>

#include "forge/common/blur.h"
#include "forge/common/noise.h"
#include "forge/common/screen_picture.h"
#include "forge/common/shading.h"
#include "forge/common/text.h"
#include "forge/pictures/pictures.h"

namespace {

constexpr const char* kShowName = "rewind";
constexpr const char* kTitle = "t a p e   m e m o r i e s";

void DrawCentred(Image& mask, const Font& font, const std::string& text, float centreX, float baseline, int size,
                 float tracking = 0)
{
    const float width = font.Measure(text, size, tracking);
    font.Draw(mask, centreX - width * 0.5f, baseline, text, size, tracking);
}

// The name's fill: chrome from white through ice blue to a magenta base,
// with a bright horizon line across the letters.
Rgb ChromeFill(float y, float top, float bottom)
{
    const float t = Clamp01((y - top) / (bottom - top));
    Rgb colour = Mix(Hex(0xFFFFFF), Hex(0x8FD8FF), Smoothstep(0.0f, 0.5f, t));
    colour = Mix(colour, Hex(0xE040A0), Smoothstep(0.5f, 1.0f, t));
    const float horizon = std::exp(-std::pow((t - 0.52f) / 0.025f, 2.0f));
    return Mix(colour, Hex(0xFFFFFF), horizon * 0.8f);
}

// Faint dark lines every other row, as on a video screen.
float Scanlines(float y) { return 0.9f + 0.1f * std::cos(y * kPi); }

} // namespace

Image MakeLogo()
{
    // Drawn 1:1 at the centre of the black screen, so its border is black.
    constexpr int kWidth = 512, kHeight = 256;
    constexpr int kNameSize = 136;
    constexpr float kNameBaseline = 150.0f;
    Image name(kWidth, kHeight, 1), title(kWidth, kHeight, 1);
    DrawCentred(name, BoldFont(), kShowName, 256.0f, kNameBaseline, kNameSize, -2.0f);
    DrawCentred(title, RegularFont(), kTitle, 256.0f, 196.0f, 17);
    const Image halo = Blur(name, 22, Edges::Clamp);
    const Image shadow = Blur(name, 6, Edges::Clamp);
    const float top = kNameBaseline - BoldFont().CapHeight(kNameSize) * 1.05f;
    return Image::Colour(kWidth, kHeight, [&](float x, float y) {
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        const float letters = name.At(px, py);
        const int sy = std::min(py + 4, kHeight - 1), sx = std::min(px + 3, kWidth - 1);
        Rgb colour = Hex(0x3060FF) * (halo.At(px, py) * 0.7f);
        colour = colour * (1.0f - shadow.At(sx, sy) * 0.8f);
        colour = Mix(colour, ChromeFill(y, top, kNameBaseline) * Scanlines(y), letters);
        // A thin rule under the name with the title over its gap.
        const float rule = Coverage(std::fabs(y - 172.0f) - 0.6f) * Smoothstep(60.0f, 150.0f, x) *
                           (1.0f - Smoothstep(362.0f, 452.0f, x));
        colour = colour + Hex(0x6090C0) * (rule * 0.7f);
        colour = Mix(colour, Hex(0xC8D8F0), title.At(px, py));
        const float border = std::fmin(std::fmin(x, kWidth - x), std::fmin(y, kHeight - y));
        return colour * Smoothstep(0.0f, 12.0f, border);
    });
}

namespace {

struct EndLayer {
    const Image& name;
    const Image& small;
    const Image& glow;
};

const EndLayer& EndLettering()
{
    // Laid out in texture space: the top 384 rows map 1:1.25 onto the screen.
    static const Image name = [] {
        Image mask(kScreenPictureSize, kScreenPictureSize, 1);
        DrawCentred(mask, BoldFont(), kShowName, 256.0f, 196.0f, 104, -1.5f);
        return mask;
    }();
    static const Image small = [] {
        Image mask(kScreenPictureSize, kScreenPictureSize, 1);
        DrawCentred(mask, RegularFont(), kTitle, 256.0f, 232.0f, 15);
        DrawCentred(mask, RegularFont(), "thank you for watching", 256.0f, 330.0f, 12, 0.5f);
        return mask;
    }();
    static const Image glow = Blur(name, 18, Edges::Clamp);
    static const EndLayer layer{name, small, glow};
    return layer;
}

} // namespace

Image MakeEndColour()
{
    const EndLayer& lettering = EndLettering();
    return Image::Colour(kScreenPictureSize, kScreenPictureSize, [&](float x, float y) {
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        const float band = Smoothstep(120.0f, 150.0f, y) * (1.0f - Smoothstep(250.0f, 280.0f, y));
        Rgb colour = Mix(Hex(0x040610), Hex(0x101830), band);
        colour = colour + Hex(0x4060FF) * (lettering.glow.At(px, py) * 0.6f);
        const float rules = Coverage(std::fabs(y - 118.0f) - 0.5f) + Coverage(std::fabs(y - 282.0f) - 0.5f);
        colour = colour + Hex(0x5070A0) * (rules * (1.0f - Smoothstep(150.0f, 250.0f, std::fabs(x - 256.0f))));
        colour = Mix(colour, ChromeFill(y, 118.0f, 196.0f) * Scanlines(y), lettering.name.At(px, py));
        colour = Mix(colour, Hex(0xB0C0E0), lettering.small.At(px, py));
        return colour;
    });
}

Image MakeEndAlpha()
{
    // Opaque lettering and band; elsewhere the closing grid shows faintly.
    const EndLayer& lettering = EndLettering();
    return Image::Grey(kScreenPictureSize, kScreenPictureSize, [&](float x, float y) {
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        const float band = Smoothstep(110.0f, 130.0f, y) * (1.0f - Smoothstep(270.0f, 290.0f, y));
        const float base = 0.72f + 0.2f * band;
        const float letters = std::fmax(lettering.name.At(px, py), lettering.small.At(px, py));
        return Clamp01(std::fmax(base, letters));
    });
}
