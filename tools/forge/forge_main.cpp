// rewind-forge OUTDIR                      writes the show's data files into OUTDIR
// rewind-forge --contact-sheet FILE.png    draws every picture, labelled, on one sheet

#include <cstdio>
#include <string>

#include "forge/contact_sheet.h"
#include "forge/forge.h"

namespace {

int Usage()
{
    std::fputs("usage: rewind-forge OUTDIR\n"
               "       rewind-forge --contact-sheet FILE.png\n",
               stderr);
    return 2;
}

int Fail(const std::string& error)
{
    std::fprintf(stderr, "rewind-forge: %s\n", error.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    if (argc == 3 && std::string(argv[1]) == "--contact-sheet") {
        return WriteContactSheet(argv[2], error) ? 0 : Fail(error);
    }
    if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
        return Usage();
    }
    return WriteShow(argv[1], error) ? 0 : Fail(error);
}
