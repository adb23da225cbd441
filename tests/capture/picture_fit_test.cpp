#include <gtest/gtest.h>

#include "picture_fit.h"

namespace {

void ExpectArea(const PictureArea& area, int x, int y, int width, int height)
{
    EXPECT_EQ(area.x, x);
    EXPECT_EQ(area.y, y);
    EXPECT_EQ(area.width, width);
    EXPECT_EQ(area.height, height);
}

} // namespace

TEST(PictureFit, KeepsFourToThreeCentredWithBarsOnEvenPixels)
{
    ExpectArea(FitPicture(640, 480, 640, 480), 0, 0, 640, 480);    // same shape: no bars
    ExpectArea(FitPicture(1280, 960, 640, 480), 0, 0, 640, 480);   // a supersampled frame shrunk
    ExpectArea(FitPicture(640, 480, 1920, 1080), 240, 0, 1440, 1080); // pillarbox
    ExpectArea(FitPicture(640, 480, 1280, 720), 160, 0, 960, 720);
    ExpectArea(FitPicture(640, 480, 1000, 1000), 0, 124, 1000, 750);  // letterbox, 125 kept even
    // 854 * 3 / 4 = 640.5 and 478 * 4 / 3 = 637.3: the nearest even sizes, offsets even.
    ExpectArea(FitPicture(640, 480, 854, 480), 106, 0, 640, 480);
    ExpectArea(FitPicture(640, 480, 640, 478), 0, 0, 638, 478);
}
