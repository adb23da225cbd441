#include "render/font.h"

#include <cstdio>
#include <initializer_list>

#include "render/image_quad.h"

namespace {

// A vertex of 3D text: position, normal, stage-0 texture coordinates.
struct TextVertex3D {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(TextVertex3D) == 32);

constexpr DWORD kTextVertex3DFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1; // 0x112

// 300 screen vertices: 50 characters per batch.
constexpr UINT kVertexBufferBytes = 300 * sizeof(ScreenVertex);

constexpr int kFirstCharacter = 32;
constexpr int kLastCharacter = 127;

// The GDI objects the atlas is drawn with, deleted on every way out. The DC
// goes first: GDI does not delete a bitmap that is still selected into a DC.
struct AtlasCanvas {
    ~AtlasCanvas()
    {
        if (dc != nullptr) DeleteDC(dc);
        if (bitmap != nullptr) DeleteObject(bitmap);
        if (font != nullptr) DeleteObject(font);
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HFONT font = nullptr;
    DWORD* bits = nullptr;
};

} // namespace

CFont::CFont(const char* face, DWORD newHeight, DWORD newFlags) : height(newHeight), flags(newFlags)
{
    std::snprintf(faceName, sizeof faceName, "%s", face != nullptr ? face : "");
}

// The show keeps its one font for the whole run; a font destroyed earlier
// gives its texture, buffer and state blocks back.
CFont::~CFont()
{
    if (device != nullptr) {
        if (savedStateBlock != 0) device->DeleteStateBlock(savedStateBlock);
        if (drawTextStateBlock != 0) device->DeleteStateBlock(drawTextStateBlock);
    }
    if (vertexBuffer != nullptr) vertexBuffer->Release();
    if (texture != nullptr) texture->Release();
}

HRESULT CFont::InitDeviceObjects(IDirect3DDevice8* newDevice)
{
    if (newDevice == nullptr) return E_FAIL;
    device = newDevice;

    // Large text needs a large atlas; a device that cannot hold it gets the
    // largest it can, with the glyphs drawn smaller and stretched back.
    textScale = 1.0f;
    textureWidth = textureHeight = height > 40 ? 1024 : height > 20 ? 512 : 256;
    D3DCAPS8 caps{};
    if (SUCCEEDED(device->GetDeviceCaps(&caps)) && textureWidth > caps.MaxTextureWidth) {
        textScale = static_cast<float>(caps.MaxTextureWidth) / static_cast<float>(textureWidth);
        textureWidth = textureHeight = caps.MaxTextureWidth;
    }

    const HRESULT created =
        device->CreateTexture(textureWidth, textureHeight, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture);
    if (FAILED(created)) {
        texture = nullptr;
        return created;
    }

    AtlasCanvas canvas;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(textureWidth);
    info.bmiHeader.biHeight = -static_cast<LONG>(textureHeight);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biBitCount = 32;
    canvas.dc = CreateCompatibleDC(nullptr);
    canvas.bitmap =
        CreateDIBSection(canvas.dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&canvas.bits), nullptr, 0);
    SetMapMode(canvas.dc, MM_TEXT);

    // Points to pixels at the screen's resolution, shrunk with the atlas.
    const int pixelsPerInch = static_cast<int>(static_cast<float>(GetDeviceCaps(canvas.dc, LOGPIXELSY)) * textScale);
    const int fontHeight = -MulDiv(static_cast<int>(height), pixelsPerInch, 72);
    canvas.font = CreateFontA(fontHeight, 0, 0, 0, (flags & kFontBold) ? FW_BOLD : FW_NORMAL,
                              (flags & kFontItalic) ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH, faceName);
    if (canvas.font == nullptr || canvas.bits == nullptr) return E_FAIL;

    SelectObject(canvas.dc, canvas.bitmap);
    SelectObject(canvas.dc, canvas.font);
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    SetBkColor(canvas.dc, 0x00000000);
    SetTextAlign(canvas.dc, TA_TOP | TA_LEFT);

    // Row by row, one texel apart.
    DWORD x = 0;
    DWORD y = 0;
    char character[2] = {};
    SIZE size{};
    for (int code = kFirstCharacter; code < kLastCharacter; ++code) {
        character[0] = static_cast<char>(code);
        GetTextExtentPoint32A(canvas.dc, character, 1, &size);
        if (x + size.cx + 1 > textureWidth) {
            x = 0;
            y += size.cy + 1;
        }
        ExtTextOutA(canvas.dc, static_cast<int>(x), static_cast<int>(y), ETO_OPAQUE, nullptr, character, 1, nullptr);
        float* rect = texCoords[code - kFirstCharacter];
        rect[0] = static_cast<float>(x) / textureWidth;
        rect[1] = static_cast<float>(y) / textureHeight;
        rect[2] = static_cast<float>(x + size.cx) / textureWidth;
        rect[3] = static_cast<float>(y + size.cy) / textureHeight;
        x += size.cx + 1;
    }

