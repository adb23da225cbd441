#include "effects/fxgreets.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/demo.h"
#include "effects/float_bits.h"
#include "objects/object.h"
#include "render/font.h"
#include "render/image_quad.h"
#include "support/ini_file.h"
#include "support/random.h"

namespace {

constexpr float slotStart = 118000.0f;
constexpr DWORD pointFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;

// The formation, left to right; the middle plane leads.
constexpr float formation[kPlanes][3] = {{-100.0f, 0.0f, 750.0f},
                                         {-50.0f, 0.0f, 720.0f},
                                         {0.0f, 0.0f, 700.0f},
                                         {50.0f, 0.0f, 710.0f},
                                         {100.0f, 0.0f, 740.0f}};
// How far behind plane p's depth head light p sits.
constexpr float headSetback[kPlanes] = {0.0f, 5.0f, 10.0f, 17.0f, 20.0f};

// The crafts the show greets, each at its own column of a line of fixed
// width: drawn centred in the same place, the lines build one sentence
// word by word while the earlier words fade. A blank is about half as wide
// as a letter, hence the long runs of them.
constexpr const char* nameLines[kGreetsNameLines] = {
    "coders                                                        ",
    "             trackers                                         ",
    "                           artists                            ",
    "                                         modellers            ",
    "                                                           you",
};
static_assert(std::all_of(std::begin(nameLines), std::end(nameLines), [](const char* line) {
    return std::char_traits<char>::length(line) == std::char_traits<char>::length(nameLines[0]);
}));
constexpr const char* phrase = "greetings to all who make pictures move and music play";

CFont* font = nullptr;
CImageQuad* sky = nullptr;
cObject* plane = nullptr;
cVector base[kPlanes];
cVector planePos[kPlanes];
cFlightTrails* trails = nullptr;
TrailPoint heads[kPlanes];
std::vector<GreetsStripe> stripes;

void SetState(D3DRENDERSTATETYPE state, DWORD value)
{
    g_device->SetRenderState(state, value);
}

void PointSprites(BOOL on)
{
    SetState(D3DRS_POINTSPRITEENABLE, on);
    SetState(D3DRS_POINTSCALEENABLE, on);
}

// Trails and heads are laid out in the planes' own frame, turned half round
// with them. The turn also mirrors x, so trail and head p fall on the line
// of plane 4 - p; the formation being symmetric in x, each still lies on a
// plane's line.
void PlaneFrame()
{
    g_render->SetupMatrices(0.0f, 0.0f, 0.0f, plane->rotation.x, plane->rotation.y, plane->rotation.z, 1.0f);
}

void DrawTrails(unsigned first, unsigned n)
{
    g_render->SetTexture("flara3", 0);
    PointSprites(TRUE);
    SetState(D3DRS_POINTSIZE, FloatBits(2.5f));
    SetState(D3DRS_POINTSIZE_MIN, FloatBits(2.5f));
    SetState(D3DRS_POINTSCALE_A, FloatBits(0.0f));
    SetState(D3DRS_POINTSCALE_B, FloatBits(0.0f));
    SetState(D3DRS_POINTSCALE_C, FloatBits(1.0f));
    SetState(D3DRS_ZWRITEENABLE, FALSE);
    SetState(D3DRS_ZENABLE, FALSE);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    g_device->SetVertexShader(pointFvf);
    PlaneFrame();
    if (first < n) {
        for (unsigned p = 0; p < kPlanes; ++p) {
            g_device->DrawPrimitiveUP(D3DPT_POINTLIST, n - first, &trails->points[p][first], sizeof(TrailPoint));
        }
    }
    PointSprites(FALSE);
}

// Each plane is drawn where the previous frame put it, then moved on.
void DrawPlanes(float e)
{
    g_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    g_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    g_render->SetBlendMode(2, 0);
    g_render->SetBlendMode(0, 0);
    g_render->SetMaterial(0.1f, 1.0f, 1.0f, 1.0f);
    g_render->SetTexture("1", 0);
    for (unsigned p = 0; p < kPlanes; ++p) {
        plane->position = planePos[p];
        planePos[p] = base[p] + cVector(0.0f, 0.0f, e * -0.045f);
        g_render->DrawObject(plane, 0);
    }
}

void DrawHeads()
{
    g_render->SetTexture("flara3", 0);
    PointSprites(TRUE);
    SetState(D3DRS_ZWRITEENABLE, FALSE);
    SetState(D3DRS_ZENABLE, FALSE);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_render->SetBlendMode(0, 0);
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    g_device->SetVertexShader(pointFvf);
    PlaneFrame();
    g_device->DrawPrimitiveUP(D3DPT_POINTLIST, kPlanes, heads, sizeof(TrailPoint));
    PointSprites(FALSE);
    SetState(D3DRS_ZENABLE, TRUE);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    SetState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    SetState(D3DRS_ZENABLE, FALSE);
    SetState(D3DRS_ZWRITEENABLE, FALSE);
}

// The bars, then the words riding them, in one sprite batch.
void DrawStripes(float e)
{
    g_render->SetTexture("pasek", 0);
    g_render->SetBlendMode(0, 0);
    ID3DXSprite* sprite = g_render->GetSprite();
    sprite->Begin();
    for (const GreetsStripe& stripe : stripes) {
        const D3DXVECTOR2 scaling(stripe.length * stripe.length * 0.01f, 50.0f);
        const D3DXVECTOR2 centre(0.0f, 0.0f);
        const D3DXVECTOR2 translation(0.0f, stripe.stripeY);
        sprite->Draw(g_render->currentTexture, nullptr, &scaling, &centre, stripe.angle * 0.01745329238474369f,
                     &translation, 0x1FFFFFFF);
    }
    g_render->SetTexture("greets", 0);
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    for (const GreetsStripe& stripe : stripes) {
        if (!stripe.hasCell) continue;
        const GreetsPoint centre = GreetsCellCentre(stripe, e);
        const RECT source = GreetsCellSource(stripe);
        g_render->DrawSprite(centre.x, centre.y, 0.1f, 0.2f, 1.2f, stripe.angle - 90.0f, &source);
    }
    sprite->End();
}

void DrawNames(float t)
{
    g_render->SetTexture("black", 0);
    g_camera->Set(cVector(0.0f, 0.0f, -35.0f), cVector(0.0f, 0.0f, 0.0f));
    g_render->SetupMatrices(-15.0f, -9.0f, 0.0f, 0.0f, 0.0f, 6.056292533874512f, 1.0f);
    g_render->SetMaterial(0.1f, 0.0f, 0.0f, 0.0f);
    for (unsigned line = 0; line < kGreetsNameLines; ++line) {
        if (t > kGreetsNameStarts[line]) {
            g_render->SetMaterial(fxgreets_NameOpacity(t, kGreetsNameStarts[line]), 1.0f, 1.0f, 1.0f);
            font->Render3DText(nameLines[line], kTextCentred | kTextTwoSided | kTextFiltered);
        }
    }
}

template <typename Read>
void ReadFile(const char* fileName, Read read)
{
    auto* ini = new cIniFile();
    if (ini->Open(fileName)) {
        read(*ini);
    }
    delete ini;
}

} // namespace

