#include "scene/scene_mesh.h"

#include "scene/device_values.h"
#include "scene/scene.h"

cSceneMeshBase::~cSceneMeshBase()
{
    if (vertexBuffer != nullptr) {
        vertexBuffer->Release();
    }
    if (indexBuffer != nullptr) {
        indexBuffer->Release();
    }
}

void cSceneMeshBase::Attach(cSceneNode* node)
{
    world = node->world;
    if (morphTrack) {
        morphCurrent = morphTrack->CurrentValue(node->time);
        morphNext = morphTrack->NextValue(node->time);
        morphFactor = morphTrack->BlendFactor(node->time);
    }
    if (hideTrack) {
        hidden = hideTrack->CurrentValue(node->time);
    }
}

bool cSceneMeshBase::IsVisible() const
{
    IDirect3DDevice8* device = scene->device;
    D3DMATRIX world{};
    D3DMATRIX view{};
    D3DMATRIX projection{};
    device->GetTransform(D3DTS_WORLD, &world);
    device->GetTransform(D3DTS_VIEW, &view);
    device->GetTransform(D3DTS_PROJECTION, &projection);
    const cMatrix m = FromDeviceMatrix(world) * FromDeviceMatrix(view) * FromDeviceMatrix(projection);
    std::uint32_t common = 0x3F;
    for (int corner = 0; corner < 8; ++corner) {
        const float x = (corner & 1) ? bboxMax.x : bboxMin.x;
        const float y = (corner & 2) ? bboxMax.y : bboxMin.y;
        const float z = (corner & 4) ? bboxMax.z : bboxMin.z;
        const float cx = x * m.m[0] + y * m.m[4] + z * m.m[8] + m.m[12];
        const float cy = x * m.m[1] + y * m.m[5] + z * m.m[9] + m.m[13];
        const float cz = x * m.m[2] + y * m.m[6] + z * m.m[10] + m.m[14];
        const float cw = x * m.m[3] + y * m.m[7] + z * m.m[11] + m.m[15];
        std::uint32_t outcode = 0;
        if (cx < -cw) outcode |= 0x01;
        if (cx > cw) outcode |= 0x02;
        if (cy > cw) outcode |= 0x04;
        if (cy < -cw) outcode |= 0x08;
        if (cz < 0.0f) outcode |= 0x10;
        if (cz > cw) outcode |= 0x20;
        common &= outcode;
    }
    return common == 0;
}

// A group without a material draws with the device state as it is.
void cSceneMeshBase::DrawGroups(const SceneMeshGroup* groupList, std::uint32_t count) const
{
    for (std::uint32_t i = 0; i < count; ++i) {
        const SceneMeshGroup& group = groupList[i];
        if (group.material != nullptr) {
            group.material->Apply();
        }
        scene->device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, vertexCount,
                                            static_cast<UINT>(group.startIndex),
                                            static_cast<UINT>(group.primitiveCount));
        if (group.material != nullptr) {
            group.material->Restore();
        }
    }
}

void cSceneMeshBase::DrawBound(const SceneMeshGroup* groupList, std::uint32_t count)
{
    IDirect3DDevice8* device = scene->device;
    const bool morphing = morphTrack && morphCurrent != nullptr && morphNext != nullptr &&
                          (scene->options & SCENE_MORPHING);
    if (morphing) {
        if (scene->options & SCENE_SOFTWARE_VERTICES) {
            device->SetRenderState(D3DRS_SOFTWAREVERTEXPROCESSING, TRUE);
        }
        device->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_TWEENING);
        device->SetRenderState(D3DRS_TWEENFACTOR, FloatState(morphFactor));
        // Stream 1 reads only the position and normal at the start of each vertex.
        device->SetStreamSource(0, morphCurrent->vertexBuffer, SCENE_MESH_STRIDE);
        device->SetStreamSource(1, morphNext->vertexBuffer, SCENE_MESH_STRIDE);
    } else {
        device->SetStreamSource(0, vertexBuffer, SCENE_MESH_STRIDE);
    }
    device->SetIndices(indexBuffer, 0);
    device->SetVertexShader(vertexFormat);
    DrawGroups(groupList, count);
    device->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_DISABLE);
    device->SetStreamSource(0, nullptr, 0);
    device->SetStreamSource(1, nullptr, 0);
    device->SetIndices(nullptr, 0);
    if (scene->options & SCENE_SOFTWARE_VERTICES) {
        device->SetRenderState(D3DRS_SOFTWAREVERTEXPROCESSING, FALSE);
    }
}

void cSceneMeshBase::Draw()
{
    if (hidden != 0) {
        return;
    }
    scene->device->SetTransform(D3DTS_WORLD, AsDeviceMatrix(world));
    if (!IsVisible()) {
        return;
    }
    const SceneMeshGroup whole{0, static_cast<std::int32_t>(triangleCount), singleMaterial};
    DrawBound(&whole, 1);
}

void cSceneMesh::Draw()
{
    if (hidden != 0 || groupCount == 0) {
        return;
    }
    if (groupCount == 1) {
        cSceneMeshBase::Draw();
        return;
    }
    scene->device->SetTransform(D3DTS_WORLD, AsDeviceMatrix(world));
    if (!IsVisible()) {
        return;
    }
    DrawBound(groups.data(), groupCount);
}