    // White texels with the glyphs' coverage, in four bits, as alpha.
    D3DLOCKED_RECT locked{};
    const HRESULT lockedLevel = texture->LockRect(0, &locked, nullptr, 0);
    if (FAILED(lockedLevel)) return lockedLevel;
    const DWORD* source = canvas.bits;
    auto* row = static_cast<BYTE*>(locked.pBits);
    for (DWORD texelY = 0; texelY < textureHeight; ++texelY, row += locked.Pitch) {
        auto* texel = reinterpret_cast<WORD*>(row);
        for (DWORD texelX = 0; texelX < textureWidth; ++texelX) {
            const BYTE alpha = static_cast<BYTE>((*source++ & 0xFF) >> 4);
            texel[texelX] = alpha != 0 ? static_cast<WORD>((alpha << 12) | 0x0FFF) : 0;
        }
    }
    texture->UnlockRect(0);
    return D3D_OK;
}

HRESULT CFont::RestoreDeviceObjects()
{
    if (device == nullptr) return E_FAIL;
    const HRESULT created = device->CreateVertexBuffer(kVertexBufferBytes, D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC, 0,
                                                       D3DPOOL_DEFAULT, &vertexBuffer);
    if (FAILED(created)) {
        vertexBuffer = nullptr;
        return created;
    }

    // The saved block records the same states, so capturing it saves exactly
    // what the text block changes.
    for (DWORD* token : {&savedStateBlock, &drawTextStateBlock}) {
        device->BeginStateBlock();
        device->SetTexture(0, texture);
        device->SetRenderState(D3DRS_ZENABLE, (flags & kFontDepthTest) ? D3DZB_TRUE : D3DZB_FALSE);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
        device->SetRenderState(D3DRS_ALPHAREF, 0x08);
        device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
        device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
        device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
        device->SetRenderState(D3DRS_CLIPPING, TRUE);
        device->SetRenderState(D3DRS_EDGEANTIALIAS, FALSE);
        device->SetRenderState(D3DRS_CLIPPLANEENABLE, 0);
        device->SetRenderState(D3DRS_VERTEXBLEND, FALSE);
        device->SetRenderState(D3DRS_INDEXEDVERTEXBLENDENABLE, FALSE);
        device->SetRenderState(D3DRS_FOGENABLE, FALSE);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
        device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_NONE);
        device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
        device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
        device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
        device->EndStateBlock(token);
    }
    return D3D_OK;
}

float CFont::LineHeight() const
{
    const float* space = texCoords[0];
    return (space[3] - space[1]) * static_cast<float>(textureHeight);
}

namespace {

// Bytes outside 32..127 have no rectangle in the atlas; like control
// characters, they are skipped.
bool HasRectangle(int code)
{
    return code >= kFirstCharacter && code <= kLastCharacter;
}

} // namespace

HRESULT CFont::GetTextExtent(const char* text, SIZE* size)
{
    if (text == nullptr || size == nullptr) return E_FAIL;
    const float lineHeight = LineHeight();
    float lineWidth = 0.0f;
    float width = 0.0f;
    float blockHeight = lineHeight;
    for (; *text != '\0'; ++text) {
        const int code = static_cast<unsigned char>(*text);
        if (code == '\n') {
            lineWidth = 0.0f;
            blockHeight += lineHeight;
        }
        if (!HasRectangle(code)) continue;
        const float* rect = texCoords[code - kFirstCharacter];
        lineWidth += (rect[2] - rect[0]) * static_cast<float>(textureWidth);
        if (lineWidth > width) width = lineWidth;
    }
    size->cx = static_cast<LONG>(width);
    size->cy = static_cast<LONG>(blockHeight);
    return D3D_OK;
}

// Keeps the caller's state in the saved block and sets the text states.
void CFont::SetTextStates(DWORD drawFlags)
{
    device->CaptureStateBlock(savedStateBlock);
    device->ApplyStateBlock(drawTextStateBlock);
    if (drawFlags & kTextFiltered) {
        device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    }
}

