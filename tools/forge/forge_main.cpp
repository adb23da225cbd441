// rewind-forge OUTDIR                      writes the show's data files into OUTDIR
// rewind-forge --contact-sheet FILE.png    draws every picture, labelled, on one sheet
// rewind-forge --icon SIZE FILE.png        draws the program's icon

#include <cstdio>
#include <cstdlib>
#include <string>

#include "forge/contact_sheet.h"
#include "forge/forge.h"
#include "forge/icon.h"
#include "launch/standard_options.h"

namespace {

const char* const usage = "usage: rewind-forge OUTDIR\n"
                          "       rewind-forge --contact-sheet FILE.png\n"
                          "       rewind-forge --icon SIZE FILE.png\n"
                          "  Writes every data file the show reads into OUTDIR, the same bytes on every run;\n"
                          "  or draws every picture, labelled, on one sheet; or draws the program's icon,\n"
                          "  SIZE x SIZE pixels (16 to 1024).\n"
                          "  --help, --version\n";

int Fail(const std::string& error)
{
    std::fprintf(stderr, "rewind-forge: %s\n", error.c_str());
    return 1;
}

int Refuse(const char* problem) { return RefuseCommandLine("rewind-forge", problem, usage); }

} // namespace

int main(int argc, char** argv)
{
    if (const auto answered = AnswerStandardOptions(argc, argv, "rewind-forge", usage)) return *answered;
    std::string error;
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--contact-sheet") {
        if (argc != 3) return Refuse("--contact-sheet takes one file name");
        return WriteContactSheet(argv[2], error) ? 0 : Fail(error);
    }
    if (first == "--icon") {
        char* end = nullptr;
        const long size = argc == 4 ? std::strtol(argv[2], &end, 10) : 0;
        if (argc != 4 || end == argv[2] || *end != '\0' || size < kSmallestIcon || size > kLargestIcon) {
            return Refuse("--icon takes a size from 16 to 1024 and a file name");
        }
        return WriteIcon(argv[3], static_cast<int>(size), error) ? 0 : Fail(error);
    }
    if (first.starts_with('-')) return Refuse(("unknown option " + first).c_str());
    if (argc != 2 || first.empty()) return Refuse("give one output directory");
    return WriteShow(first, error) ? 0 : Fail(error);
}
