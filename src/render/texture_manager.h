#pragma once
// The registry of named textures. Every effect loads its pictures once, at
// initialisation, under a short name ("black", "fx01_tlo", ...) and binds them
// by that name afterwards. A texture comes either from one picture file, or
// from two JPEG files of equal size: a colour picture and a picture whose
// brightness becomes the alpha channel.

#include "platform/d3d8/d3d8.h"

// One loaded texture; the registry owns the strings and one reference to the
// texture.
struct TextureEntry {
    DWORD index; // the slot the entry was created in
    char* name;
    DWORD width; // of mip level 0, in texels
    DWORD height;
    char* file; // for a texture with alpha, the colour picture
    char* alphaFile; // null for a plain texture
    IDirect3DTexture8* texture;
};

// Decodes a JPEG file through the Intel JPEG Library into width x height
// pixels of four bytes (blue, green, red, 0), top row first, rows unpadded, and
// reports the size through the non-null out-pointers. The caller releases the
// pixels with free(). A file that cannot be opened gives null and a log line;
// a file the library cannot decode ends the process with exit code 1.
unsigned char* LoadJpeg(const char* fileName, DWORD* width = nullptr, DWORD* height = nullptr);

class cTextureManager {
public:
    static constexpr DWORD kSlots = 1024;

    explicit cTextureManager(IDirect3DDevice8* device);
    // Gives back whatever ReleaseAll has not.
    ~cTextureManager();
    cTextureManager(const cTextureManager&) = delete;
    cTextureManager& operator=(const cTextureManager&) = delete;

    // A plain texture from any picture file D3DX reads, with a full mip chain.
    bool Load(const char* fileName, const char* textureName);
    // An A8R8G8B8 texture whose alpha is the blue (for grey pictures: the grey)
    // channel of the alpha picture.
    bool LoadWithAlpha(const char* colorFileName, const char* alphaFileName, const char* textureName);

    // The texture registered under the name (no reference added), its size
    // through the non-null out-pointers; a miss is logged and gives null.
    IDirect3DTexture8* Find(const char* textureName, DWORD* width = nullptr, DWORD* height = nullptr) const;
    // The same lookup, without sizes and without the log line.
    IDirect3DTexture8* FindSilent(const char* textureName) const;

    // Releases every texture and name; the registry is empty afterwards.
    void ReleaseAll();

    DWORD Count() const { return count; }
    const TextureEntry* Entry(DWORD slot) const { return slot < kSlots ? entries[slot] : nullptr; }

private:
    const TextureEntry* Search(const char* textureName) const;
    bool RefuseWhenFull(const char* textureName) const;
    TextureEntry* BeginEntry(const char* textureName, const char* fileName, const char* alphaFileName);
    void DropEntry(DWORD slot);
    bool CreateAlphaTexture(TextureEntry& entry, const unsigned char* pixels);

    IDirect3DDevice8* device;
    TextureEntry* entries[kSlots];
    DWORD count;
};
