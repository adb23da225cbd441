#include "picture_fit.h"

#include <cstdint>

namespace {

int EvenNearest(std::int64_t numerator, std::int64_t denominator)
{
    return static_cast<int>((numerator + denominator) / (2 * denominator) * 2);
}

} // namespace

PictureArea FitPicture(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight)
{
    PictureArea area;
    if (std::int64_t{frameWidth} * pictureHeight >= std::int64_t{frameHeight} * pictureWidth) {
        area.height = frameHeight;
        area.width = EvenNearest(std::int64_t{frameHeight} * pictureWidth, pictureHeight);
    } else {
        area.width = frameWidth;
        area.height = EvenNearest(std::int64_t{frameWidth} * pictureHeight, pictureWidth);
    }
    area.x = (frameWidth - area.width) / 4 * 2;
    area.y = (frameHeight - area.height) / 4 * 2;
    return area;
}
