#pragma once
// A surface description of the scene: colour, opacity, one or two textures
// from the scene texture registry and flags that choose how they combine.
// Apply sets the device up for a draw; Restore undoes it afterwards.

#include <cstdint>
#include <string>

#include "platform/d3d8/d3d8.h"

class cScene;

enum : std::uint32_t {
    MATERIAL_SECOND_TEXTURE = 0x01,       // second texture on stage 1, reflection-mapped
    MATERIAL_SECOND_MODULATE = 0x02,      // stage 1 multiplies
    MATERIAL_TRANSPARENT = 0x04,          // blended, no culling, no depth writes
    MATERIAL_TEXTURE_ALPHA = 0x10,        // alpha from the first texture
    MATERIAL_SPHERE_MAP = 0x20,           // first texture addressed by the camera-space normal
    MATERIAL_NO_TEXTURE = 0x40,           // the material colour alone
    MATERIAL_SECOND_ALPHA = 0x80,         // alpha from the second texture
    MATERIAL_SECOND_BLEND_ALPHA = 0x100,  // stage 1 blends by the second texture's alpha
    MATERIAL_SECOND_ALPHA_ADD = 0x200,    // stage 1 adds the second texture scaled by alpha
};

class cSceneMaterial {
public:
    explicit cSceneMaterial(cScene* scene) : scene(scene) {}
    virtual ~cSceneMaterial() = default;

    virtual void Apply();
    virtual void Restore();

    DWORD savedCullMode = D3DCULL_CCW;
    cScene* scene;
    std::uint32_t flags = 0;
    // How a transparent material blends: 0 adds by source alpha, 1 mixes by
    // source alpha, anything else adds. A material that is transparent by
    // its file flags keeps 1, ordinary see-through mixing.
    std::int32_t blendSelector = 1;
    float opacity = 0.0f;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    std::string textureName;       // empty: none
    std::string secondTextureName; // empty: none
};
