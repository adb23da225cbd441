#include "render/texture_manager.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/d3dx8/d3dx8.h"
#include "platform/ijl/ijl.h"
#include "platform/win32/file_path.h"
#include "support/log.h"

namespace {

// No JPEG the library accepts comes near this; a name that opens as something
// else (a folder reports an endless length) is read as empty and fails to decode.
constexpr long kLargestJpegFile = 1L << 30;

char* CopyString(const char* text)
{
    if (text == nullptr) {
        return nullptr;
    }
    const std::size_t length = std::strlen(text) + 1;
    char* copy = new char[length];
    std::memcpy(copy, text, length);
    return copy;
}

void DeleteEntry(TextureEntry* entry)
{
    delete[] entry->name;
    delete[] entry->file;
    delete[] entry->alphaFile;
    if (entry->texture != nullptr) {
        entry->texture->Release();
    }
    delete entry;
}

// Ends the process: the show cannot go on without a picture it ships with.
[[noreturn]] void JpegFailed(JPEG_CORE_PROPERTIES& properties, IJLERR code, const char* fileName)
{
    char text[512];
    std::snprintf(text, sizeof text, "%s   --  %s\n", ijlErrorStr(code), fileName);
    if (g_log) g_log->Print("JPGLOAD : %s\n", text);
    // The log is usually off: say on standard error why the show stops.
    std::fprintf(stderr, "rewind: cannot decode the picture %s (%s)\n", fileName, ijlErrorStr(code));
    ijlFree(&properties);
    std::exit(1);
}

// Reads the whole file into one block from malloc (size 0 when it cannot
// be read) and closes it.
unsigned char* ReadWholeFile(FILE* file, DWORD* size)
{
    std::fseek(file, 0, SEEK_END);
    long length = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    if (length < 0 || length > kLargestJpegFile) {
        length = 0;
    }
    auto* block = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(length)));
    *size = block != nullptr ? static_cast<DWORD>(std::fread(block, 1, static_cast<std::size_t>(length), file)) : 0;
    std::fclose(file);
    return block;
}

// Lower mip levels of a texture whose level 0 is filled: without them a
// minified texture would sample whatever the device put there (transparent
// black). Each level is box-filtered from the one above, as D3DX does for the
// textures it loads from files.
void FillLowerLevels(IDirect3DTexture8* texture)
{
    for (DWORD level = 1; level < texture->GetLevelCount(); ++level) {
        D3DSURFACE_DESC above{};
        D3DLOCKED_RECT locked{};
        if (FAILED(texture->GetLevelDesc(level - 1, &above)) ||
            FAILED(texture->LockRect(level - 1, &locked, nullptr, D3DLOCK_READONLY))) {
            return;
        }
        IDirect3DSurface8* surface = nullptr;
        if (SUCCEEDED(texture->GetSurfaceLevel(level, &surface))) {
            const RECT source = {0, 0, static_cast<LONG>(above.Width), static_cast<LONG>(above.Height)};
            D3DXLoadSurfaceFromMemory(surface, nullptr, nullptr, locked.pBits, D3DFMT_A8R8G8B8,
                                      static_cast<UINT>(locked.Pitch), nullptr, &source, D3DX_FILTER_BOX, 0);
            surface->Release();
        }
        texture->UnlockRect(level - 1);
    }
}

} // namespace

unsigned char* LoadJpeg(const char* fileName, DWORD* width, DWORD* height)
{
    JPEG_CORE_PROPERTIES properties;
    std::memset(&properties, 0, sizeof properties);
    IJLERR result = ijlInit(&properties);
    if (result != IJL_OK) {
        JpegFailed(properties, result, fileName);
    }

    FILE* file = OpenWindowsFile(fileName, "rb");
    if (file == nullptr) {
        if (g_log) g_log->Print("File %s not found!\n", fileName);
        ijlFree(&properties);
        return nullptr;
    }
    DWORD fileSize = 0;
    unsigned char* fileBytes = ReadWholeFile(file, &fileSize);

    properties.JPGBytes = fileBytes;
    properties.JPGSizeBytes = fileSize;
    result = ijlRead(&properties, IJL_JBUFF_READPARAMS);
    if (result != IJL_OK) {
        std::free(fileBytes);
        JpegFailed(properties, result, fileName);
    }

    const DWORD pictureWidth = properties.JPGWidth;
    const DWORD pictureHeight = properties.JPGHeight;
    if (width != nullptr) {
        *width = pictureWidth;
    }
    if (height != nullptr) {
        *height = pictureHeight;
    }

    const std::size_t pixelCount = std::size_t{pictureWidth} * pictureHeight;
    auto* rgb = static_cast<unsigned char*>(std::malloc(pixelCount * 3));
    properties.DIBBytes = rgb;
    properties.DIBWidth = pictureWidth;
    properties.DIBHeight = static_cast<int>(pictureHeight);
    properties.DIBPadBytes = 0;
    properties.DIBChannels = 3;
    properties.DIBColor = IJL_BGR;
    if (properties.JPGChannels == 3) {
        properties.JPGColor = IJL_YCBCR;
    } else if (properties.JPGChannels == 1) {
        properties.JPGColor = IJL_G;
    } else {
        properties.DIBColor = IJL_OTHER;
        properties.JPGColor = IJL_OTHER;
    }

    result = ijlRead(&properties, IJL_JBUFF_READWHOLEIMAGE);
    if (result != IJL_OK) {
        std::free(fileBytes);
        std::free(rgb);
        JpegFailed(properties, result, fileName);
    }

    ijlFree(&properties);
    std::free(fileBytes);
    auto* pixels = static_cast<unsigned char*>(std::malloc(pixelCount * 4));
    if (pixels == nullptr) {
        std::free(rgb);
        return nullptr;
    }
    for (std::size_t i = 0; i < pixelCount; ++i) {
        pixels[i * 4 + 0] = rgb[i * 3 + 0];
        pixels[i * 4 + 1] = rgb[i * 3 + 1];
        pixels[i * 4 + 2] = rgb[i * 3 + 2];
        pixels[i * 4 + 3] = 0;
    }
    std::free(rgb);
    return pixels;
}

