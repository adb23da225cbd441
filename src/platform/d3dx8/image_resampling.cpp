#include "platform/d3dx8/image_resampling.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace d3dx {

namespace {

struct Tap {
    UINT index;
    float weight;
};
// For each destination index, the source indices it reads and their weights.
using TapTable = std::vector<std::vector<Tap>>;

UINT ClampIndex(std::int64_t index, UINT size)
{
    return static_cast<UINT>(std::clamp<std::int64_t>(index, 0, std::int64_t{size} - 1));
}

TapTable AxisTaps(UINT sourceSize, UINT destinationSize, ResampleFilter filter)
{
    if (filter == ResampleFilter::Triangle) {
        filter = destinationSize < sourceSize ? ResampleFilter::Box : ResampleFilter::Linear;
    }
    const double scale = static_cast<double>(sourceSize) / destinationSize;
    TapTable taps(destinationSize);
    for (UINT d = 0; d < destinationSize; d++) {
        switch (filter) {
        case ResampleFilter::Point:
            taps[d] = {{ClampIndex(static_cast<std::int64_t>((d + 0.5) * scale), sourceSize), 1.0f}};
            break;
        case ResampleFilter::Linear: {
            const double centre = (d + 0.5) * scale - 0.5;
            const double first = std::floor(centre);
            const float fraction = static_cast<float>(centre - first);
            const auto index = static_cast<std::int64_t>(first);
            taps[d] = {{ClampIndex(index, sourceSize), 1.0f - fraction},
                       {ClampIndex(index + 1, sourceSize), fraction}};
            break;
        }
        default: { // Box
            const double start = d * scale;
            const double end = (d + 1) * scale;
            for (auto i = static_cast<std::int64_t>(start); i < end; i++) {
                const double overlap = std::min<double>(end, i + 1) - std::max<double>(start, i);
                if (overlap > 0.0) {
                    taps[d].push_back({ClampIndex(i, sourceSize), static_cast<float>(overlap / scale)});
                }
            }
            break;
        }
        }
    }
    return taps;
}

using Channels = std::array<float, 4>;

void Accumulate(Channels& sum, std::uint32_t argb, float weight)
{
    for (int c = 0; c < 4; c++) {
        sum[c] += static_cast<float>((argb >> (24 - 8 * c)) & 0xFF) * weight;
    }
}

std::uint32_t Round(const Channels& channels)
{
    std::uint32_t argb = 0;
    for (int c = 0; c < 4; c++) {
        const float value = std::clamp(std::floor(channels[c] + 0.5f), 0.0f, 255.0f);
        argb |= static_cast<std::uint32_t>(value) << (24 - 8 * c);
    }
    return argb;
}

Image CopyWithoutScaling(const Image& source, UINT width, UINT height)
{
    Image result(width, height, source.hasAlpha);
    for (UINT y = 0; y < std::min(height, source.height); y++) {
        for (UINT x = 0; x < std::min(width, source.width); x++) {
            result.At(x, y) = source.At(x, y);
        }
    }
    return result;
}

} // namespace

Image Resample(const Image& source, UINT width, UINT height, ResampleFilter filter)
{
    if (filter == ResampleFilter::None || source.pixels.empty()) {
        return CopyWithoutScaling(source, width, height);
    }
    if (width == source.width && height == source.height) {
        return source;
    }
    const TapTable columns = AxisTaps(source.width, width, filter);
    const TapTable rows = AxisTaps(source.height, height, filter);

    std::vector<Channels> horizontal(std::size_t{width} * source.height);
    for (UINT y = 0; y < source.height; y++) {
        for (UINT x = 0; x < width; x++) {
            Channels& sum = horizontal[std::size_t{y} * width + x];
            sum = {};
            for (const Tap& tap : columns[x]) {
                Accumulate(sum, source.At(tap.index, y), tap.weight);
            }
        }
    }
    Image result(width, height, source.hasAlpha);
    for (UINT y = 0; y < height; y++) {
        for (UINT x = 0; x < width; x++) {
            Channels sum = {};
            for (const Tap& tap : rows[y]) {
                const Channels& row = horizontal[std::size_t{tap.index} * width + x];
                for (int c = 0; c < 4; c++) {
                    sum[c] += row[c] * tap.weight;
                }
            }
            result.At(x, y) = Round(sum);
        }
    }
    return result;
}

Image NextMipLevel(const Image& level)
{
    return Resample(level, std::max(1u, level.width / 2), std::max(1u, level.height / 2), ResampleFilter::Box);
}

Image ResizeToPowersOfTwo(const Image& source, UINT maxWidth, UINT maxHeight)
{
    const UINT width = std::min(std::bit_ceil(source.width), maxWidth);
    const UINT height = std::min(std::bit_ceil(source.height), maxHeight);
    return Resample(source, width, height, ResampleFilter::Triangle);
}

} // namespace d3dx
