#include "render/render.h"

#include <cstdio>
#include <cstring>

#include "platform/win32/timer.h"
#include "platform/win32/window.h"
#include "render/texture_manager.h"
#include "sound/snd_fmod.h"
#include "support/dx_error.h"
#include "support/log.h"

cRender* g_render = nullptr;
int g_windowActive = 0;
unsigned g_framesSinceUpdate = 0;
float g_lastCounterUpdate = 0.0f;
float g_framesPerSecond = 0.0f;
cMatrix g_currentView(0.0f);

namespace {

struct RectVertex {
    float x, y, z, rhw;
    D3DCOLOR color;
};
constexpr DWORD rectVertexFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
constexpr float degreesToRadians = 0.01745329238474369f;

DWORD FloatBits(float value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

cRender::cRender() : projectionShift(0.0f, 0.0f, 0.0f) {}

bool cRender::Init(HWND newWindow, unsigned newWidth, unsigned newHeight, bool newFullScreen)
{
    direct3d = Direct3DCreate8(D3D_SDK_VERSION);
    if (direct3d == nullptr) {
        if (g_log) g_log->Print("cRender : wrong dx version\n");
        return false;
    }
    D3DDISPLAYMODE displayMode{};
    if (FAILED(direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &displayMode))) {
        if (g_log) g_log->Print("cRender : Error receiving display adapters properties");
        return false;
    }
    height = newHeight;
    window = newWindow;
    width = newWidth;
    fullScreen = newFullScreen;

    D3DPRESENT_PARAMETERS parameters{};
    if (fullScreen) {
        parameters.BackBufferWidth = width;
        parameters.BackBufferHeight = height;
        parameters.BackBufferFormat = D3DFMT_A8R8G8B8;
        parameters.SwapEffect = D3DSWAPEFFECT_FLIP;
        parameters.Windowed = FALSE;
    } else {
        parameters.BackBufferFormat = displayMode.Format;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.Windowed = TRUE;
    }
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    if (FAILED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                      D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device))) {
        if (g_log) g_log->Print("cRender : Error creating Direct3D device");
        return false;
    }

    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_CLIPPING, TRUE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    device->SetRenderState(D3DRS_FOGCOLOR, 0x00FFFFFF);
    device->SetRenderState(D3DRS_WRAP0, 0);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);

    if (FAILED(device->CreateVertexBuffer(6 * sizeof(RectVertex), D3DUSAGE_SOFTWAREPROCESSING, rectVertexFvf,
                                          D3DPOOL_SYSTEMMEM, &temporaryBuffer))) {
        if (g_log) g_log->Print("cRender : Error creating temporary VertexBuffer");
        return false;
    }
    if (FAILED(D3DXCreateSprite(device, &sprite))) {
        if (g_log) g_log->Print("cRender : Error creating d3dxSprite interface");
        return false;
    }
    textureManager = new cTextureManager(device);
    camera = nullptr;

    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    D3DXVECTOR3 direction(0.0f, 1.0f, 0.0f);
    D3DXVec3Normalize(&direction, &direction);
    light.Direction = direction;
    light.Position = {0.0f, 0.0f, 0.0f};
    light.Range = 1000.0f;
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    return true;
}

// The vertex buffer and the sprite are released too, before the device.
void cRender::Shutdown()
{
    if (device != nullptr) {
        device->SetTexture(0, nullptr);
        device->SetTexture(1, nullptr);
        device->SetTexture(2, nullptr);
    }
    if (textureManager != nullptr) {
        textureManager->ReleaseAll();
        delete textureManager;
        textureManager = nullptr;
    }
    if (temporaryBuffer != nullptr) {
        temporaryBuffer->Release();
        temporaryBuffer = nullptr;
    }
    if (sprite != nullptr) {
        sprite->Release();
        sprite = nullptr;
    }
    if (device != nullptr) {
        device->Release();
        device = nullptr;
    }
    if (direct3d != nullptr) {
        direct3d->Release();
        direct3d = nullptr;
    }
}

bool cRender::SetCamera(cCamera* newCamera)
{
    if (newCamera == nullptr) {
        if (g_log) g_log->Print("cRender : empty pointer passed to SetCamera()\n");
        return false;
    }
    camera = newCamera;
    return true;
}

HRESULT cRender::SetViewport(float x, float y, float viewportWidth, float viewportHeight)
{
    const D3DVIEWPORT8 viewport{static_cast<DWORD>(x), static_cast<DWORD>(y), static_cast<DWORD>(viewportWidth),
                                static_cast<DWORD>(viewportHeight), 0.0f, 1.0f};
    return device->SetViewport(&viewport);
}

bool cRender::SetMaterial(float alpha, float red, float green, float blue)
{
    D3DMATERIAL8 material{};
    material.Diffuse = {red, green, blue, alpha};
    material.Ambient = {red, green, blue, alpha};
    device->SetMaterial(&material);
    return true;
}