cTextureManager::cTextureManager(IDirect3DDevice8* device)
    : device(device), entries{}, count(0)
{
    if (g_log) g_log->Print("cTextureManager : Initialized and waiting for orders...\n");
}

cTextureManager::~cTextureManager()
{
    for (DWORD slot = 0; slot < count; ++slot) {
        DropEntry(slot);
    }
}

bool cTextureManager::Load(const char* fileName, const char* textureName)
{
    if (FindSilent(textureName) != nullptr) {
        if (g_log) g_log->Print("cTextureManager : Cannot load texture (%s) - ", fileName);
        if (g_log) g_log->Print("there is such texture named [%s] already\n", textureName);
        return false;
    }
    if (RefuseWhenFull(textureName)) {
        return false;
    }

    TextureEntry* entry = BeginEntry(textureName, fileName, nullptr);
    if (FAILED(D3DXCreateTextureFromFileA(device, fileName, &entry->texture))) {
        if (g_log) g_log->Print("cTextureManager : Error loading texture %s\n", fileName);
        DropEntry(count);
        return false;
    }
    if (g_log) g_log->Print("cTextureManager : Successfully loaded [%s] ", textureName);
    if (g_log) g_log->Print("from  %s\n", fileName);

    D3DSURFACE_DESC desc{};
    entry->texture->GetLevelDesc(0, &desc);
    entry->width = desc.Width;
    entry->height = desc.Height;
    ++count;
    return true;
}

bool cTextureManager::LoadWithAlpha(const char* colorFileName, const char* alphaFileName, const char* textureName)
{
    if (colorFileName == nullptr || alphaFileName == nullptr) {
        if (g_log) g_log->Print("cTextureManager : Cannot load texture (%s + ", colorFileName);
        if (g_log) g_log->Print("%s)\n", alphaFileName);
        return false;
    }
    // The logging lookup: every load with alpha leaves a miss line for its own name.
    if (Find(textureName) != nullptr) {
        if (g_log) g_log->Print("cTextureManager : Cannot load texture (%s + ", colorFileName);
        if (g_log) g_log->Print("%s) there is such texture named", alphaFileName);
        if (g_log) g_log->Print("[%s] already\n", textureName);
        return false;
    }
    if (RefuseWhenFull(textureName)) {
        return false;
    }

    DWORD colorWidth = 0;
    DWORD colorHeight = 0;
    DWORD alphaWidth = 0;
    DWORD alphaHeight = 0;
    unsigned char* color = LoadJpeg(colorFileName, &colorWidth, &colorHeight);
    unsigned char* alpha = LoadJpeg(alphaFileName, &alphaWidth, &alphaHeight);
    if (color == nullptr || alpha == nullptr) {
        if (g_log) g_log->Print("cTextureManager : Cannot load texture (%s + ", colorFileName);
        if (g_log) g_log->Print("%s)\n", alphaFileName);
        std::free(color);
        std::free(alpha);
        return false;
    }
    if (colorWidth != alphaWidth || colorHeight != alphaHeight) {
        if (g_log) g_log->Print("cTextureManager : Texture and alpha channel are not the same! (%s + ", colorFileName);
        if (g_log) g_log->Print("%s)\n", alphaFileName);
        std::free(color);
        std::free(alpha);
        return false;
    }

    const std::size_t pixelCount = std::size_t{colorWidth} * colorHeight;
    for (std::size_t i = 0; i < pixelCount; ++i) {
        color[i * 4 + 3] = alpha[i * 4];
    }
    std::free(alpha);

    TextureEntry* entry = BeginEntry(textureName, colorFileName, alphaFileName);
    entry->width = colorWidth;
    entry->height = colorHeight;
    const bool created = CreateAlphaTexture(*entry, color);
    std::free(color);
    if (!created) {
        DropEntry(count);
        return false;
    }
    ++count;
    if (g_log) g_log->Print("cTextureManager : Successfully loaded [%s] with alpha", textureName);
    if (g_log) g_log->Print("from  %s and ", colorFileName);
    if (g_log) g_log->Print("%s\n", alphaFileName);
    return true;
}

