#pragma once
// The band overlay's data, read from data\layer.ini, and the arithmetic that
// turns one entry into one sprite at a given show time.
//
//   2                                   number of band groups
//   data\layers1.jpg 3 0 40 80          texture, K, then K row boundaries
//   data\layers2.jpg 2 0 64
//   1000 9000 0 1 240 10.0 0.8          start end group strip y period alpha
//
// A group is one texture cut into horizontal strips: strip j runs from row
// boundary j to boundary j + 1. An entry draws one strip as a 1023-texel band
// centred on the screen at row y, scrolling sideways one texel per `period`
// milliseconds, while start <= t < end.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8.h"

class cIniFile;

struct LayerGroup {
    std::string file; // also the texture's name in the registry
    std::vector<std::uint32_t> rows;
    IDirect3DTexture8* texture = nullptr;
};

struct LayerEntry {
    float start;
    float end;
    float period; // milliseconds per texel of scroll
    float alpha;
    std::uint32_t group;
    std::uint32_t strip;
    float y; // screen row of the band's centre
};

struct LayerSet {
    std::vector<LayerGroup> groups;
    std::vector<LayerEntry> entries;
};

inline constexpr std::size_t kMaxLayerGroups = 16;
inline constexpr std::size_t kMaxLayerRows = 127;
inline constexpr std::size_t kMaxLayerEntries = 256;

// Reads every record left in an open reader. `onGroup` sees each group as
// soon as its line is read (start-up loads the group's texture there).
// Refused lines are logged and skipped; what is kept is always safe to draw:
// every entry names an existing strip and scrolls at a non-zero speed.
LayerSet ReadLayerFile(cIniFile& ini, const std::function<void(LayerGroup&)>& onGroup = nullptr);

// The sprite of one entry at show time t.
struct LayerSprite {
    RECT source;   // texels; wrap addressing continues it past the right edge
    float opacity; // fades in over the entry's first 200 ms
};

inline bool LayerActive(const LayerEntry& entry, float t) { return entry.start <= t && t < entry.end; }

// The entry must name a strip of the group, as every entry ReadLayerFile keeps does.
LayerSprite LayerSpriteAt(const LayerEntry& entry, const LayerGroup& group, float t);

// Calls draw(entry, group, bindTexture) for each entry active at t, in file
// order. bindTexture is false when the band drawn just before belongs to the
// same group, whose texture is then still bound.
template <typename Draw>
void ForEachActiveLayer(const LayerSet& layers, float t, Draw&& draw)
{
    std::uint32_t boundGroup = 65535; // no group has this index
    for (const LayerEntry& entry : layers.entries) {
        if (!LayerActive(entry, t)) {
            continue;
        }
        draw(entry, layers.groups[entry.group], entry.group != boundGroup);
        boundGroup = entry.group;
    }
}
