// Pictures laid over an effect through a separate alpha picture: fx04's
// frame, fx07's letterbox, and the eclipse that fxobraz reveals twice.

#include <cmath>

#include "forge/common/blur.h"
#include "forge/common/noise.h"
#include "forge/common/screen_picture.h"
#include "forge/common/shading.h"
#include "forge/common/text.h"
#include "forge/pictures/pictures.h"

namespace {

constexpr int kRows = 384;
constexpr float kTexelPerScreen = 512.0f / 640.0f;

// A mask with lettering placed in screen coordinates.
struct Caption {
    const char* text;
    float sx, baseline;
    int screenSize;
    bool bold;
};

Image CaptionMask(std::initializer_list<Caption> captions)
{
    Image mask(kScreenPictureSize, kScreenPictureSize, 1);
    for (const Caption& caption : captions) {
        const Font& font = caption.bold ? BoldFont() : RegularFont();
        font.Draw(mask, caption.sx * kTexelPerScreen, caption.baseline * kTexelPerScreen, caption.text,
                  static_cast<int>(std::lround(caption.screenSize * kTexelPerScreen)), 1.0f);
    }
    return mask;
}

float MaskAt(const Image& mask, float sx, float sy)
{
    const int x = std::min(static_cast<int>(sx * kTexelPerScreen), mask.Width() - 1);
    const int y = std::min(static_cast<int>(sy * kTexelPerScreen), mask.Height() - 1);
    return mask.At(x, y);
}

// Signed distance to a rounded rectangle inset `inset` pixels from the
// screen's edges (negative inside).
float InsetBoxDistance(float sx, float sy, float inset, float radius)
{
    const float hx = 320.0f - inset - radius, hy = 240.0f - inset - radius;
    const float qx = std::fabs(sx - 320.0f) - hx, qy = std::fabs(sy - 240.0f) - hy;
    const float outside = std::hypot(std::fmax(qx, 0.0f), std::fmax(qy, 0.0f));
    return outside + std::fmin(std::fmax(qx, qy), 0.0f) - radius;
}

// Corner brackets of a camera viewfinder, `arm` pixels long.
float Brackets(float sx, float sy, float inset, float arm, float thickness)
{
    const float x = std::fmin(sx - inset, 640.0f - inset - sx);
    const float y = std::fmin(sy - inset, 480.0f - inset - sy);
    if (x < -thickness || y < -thickness) return 0;
    const float horizontal = Coverage(std::fabs(y) - thickness) * Coverage(x - arm);
    const float vertical = Coverage(std::fabs(x) - thickness) * Coverage(y - arm);
    return std::fmax(horizontal, vertical) * (x >= -thickness && y >= -thickness ? 1.0f : 0.0f);
}

const Image& FrameCaptions()
{
    static const Image mask = CaptionMask({
        {"CH 04", 62, 78, 18, true},
        {"<< REW", 510, 78, 18, true},
        {"0105:12", 62, 420, 16, false},
        {"TAPE 2  SP", 480, 420, 16, false},
    });
    return mask;
}

// fx04's frame: a rounded bezel, a lit inner edge and viewfinder marks.
struct FrameLayer {
    float bezel, edgeLine, marks, shade;
};

FrameLayer FrameAt(float sx, float sy)
{
    const float d = InsetBoxDistance(sx, sy, 20.0f, 34.0f);
    FrameLayer layer{};
    layer.bezel = Coverage(-d);
    layer.edgeLine = Coverage(std::fabs(d + 2.5f) - 1.2f);
    layer.marks = std::fmax(Brackets(sx, sy, 46.0f, 30.0f, 1.5f), MaskAt(FrameCaptions(), sx, sy));
    layer.shade = Clamp01(1.0f + d / 70.0f) * 0.55f;   // darkens the picture towards the bezel
    return layer;
}

} // namespace

Image MakeFrameColour()
{
    return ScreenPicture(kRows, [](float sx, float sy) {
        const FrameLayer f = FrameAt(sx, sy);
        const float brushed = TiledFractal(sx / 200.0f, sy / 3.0f, {1 << 20, 1 << 20}, 3, 301);
        const Rgb metal = Mix(Hex(0x14161C), Hex(0x3A4050), brushed) * (0.8f + 0.2f * (1.0f - sy / 480.0f));
        Rgb colour = metal * f.bezel;
        colour = Mix(colour, Hex(0xFF8A2A), f.edgeLine);
        colour = Mix(colour, Hex(0xFFB060), f.marks);
        return colour;
    });
}

Image MakeFrameAlpha()
{
    return ScreenMask(kRows, [](float sx, float sy) {
        const FrameLayer f = FrameAt(sx, sy);
        return Clamp01(std::fmax(std::fmax(f.bezel, f.edgeLine), std::fmax(f.marks * 0.9f, f.shade)));
    });
}

