#include "forge/common/image.h"

#include <cmath>

Image::Image(int width, int height, int channels)
    : width(width), height(height), channels(channels),
      values(static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(channels), 0.0f)
{
}

Image Image::Colour(int width, int height, const std::function<Rgb(float x, float y)>& shade)
{
    Image image(width, height, 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetRgb(x, y, shade(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
        }
    }
    return image;
}

Image Image::Grey(int width, int height, const std::function<float(float x, float y)>& shade)
{
    Image image(width, height, 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.At(x, y) = shade(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
        }
    }
    return image;
}

Rgb Image::GetRgb(int x, int y) const
{
    const size_t i = Index(x, y);
    if (channels == 1) {
        return {values[i], values[i], values[i]};
    }
    return {values[i], values[i + 1], values[i + 2]};
}

void Image::SetRgb(int x, int y, Rgb colour)
{
    const size_t i = Index(x, y);
    if (channels == 1) {
        values[i] = (colour.r + colour.g + colour.b) / 3.0f;
        return;
    }
    values[i] = colour.r;
    values[i + 1] = colour.g;
    values[i + 2] = colour.b;
}

float Image::SampleWrapped(float x, float y, int channel) const
{
    const float fx = x - 0.5f, fy = y - 0.5f;
    const float x0f = std::floor(fx), y0f = std::floor(fy);
    const float tx = fx - x0f, ty = fy - y0f;
    auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    const int x0 = wrap(static_cast<int>(x0f), width), x1 = wrap(static_cast<int>(x0f) + 1, width);
    const int y0 = wrap(static_cast<int>(y0f), height), y1 = wrap(static_cast<int>(y0f) + 1, height);
    const float top = At(x0, y0, channel) * (1 - tx) + At(x1, y0, channel) * tx;
    const float bottom = At(x0, y1, channel) * (1 - tx) + At(x1, y1, channel) * tx;
    return top * (1 - ty) + bottom * ty;
}
