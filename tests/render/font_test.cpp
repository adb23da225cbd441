#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3d8/headless_device.h"
#include "platform/d3d8/png_file.h"
#include "platform/d3d8/presentation.h"
#include "platform/d3dx8/d3dx8_math.h"
#include "render/font.h"
#include "render/image_quad.h"

namespace {

// A device that passes every call on to a real one, reports a smaller
// maximum texture size when asked to, and counts the triangles of each
// DrawPrimitive.
class RecordingDevice final : public IDirect3DDevice8 {
public:
    explicit RecordingDevice(IDirect3DDevice8* real) : real(real) {}

    DWORD maxTextureSize = 0; // 0: the real device's
    std::vector<UINT> drawnTriangles;

    ULONG AddRef() override { return real->AddRef(); }
    ULONG Release() override { return real->Release(); }
    HRESULT TestCooperativeLevel() override { return real->TestCooperativeLevel(); }
    HRESULT GetDirect3D(IDirect3D8** d) override { return real->GetDirect3D(d); }
    HRESULT GetDeviceCaps(D3DCAPS8* caps) override
    {
        const HRESULT result = real->GetDeviceCaps(caps);
        if (maxTextureSize != 0) caps->MaxTextureWidth = caps->MaxTextureHeight = maxTextureSize;
        return result;
    }
    HRESULT GetDisplayMode(D3DDISPLAYMODE* m) override { return real->GetDisplayMode(m); }
    HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* p) override { return real->GetCreationParameters(p); }
    HRESULT GetBackBuffer(UINT i, D3DBACKBUFFER_TYPE t, IDirect3DSurface8** s) override
    {
        return real->GetBackBuffer(i, t, s);
    }
    HRESULT Present(const RECT* s, const RECT* d, HWND w, const void* r) override { return real->Present(s, d, w, r); }
    HRESULT CreateTexture(UINT w, UINT h, UINT l, DWORD u, D3DFORMAT f, D3DPOOL p, IDirect3DTexture8** t) override
    {
        return real->CreateTexture(w, h, l, u, f, p, t);
    }
    HRESULT CreateVertexBuffer(UINT n, DWORD u, DWORD f, D3DPOOL p, IDirect3DVertexBuffer8** b) override
    {
        return real->CreateVertexBuffer(n, u, f, p, b);
    }
    HRESULT CreateIndexBuffer(UINT n, DWORD u, D3DFORMAT f, D3DPOOL p, IDirect3DIndexBuffer8** b) override
    {
        return real->CreateIndexBuffer(n, u, f, p, b);
    }
    HRESULT CreateDepthStencilSurface(UINT w, UINT h, D3DFORMAT f, D3DMULTISAMPLE_TYPE m,
                                      IDirect3DSurface8** s) override
    {
        return real->CreateDepthStencilSurface(w, h, f, m, s);
    }
    HRESULT SetRenderTarget(IDirect3DSurface8* t, IDirect3DSurface8* d) override { return real->SetRenderTarget(t, d); }
    HRESULT GetRenderTarget(IDirect3DSurface8** t) override { return real->GetRenderTarget(t); }
    HRESULT GetDepthStencilSurface(IDirect3DSurface8** d) override { return real->GetDepthStencilSurface(d); }
    HRESULT BeginScene() override { return real->BeginScene(); }
    HRESULT EndScene() override { return real->EndScene(); }
    HRESULT Clear(DWORD n, const D3DRECT* r, DWORD f, D3DCOLOR c, float z, DWORD s) override
    {
        return real->Clear(n, r, f, c, z, s);
    }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE s, const D3DMATRIX* m) override { return real->SetTransform(s, m); }
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE s, D3DMATRIX* m) override { return real->GetTransform(s, m); }
    HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE s, const D3DMATRIX* m) override
    {
        return real->MultiplyTransform(s, m);
    }
    HRESULT SetViewport(const D3DVIEWPORT8* v) override { return real->SetViewport(v); }
    HRESULT GetViewport(D3DVIEWPORT8* v) override { return real->GetViewport(v); }
    HRESULT SetMaterial(const D3DMATERIAL8* m) override { return real->SetMaterial(m); }
    HRESULT GetMaterial(D3DMATERIAL8* m) override { return real->GetMaterial(m); }
    HRESULT SetLight(DWORD i, const D3DLIGHT8* l) override { return real->SetLight(i, l); }
    HRESULT GetLight(DWORD i, D3DLIGHT8* l) override { return real->GetLight(i, l); }
    HRESULT LightEnable(DWORD i, BOOL e) override { return real->LightEnable(i, e); }
    HRESULT GetLightEnable(DWORD i, BOOL* e) override { return real->GetLightEnable(i, e); }
    HRESULT SetRenderState(D3DRENDERSTATETYPE s, DWORD v) override { return real->SetRenderState(s, v); }
    HRESULT GetRenderState(D3DRENDERSTATETYPE s, DWORD* v) override { return real->GetRenderState(s, v); }
    HRESULT BeginStateBlock() override { return real->BeginStateBlock(); }
    HRESULT EndStateBlock(DWORD* t) override { return real->EndStateBlock(t); }
    HRESULT ApplyStateBlock(DWORD t) override { return real->ApplyStateBlock(t); }
    HRESULT CaptureStateBlock(DWORD t) override { return real->CaptureStateBlock(t); }
    HRESULT DeleteStateBlock(DWORD t) override { return real->DeleteStateBlock(t); }
    HRESULT CreateStateBlock(D3DSTATEBLOCKTYPE y, DWORD* t) override { return real->CreateStateBlock(y, t); }
    HRESULT GetTexture(DWORD s, IDirect3DBaseTexture8** t) override { return real->GetTexture(s, t); }
    HRESULT SetTexture(DWORD s, IDirect3DBaseTexture8* t) override { return real->SetTexture(s, t); }
    HRESULT GetTextureStageState(DWORD s, D3DTEXTURESTAGESTATETYPE y, DWORD* v) override
    {
        return real->GetTextureStageState(s, y, v);
    }
    HRESULT SetTextureStageState(DWORD s, D3DTEXTURESTAGESTATETYPE y, DWORD v) override
    {
        return real->SetTextureStageState(s, y, v);
    }
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT start, UINT count) override
    {
        drawnTriangles.push_back(count);
        return real->DrawPrimitive(type, start, count);
    }
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE t, UINT m, UINT n, UINT s, UINT c) override
    {
        return real->DrawIndexedPrimitive(t, m, n, s, c);
    }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE t, UINT c, const void* v, UINT s) override
    {
        return real->DrawPrimitiveUP(t, c, v, s);
    }
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE t, UINT m, UINT n, UINT c, const void* i, D3DFORMAT f,
                                   const void* v, UINT s) override
    {
        return real->DrawIndexedPrimitiveUP(t, m, n, c, i, f, v, s);
    }
    HRESULT CreateVertexShader(const DWORD* d, const DWORD* f, DWORD* h, DWORD u) override
    {
        return real->CreateVertexShader(d, f, h, u);
    }
    HRESULT SetVertexShader(DWORD h) override { return real->SetVertexShader(h); }
    HRESULT GetVertexShader(DWORD* h) override { return real->GetVertexShader(h); }
    HRESULT DeleteVertexShader(DWORD h) override { return real->DeleteVertexShader(h); }
    HRESULT SetPixelShader(DWORD h) override { return real->SetPixelShader(h); }
    HRESULT GetPixelShader(DWORD* h) override { return real->GetPixelShader(h); }
    HRESULT SetStreamSource(UINT n, IDirect3DVertexBuffer8* b, UINT s) override
    {
        return real->SetStreamSource(n, b, s);
    }
    HRESULT GetStreamSource(UINT n, IDirect3DVertexBuffer8** b, UINT* s) override
    {
        return real->GetStreamSource(n, b, s);
    }
    HRESULT SetIndices(IDirect3DIndexBuffer8* b, UINT base) override { return real->SetIndices(b, base); }
    HRESULT GetIndices(IDirect3DIndexBuffer8** b, UINT* base) override { return real->GetIndices(b, base); }

