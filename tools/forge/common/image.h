#pragma once
// A picture being made: floating-point channels in 0..1, rows from the top,
// one channel (grey) or three (red, green, blue). Values are clamped and
// rounded only when the picture is written.

#include <functional>
#include <vector>

struct Rgb {
    float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// 0xRRGGBB as a colour.
constexpr Rgb Hex(unsigned value)
{
    return {static_cast<float>((value >> 16) & 0xFF) / 255.0f, static_cast<float>((value >> 8) & 0xFF) / 255.0f,
            static_cast<float>(value & 0xFF) / 255.0f};
}

class Image {
public:
    Image() = default;
    Image(int width, int height, int channels);

    // Fills every pixel from its centre's coordinates (x + 0.5, y + 0.5).
    static Image Colour(int width, int height, const std::function<Rgb(float x, float y)>& shade);
    static Image Grey(int width, int height, const std::function<float(float x, float y)>& shade);

    int Width() const { return width; }
    int Height() const { return height; }
    int Channels() const { return channels; }
    bool IsGrey() const { return channels == 1; }

    float& At(int x, int y, int channel = 0) { return values[Index(x, y) + channel]; }
    float At(int x, int y, int channel = 0) const { return values[Index(x, y) + channel]; }

    Rgb GetRgb(int x, int y) const;
    void SetRgb(int x, int y, Rgb colour);

    // Bilinear sample with coordinates wrapped around both edges.
    float SampleWrapped(float x, float y, int channel = 0) const;

    const std::vector<float>& Values() const { return values; }

private:
    int Index(int x, int y) const { return (y * width + x) * channels; }

    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<float> values;
};
