// The band pictures of the layers overlay. The overlay adds them over the
// frame and scrolls them sideways with wrapping, so each strip is bright on
// black and repeats exactly across the 1024 texels.

#include <cmath>
#include <string>

#include "forge/common/blur.h"
#include "forge/common/noise.h"
#include "forge/common/random.h"
#include "forge/common/shading.h"
#include "forge/common/text.h"
#include "forge/pictures/bands.h"
#include "forge/pictures/pictures.h"

namespace {

// The strip's first and last shown rows (see bands.h).
struct Strip {
    float top, bottom;
    float Middle() const { return (top + bottom) * 0.5f; }
    bool Contains(float y) const { return y >= top && y < bottom; }
};

Strip StripOf(const BandPicture& picture, int index)
{
    return {static_cast<float>(picture.rows[index] + 2), static_cast<float>(picture.rows[index + 1] - 1)};
}

// Repeats `text` across the width with equal gaps so that the last copy
// meets the first across the wrap.
void RepeatAcross(Image& mask, const Font& font, const std::string& text, int size, float baseline, float tracking,
                  float minimumGap)
{
    const float width = font.Measure(text, size, tracking);
    const int copies = std::max(1, static_cast<int>(kBandWidth / (width + minimumGap)));
    const float pitch = static_cast<float>(kBandWidth) / static_cast<float>(copies);
    for (int i = 0; i < copies; ++i) {
        font.Draw(mask, static_cast<float>(i) * pitch + (pitch - width) * 0.5f, baseline, text, size, tracking);
    }
}

float Baseline(const Font& font, const Strip& strip, int size) { return strip.Middle() + font.CapHeight(size) * 0.5f; }

} // namespace

Image MakeLetterBands()
{
    const BandPicture& bands = kLetterBands;
    Image mask(kBandWidth, bands.height, 1);
    const Strip name = StripOf(bands, 0), title = StripOf(bands, 1), counter = StripOf(bands, 2),
                print = StripOf(bands, 3), large = StripOf(bands, 4);
    RepeatAcross(mask, BoldFont(), "rewind", 40, Baseline(BoldFont(), name, 40) - 4, 0, 90);
    RepeatAcross(mask, RegularFont(), "t a p e   m e m o r i e s", 24, Baseline(RegularFont(), title, 24), 1, 120);
    RepeatAcross(mask, BoldFont(), "00:42:17", 28, Baseline(BoldFont(), counter, 28), 4, 70);
    RepeatAcross(mask, RegularFont(), "side a  /  chrome  /  90 min  /  noise reduction on  /", 15,
                 Baseline(RegularFont(), print, 15), 1, 12);
    RepeatAcross(mask, BoldFont(), "REWIND", 76, Baseline(BoldFont(), large, 76), 6, 60);
    const Image glow = Blur(mask, 8, Edges::Wrap);
    return Image::Colour(kBandWidth, bands.height, [&](float x, float y) {
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        Rgb tint = Hex(0x9FE8FF);
        if (title.Contains(y)) tint = Hex(0xFFC8F0);
        if (counter.Contains(y)) tint = Hex(0xFFB050);
        if (print.Contains(y)) tint = Hex(0xD8E0FF);
        if (large.Contains(y)) tint = Mix(Hex(0x60A0FF), Hex(0xFFFFFF), Clamp01((y - large.top) / (large.bottom - large.top)));
        return tint * mask.At(px, py) + tint * (glow.At(px, py) * 0.45f);
    });
}

Image MakePatternBands()
{
    const BandPicture& bands = kPatternBands;
    const Strip barcode = StripOf(bands, 0), wave = StripOf(bands, 1), sprockets = StripOf(bands, 2),
                meters = StripOf(bands, 3), dots = StripOf(bands, 4);
    // Barcode bars: widths of 1 to 4 texels with gaps of 1 to 5, laid until
    // the width is full, so the pattern closes on itself at the wrap.
    std::vector<float> bar(kBandWidth, 0.0f);
    Random random(0xBA4C0DE);
    for (int x = 4; x < kBandWidth - 8;) {
        const int width = 1 + random.Below(4);
        for (int i = 0; i < width; ++i) bar[static_cast<size_t>(x + i)] = 1.0f;
        x += width + 1 + random.Below(5);
    }
    return Image::Colour(kBandWidth, bands.height, [&](float x, float y) {
        const float turn = 2 * kPi * x / kBandWidth;
        if (barcode.Contains(y)) {
            return Hex(0xE0F0FF) * bar[static_cast<size_t>(x)];
        }
        if (wave.Contains(y)) {
            const float signal = std::sin(turn * 7) * 0.5f + std::sin(turn * 23 + 1.0f) * 0.3f + std::sin(turn * 61) * 0.2f;
            const float d = std::fabs(y - (wave.Middle() + signal * (wave.bottom - wave.top) * 0.42f));
            return Hex(0x60FFB0) * (std::exp(-d * d / 1.5f) + std::exp(-d / 4.0f) * 0.3f);
        }
        if (sprockets.Contains(y)) {
            const float lx = std::fmod(x, 32.0f) - 16.0f, ly = y - sprockets.Middle();
            const float q = std::hypot(std::fmax(std::fabs(lx) - 6.0f, 0.0f), std::fmax(std::fabs(ly) - 4.0f, 0.0f));
            return Hex(0xFFD8A0) * (Coverage(q - 2.5f) * 0.85f);
        }
        if (meters.Contains(y)) {
            const int column = static_cast<int>(x) / 8;
            const float level = TiledFractal(static_cast<float>(column) / 8.0f, 0.5f, {16, 1 << 20}, 3, 401);
            const float height = level * (meters.bottom - meters.top);
            const float fromBottom = meters.bottom - y;
            const bool lit = fromBottom < height && std::fmod(x, 8.0f) < 6.0f && std::fmod(fromBottom, 4.0f) < 3.0f;
            const Rgb colour = Mix(Hex(0x40FF60), Hex(0xFF4020), Clamp01(fromBottom / (meters.bottom - meters.top)));
            return colour * (lit ? 0.9f : 0.0f);
        }
        if (dots.Contains(y)) {
            const float d = std::hypot(std::fmod(x, 16.0f) - 8.0f, y - dots.Middle());
            return Hex(0xC0C8FF) * (Coverage(d - 2.0f) * 0.9f);
        }
        return Rgb{};
    });
}
