#include "effects/layer_file.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "support/ini_file.h"
#include "support/log.h"

namespace {

// A group line is a file name followed by integers only: K, then the rows.
bool IsGroupLine(const cIniFile& ini)
{
    return ini.stringCount == 1 && ini.types[0] == 's' && ini.intCount >= 1;
}

void ReadGroup(cIniFile& ini, LayerSet& layers, const std::function<void(LayerGroup&)>& onGroup)
{
    // The overlay keeps at most 16 groups; the lines of further groups are
    // still group lines and are read as such, so they never turn into entries.
    if (layers.groups.size() == kMaxLayerGroups) {
        if (g_log) g_log->Print("fxlayers : more than 16 groups in layer.ini, the line [%s] is ignored\n", ini.line);
        return;
    }
    LayerGroup& group = layers.groups.emplace_back();
    // A malformed group keeps its place, so that the groups after it keep
    // their indices; it has no strips, and entries naming it are refused.
    if (!IsGroupLine(ini)) {
        if (g_log) g_log->Print("fxlayers : group line [%s] of layer.ini is not a file name and rows, ignored\n",
                                ini.line);
        return;
    }
    group.file = ini.strings[0];
    const std::uint32_t promised = static_cast<std::uint32_t>(ini.ints[0]);
    const std::uint32_t kept = std::min({promised, ini.intCount - 1, static_cast<std::uint32_t>(kMaxLayerRows)});
    if (kept < promised) {
        if (g_log) g_log->Print("fxlayers : group %s in layer.ini promises %u rows, %u are kept\n", group.file.c_str(),
                                promised, kept);
    }
    group.rows.assign(ini.ints + 1, ini.ints + 1 + kept);
    if (onGroup) onGroup(group);
}

bool NamesAStrip(const LayerSet& layers, std::uint32_t group, std::uint32_t strip)
{
    return group < layers.groups.size() && std::uint64_t{strip} + 1 < layers.groups[group].rows.size();
}

void ReadEntry(const cIniFile& ini, LayerSet& layers)
{
    if (!ini.Matches("dddddss")) {
        if (g_log) g_log->Print("fxlayers : error in layer.ini\n");
        return;
    }
    if (layers.entries.size() == kMaxLayerEntries) {
        if (g_log) g_log->Print("fxlayers : more than 256 entries in layer.ini, the line [%s] is ignored\n", ini.line);
        return;
    }
    LayerEntry entry{};
    entry.start = static_cast<float>(ini.ints[0]);
    entry.end = static_cast<float>(ini.ints[1]);
    entry.group = static_cast<std::uint32_t>(ini.ints[2]);
    entry.strip = static_cast<std::uint32_t>(ini.ints[3]);
    entry.y = static_cast<float>(ini.ints[4]);
    // strtof, not atof narrowed: a number past a float's range reads as
    // infinite (and is refused below) instead of being undefined.
    entry.period = std::strtof(ini.strings[0], nullptr);
    entry.alpha = std::strtof(ini.strings[1], nullptr);

    if (!NamesAStrip(layers, entry.group, entry.strip)) {
        if (g_log) g_log->Print("fxlayers : entry [%s] in layer.ini names no strip (group %u, strip %u), ignored\n",
                                ini.line, entry.group, entry.strip);
        return;
    }
    // A band moves one texel every `period` milliseconds; 0 would be an
    // endless speed.
    if (!std::isfinite(entry.period) || entry.period == 0.0f) {
        if (g_log) g_log->Print("fxlayers : entry [%s] in layer.ini has no usable period, ignored\n", ini.line);
        return;
    }
    if (!(entry.alpha >= 0.0f && entry.alpha <= 1.0f)) {
        if (g_log) g_log->Print("fxlayers : entry [%s] in layer.ini has an alpha outside 0..1, ignored\n", ini.line);
        return;
    }
    layers.entries.push_back(entry);
}

} // namespace

LayerSet ReadLayerFile(cIniFile& ini, const std::function<void(LayerGroup&)>& onGroup)
{
    LayerSet layers;
    if (!ini.Next()) {
        return layers;
    }
    std::uint32_t groupCount = 0;
    if (ini.typeCount > 0 && ini.types[0] == 'd') {
        groupCount = static_cast<std::uint32_t>(ini.ints[0]);
    } else if (g_log) {
        g_log->Print("fxlayers : error in layer.ini\n");
    }
    for (std::uint32_t group = 0; group < groupCount && ini.Next(); ++group) {
        ReadGroup(ini, layers, onGroup);
    }
    while (ini.Next()) {
        ReadEntry(ini, layers);
    }
    return layers;
}

LayerSprite LayerSpriteAt(const LayerEntry& entry, const LayerGroup& group, float t)
{
    const float elapsed = t - entry.start;
    const float x = elapsed / entry.period;

    // left = x and right = x + 1023, each truncated toward zero, then moved
    // by whole turns of 1023 texels until left lies in 0..1023. Done in double
    // with fmod, so that any offset, however far the clock has run, wraps
    // without overflowing an integer.
    const double offset = std::isfinite(x) ? static_cast<double>(x) : 0.0;
    double left = std::trunc(offset);
    // The sum is exact below 2^52; beyond it the band is simply 1023 wide.
    const double width = std::fabs(offset) < 0x1p52 ? std::trunc(offset + 1023.0) - left : 1023.0;
    if (left > 1023.0) {
        left = std::fmod(left, 1023.0);
    } else if (left < 0.0) {
        left = std::fmod(left, 1023.0) + 1023.0;
    }

    LayerSprite sprite{};
    sprite.source.left = static_cast<LONG>(left);
    sprite.source.right = static_cast<LONG>(left + width);
    sprite.source.top = static_cast<LONG>(group.rows[entry.strip] + 2u);
    sprite.source.bottom = static_cast<LONG>(group.rows[entry.strip + 1] - 1u);
    sprite.opacity = t < entry.start + 200.0f ? static_cast<float>(elapsed * 0.005 * entry.alpha) : entry.alpha;
    return sprite;
}
