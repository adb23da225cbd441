#include "effects/effect_lights.h"

#include <cmath>

#include "platform/d3d8/d3d8.h"

D3DLIGHT8 DirectionalLight(D3DCOLORVALUE diffuse, D3DCOLORVALUE specular, D3DVECTOR direction, float range)
{
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = diffuse;
    light.Specular = specular;
    const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y + direction.z * direction.z);
    if (length > 0.0f) light.Direction = {direction.x / length, direction.y / length, direction.z / length};
    light.Range = range;
    light.Attenuation0 = 1.0f;
    return light;
}

void UseLight0(IDirect3DDevice8* device, const D3DLIGHT8& light)
{
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
}
