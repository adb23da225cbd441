#include <libopenmpt/libopenmpt.h>

#include <cstdio>
#include <memory>
#include <new>

#include "platform/fmod/decoders.h"
#include "platform/fmod/fmod.h"
#include "platform/win32/file_path.h"

namespace {

bool ReadWholeFile(FILE* file, std::vector<char>& bytes)
{
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return std::ferror(file) == 0;
}

} // namespace

std::shared_ptr<const DecodedSound> DecodeModuleFile(const char* windowsName, int mixRate,
                                                     int* error)
{
    FILE* file = OpenWindowsFile(windowsName, "rb");
    if (file == nullptr) {
        *error = FMOD_ERR_FILE_NOTFOUND;
        return nullptr;
    }
    try {
        std::vector<char> bytes;
        bool complete = ReadWholeFile(file, bytes);
        std::fclose(file);
        file = nullptr;
        if (!complete) {
            *error = FMOD_ERR_FILE_BAD;
            return nullptr;
        }

        std::unique_ptr<openmpt_module, void (*)(openmpt_module*)> module(
            openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent,
                                               nullptr, openmpt_error_func_ignore, nullptr,
                                               nullptr, nullptr, nullptr),
            openmpt_module_destroy);
        if (module == nullptr) {
            *error = FMOD_ERR_FILE_FORMAT;
            return nullptr;
        }
        // Played once through; the show outlasts none of its music.
        openmpt_module_set_repeat_count(module.get(), 0);

        auto sound = std::make_shared<DecodedSound>();
        sound->sourceRate = mixRate;
        sound->sourceBytesPerFrame = 4;
        std::int16_t block[kModuleMarkFrames * 2];
        const size_t maxBlocks = static_cast<size_t>(kMaxSoundSeconds) * mixRate / kModuleMarkFrames;
        for (size_t blockIndex = 0; blockIndex < maxBlocks; ++blockIndex) {
            PatternMark mark;
            mark.order = openmpt_module_get_current_order(module.get());
            mark.row = openmpt_module_get_current_row(module.get());
            size_t got = openmpt_module_read_interleaved_stereo(module.get(), mixRate,
                                                                kModuleMarkFrames, block);
            if (got == 0) {
                break;
            }
            sound->marks.push_back(mark);
            sound->samples.insert(sound->samples.end(), block, block + got * 2);
        }
        *error = FMOD_ERR_NONE;
        return sound;
    } catch (const std::bad_alloc&) {
        if (file != nullptr) {
            std::fclose(file);
        }
        *error = FMOD_ERR_MEMORY;
        return nullptr;
    }
}
