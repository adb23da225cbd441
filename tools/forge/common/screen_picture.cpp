#include "forge/common/screen_picture.h"

namespace {

constexpr float kScreenPerTexelX = 640.0f / kScreenPictureSize;

} // namespace

Image ScreenPicture(int shownRows, const std::function<Rgb(float sx, float sy)>& shade)
{
    const float screenPerTexelY = 480.0f / static_cast<float>(shownRows);
    return Image::Colour(kScreenPictureSize, kScreenPictureSize,
                         [&](float x, float y) { return shade(x * kScreenPerTexelX, y * screenPerTexelY); });
}

Image ScreenMask(int shownRows, const std::function<float(float sx, float sy)>& shade)
{
    const float screenPerTexelY = 480.0f / static_cast<float>(shownRows);
    return Image::Grey(kScreenPictureSize, kScreenPictureSize,
                       [&](float x, float y) { return shade(x * kScreenPerTexelX, y * screenPerTexelY); });
}