// Creates the entry's texture (full mip chain, A8R8G8B8, managed) and fills it
// from the merged pixels.
bool cTextureManager::CreateAlphaTexture(TextureEntry& entry, const unsigned char* pixels)
{
    if (FAILED(device->CreateTexture(entry.width, entry.height, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                     &entry.texture))) {
        if (g_log) g_log->Print("cTextureManager : Cannot create texture from (%s + ", entry.file);
        if (g_log) g_log->Print("%s)\n", entry.alphaFile);
        return false;
    }
    IDirect3DSurface8* surface = nullptr;
    if (FAILED(entry.texture->GetSurfaceLevel(0, &surface))) {
        entry.texture->Release();
        entry.texture = nullptr;
        if (g_log) g_log->Print("cTextureManager : Cannot get surfaces level (%s + ", entry.file);
        if (g_log) g_log->Print("%s)\n", entry.alphaFile);
        return false;
    }
    const RECT source = {0, 0, static_cast<LONG>(entry.width), static_cast<LONG>(entry.height)};
    if (FAILED(D3DXLoadSurfaceFromMemory(surface, nullptr, nullptr, pixels, D3DFMT_A8R8G8B8, entry.width * 4, nullptr,
                                         &source, D3DX_FILTER_LINEAR | D3DX_FILTER_DITHER, 0))) {
        surface->Release();
        entry.texture->Release();
        entry.texture = nullptr;
        if (g_log) g_log->Print("cTextureManager : Cannot load surface from memory (%s + ", entry.file);
        if (g_log) g_log->Print("%s)\n", entry.alphaFile);
        return false;
    }
    surface->Release();
    FillLowerLevels(entry.texture);
    return true;
}

IDirect3DTexture8* cTextureManager::Find(const char* textureName, DWORD* width, DWORD* height) const
{
    const TextureEntry* entry = Search(textureName);
    if (entry == nullptr) {
        if (g_log) g_log->Print("cTextureManager : cannot find texture named %s\n", textureName);
        return nullptr;
    }
    if (width != nullptr) {
        *width = entry->width;
    }
    if (height != nullptr) {
        *height = entry->height;
    }
    return entry->texture;
}

IDirect3DTexture8* cTextureManager::FindSilent(const char* textureName) const
{
    const TextureEntry* entry = Search(textureName);
    return entry != nullptr ? entry->texture : nullptr;
}

void cTextureManager::ReleaseAll()
{
    if (g_log) g_log->Print("cTextureManager : Releasing %d textures ...\n", static_cast<int>(count));
    for (DWORD slot = 0; slot < count; ++slot) {
        DropEntry(slot);
    }
    count = 0;
    if (g_log) g_log->Print("cTextureManager : Done\n");
    if (g_log) g_log->Print("cTextureManager : Deinitialized ...\n");
}

// Slots 0 to count - 1 in order; the first exact, case-sensitive match wins.
const TextureEntry* cTextureManager::Search(const char* textureName) const
{
    if (textureName == nullptr) {
        return nullptr;
    }
    for (DWORD slot = 0; slot < count; ++slot) {
        const TextureEntry* entry = entries[slot];
        if (entry->name != nullptr && std::strcmp(entry->name, textureName) == 0) {
            return entry;
        }
    }
    return nullptr;
}

// The table has a fixed number of slots; a load past them is refused rather
// than growing it, with a line that says why.
bool cTextureManager::RefuseWhenFull(const char* textureName) const
{
    if (count < kSlots) {
        return false;
    }
    if (g_log) g_log->Print("cTextureManager : Cannot load texture [%s] - all %d slots are taken\n", textureName,
                            static_cast<int>(kSlots));
    return true;
}

// A load fills slot `count`; only a successful one moves `count` on, so the
// slot of a failed load is taken by the next.
TextureEntry* cTextureManager::BeginEntry(const char* textureName, const char* fileName, const char* alphaFileName)
{
    entries[count] = new TextureEntry{count, CopyString(textureName), 0, 0, CopyString(fileName),
                                      CopyString(alphaFileName), nullptr};
    return entries[count];
}

void cTextureManager::DropEntry(DWORD slot)
{
    DeleteEntry(entries[slot]);
    entries[slot] = nullptr;
}
