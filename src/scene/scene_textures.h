#pragma once
// The scene's own texture registry, apart from the renderer's: textures made
// from the BMP, JPEG and TGA files that the scene's materials name, kept and
// shared by file name (compared without regard to case), each scaled to
// power-of-two sizes, with an optional 8-bit "_alpha.bmp" companion file
// that becomes its alpha channel. Failures throw CTextureException.
//
//   g_sceneTextures.Init(device, D3DFMT_A8R8G8B8);
//   int plain = g_sceneTextures.LoadTexture("obj\\wall.jpg", 1);  // 0: alpha companion used
//   device->SetTexture(0, g_sceneTextures.Find("obj\\wall.jpg"));

#include <cstdint>
#include <list>
#include <string>

#include "platform/d3d8/d3d8.h"
#include "scene/scene_exception.h"
#include "scene/scene_picture.h"

class cSceneTextureRegistry {
public:
    // The registry lives until the process ends and outlives the device, so
    // its destructor releases nothing; Shutdown releases every texture while
    // the device still exists.
    cSceneTextureRegistry() = default;
    cSceneTextureRegistry(const cSceneTextureRegistry&) = delete;
    cSceneTextureRegistry& operator=(const cSceneTextureRegistry&) = delete;

    // Starts an empty registry on the device, whose textures take `format`.
    // A registry started again forgets (and releases) what it held.
    void Init(IDirect3DDevice8* device, D3DFORMAT format);

    // Makes sure a texture of `levels` levels is registered under `name`.
    // Returns 0 when an alpha companion was combined with the picture, 1 when
    // the picture was loaded alone (or was already registered).
    int LoadTexture(const char* name, UINT levels);

    // The texture registered under name, or null.
    IDirect3DTexture8* Find(const char* name) const;

    // Forgets the entry of that name and releases its texture, if any.
    void Remove(const char* name);

    // A folder tried once more, in front of the name, for a file not found
    // under its own name. Empty by default.
    void SetPrefix(const char* prefix) { this->prefix = prefix != nullptr ? prefix : ""; }

    // Releases every texture and returns to the state before Init.
    void Shutdown();

    std::size_t Count() const { return entries.size(); }

private:
    struct Entry {
        IDirect3DTexture8* texture = nullptr;
        std::string name;
    };

    Entry* FindEntry(const char* name);
    bool FileExists(const std::string& name) const;
    bool ReadPicture(const char* name, ScenePicture& picture) const;
    bool ReadAlpha(const char* name, AlphaPicture& picture) const;
    void LoadWithoutAlpha(const char* name, UINT levels);
    void LoadWithAlpha(const char* name, const char* alphaName, UINT levels);
    void CreateTexture(const char* name, const ScenePicture& picture, UINT levels);

    bool initialised = false;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    IDirect3DDevice8* device = nullptr;
    std::list<Entry> entries;
    std::string prefix;
};

// The one registry of the process.
extern cSceneTextureRegistry g_sceneTextures;
