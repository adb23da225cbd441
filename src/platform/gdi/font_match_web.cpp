#include "platform/gdi/font_match.h"

// A page has no fontconfig and no system fonts to ask: it carries Liberation
// Sans, the face fontconfig picks for "Arial" and for sans-serif, in its data
// under fonts/. Every family name gets it, as an unknown name gets the
// default face natively; weight and slant pick the file.
bool MatchFontFile(const char*, int weight, bool italic, FontFile* file)
{
    // Windows weights are OpenType's usWeightClass values; 600 and above
    // are drawn bold, 0 means normal.
    const bool bold = weight >= 600;
    const char* style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    file->path = std::string("/fonts/LiberationSans-") + style + ".ttf";
    file->index = 0;
    return true;
}
