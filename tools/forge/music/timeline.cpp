#include "timeline.h"

#include <algorithm>
#include <vector>

namespace music {

namespace {

struct BeatTable {
    AccentKind kind;
    double strength;
    std::vector<double> milliseconds;
};

// Hand-timed tables of the effects, in show milliseconds.
std::vector<BeatTable> BeatTables()
{
    return {
        // fxobraz: the small flares flash, and twice the bars flare up.
        {AccentKind::Flash, 0.8, {2780, 8283, 10000, 11200, 12900, 13740, 18570, 19260, 20973, 23719,
                                  23852, 26453, 27660, 29373, 30185, 33300, 34858}},
        {AccentKind::Flash, 0.6, {17188, 18581}},
        // fx01: the letterbox squeezes, in two fast runs.
        {AccentKind::Hit, 0.8, {39000, 39400, 39746, 40090, 40431, 40768, 41116}},
        {AccentKind::Hit, 0.8, {49005, 49661, 50027, 50358, 50712}},
        // fx04: the flare fountain flashes.
        {AccentKind::Hit, 1.0, {65892, 66391, 76858, 81652, 87817, 103595}},
        // fx06: the picture dips, then the surface grows in eight steps.
        {AccentKind::Hit, 0.9, {111500, 112000, 112518}},
        {AccentKind::Step, 0.8, {112808, 113295, 113632, 113995, 114979, 115467, 115966, 116381, 116681}},
        // fx05: the tunnel flashes.
        {AccentKind::Hit, 1.0, {203528, 208509, 218790}},
        // fxquill: the surface pulses.
        {AccentKind::Hit, 1.0, {233209, 237662, 240193, 243147, 244146, 245713, 248616}},
    };
}

std::vector<Accent> CollectAccents()
{
    std::vector<Accent> accents;
    for (const BeatTable& table : BeatTables()) {
        for (double ms : table.milliseconds) accents.push_back({ms * 0.001, table.kind, table.strength});
    }
    std::sort(accents.begin(), accents.end(), [](const Accent& a, const Accent& b) { return a.time < b.time; });
    return accents;
}

} // namespace

std::span<const Accent> Accents()
{
    static const std::vector<Accent> accents = CollectAccents();
    return accents;
}

} // namespace music
