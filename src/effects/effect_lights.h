#pragma once
// The lights the effects set on light 0.

#include "platform/d3d8/d3d8.h"

// A directional light shining along `direction` (normalised here), with the
// given diffuse and specular colours, no ambient part, the given range and a
// constant attenuation of 1 (neither acts on a directional light).
D3DLIGHT8 DirectionalLight(D3DCOLORVALUE diffuse, D3DCOLORVALUE specular, D3DVECTOR direction, float range);

// Sets and enables light 0 and switches lighting on.
void UseLight0(IDirect3DDevice8* device, const D3DLIGHT8& light);
