#include "effects/fxlayers.h"

#include "app/demo.h"
#include "app/timeline.h"
#include "render/texture_manager.h"
#include "support/ini_file.h"
#include "support/log.h"

namespace {

LayerSet layers;
bool batchBegun = false;

void LoadGroupTexture(LayerGroup& group)
{
    const char* file = group.file.c_str();
    g_render->LoadTexture(file, file);
    group.texture = g_render->GetTextureManager()->Find(file);
    for (std::uint32_t row : group.rows) {
        if (g_log) g_log->Print("%d - ", static_cast<int>(row));
    }
    if (g_log) g_log->Print("\n");
}

void BeginBatch()
{
    g_render->GetSprite()->Begin();
    g_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    g_device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    g_device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    g_device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP);
    g_device->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP);
    batchBegun = true;
}

} // namespace

void fxlayers_Init()
{
    layers = LayerSet{};
    auto* ini = new cIniFile();
    if (ini->Open("data\\layer.ini")) {
        layers = ReadLayerFile(*ini, LoadGroupTexture);
    }
    delete ini;
}

void fxlayers_Render(float timeMs)
{
    if (g_timeline.rewinding) {
        return;
    }
    ForEachActiveLayer(layers, timeMs, [timeMs](const LayerEntry& entry, const LayerGroup& group, bool bindTexture) {
        if (!batchBegun) {
            BeginBatch();
        }
        if (bindTexture) {
            g_render->SetTexture(group.texture, 0);
        }
        // The sprite draws the renderer's current texture, which a missing
        // picture leaves at another group's: such a group's bands are skipped.
        if (group.texture == nullptr) {
            return;
        }
        const LayerSprite sprite = LayerSpriteAt(entry, group, timeMs);
        g_render->DrawSprite(320.0f, entry.y, 0.9f, sprite.opacity, 1.0f, 0.0f, &sprite.source);
    });
    if (batchBegun) {
        g_render->GetSprite()->End();
        batchBegun = false;
    }
}

const LayerSet& fxlayers_Layers()
{
    return layers;
}