private:
    IDirect3DDevice8* real;
};

constexpr D3DCOLOR kBackground = D3DCOLOR_XRGB(0, 0, 64);

class FontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        real = CreateHeadlessDevice(640, 480, &direct3d);
        ASSERT_NE(real, nullptr);
        device = new RecordingDevice(real);
        SetPresentHandler([this](const PresentedFrame& frame) {
            width = frame.width;
            pixels.assign(frame.rgba, frame.rgba + std::size_t(frame.width) * frame.height * 4);
            if (const char* keep = std::getenv("REWIND_FONT_PNG"); keep != nullptr && !pngName.empty()) {
                WritePng((std::string(keep) + "/" + pngName).c_str(), frame);
            }
        });
        real->SetRenderState(D3DRS_LIGHTING, FALSE);
    }

    void TearDown() override
    {
        SetPresentHandler(nullptr);
        delete device;
        if (real != nullptr) real->Release();
        if (direct3d != nullptr) direct3d->Release();
    }

    // A font ready to draw: the atlas drawn, buffer and state blocks made.
    std::unique_ptr<CFont> MakeFont(DWORD height, DWORD flags = kFontBold)
    {
        auto font = std::make_unique<CFont>("Arial", height, flags);
        EXPECT_EQ(font->InitDeviceObjects(device), D3D_OK);
        EXPECT_EQ(font->RestoreDeviceObjects(), D3D_OK);
        return font;
    }

    // Clears, lets `draw` draw one scene and presents it. With REWIND_FONT_PNG
    // set to a folder, the frame is also kept there as `png`, to look at.
    template <typename Draw> void Frame(const char* png, Draw draw)
    {
        pngName = png;
        real->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0);
        real->BeginScene();
        draw();
        real->EndScene();
        real->Present(nullptr, nullptr, nullptr, nullptr);
    }

    D3DCOLOR Pixel(int x, int y) const
    {
        const std::uint8_t* p = &pixels[(std::size_t(y) * width + x) * 4];
        return D3DCOLOR_XRGB(p[0], p[1], p[2]);
    }

    // The smallest rectangle holding every pixel that is not the background.
    RECT Drawn() const
    {
        RECT box = {640, 480, -1, -1};
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                if (Pixel(x, y) == kBackground) continue;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                       std::max<LONG>(box.bottom, y)};
            }
        }
        return box;
    }

    IDirect3D8* direct3d = nullptr;
    IDirect3DDevice8* real = nullptr;
    RecordingDevice* device = nullptr;
    std::vector<std::uint8_t> pixels;
    int width = 0;
    std::string pngName;
};

