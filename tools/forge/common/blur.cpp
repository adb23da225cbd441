#include "forge/common/blur.h"

#include <vector>

namespace {

// One box pass of half-width `half` along rows (horizontal) or columns.
void BoxPass(Image& image, int half, bool horizontal, Edges edges)
{
    const int length = horizontal ? image.Width() : image.Height();
    const int lines = horizontal ? image.Height() : image.Width();
    std::vector<float> source(static_cast<size_t>(length));
    auto fetch = [&](int i) {
        if (edges == Edges::Wrap) {
            return source[static_cast<size_t>(((i % length) + length) % length)];
        }
        return source[static_cast<size_t>(i < 0 ? 0 : (i >= length ? length - 1 : i))];
    };
    const float scale = 1.0f / static_cast<float>(2 * half + 1);
    for (int channel = 0; channel < image.Channels(); ++channel) {
        for (int line = 0; line < lines; ++line) {
            for (int i = 0; i < length; ++i) {
                source[static_cast<size_t>(i)] = horizontal ? image.At(i, line, channel) : image.At(line, i, channel);
            }
            float sum = 0;
            for (int i = -half; i <= half; ++i) {
                sum += fetch(i);
            }
            for (int i = 0; i < length; ++i) {
                (horizontal ? image.At(i, line, channel) : image.At(line, i, channel)) = sum * scale;
                sum += fetch(i + half + 1) - fetch(i - half);
            }
        }
    }
}

} // namespace

Image Blur(const Image& image, int radius, Edges edges)
{
    Image result = image;
    const int half = radius / 2 > 0 ? radius / 2 : 1;
    for (int pass = 0; pass < 3; ++pass) {
        BoxPass(result, half, true, edges);
        BoxPass(result, half, false, edges);
    }
    return result;
}