float fxgreets_NameOpacity(float t, float start)
{
    if (!(t > start)) return 0.0f;
    const float d = t - start;
    if (d < 300.0f) return d / 300.0f * 0.5f;
    if (d < 1300.0f) return 0.5f;
    return std::max(0.0f, 1.0f - (d - 1300.0f) * 0.0002f) * 0.5f;
}

unsigned fxgreets_PhraseAlpha(float e)
{
    if (e < 5000.0f) return 0;
    if (e < 10000.0f) return static_cast<unsigned>((e - 5000.0f) * 0.0002 * 32);
    if (e < 12000.0f) return 32;
    if (e < 17000.0f) return static_cast<unsigned>((1.0 - (e - 12000.0f) * 0.0002) * 32);
    return 0;
}

void fxgreets_Init()
{
    IDirect3DDevice8* device = g_render->GetDevice();
    font = new CFont("Arial", 32, kFontBold);
    font->InitDeviceObjects(device);
    font->RestoreDeviceObjects();

    g_render->LoadTexture("data\\niebo.jpg", "niebo");
    g_render->LoadTextureWithAlpha("data\\greetsblack.jpg", "data\\greets.jpg", "greets");
    g_render->LoadTextureWithAlpha("data\\pasek.jpg", "data\\pasekalpha.jpg", "pasek");

    // The sky picture fills its top 359 rows.
    sky = new CImageQuad(device, ~0u, ~0u, ~0u, ~0u);
    sky->SetDepth(0.01f);
    sky->SetAlpha(1);
    g_render->SetTexture("niebo", 0);
    sky->SetTexCoords(0.0f, 0.0f, 1.0f, g_render->PixelToTexV(359));

    plane = new cObject("obj\\samolot.obj", device);
    plane->ComputeNormals();
    plane->MakeSphereMapCoords();
    plane->Upload();

    for (unsigned p = 0; p < kPlanes; ++p) {
        base[p] = cVector(formation[p][0], formation[p][1], formation[p][2]);
        planePos[p] = base[p];
    }
    RandomSeed(20);

    ReadFile("data\\greets.ini", [](cIniFile& ini) { stripes = ReadGreetsStripes(ini); });
    trails = new cFlightTrails();
    ReadFile("data\\fly.ini", [](cIniFile& ini) { trails->Read(ini, base); });
}

void fxgreets_Render(float timeMs)
{
    const float t = timeMs;
    const float e = t - slotStart;
    IDirect3DDevice8* device = g_render->GetDevice();

    g_render->BeginFrame(2);
    g_render->SetFov(1.75f);
    device->SetRenderState(D3DRS_WRAP0, 0);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    g_render->SetTexture("niebo", 0);
    sky->Draw(device);
    plane->scale = 0.04f;
    g_camera->Set(cVector(-1.1f, 350.0f, 1.0f), cVector(0.0f, 0.0f, 0.0f));
    g_render->SetBlendMode(2, 0);
    g_render->SetMaterial(1.0f, 1.0f, 1.0f, 1.0f);
    g_render->SetTexture("1", 0);
    plane->SetRotation(0.0f, 180.0f, 0.0f);

    const unsigned n = TrailCount(e);
    trails->Grow(t, n);
    const unsigned first = trails->Age(t, n);
    for (unsigned p = 0; p < kPlanes; ++p) {
        heads[p] = {planePos[p].x, planePos[p].y, -planePos[p].z - headSetback[p], 0xFFFFFFFF};
    }

    DrawTrails(first, n);
    DrawPlanes(e);
    DrawHeads();
    DrawStripes(e);
    DrawNames(t);
    font->DrawText(350.0f - e / 22000.0f * 600.0f, 440.0f, fxgreets_PhraseAlpha(e) << 24, phrase, 0);

    trails->previousCount = n;
}