DWORD AtlasSide(const CFont& font)
{
    D3DSURFACE_DESC desc{};
    font.texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Format, D3DFMT_A4R4G4B4);
    EXPECT_EQ(desc.Width, desc.Height);
    return desc.Width;
}

float GlyphWidth(const CFont& font, char c)
{
    const float* rect = font.texCoords[c - 32];
    return (rect[2] - rect[0]) * float(font.textureWidth);
}

} // namespace

TEST_F(FontTest, TheAtlasGrowsWithTheHeightAndShrinksToTheDeviceLimit)
{
    for (const auto& [height, side] : {std::pair{20u, 256u}, {21u, 512u}, {41u, 1024u}}) {
        CFont font("Arial", height, kFontBold);
        ASSERT_EQ(font.InitDeviceObjects(device), D3D_OK);
        EXPECT_EQ(AtlasSide(font), side) << "height " << height;
        EXPECT_EQ(font.textScale, 1.0f);
    }

    CFont full("Arial", 41, kFontBold);
    ASSERT_EQ(full.InitDeviceObjects(device), D3D_OK);
    device->maxTextureSize = 256;
    CFont limited("Arial", 41, kFontBold);
    ASSERT_EQ(limited.InitDeviceObjects(device), D3D_OK);
    ASSERT_EQ(limited.RestoreDeviceObjects(), D3D_OK);
    EXPECT_EQ(AtlasSide(limited), 256u);
    EXPECT_EQ(limited.textScale, 0.25f);
    // The DC font is four times smaller (55 pixels against 13, give or take
    // the rounding of each advance)...
    EXPECT_NEAR(GlyphWidth(limited, 'W'), GlyphWidth(full, 'W') / 4.0f, 1.0f);
    // ...and the drawn quad stretches it back by 4.
    limited.DrawText(0.0f, 0.0f, 0xFFFFFFFF, "W", 0);
    BYTE* data = nullptr;
    ASSERT_EQ(limited.vertexBuffer->Lock(0, 0, &data, 0), D3D_OK);
    const auto* quad = reinterpret_cast<const ScreenVertex*>(data);
    EXPECT_FLOAT_EQ(quad[2].x - quad[0].x, GlyphWidth(limited, 'W') * 4.0f);
    EXPECT_FLOAT_EQ(quad[0].y - quad[1].y, (limited.texCoords['W' - 32][3] - limited.texCoords['W' - 32][1]) * 256 * 4);
    limited.vertexBuffer->Unlock();
}

