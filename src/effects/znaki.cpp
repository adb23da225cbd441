#include "effects/znaki.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "app/demo.h"
#include "support/ini_file.h"

namespace {

constexpr float cycleLength = 5000.0f;

std::vector<Sign> signs;
// The signs' large dot pictures: kept as the data provide them, though the
// matrix draws from the small table.
std::vector<DotSign> dotSigns;

float firstTime = 0.0f;
SignCycle cycle;
float cells[kSignCells];

// The whole number of cycles in `elapsed`, toward zero, held in an int
// whatever the clock passed in.
int CycleNumber(float elapsed)
{
    const double k = std::trunc(static_cast<double>(elapsed) * 0.0002);
    if (std::isnan(k)) return 0;
    return static_cast<int>(std::clamp(k, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

template <typename Table, typename Read>
std::vector<Table> ReadFile(const char* fileName, Read read)
{
    std::vector<Table> table;
    auto* ini = new cIniFile();
    if (ini->Open(fileName)) {
        table = read(*ini);
    }
    delete ini;
    return table;
}

} // namespace

void znaki_Init()
{
    g_render->LoadTexture("data\\flara2.jpg", "flara");
    dotSigns = ReadFile<DotSign>("data\\znaki.ini", ReadDotSigns);
}

void znaki2_Init()
{
    signs = ReadFile<Sign>("data\\znaki2.ini", ReadSigns);
}

float znaki_BlendWeight(float s)
{
    if (s < 1500.0f) return 0.0f;
    if (s < 3500.0f) return (s - 1500.0f) * 0.0005f;
    if (s < cycleLength) return 1.0f;
    return 0.0f;
}

SignBlend znaki_Advance(SignCycle& state, float elapsed, unsigned count)
{
    const int k = CycleNumber(elapsed);
    if (k != state.lastCycle) {
        state.current = state.current + 1 < count ? state.current + 1 : 0;
        state.lastCycle = k;
    }
    if (state.current >= count) state.current = 0;
    const unsigned next = state.current + 1 < count ? state.current + 1 : 0;
    const float s = elapsed - static_cast<float>(k) * cycleLength;
    return SignBlend{state.current, next, znaki_BlendWeight(s)};
}

void znaki_Cells(const Sign& from, const Sign& to, float w, float out[kSignCells])
{
    for (unsigned j = 0; j < kSignCells; ++j) {
        out[j] = ((to.values[j] - from.values[j]) * w + from.values[j]) * 0.2f;
    }
}

void znaki_Draw(float timeMs)
{
    if (signs.empty()) {
        return;
    }
    const float t = timeMs;
    IDirect3DDevice8* device = g_render->GetDevice();
    g_render->SetTexture("white", 0);
    g_render->GetSprite()->Begin();
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);

    if (firstTime == 0.0f) firstTime = t;
    const SignBlend blend = znaki_Advance(cycle, t - firstTime, static_cast<unsigned>(signs.size()));
    znaki_Cells(signs[blend.current], signs[blend.next], blend.weight, cells);

    for (unsigned row = 0; row < kSignRows; ++row) {
        for (unsigned column = 0; column < kSignColumns; ++column) {
            const float x = 415.0f + 50.0f * static_cast<float>(column);
            const float y = 30.0f + 50.0f * static_cast<float>(row);
            g_render->DrawSprite(x, y, 0.1f, cells[kSignColumns * row + column], 1.4f, 0.0f, nullptr);
        }
    }
    g_render->GetSprite()->End();
}
