#pragma once
// Where a picture goes in a video frame of another shape: as large as fits,
// its aspect kept, centred, with bars on the two sides left over (letterbox or
// pillarbox). Every edge lies on an even pixel so that 4:2:0 chroma, which
// covers 2x2 pixels, never straddles a bar and the picture.

struct PictureArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

PictureArea FitPicture(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight);
