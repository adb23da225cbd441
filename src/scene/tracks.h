#pragma once
// Key tracks: the animation of node transforms, camera field of view and
// roll, and a mesh's morph pair and hidden state, as functions of the frame.
//
// Spline tracks pass through their keys along Hermite curves whose tangents
// come from each key's tension, continuity and bias (Prepare computes them
// once after loading), with an ease curve per segment. Rotations are
// quaternion keys joined by squad, with a path of its own for segments that
// turn more than once. Step tracks jump from key to key. Before the first key
// and after the last every track holds the end key's value.

#include <cstdint>
#include <vector>

#include "math/math.h"

// The ease curve of a segment: u in 0..1 speeds up over the first easeFrom of
// the segment and slows down over the last easeTo. Eases summing past 1 are
// scaled down to sum to 1; a sum near 0 leaves u unchanged.
float Ease(float easeFrom, float easeTo, float u);

// Where a frame falls among the keys of a track.
struct TrackSegment {
    enum Place { Single, Before, Inside, After };
    Place place;
    std::uint32_t index; // the key that starts the segment (the end key outside it)
    float u;             // the position in the segment, 0..1, before easing
};

// Frames must rise from key to key. A frame equal to an inner key's frame ends
// the segment before that key (u = 1).
template <typename Key>
TrackSegment FindSegment(const std::vector<Key>& keys, float frame)
{
    const std::uint32_t last = static_cast<std::uint32_t>(keys.size()) - 1;
    if (last == 0) {
        return {TrackSegment::Single, 0, 0.0f};
    }
    if (frame < keys[0].frame) {
        return {TrackSegment::Before, 0, 0.0f};
    }
    if (frame > keys[last].frame) {
        return {TrackSegment::After, last, 1.0f};
    }
    std::uint32_t i = 0;
    // A frame that compares with nothing (NaN) falls in the last segment.
    while (i + 1 < last && !(keys[i + 1].frame >= frame)) {
        ++i;
    }
    const float u = (frame - keys[i].frame) / (keys[i + 1].frame - keys[i].frame);
    return {TrackSegment::Inside, i, u};
}

struct TcbParameters {
    float tension = 0.0f;
    float continuity = 0.0f;
    float bias = 0.0f;
    float easeTo = 0.0f;
    float easeFrom = 0.0f;
};

// A track whose value is a transform: position, scale, Euler angles or an
// axis-angle rotation.
class cTransformTrack {
public:
    virtual ~cTransformTrack() = default;
    virtual cMatrix Evaluate(float frame) const = 0;
    virtual void Prepare() = 0;
};

class cVectorTrack : public cTransformTrack {
public:
    enum Kind { Position, Scale, Euler };

    struct Key {
        float frame = 0.0f;
        cVector value;
        cVector outgoing;
        cVector incoming;
        TcbParameters tcb;
    };

    explicit cVectorTrack(Kind kind) : kind(kind) {}

    // MatrixTranslation, MatrixScaling or MatrixRotationEuler of Value.
    cMatrix Evaluate(float frame) const override;
    void Prepare() override;

    cVector Value(float frame) const;

    Kind kind;
    std::vector<Key> keys;
};

class cRotationTrack : public cTransformTrack {
public:
    struct Key {
        float frame = 0.0f;
        cQuaternion q; // absolute orientation at this key
        cQuaternion a; // inner control points of the squad
        cQuaternion b;
        cVector axis;
        float angle = 0.0f; // radians, relative to the previous key
        std::int32_t spins = 0; // whole turns beyond angle
        float tension = 0.0f;
        float continuity = 0.0f;
        float bias = 0.0f;
        float easeFrom = 0.0f;
        float easeTo = 0.0f;
    };

    cMatrix Evaluate(float frame) const override;
    void Prepare() override;

    cQuaternion Rotation(float frame) const;

    std::vector<Key> keys;
};

class cFloatTrack {
public:
    struct Key {
        float frame = 0.0f;
        float value = 0.0f;
        float outgoing = 0.0f;
        float incoming = 0.0f;
        TcbParameters tcb;
    };

    virtual ~cFloatTrack() = default;
    virtual float Evaluate(float frame) const;
    virtual void Prepare();

    std::vector<Key> keys;
};

// Holds each key's value until the next key; the blend factor says how far
// the frame has come towards the next key. Value is a mesh pointer in a
// morph track and an integer in a hide track.
template <typename Value>
class cStepTrack {
public:
    struct Key {
        float frame = 0.0f;
        Value value{};
        float easeTo = 0.0f;
        float easeFrom = 0.0f;
    };

    virtual ~cStepTrack() = default;

    Value CurrentValue(float frame) const { return keys[FindSegment(keys, frame).index].value; }

    Value NextValue(float frame) const
    {
        const TrackSegment segment = FindSegment(keys, frame);
        return keys[segment.place == TrackSegment::Inside ? segment.index + 1 : segment.index].value;
    }

    float BlendFactor(float frame) const
    {
        const TrackSegment segment = FindSegment(keys, frame);
        switch (segment.place) {
        case TrackSegment::Inside:
            return Ease(keys[segment.index].easeFrom, keys[segment.index].easeTo, segment.u);
        case TrackSegment::After: return 1.0f;
        default: return 0.0f;
        }
    }

    std::vector<Key> keys;
};
