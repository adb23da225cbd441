#include "scene/scene_skinned_mesh.h"

#include "scene/device_values.h"
#include "scene/scene.h"

void cSceneSkinnedMesh::Draw()
{
    if (hidden != 0 || boneCount == 0) {
        return;
    }
    IDirect3DDevice8* device = scene->device;
    const bool software = scene->options & SCENE_SOFTWARE_VERTICES;
    if (software) {
        device->SetRenderState(D3DRS_SOFTWAREVERTEXPROCESSING, TRUE);
    }
    device->SetRenderState(D3DRS_INDEXEDVERTEXBLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_3WEIGHTS);
    device->SetIndices(indexBuffer, 0);
    device->SetVertexShader(SCENE_SKIN_FVF);
    device->SetStreamSource(0, vertexBuffer, SCENE_SKIN_STRIDE);
    device->SetTransform(D3DTS_WORLDMATRIX(0), AsDeviceMatrix(world));
    for (std::uint32_t k = 0; k < boneCount; ++k) {
        const cMatrix bone = bones[k].offset * bones[k].node->world;
        device->SetTransform(D3DTS_WORLDMATRIX(k + 1), AsDeviceMatrix(bone));
    }
    DrawGroups(groups.data(), static_cast<std::uint32_t>(groups.size()));
    device->SetRenderState(D3DRS_INDEXEDVERTEXBLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_DISABLE);
    device->SetStreamSource(0, nullptr, 0);
    device->SetIndices(nullptr, 0);
    if (software) {
        device->SetRenderState(D3DRS_SOFTWAREVERTEXPROCESSING, FALSE);
    }
}
