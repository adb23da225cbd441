#include "platform/win32/file_path.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

bool Exists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

// The entry of `directory` whose name equals `component` without regard to
// case, or `component` itself when there is none.
std::string FindIgnoringCase(const std::string& directory, const std::string& component)
{
    DIR* listing = opendir(directory.empty() ? "." : directory.c_str());
    if (listing == nullptr) {
        return component;
    }
    std::string found = component;
    while (const dirent* entry = readdir(listing)) {
        if (strcasecmp(entry->d_name, component.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    closedir(listing);
    return found;
}

std::string ResolveIgnoringCase(const std::string& path)
{
    std::string resolved;
    size_t start = 0;
    if (!path.empty() && path[0] == '/') {
        resolved = "/";
        start = 1;
    }
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        std::string component = path.substr(start, end - start);
        if (!component.empty()) {
            std::string candidate = resolved + component;
            if (!Exists(candidate)) {
                std::string directory = resolved.empty() ? "." : resolved;
                candidate = resolved + FindIgnoringCase(directory, component);
            }
            resolved = candidate;
            if (end < path.size()) {
                resolved += '/';
            }
        }
        start = end + 1;
    }
    return resolved;
}

} // namespace

std::string NativeFileName(const char* windowsName)
{
    std::string path = windowsName != nullptr ? windowsName : "";
    for (char& character : path) {
        if (character == '\\') {
            character = '/';
        }
    }
    if (path.empty() || Exists(path)) {
        return path;
    }
    return ResolveIgnoringCase(path);
}

FILE* OpenWindowsFile(const char* windowsName, const char* mode)
{
    if (windowsName == nullptr || mode == nullptr) {
        return nullptr;
    }
    std::string nativeMode;
    for (const char* character = mode; *character != '\0'; ++character) {
        if (*character != 't') {
            nativeMode += *character;
        }
    }
    return std::fopen(NativeFileName(windowsName).c_str(), nativeMode.c_str());
}
