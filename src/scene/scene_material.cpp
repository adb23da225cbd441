#include "scene/scene_material.h"

#include "scene/device_values.h"
#include "scene/scene.h"
#include "scene/scene_textures.h"

namespace {

// u = 0.5 x + 0.5, v = 0.5 y + 0.5: camera-space directions onto the texture.
cMatrix SphereMapMatrix()
{
    return MatrixTranslation(1.0f, 1.0f, 1.0f) * MatrixScaling(0.5f);
}

DWORD SecondStageColorOperation(std::uint32_t flags)
{
    if (flags & MATERIAL_SECOND_MODULATE) {
        return D3DTOP_MODULATE;
    }
    if (flags & MATERIAL_SECOND_BLEND_ALPHA) {
        return D3DTOP_BLENDTEXTUREALPHA;
    }
    if (flags & MATERIAL_SECOND_ALPHA_ADD) {
        return D3DTOP_MODULATEALPHA_ADDCOLOR;
    }
    return D3DTOP_ADD;
}

} // namespace

void cSceneMaterial::Apply()
{
    IDirect3DDevice8* device = scene->device;
    device->GetRenderState(D3DRS_CULLMODE, &savedCullMode);

    D3DMATERIAL8 material{};
    material.Diffuse = {1.0f, 1.0f, 1.0f, opacity};
    material.Ambient = {1.0f, 1.0f, 1.0f, 0.0f};
    if (flags & (MATERIAL_NO_TEXTURE | MATERIAL_SPHERE_MAP)) {
        material.Diffuse.r = red;
        material.Diffuse.g = green;
        material.Diffuse.b = blue;
    }
    if (flags & MATERIAL_NO_TEXTURE) {
        device->SetMaterial(&material);
    }
    device->SetRenderState(D3DRS_WRAP0, 0);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetMaterial(&material);
    device->SetTexture(0, g_sceneTextures.Find(textureName.c_str()));

    if (flags & MATERIAL_SPHERE_MAP) {
        device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL);
        device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
        device->SetTransform(D3DTS_TEXTURE0, AsDeviceMatrix(SphereMapMatrix()));
    }
    if (flags & MATERIAL_SECOND_TEXTURE) {
        device->SetTransform(D3DTS_TEXTURE1, AsDeviceMatrix(SphereMapMatrix()));
        device->SetTexture(1, g_sceneTextures.Find(secondTextureName.c_str()));
        device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR);
        device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
        device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT);
        device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_TEXTURE);
        device->SetTextureStageState(1, D3DTSS_COLOROP, SecondStageColorOperation(flags));
        device->SetTextureStageState(1, D3DTSS_ALPHAOP,
                                     (flags & MATERIAL_SECOND_ALPHA) ? D3DTOP_SELECTARG1 : D3DTOP_SELECTARG2);
    }
    if (flags & MATERIAL_TRANSPARENT) {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
        device->SetRenderState(D3DRS_SRCBLEND, blendSelector == 0 || blendSelector == 1 ? D3DBLEND_SRCALPHA
                                                                                        : D3DBLEND_ONE);
        device->SetRenderState(D3DRS_DESTBLEND, blendSelector == 1 ? D3DBLEND_INVSRCALPHA : D3DBLEND_ONE);
    }
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, (flags & (MATERIAL_TEXTURE_ALPHA | MATERIAL_NO_TEXTURE))
                                                        ? D3DTOP_SELECTARG1
                                                        : D3DTOP_SELECTARG2);
}

void cSceneMaterial::Restore()
{
    IDirect3DDevice8* device = scene->device;
    device->SetTexture(0, nullptr);
    if (flags & MATERIAL_SPHERE_MAP) {
        device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
        device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    }
    if (flags & MATERIAL_SECOND_TEXTURE) {
        device->SetTexture(1, nullptr);
        device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0);
        device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
        device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    }
    device->SetRenderState(D3DRS_WRAP0, 0);
    device->SetRenderState(D3DRS_CULLMODE, savedCullMode);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
}
