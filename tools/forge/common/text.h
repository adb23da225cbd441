#pragma once
// Text for the pictures (logo, titles, greetings cells, band lettering):
// FreeType renders anti-aliased glyph coverage from the face that fontconfig
// picks for a pattern such as "Liberation Sans:bold".

#include <map>
#include <memory>
#include <string>

#include "forge/common/image.h"

class Font {
public:
    // Throws std::runtime_error when no face matches or FreeType fails.
    explicit Font(const std::string& pattern);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Advance width of `text` at `pixelSize`, kerning included.
    float Measure(const std::string& text, int pixelSize, float tracking = 0) const;

    // Adds the coverage of `text` (0..1) into a grey mask, the baseline's left
    // end at (x, baseline). Pixels outside the mask are dropped.
    void Draw(Image& mask, float x, float baseline, const std::string& text, int pixelSize,
              float tracking = 0) const;

    // Height above the baseline of capital letters at `pixelSize`.
    float CapHeight(int pixelSize) const;

    const std::string& File() const { return file; }

private:
    struct Library;
    std::unique_ptr<Library> library;
    std::string file;
};

// The fonts the pictures use, opened once per process.
const Font& BoldFont();
const Font& RegularFont();
