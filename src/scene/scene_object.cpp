#include "scene/scene_object.h"

#include "scene/device_values.h"
#include "scene/scene.h"

void cScenePoint::Attach(cSceneNode* node)
{
    position = cVector(0.0f, 0.0f, 0.0f) * node->world;
}

void cSceneLight::Attach(cSceneNode* node)
{
    cScenePoint::Attach(node);
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {0.75f, 0.75f, 0.75f, 0.0f};
    light.Position = {position.x, position.y, position.z};
    light.Range = 500.0f;
    light.Attenuation0 = 1.0f;
    light.Attenuation1 = 0.001f;
    scene->device->SetLight(lightIndex, &light);
    scene->device->LightEnable(lightIndex, TRUE);
}

void cSceneLight::Draw()
{
    if (!(scene->options & SCENE_FLARES) || scene->flareMaterial == nullptr || scene->camera == nullptr) {
        return;
    }
    IDirect3DDevice8* device = scene->device;
    scene->flareMaterial->Apply();
    device->SetStreamSource(0, scene->flareVertices, 12);
    device->SetIndices(scene->flareIndices, 0);
    device->SetVertexShader(D3DFVF_XYZ);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    // The camera's turn undone, then moved to the light: the quad faces the viewer.
    const cMatrix world = MatrixInverseLinear(scene->camera->view) * MatrixTranslation(position);
    device->SetTransform(D3DTS_WORLD, AsDeviceMatrix(world));
    device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    scene->flareMaterial->Restore();
}
