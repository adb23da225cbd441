#include "scene/scene.h"

#include <cstring>

namespace {

const float flareCorners[12] = {-7.5f, 7.5f, 0.0f, 7.5f, 7.5f, 0.0f, 7.5f, -7.5f, 0.0f, -7.5f, -7.5f, 0.0f};
const WORD flareTriangles[6] = {0, 2, 1, 0, 3, 2};

// Morphing meshes: stream 0 carries the first pose with its texture
// coordinates, stream 1 the second pose's position and normal.
const DWORD tweenDeclarationTokens[] = {
    D3DVSD_STREAM(0),
    D3DVSD_REG(D3DVSDE_POSITION, D3DVSDT_FLOAT3),
    D3DVSD_REG(D3DVSDE_NORMAL, D3DVSDT_FLOAT3),
    D3DVSD_REG(D3DVSDE_TEXCOORD0, D3DVSDT_FLOAT2),
    D3DVSD_STREAM(1),
    D3DVSD_REG(D3DVSDE_POSITION2, D3DVSDT_FLOAT3),
    D3DVSD_REG(D3DVSDE_NORMAL2, D3DVSDT_FLOAT3),
    D3DVSD_END(),
};

void Check(HRESULT result)
{
    if (result != D3D_OK) {
        throw mu3d_CException(1);
    }
}

template <typename Buffer>
void Fill(Buffer* buffer, const void* data, UINT size)
{
    BYTE* target = nullptr;
    Check(buffer->Lock(0, size, &target, 0));
    std::memcpy(target, data, size);
    Check(buffer->Unlock());
}

} // namespace

cScene::cScene()
{
    auto empty = std::make_unique<cSceneMaterial>(this);
    empty->flags = MATERIAL_NO_TEXTURE;
    materials.Add("$EMPTYMATERIAL", empty.get());
    ownedMaterials.push_back(std::move(empty));
}

cScene::~cScene()
{
    ReleaseDeviceObjects();
}

void cScene::ReleaseDeviceObjects()
{
    if (flareVertices != nullptr) {
        flareVertices->Release();
        flareVertices = nullptr;
    }
    if (flareIndices != nullptr) {
        flareIndices->Release();
        flareIndices = nullptr;
    }
    if (tweenDeclaration != 0 && device != nullptr) {
        device->DeleteVertexShader(tweenDeclaration);
    }
    tweenDeclaration = 0;
}

void cScene::SetDevice(IDirect3DDevice8* newDevice, std::uint32_t newOptions)
{
    ReleaseDeviceObjects();
    device = newDevice;
    options = newOptions;
    if (device == nullptr) {
        throw mu3d_CException(1);
    }
    D3DDEVICE_CREATION_PARAMETERS parameters{};
    Check(device->GetCreationParameters(&parameters));
    if (parameters.BehaviorFlags & D3DCREATE_MIXED_VERTEXPROCESSING) {
        options |= SCENE_SOFTWARE_VERTICES;
    }
    Check(device->CreateVertexBuffer(sizeof flareCorners, D3DUSAGE_SOFTWAREPROCESSING, D3DFVF_XYZ, D3DPOOL_DEFAULT,
                                     &flareVertices));
    Fill(flareVertices, flareCorners, sizeof flareCorners);
    Check(device->CreateIndexBuffer(sizeof flareTriangles, D3DUSAGE_SOFTWAREPROCESSING, D3DFMT_INDEX16,
                                    D3DPOOL_DEFAULT, &flareIndices));
    Fill(flareIndices, flareTriangles, sizeof flareTriangles);
    Check(device->CreateVertexShader(tweenDeclarationTokens, nullptr, &tweenDeclaration,
                                     D3DUSAGE_SOFTWAREPROCESSING));
}

void cScene::Render(float frame)
{
    // A scene without a device, or not loaded, has nothing to show.
    if (device == nullptr || root == nullptr || camera == nullptr) {
        throw mu3d_CException(4);
    }
    cMatrixStack stack;
    stack.push(MatrixIdentity());
    root->Update(frame, stack);
    camera->SetupView();
    for (const auto& entry : objects) {
        entry.value->Draw();
    }
}