// Fills the buffer with two triangles per visible character and draws it
// whenever it is full, and once at the end. The buffer holds 300 screen
// vertices; the larger 3D vertices fill it sooner, so a batch ends when the
// next character would no longer fit.
template <typename Vertex, typename PlaceQuad>
void CFont::DrawGlyphs(const char* text, float x, float y, float lineStep, float sizeDivisor, PlaceQuad placeQuad)
{
    const UINT capacity = kVertexBufferBytes / sizeof(Vertex);
    Vertex* vertices = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, reinterpret_cast<BYTE**>(&vertices), D3DLOCK_DISCARD))) return;
    UINT triangles = 0;
    const float startX = x;
    for (; *text != '\0'; ++text) {
        const int code = static_cast<unsigned char>(*text);
        if (code == '\n') {
            x = startX;
            y += lineStep;
        }
        if (!HasRectangle(code)) continue;
        const float* rect = texCoords[code - kFirstCharacter];
        const float w = (rect[2] - rect[0]) * static_cast<float>(textureWidth) / sizeDivisor;
        const float h = (rect[3] - rect[1]) * static_cast<float>(textureHeight) / sizeDivisor;
        if (code != ' ') {
            placeQuad(vertices + triangles * 3, x, y, w, h, rect);
            triangles += 2;
            if (triangles * 3 > capacity - 6) {
                vertexBuffer->Unlock();
                device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, triangles);
                triangles = 0;
                if (FAILED(vertexBuffer->Lock(0, 0, reinterpret_cast<BYTE**>(&vertices), D3DLOCK_DISCARD))) return;
            }
        }
        x += w;
    }
    vertexBuffer->Unlock();
    if (triangles > 0) device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, triangles);
}

HRESULT CFont::DrawText(float x, float y, D3DCOLOR color, const char* text, DWORD drawFlags)
{
    if (device == nullptr || vertexBuffer == nullptr || text == nullptr) return E_FAIL;
    SetTextStates(drawFlags);
    device->SetVertexShader(kScreenVertexFvf);
    device->SetPixelShader(0);
    device->SetStreamSource(0, vertexBuffer, sizeof(ScreenVertex));

    // Half a pixel up and left puts the texels' centres on the pixels'.
    DrawGlyphs<ScreenVertex>(text, x, y, LineHeight(), textScale,
                             [color](ScreenVertex* v, float left, float top, float w, float h, const float* rect) {
                                 const float l = left - 0.5f;
                                 const float t = top - 0.5f;
                                 const float r = left + w - 0.5f;
                                 const float b = top + h - 0.5f;
                                 v[0] = {l, b, 0.9f, 1.0f, color, rect[0], rect[3]};
                                 v[1] = {l, t, 0.9f, 1.0f, color, rect[0], rect[1]};
                                 v[2] = {r, b, 0.9f, 1.0f, color, rect[2], rect[3]};
                                 v[3] = {r, t, 0.9f, 1.0f, color, rect[2], rect[1]};
                                 v[4] = v[2];
                                 v[5] = v[1];
                             });

    device->ApplyStateBlock(savedStateBlock);
    return D3D_OK;
}

HRESULT CFont::Render3DText(const char* text, DWORD drawFlags)
{
    if (device == nullptr || vertexBuffer == nullptr || text == nullptr) return E_FAIL;
    SetTextStates(drawFlags);
    device->SetVertexShader(kTextVertex3DFvf);
    device->SetPixelShader(0);
    device->SetStreamSource(0, vertexBuffer, sizeof(TextVertex3D));

    // y grows upwards here: a line's quads rise from y, and a line feed moves
    // down. Centring places the first line's bottom half the block's height
    // below the origin.
    float x = 0.0f;
    float y = 0.0f;
    if (drawFlags & kTextCentred) {
        SIZE size{};
        GetTextExtent(text, &size);
        x = -(static_cast<float>(size.cx) / 10.0f) / 2.0f;
        y = -(static_cast<float>(size.cy) / 10.0f) / 2.0f;
    }
    if (drawFlags & kTextTwoSided) device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);

    DrawGlyphs<TextVertex3D>(text, x, y, -LineHeight() / 10.0f, 10.0f * textScale,
                             [](TextVertex3D* v, float left, float bottom, float w, float h, const float* rect) {
                                 const float r = left + w;
                                 const float t = bottom + h;
                                 v[0] = {left, bottom, 0.0f, 0.0f, 0.0f, -1.0f, rect[0], rect[3]};
                                 v[1] = {left, t, 0.0f, 0.0f, 0.0f, -1.0f, rect[0], rect[1]};
                                 v[2] = {r, bottom, 0.0f, 0.0f, 0.0f, -1.0f, rect[2], rect[3]};
                                 v[3] = {r, t, 0.0f, 0.0f, 0.0f, -1.0f, rect[2], rect[1]};
                                 v[4] = v[2];
                                 v[5] = v[1];
                             });

    device->ApplyStateBlock(savedStateBlock);
    return D3D_OK;
}
