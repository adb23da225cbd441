#pragma once
// Text from a system font: the printable ASCII characters are drawn once
// through GDI into a texture atlas, then strings are drawn as textured quads,
// either on the screen (pre-transformed) or flat in the current world
// transform. Two recorded state blocks keep the text states out of the
// caller's state.
//
//   CFont* font = new CFont("Arial", 32, kFontBold);
//   font->InitDeviceObjects(device);
//   font->RestoreDeviceObjects();
//   font->DrawText(20.0f, 440.0f, 0xFFFFFFFF, "greetings", 0);
//   font->Render3DText("name", kTextCentred | kTextTwoSided | kTextFiltered);

#include "platform/d3d8/d3d8.h"
#include "platform/gdi/gdi.h"

// Creation flags.
constexpr DWORD kFontBold = 0x1; // weight 700, else 400
constexpr DWORD kFontItalic = 0x2;
constexpr DWORD kFontDepthTest = 0x4; // depth test on while drawing

// Drawing flags.
constexpr DWORD kTextCentred = 0x1;  // 3D: the block centred on the origin
constexpr DWORD kTextTwoSided = 0x2; // 3D: no culling
constexpr DWORD kTextFiltered = 0x4; // linear filtering instead of point

class CFont {
public:
    // Copies the face name (cut to the 79 characters the name holds).
    CFont(const char* face, DWORD height, DWORD flags);
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // Draws the atlas. 0, the texture's creation code, or E_FAIL when GDI
    // cannot draw the font.
    HRESULT InitDeviceObjects(IDirect3DDevice8* device);
    // Creates the vertex buffer and records the two state blocks. 0 or the
    // buffer's creation code.
    HRESULT RestoreDeviceObjects();

    // The size in atlas texels of the widest line by the number of lines.
    // E_FAIL for a null string or size.
    HRESULT GetTextExtent(const char* text, SIZE* size);
    // Screen-space text with its top-left corner at (x, y); a line feed
    // returns to x on the next line. E_FAIL without a device.
    HRESULT DrawText(float x, float y, D3DCOLOR color, const char* text, DWORD flags);
    // Flat text in the plane z = 0 of the current world transform, a tenth of
    // a unit per texel, facing -z. E_FAIL without a device.
    HRESULT Render3DText(const char* text, DWORD flags);

    char faceName[80];
    DWORD height;
    DWORD flags;
    IDirect3DDevice8* device = nullptr;
    IDirect3DTexture8* texture = nullptr;
    IDirect3DVertexBuffer8* vertexBuffer = nullptr;
    DWORD textureWidth = 0;
    DWORD textureHeight = 0;
    float textScale = 1.0f;
    float texCoords[128 - 32][4] = {}; // left u, top v, right u, bottom v
    DWORD savedStateBlock = 0;
    DWORD drawTextStateBlock = 0;

private:
    float LineHeight() const;
    void SetTextStates(DWORD drawFlags);
    template <typename Vertex, typename PlaceQuad>
    void DrawGlyphs(const char* text, float x, float y, float lineStep, float sizeDivisor, PlaceQuad placeQuad);
};