// Every glyph's rectangle holds what GDI drew there: white texels with alpha
// coverage. The one-texel gap after a glyph stays empty unless the next one
// overhangs its cell, as '_' and 'j' do; these glyphs stay inside theirs.
TEST_F(FontTest, TheAtlasHoldsWhiteGlyphsInsideTheirRectangles)
{
    std::unique_ptr<CFont> font = MakeFont(32);
    const DWORD side = font->textureWidth;
    ASSERT_EQ(side, 512u);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(font->texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    auto texel = [&](DWORD x, DWORD y) {
        return reinterpret_cast<const WORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch)[x];
    };

    int covered = 0;
    for (DWORD y = 0; y < side; ++y) {
        for (DWORD x = 0; x < side; ++x) {
            const WORD value = texel(x, y);
            if (value == 0) continue;
            ++covered;
            EXPECT_EQ(value & 0x0FFF, 0x0FFF) << "texel " << x << ", " << y;
        }
    }
    EXPECT_GT(covered, 2000);

    for (char c : std::string("HIW|")) {
        const float* rect = font->texCoords[c - 32];
        const DWORD left = DWORD(rect[0] * side), top = DWORD(rect[1] * side);
        const DWORD right = DWORD(rect[2] * side), bottom = DWORD(rect[3] * side);
        int inside = 0;
        for (DWORD y = top; y < bottom; ++y) {
            for (DWORD x = left; x < right; ++x) inside += texel(x, y) >> 12 == 0xF;
            if (right < side) {
                EXPECT_EQ(texel(right, y), 0) << "gap right of " << c;
            }
        }
        EXPECT_GT(inside, 20) << "solid texels of " << c;
    }
    const float* space = font->texCoords[0];
    EXPECT_EQ(space[0], 0.0f);
    EXPECT_EQ(space[1], 0.0f);
    for (const float bound : font->texCoords[127 - 32]) EXPECT_EQ(bound, 0.0f) << "127 is not laid out";
    font->texture->UnlockRect(0);
}

// The atlas measures a line as GDI measures it: the advances add up.
TEST_F(FontTest, TheExtentMatchesGdisExtentOfTheWholeLine)
{
    std::unique_ptr<CFont> font = MakeFont(32);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT gdiFont = CreateFontA(-MulDiv(32, 96, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH, "Arial");
    SelectObject(dc, gdiFont);
    SIZE gdi{};
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "rewind 2026", 11, &gdi));
    DeleteDC(dc);
    DeleteObject(gdiFont);

    SIZE size{};
    ASSERT_EQ(font->GetTextExtent("rewind 2026", &size), D3D_OK);
    EXPECT_EQ(size.cx, gdi.cx);
    EXPECT_EQ(size.cy, gdi.cy);

    SIZE widest{}, line{};
    font->GetTextExtent("wide line\nx\n", &widest);
    font->GetTextExtent("wide line", &line);
    EXPECT_EQ(widest.cx, line.cx);
    EXPECT_EQ(widest.cy, 3 * line.cy) << "every line feed adds a line";

    EXPECT_EQ(font->GetTextExtent(nullptr, &size), E_FAIL);
    EXPECT_EQ(font->GetTextExtent("x", nullptr), E_FAIL);
}

// 2D text flushes when the 50th visible character fills the 300-vertex
// buffer; spaces and control characters take no room. 3D vertices are
// larger, so fewer fit.
TEST_F(FontTest, TextIsDrawnInBatchesThatFitTheBuffer)
{
    std::unique_ptr<CFont> font = MakeFont(16);
    const std::string fortyNine(49, 'a');
    auto drawn = [&](const std::string& text, bool in3D) {
        device->drawnTriangles.clear();
        EXPECT_EQ(in3D ? font->Render3DText(text.c_str(), 0) : font->DrawText(0, 0, 0xFFFFFFFF, text.c_str(), 0),
                  D3D_OK);
        return device->drawnTriangles;
    };
    EXPECT_EQ(drawn("", false), std::vector<UINT>{});
    EXPECT_EQ(drawn("   \n\t", false), std::vector<UINT>{});
    EXPECT_EQ(drawn(fortyNine, false), std::vector<UINT>{98});
    EXPECT_EQ(drawn(fortyNine + "a", false), std::vector<UINT>{100});
    EXPECT_EQ(drawn(fortyNine + "ab", false), (std::vector<UINT>{100, 2}));
    EXPECT_EQ(drawn("a b c\n" + fortyNine, false), (std::vector<UINT>{100, 4}));
    // 8400 bytes hold 262 vertices of 32 bytes: 43 characters per batch.
    EXPECT_EQ(drawn(std::string(42, 'a'), true), std::vector<UINT>{84});
    EXPECT_EQ(drawn(std::string(44, 'a'), true), (std::vector<UINT>{86, 2}));

    CFont unready("Arial", 16, 0);
    EXPECT_EQ(unready.DrawText(0, 0, 0xFFFFFFFF, "a", 0), E_FAIL);
    EXPECT_EQ(unready.Render3DText("a", 0), E_FAIL);
}

