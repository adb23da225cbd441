#include "scene/scene_textures.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

#include "platform/d3dx8/d3dx8.h"
#include "platform/win32/file_path.h"
#include "scene/named_list.h"

cSceneTextureRegistry g_sceneTextures;

namespace {

constexpr DWORD linearDitherFilter = D3DX_FILTER_LINEAR | D3DX_FILTER_DITHER;

UINT PowerOfTwoAtLeast(std::uint32_t size)
{
    UINT power = 1;
    while (power < size && power < 0x80000000u) {
        power <<= 1;
    }
    return power;
}

} // namespace

void cSceneTextureRegistry::Init(IDirect3DDevice8* device, D3DFORMAT format)
{
    Shutdown();
    initialised = true;
    this->device = device;
    this->format = format;
}

void cSceneTextureRegistry::Shutdown()
{
    for (Entry& entry : entries) {
        if (entry.texture != nullptr) {
            entry.texture->Release();
        }
    }
    entries.clear();
    initialised = false;
    device = nullptr;
}

cSceneTextureRegistry::Entry* cSceneTextureRegistry::FindEntry(const char* name)
{
    for (Entry& entry : entries) {
        if (SceneNamesEqual(entry.name.c_str(), name)) {
            return &entry;
        }
    }
    return nullptr;
}

IDirect3DTexture8* cSceneTextureRegistry::Find(const char* name) const
{
    if (name == nullptr) {
        return nullptr;
    }
    for (const Entry& entry : entries) {
        if (SceneNamesEqual(entry.name.c_str(), name)) {
            return entry.texture;
        }
    }
    return nullptr;
}

void cSceneTextureRegistry::Remove(const char* name)
{
    for (auto entry = entries.begin(); entry != entries.end(); ++entry) {
        if (SceneNamesEqual(entry->name.c_str(), name)) {
            if (entry->texture != nullptr) {
                entry->texture->Release();
            }
            entries.erase(entry);
            return;
        }
    }
}

bool cSceneTextureRegistry::FileExists(const std::string& name) const
{
    std::FILE* file = OpenWindowsFile(name.c_str(), "rb");
    if (file == nullptr) {
        file = OpenWindowsFile((prefix + name).c_str(), "rb");
    }
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

bool cSceneTextureRegistry::ReadPicture(const char* name, ScenePicture& picture) const
{
    return ReadPictureFile(name, picture) || ReadPictureFile((prefix + name).c_str(), picture);
}

bool cSceneTextureRegistry::ReadAlpha(const char* name, AlphaPicture& picture) const
{
    return ReadAlphaFile(name, picture) || ReadAlphaFile((prefix + name).c_str(), picture);
}

int cSceneTextureRegistry::LoadTexture(const char* name, UINT levels)
{
    if (name == nullptr) {
        throw CTextureException(3);
    }
    const std::string fullName = name;
    const std::size_t extensionLength = std::strlen(PictureExtension(name));
    // A name without a '.' loses its last character, as if a '.' stood there.
    const std::size_t stemLength =
        fullName.size() > extensionLength ? fullName.size() - extensionLength - 1 : 0;
    const std::string alphaName = fullName.substr(0, stemLength) + "_alpha.bmp";
    if (FileExists(alphaName)) {
        LoadWithAlpha(name, alphaName.c_str(), levels);
        return 0;
    }
    LoadWithoutAlpha(name, levels);
    return 1;
}

void cSceneTextureRegistry::LoadWithoutAlpha(const char* name, UINT levels)
{
    const Entry* existing = FindEntry(name);
    if (existing != nullptr && existing->texture != nullptr) {
        return;
    }
    if (!initialised) {
        throw CTextureException(0);
    }
    ScenePicture picture;
    if (!ReadPicture(name, picture)) {
        throw CTextureException(3);
    }
    CreateTexture(name, picture, levels);
}

void cSceneTextureRegistry::LoadWithAlpha(const char* name, const char* alphaName, UINT levels)
{
    if (name == nullptr || alphaName == nullptr) {
        return;
    }
    const Entry* existing = FindEntry(name);
    if (existing != nullptr && existing->texture != nullptr) {
        return;
    }
    if (!initialised) {
        throw CTextureException(0);
    }
    if (format != D3DFMT_A8R8G8B8 && format != D3DFMT_A4R4G4B4 && format != D3DFMT_A8R3G3B2) {
        throw CTextureException(3);
    }
    ScenePicture picture;
    AlphaPicture alpha;
    if (!ReadPicture(name, picture) || !ReadAlpha(alphaName, alpha)) {
        throw CTextureException(3);
    }
    MergeAlpha(picture, std::move(alpha));
    CreateTexture(name, picture, levels);
}

// The entry is listed before the texture exists: when creation fails the
// empty entry stays until Remove, so the caller removes it by name.
void cSceneTextureRegistry::CreateTexture(const char* name, const ScenePicture& picture, UINT levels)
{
    entries.push_back(Entry{nullptr, name});
    Entry& entry = entries.back();
    IDirect3DTexture8* texture = nullptr;
    if (device == nullptr ||
        device->CreateTexture(PowerOfTwoAtLeast(picture.width), PowerOfTwoAtLeast(picture.height), levels, 0,
                              format, D3DPOOL_MANAGED, &texture) != D3D_OK) {
        throw CTextureException(3);
    }
    const RECT source{0, 0, static_cast<LONG>(picture.width), static_cast<LONG>(picture.height)};
    const DWORD levelCount = texture->GetLevelCount();
    for (DWORD level = 0; level < levelCount; ++level) {
        IDirect3DSurface8* surface = nullptr;
        HRESULT result = texture->GetSurfaceLevel(level, &surface);
        if (result == D3D_OK) {
            result = D3DXLoadSurfaceFromMemory(surface, nullptr, nullptr, picture.pixels.data(), D3DFMT_A8R8G8B8,
                                               picture.width * 4, nullptr, &source, linearDitherFilter, 0);
        }
        if (surface != nullptr) {
            surface->Release();
        }
        if (result != D3D_OK) {
            texture->Release();
            throw CTextureException(3);
        }
    }
    entry.texture = texture;
}
