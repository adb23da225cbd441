#include "forge/contact_sheet.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

#include "forge/common/jpeg_writer.h"
#include "forge/common/text.h"
#include "forge/pictures/catalogue.h"
#include "platform/d3d8/png_file.h"

namespace {

constexpr int kColumns = 8;
constexpr int kThumbWidth = 216, kThumbHeight = 200;
constexpr int kCellWidth = 232, kCellHeight = 238;
constexpr int kLabelSize = 12;
constexpr float kMaxEnlargement = 4.0f;

struct Canvas {
    int width, height;
    std::vector<unsigned char> rgba;

    void Put(int x, int y, unsigned char r, unsigned char g, unsigned char b)
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        unsigned char* p = &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = 255;
    }
};

// Draws `image` scaled to fit the thumbnail box at (left, top), averaging
// 4x4 samples per pixel, with a one-pixel grey outline so black pictures show.
void DrawThumbnail(Canvas& canvas, const Image& image, int left, int top)
{
    const std::vector<unsigned char> samples = QuantisedSamples(image);
    const float scale = std::min({static_cast<float>(kThumbWidth) / image.Width(),
                                  static_cast<float>(kThumbHeight) / image.Height(), kMaxEnlargement});
    const int width = std::max(1, static_cast<int>(image.Width() * scale));
    const int height = std::max(1, static_cast<int>(image.Height() * scale));
    const int x0 = left + (kThumbWidth - width) / 2, y0 = top + (kThumbHeight - height) / 2;
    for (int y = -1; y <= height; ++y) {
        for (int x = -1; x <= width; ++x) {
            if (x < 0 || y < 0 || x == width || y == height) {
                canvas.Put(x0 + x, y0 + y, 110, 110, 110);
                continue;
            }
            float sum[3] = {0, 0, 0};
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const int ix = std::min(image.Width() - 1, static_cast<int>((x + (sx + 0.5f) / 4.0f) / scale));
                    const int iy = std::min(image.Height() - 1, static_cast<int>((y + (sy + 0.5f) / 4.0f) / scale));
                    const size_t at = (static_cast<size_t>(iy) * static_cast<size_t>(image.Width()) + static_cast<size_t>(ix)) *
                                      static_cast<size_t>(image.Channels());
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += samples[at + (image.IsGrey() ? 0 : static_cast<size_t>(c))];
                    }
                }
            }
            canvas.Put(x0 + x, y0 + y, static_cast<unsigned char>(sum[0] / 16), static_cast<unsigned char>(sum[1] / 16),
                       static_cast<unsigned char>(sum[2] / 16));
        }
    }
}

void DrawLabel(Canvas& canvas, const std::string& text, int left, int baseline)
{
    Image mask(kCellWidth, kLabelSize * 2, 1);
    RegularFont().Draw(mask, 0, static_cast<float>(kLabelSize), text, kLabelSize);
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            const float a = mask.At(x, y);
            if (a <= 0) continue;
            const auto v = static_cast<unsigned char>(std::lround(28 + a * (225 - 28)));
            canvas.Put(left + x, baseline - kLabelSize + y, v, v, v);
        }
    }
}

} // namespace

bool WriteContactSheet(const std::string& pngPath, std::string& error)
{
    try {
        const std::vector<PictureEntry>& catalogue = PictureCatalogue();
        const int rows = (static_cast<int>(catalogue.size()) + kColumns - 1) / kColumns;
        Canvas canvas{kColumns * kCellWidth, rows * kCellHeight, {}};
        canvas.rgba.assign(static_cast<size_t>(canvas.width) * static_cast<size_t>(canvas.height) * 4, 28);
        for (size_t i = 3; i < canvas.rgba.size(); i += 4) canvas.rgba[i] = 255;
        for (size_t i = 0; i < catalogue.size(); ++i) {
            const int left = static_cast<int>(i % kColumns) * kCellWidth + (kCellWidth - kThumbWidth) / 2;
            const int top = static_cast<int>(i / kColumns) * kCellHeight + 8;
            const Image image = catalogue[i].make();
            DrawThumbnail(canvas, image, left, top);
            const std::string label = catalogue[i].file.substr(catalogue[i].file.find('/') + 1) + "  " +
                                      std::to_string(image.Width()) + "x" + std::to_string(image.Height()) +
                                      (image.IsGrey() ? " grey" : "");
            DrawLabel(canvas, label, left, top + kThumbHeight + 20);
        }
        if (!WritePng(pngPath.c_str(), PresentedFrame{canvas.width, canvas.height, canvas.rgba.data()})) {
            error = "cannot write " + pngPath;
            return false;
        }
    } catch (const std::exception& failure) {
        error = failure.what();
        return false;
    }
    return true;
}