namespace {

const Image& LetterboxCaptions()
{
    static const Image mask = CaptionMask({
        {"r e b i r t h", 258, 461, 15, false},
        {"REC", 40, 34, 14, true},
    });
    return mask;
}

struct LetterboxLayer {
    float bar, line, caption, dot, corner;
};

LetterboxLayer LetterboxAt(float sx, float sy)
{
    const float edge = std::fmin(sy, 480.0f - sy);
    LetterboxLayer layer{};
    layer.bar = 1.0f - Smoothstep(52.0f, 58.0f, edge);
    layer.line = std::exp(-std::pow((edge - 58.0f) / 1.0f, 2.0f));
    layer.caption = MaskAt(LetterboxCaptions(), sx, sy);
    layer.dot = Coverage(std::hypot(sx - 30.0f, sy - 29.0f) - 5.0f);
    const float dx = (sx - 320.0f) / 320.0f, dy = (sy - 240.0f) / 240.0f;
    layer.corner = Smoothstep(0.9f, 2.0f, dx * dx + dy * dy) * 0.8f;
    return layer;
}

} // namespace

Image MakeLetterboxColour()
{
    return ScreenPicture(kRows, [](float sx, float sy) {
        const LetterboxLayer l = LetterboxAt(sx, sy);
        Rgb colour = Hex(0x020204);
        colour = Mix(colour, Hex(0xC87830), l.line * 0.8f);
        colour = Mix(colour, Hex(0x9A9AA8), l.caption);
        colour = Mix(colour, Hex(0xFF2A20), l.dot);
        return colour;
    });
}

Image MakeLetterboxAlpha()
{
    return ScreenMask(kRows, [](float sx, float sy) {
        const LetterboxLayer l = LetterboxAt(sx, sy);
        return Clamp01(std::fmax(std::fmax(l.bar, l.line * 0.8f), std::fmax(l.corner, std::fmax(l.caption, l.dot))));
    });
}

namespace {

constexpr float kEclipseX = 320.0f, kEclipseY = 232.0f, kMoonRadius = 96.0f;

float CoronaAt(float sx, float sy)
{
    const float dx = sx - kEclipseX, dy = sy - kEclipseY;
    const float d = std::hypot(dx, dy), angle = std::atan2(dy, dx);
    const float streamers = TiledFractal(angle / (2 * kPi) * 36.0f + 0.5f, d / 60.0f, {36, 1 << 20}, 4, 311);
    const float reach = 30.0f + streamers * 140.0f;
    const float outside = std::fmax(d - kMoonRadius, 0.0f);
    return std::exp(-outside / reach) * (d > kMoonRadius - 1.0f ? 1.0f : 0.0f) + std::exp(-outside * outside / 30.0f) * 0.6f;
}

} // namespace

Image MakeEclipse()
{
    // fxobraz opens on this: a total eclipse in a violet nebula with a
    // horizontal lens streak, revealed first by its core alpha picture and
    // then, as the tunnel behind fades in, by its ring alpha picture.
    return ScreenPicture(kRows, [](float sx, float sy) {
        const float dx = sx - kEclipseX, dy = sy - kEclipseY;
        const float d = std::hypot(dx, dy);
        const float moon = Coverage(d - kMoonRadius);
        const float corona = CoronaAt(sx, sy);
        const float nebula = TiledFractal(sx / 160.0f, sy / 160.0f, {1 << 20, 1 << 20}, 6, 313);
        const Rgb space = Mix(Hex(0x04020C), Hex(0x4A2A78), Smoothstep(0.35f, 0.85f, nebula)) *
                          (0.5f + 0.5f * std::exp(-d / 300.0f));
        const float streak = std::exp(-dy * dy / 14.0f) * std::exp(-std::fabs(dx) / 260.0f);
        Rgb colour = space + Mix(Hex(0xFFB860), Hex(0xFFFFFF), Clamp01(corona * 1.2f - 0.2f)) * corona;
        colour = colour + Hex(0x70A0FF) * streak * 0.9f;
        const float rim = std::exp(-std::pow((d - kMoonRadius) / 2.0f, 2.0f)) * 0.3f;
        return Mix(colour, Hex(0x080610) + Hex(0x403050) * rim, moon);
    });
}

Image MakeEclipseCoreAlpha()
{
    return ScreenMask(kRows, [](float sx, float sy) {
        const float d = std::hypot(sx - kEclipseX, sy - kEclipseY);
        return 1.0f - Smoothstep(120.0f, 200.0f, d);
    });
}

Image MakeEclipseRingAlpha()
{
    // Wider than the core, thinning out in the corners where the tunnel
    // shows through, and keeping the lens streak across the screen.
    return ScreenMask(kRows, [](float sx, float sy) {
        const float dx = sx - kEclipseX, dy = sy - kEclipseY;
        const float d = std::hypot(dx * 0.8f, dy);
        const float body = 1.0f - Smoothstep(150.0f, 290.0f, d);
        const float streak = std::exp(-dy * dy / 40.0f) * 0.9f;
        const float corona = Clamp01(CoronaAt(sx, sy));
        return Clamp01(std::fmax(std::fmax(body, streak), corona));
    });
}

Image MakeEclipseStudyAlpha()
{
    return ScreenMask(kRows, [](float sx, float sy) { return Clamp01(CoronaAt(sx, sy)); });
}
