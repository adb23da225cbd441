#pragma once
// Textures with their mip levels. Ordinary textures keep a copy of every
// level in memory for LockRect and upload a level when it is unlocked; render
// targets live only in OpenGL, `scale` times their logical size.

#include <memory>
#include <vector>

#include "platform/d3d8/device_link.h"
#include "platform/d3d8/ref_counted.h"
#include "platform/d3d8/surface.h"
#include "platform/d3d8/texture_format.h"

class Texture final : public RefCounted<IDirect3DTexture8> {
public:
    // The largest side a texture may have.
    static constexpr UINT maxSize = 2048;

    static HRESULT Create(const SharedDeviceLink& link, UINT width, UINT height, UINT levels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture);
    ~Texture() override;

    HRESULT GetDevice(IDirect3DDevice8** device) override;
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD GetLevelCount() override { return static_cast<DWORD>(levels.size()); }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

    bool IsRenderTarget() const { return (usage & D3DUSAGE_RENDERTARGET) != 0; }
    GlTextureBinding Binding() const { return {glTexture, static_cast<int>(levels.size())}; }
    GlColorTarget ColorTarget(UINT level) const;
    const SharedDeviceLink& Link() const { return link; }

private:
    struct Level {
        UINT width = 0;
        UINT height = 0;
        std::vector<BYTE> pixels; // empty for render targets
        bool locked = false;
        bool readOnly = false;
        std::unique_ptr<Surface> surface;
    };

    Texture(const SharedDeviceLink& link, DWORD usage, D3DFORMAT format, D3DPOOL pool);

    SharedDeviceLink link;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
    TextureFormatInfo formatInfo;
    GLuint glTexture = 0;
    std::vector<Level> levels;
};