TEST_F(FontTest, DrawingLeavesTheCallersStatesAsTheyWere)
{
    std::unique_ptr<CFont> font = MakeFont(32, kFontBold | kFontDepthTest);
    IDirect3DTexture8* callers = nullptr;
    ASSERT_EQ(real->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &callers), D3D_OK);
    real->SetTexture(0, callers);
    real->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    real->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    real->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    real->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    real->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);

    font->DrawText(10, 10, 0xFFFFFFFF, "states", kTextFiltered);
    font->Render3DText("states", kTextCentred | kTextTwoSided | kTextFiltered);

    DWORD value = 0;
    IDirect3DBaseTexture8* bound = nullptr;
    real->GetTexture(0, &bound);
    EXPECT_EQ(bound, callers);
    if (bound != nullptr) bound->Release();
    real->GetRenderState(D3DRS_ZENABLE, &value);
    EXPECT_EQ(value, DWORD(D3DZB_FALSE));
    real->GetRenderState(D3DRS_ALPHABLENDENABLE, &value);
    EXPECT_EQ(value, DWORD(FALSE));
    real->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, DWORD(D3DCULL_CW));
    real->GetTextureStageState(0, D3DTSS_MAGFILTER, &value);
    EXPECT_EQ(value, DWORD(D3DTEXF_POINT));
    real->GetTextureStageState(1, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, DWORD(D3DTOP_MODULATE));
    real->SetTexture(0, nullptr);
    callers->Release();
}

// The greetings' font: white text lands inside the box its extent gives,
// with solid white in the strokes, and nothing changes outside it.
TEST_F(FontTest, ScreenTextLandsWhiteInsideItsExtent)
{
    std::unique_ptr<CFont> font = MakeFont(32);
    SIZE extent{};
    font->GetTextExtent("rewind 2026", &extent);
    Frame("font_screen_text.png", [&] { EXPECT_EQ(font->DrawText(100, 200, 0xFFFFFFFF, "rewind 2026", 0), D3D_OK); });

    const RECT box = Drawn();
    EXPECT_GE(box.left, 100);
    EXPECT_GE(box.top, 200);
    EXPECT_LT(box.right, 100 + extent.cx);
    EXPECT_LT(box.bottom, 200 + extent.cy);
    EXPECT_GT(box.right - box.left, extent.cx * 9 / 10) << "the whole line is drawn";
    EXPECT_GT(box.bottom - box.top, extent.cy / 2);

    int white = 0;
    for (LONG y = box.top; y <= box.bottom; ++y) {
        for (LONG x = box.left; x <= box.right; ++x) white += Pixel(x, y) == D3DCOLOR_XRGB(255, 255, 255);
    }
    EXPECT_GT(white, 1000);
}

// Centred, two-sided, filtered 3D text seen through a perspective camera:
// centred on the screen, still there from behind, gone from behind when
// culled.
TEST_F(FontTest, CentredTextFacesTheCameraAndTwoSidedTextShowsFromBehind)
{
    std::unique_ptr<CFont> font = MakeFont(32);
    D3DXMATRIX view, projection, world, turned;
    const D3DXVECTOR3 eye(0.0f, 0.0f, -50.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, 0.785398f, 640.0f / 480.0f, 1.0f, 100.0f);
    D3DXMatrixIdentity(&world);
    D3DXMatrixRotationY(&turned, 3.14159265f);
    real->SetTransform(D3DTS_VIEW, &view);
    real->SetTransform(D3DTS_PROJECTION, &projection);

    auto drawn = [&](const char* png, const D3DXMATRIX& placement, DWORD flags) {
        real->SetTransform(D3DTS_WORLD, &placement);
        Frame(png, [&] { EXPECT_EQ(font->Render3DText("rewind 2026", flags), D3D_OK); });
        return Drawn();
    };

    const RECT front = drawn("font_3d_text.png", world, kTextCentred | kTextTwoSided | kTextFiltered);
    EXPECT_NEAR((front.left + front.right) / 2.0, 320.0, 4.0);
    EXPECT_NEAR((front.top + front.bottom) / 2.0, 240.0, 6.0);
    EXPECT_GT(front.right - front.left, 200);

    const RECT behind = drawn("font_3d_text_behind.png", turned, kTextCentred | kTextTwoSided | kTextFiltered);
    EXPECT_NEAR(behind.left, 640 - front.right, 3) << "mirrored";
    const RECT culled = drawn("font_3d_text_culled.png", turned, kTextCentred | kTextFiltered);
    EXPECT_LT(culled.right, culled.left) << "nothing drawn";
}
