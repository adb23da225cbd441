#pragma once
// The renderer: the thin layer over the Direct3D 8 device through which the
// shell and every effect draw. It owns the device, the texture registry, a
// small vertex buffer for flat rectangles and a D3DX sprite.
//
//   render->BeginFrame(2);                 // clear colour and depth, begin the scene
//   render->SetTexture("niebo", 0);
//   render->SetupMatrices(x, y, z, rx, ry, rz, 1.0f);
//   ...draw...
//   render->UpdateFrameCounter();
//   render->EndFrame();                    // end the scene and present

#include "math/matrix.h"
#include "math/vector.h"
#include "objects/object.h"
#include "objects/object_ps.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3dx8/d3dx8.h"
#include "render/camera.h"

class cTextureManager;

class cRender {
public:
    cRender();

    bool Init(HWND window, unsigned width, unsigned height, bool fullScreen);
    void Shutdown();

    IDirect3DDevice8* GetDevice() const { return device; }
    ID3DXSprite* GetSprite() const { return sprite; }
    cTextureManager* GetTextureManager() const { return textureManager; }

    bool SetCamera(cCamera* newCamera);
    void SetFov(float radians) { fieldOfView = radians; }
    void SetProjectionShift(const cVector& shift) { projectionShift = shift; }
    HRESULT SetViewport(float x, float y, float width, float height);
    bool SetMaterial(float alpha, float red, float green, float blue);
    bool SetupMatrices(float x, float y, float z, float rotX, float rotY, float rotZ, float scale);
    // Mode 0: indexed triangles; 1: the vertex buffer read as coloured points;
    // 2: the wireframe lines (after BuildWireframe); any other: nothing.
    bool DrawObject(cObject* object, int mode);
    bool DrawParticles(cObjectPS* object);
    void SetBlendMode(unsigned mode, unsigned stage);
    HRESULT SetFog(float start, float end, D3DCOLOR color);

    bool LoadTexture(const char* file, const char* name);
    bool LoadTextureWithAlpha(const char* colorFile, const char* alphaFile, const char* name);
    bool SetTexture(const char* name, unsigned stage);
    bool SetTexture(IDirect3DTexture8* texture, unsigned stage);
    bool ClearTexture(unsigned stage);
    float PixelToTexV(unsigned pixels) const;

    bool BeginFrame(unsigned clearMode);
    bool DrawRect(float left, float top, float right, float bottom, float z, D3DCOLOR color);
    bool DrawSprite(float x, float y, float depth, float alpha, float scale, float rotation, const RECT* rect);
    bool EndFrame();
    void UpdateFrameCounter();

    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    IDirect3DVertexBuffer8* temporaryBuffer = nullptr;
    IDirect3DTexture8* currentTexture = nullptr;
    unsigned currentTextureWidth = 0;
    unsigned currentTextureHeight = 0;
    ID3DXSprite* sprite = nullptr;
    cCamera* camera = nullptr;
    cTextureManager* textureManager = nullptr;
    unsigned height = 0;
    unsigned width = 0;
    D3DCOLOR clearColor = 0;
    float fieldOfView = 1.75f;
    cVector projectionShift;
    bool fullScreen = false;
    HWND window = nullptr;
    HRESULT lastResult = D3D_OK;
};

// The show's one renderer, created by start-up.
extern cRender* g_render;

// The window-active flag of the window procedure, which is also the
// renderer's scene-open flag: BeginFrame begins the scene only while it is 0.
extern int g_windowActive;

// The frame counter behind the windowed caption.
extern unsigned g_framesSinceUpdate;
extern float g_lastCounterUpdate;
extern float g_framesPerSecond;

// The view matrix of the last SetupMatrices, for text drawn in 3D.
extern cMatrix g_currentView;