bool cRender::SetupMatrices(float x, float y, float z, float rotX, float rotY, float rotZ, float scale)
{
    if (camera == nullptr) {
        if (g_log) g_log->Print("cRender : no camera!!!\n");
        return false;
    }
    D3DXMATRIX view;
    const D3DXVECTOR3 eye(camera->eye.x, camera->eye.y, camera->eye.z);
    const D3DXVECTOR3 target(camera->target.x, camera->target.y, camera->target.z);
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&view, &eye, &target, &up);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) g_currentView.m[row * 4 + column] = view.m[row][column];
    }
    device->SetTransform(D3DTS_VIEW, &view);

    const cMatrix world = MatrixScaling(cVector(scale, scale, scale)) * MatrixRotationX(rotX) * MatrixRotationY(rotY) *
                          MatrixRotationZ(rotZ) * MatrixTranslation(x, y, z);
    device->SetTransform(D3DTS_WORLD, reinterpret_cast<const D3DMATRIX*>(static_cast<const float*>(world)));

    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, fieldOfView, 1.3333334f, 0.1f, 10000.0f);
    D3DXMATRIX shift;
    D3DXMatrixTranslation(&shift, projectionShift.x, projectionShift.y, projectionShift.z);
    projection = projection * shift;
    device->SetTransform(D3DTS_PROJECTION, &projection);
    return true;
}

namespace {

// Keeps a device call's result as the last result; a failure is reported.
bool Succeeded(HRESULT result, HRESULT& lastResult)
{
    lastResult = result;
    if (result == D3D_OK) return true;
    ReportDXError(result);
    return false;
}

// Mode 1 reads the mesh's 32-byte vertices as 16-byte position-and-colour
// points, so the normals' bits come out as colours.
constexpr UINT meshPointStride = 16;
constexpr DWORD meshPointFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;

} // namespace

bool cRender::DrawObject(cObject* object, int mode)
{
    if (object == nullptr) return false;
    if (!SetupMatrices(object->position.x, object->position.y, object->position.z, object->rotation.x,
                       object->rotation.y, object->rotation.z, object->scale)) {
        return false;
    }
    switch (mode) {
    case 0:
        if (!Succeeded(device->SetIndices(object->indexBuffer, 0), lastResult) ||
            !Succeeded(device->SetStreamSource(0, object->vertexBuffer, sizeof(MeshVertex)), lastResult) ||
            !Succeeded(device->SetVertexShader(meshVertexFvf), lastResult)) {
            return false;
        }
        lastResult = device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, object->numVertices, 0, object->numFaces);
        return true;
    case 1:
        return Succeeded(device->SetStreamSource(0, object->vertexBuffer, meshPointStride), lastResult) &&
               Succeeded(device->SetVertexShader(meshPointFvf), lastResult) &&
               Succeeded(device->DrawPrimitive(D3DPT_POINTLIST, 0, object->numVertices), lastResult);
    case 2: {
        if (!Succeeded(device->SetVertexShader(meshVertexFvf), lastResult)) return false;
        const MeshVertex* lines = object->wireVertices.empty() ? nullptr : object->wireVertices.data();
        lastResult = device->DrawPrimitiveUP(D3DPT_LINELIST, 3 * object->numFaces, lines, sizeof(MeshVertex));
        return true;
    }
    default:
        return true;
    }
}

bool cRender::DrawParticles(cObjectPS* object)
{
    if (object == nullptr) return false;
    return SetupMatrices(object->position.x, object->position.y, object->position.z, object->rotation.x,
                         object->rotation.y, object->rotation.z, object->scale) &&
           Succeeded(device->SetStreamSource(0, object->vertexBuffer, sizeof(SpriteVertex)), lastResult) &&
           Succeeded(device->SetVertexShader(spriteVertexFvf), lastResult) &&
           Succeeded(device->DrawPrimitive(D3DPT_POINTLIST, 0, object->numParticles), lastResult);
}

void cRender::SetBlendMode(unsigned mode, unsigned stage)
{
    switch (mode) {
    case 0:
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_CURRENT);
        break;
    case 1:
        device->SetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACENORMAL);
        device->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
        break;
    case 2:
        device->SetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, 0);
        device->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
        break;
    case 3:
        device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
        device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
        break;
    default:
        break;
    }
}

HRESULT cRender::SetFog(float start, float end, D3DCOLOR color)
{
    if (start == 0.0f && end == 0.0f) {
        return device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    }
    device->SetRenderState(D3DRS_FOGENABLE, TRUE);
    device->SetRenderState(D3DRS_FOGCOLOR, color);
    device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_LINEAR);
    device->SetRenderState(D3DRS_FOGSTART, FloatBits(start));
    return device->SetRenderState(D3DRS_FOGEND, FloatBits(end));
}

bool cRender::LoadTexture(const char* file, const char* name)
{
    return textureManager->Load(file, name);
}

bool cRender::LoadTextureWithAlpha(const char* colorFile, const char* alphaFile, const char* name)
{
    return textureManager->LoadWithAlpha(colorFile, alphaFile, name);
}

