#include <cstdio>

#include "platform/fmod/decoders.h"
#include "platform/fmod/fmod.h"

// The page carries no module player: the show plays its music from a stream,
// and libopenmpt would add more to the download than everything else here.
std::shared_ptr<const DecodedSound> DecodeModuleFile(const char* windowsName, int, int* error)
{
    std::fprintf(stderr, "rewind: %s: module music is not built into the page\n",
                 windowsName != nullptr ? windowsName : "(no name)");
    *error = FMOD_ERR_FILE_FORMAT;
    return nullptr;
}