bool cRender::SetTexture(const char* name, unsigned stage)
{
    if (name == nullptr) {
        device->SetTexture(stage, nullptr);
        return true;
    }
    currentTexture = textureManager->Find(name, &currentTextureWidth, &currentTextureHeight);
    if (currentTexture == nullptr) {
        return false;
    }
    device->SetTexture(stage, currentTexture);
    return true;
}

bool cRender::SetTexture(IDirect3DTexture8* texture, unsigned stage)
{
    if (texture != nullptr) {
        currentTexture = texture;
    }
    device->SetTexture(stage, texture);
    return true;
}

bool cRender::ClearTexture(unsigned stage)
{
    device->SetTexture(stage, nullptr);
    return true;
}

float cRender::PixelToTexV(unsigned pixels) const
{
    if (currentTextureHeight == 0) {
        return 0.0f;
    }
    return static_cast<float>(pixels) / static_cast<float>(currentTextureHeight);
}

bool cRender::BeginFrame(unsigned clearMode)
{
    const DWORD flags = clearMode == 0   ? D3DCLEAR_TARGET
                        : clearMode == 1 ? D3DCLEAR_ZBUFFER
                                         : D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER;
    lastResult = device->Clear(0, nullptr, flags, clearColor, 1.0f, 0);
    if (lastResult != D3D_OK) {
        ReportDXError(lastResult);
        return false;
    }
    if (g_windowActive == 0) {
        lastResult = device->BeginScene();
        if (lastResult != D3D_OK) {
            ReportDXError(lastResult);
            return false;
        }
        g_windowActive = 1;
    }
    return true;
}

bool cRender::DrawRect(float left, float top, float right, float bottom, float z, D3DCOLOR color)
{
    const RectVertex vertices[6] = {{left, bottom, z, 1.0f, color},  {right, bottom, z, 1.0f, color},
                                    {left, top, z, 1.0f, color},     {right, bottom, z, 1.0f, color},
                                    {right, top, z, 1.0f, color},    {left, top, z, 1.0f, color}};
    BYTE* data = nullptr;
    if (FAILED(temporaryBuffer->Lock(0, 0, &data, 0))) {
        if (g_log) g_log->Print("cRender : An error occured while locking temporary vertex buffer");
        return false;
    }
    std::memcpy(data, vertices, sizeof vertices);
    temporaryBuffer->Unlock();
    device->SetStreamSource(0, temporaryBuffer, sizeof(RectVertex));
    device->SetVertexShader(rectVertexFvf);
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
    return true;
}

bool cRender::DrawSprite(float x, float y, float, float alpha, float scale, float rotation, const RECT* rect)
{
    const float spriteWidth = rect != nullptr ? static_cast<float>(rect->right - rect->left)
                                              : static_cast<float>(currentTextureWidth);
    const float spriteHeight = rect != nullptr ? static_cast<float>(rect->bottom - rect->top)
                                               : static_cast<float>(currentTextureHeight);
    const float halfWidth = spriteWidth * scale * 0.5f;
    const float halfHeight = spriteHeight * scale * 0.5f;
    DWORD zEnable = 0;
    DWORD zWrite = 0;
    device->GetRenderState(D3DRS_ZENABLE, &zEnable);
    device->GetRenderState(D3DRS_ZWRITEENABLE, &zWrite);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    const D3DXVECTOR2 scaling(scale, scale);
    const D3DXVECTOR2 centre(halfWidth, halfHeight);
    const D3DXVECTOR2 translation(x - halfWidth, y - halfHeight);
    const D3DCOLOR color = ((static_cast<DWORD>(static_cast<int>(alpha * 254.0f)) & 0xFF) << 24) + 0x00FFFFFF;
    sprite->Draw(currentTexture, rect, &scaling, &centre, rotation * degreesToRadians, &translation, color);
    device->SetRenderState(D3DRS_ZENABLE, zEnable);
    device->SetRenderState(D3DRS_ZWRITEENABLE, zWrite);
    return true;
}

bool cRender::EndFrame()
{
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    g_windowActive = 0;
    return true;
}

void cRender::UpdateFrameCounter()
{
    const float now = static_cast<float>(timeGetTime()) * 0.001f;
    ++g_framesSinceUpdate;
    if (now - g_lastCounterUpdate > 1.0f) {
        g_framesPerSecond = static_cast<float>(g_framesSinceUpdate) / (now - g_lastCounterUpdate);
        g_framesSinceUpdate = 0;
        g_lastCounterUpdate = now;
    }
    if (!fullScreen) {
        const unsigned musicTime = g_sound != nullptr ? g_sound->GetTime() : 0;
        char caption[64];
        std::snprintf(caption, sizeof caption, "%7.02f fps %7.02f sec", g_framesPerSecond,
                      static_cast<float>(musicTime) * 0.001f);
        SetWindowTextA(window, caption);
    }
}
