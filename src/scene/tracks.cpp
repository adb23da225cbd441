#include "scene/tracks.h"

#include <cmath>
#include <limits>

namespace {

constexpr float pi = 3.1415927f;
constexpr float halfPi = 1.5707964f;
constexpr float twoPi = 6.2831855f;
constexpr float inverseTwoPi = 0.15915494f;

// Frame weights of a key's two tangents: an inner key shares the tangent
// between its segments in proportion to their lengths.
template <typename Key>
void FrameWeights(const std::vector<Key>& keys, std::size_t k, float& fA, float& fB)
{
    fA = 0.5f;
    fB = 0.5f;
    if (k > 0 && k + 1 < keys.size()) {
        const float span = keys[k + 1].frame - keys[k - 1].frame;
        fA = (keys[k + 1].frame - keys[k].frame) / span;
        fB = (keys[k].frame - keys[k - 1].frame) / span;
    }
}

// Tension, continuity and bias tangents for tracks of vectors or floats.
template <typename Key>
void PrepareTangents(std::vector<Key>& keys)
{
    const std::size_t n = keys.size();
    if (n < 2) {
        return;
    }
    for (std::size_t k = 0; k < n; ++k) {
        auto gNext = k + 1 < n ? keys[k + 1].value - keys[k].value : keys[k].value - keys[k - 1].value;
        auto gPrev = k > 0 ? keys[k].value - keys[k - 1].value : gNext;
        float fA;
        float fB;
        FrameWeights(keys, k, fA, fB);
        const float t = 1.0f - keys[k].tcb.tension;
        const float c = keys[k].tcb.continuity;
        const float b = keys[k].tcb.bias;
        keys[k].outgoing = (gNext * (t * (1.0f - c) * (1.0f - b)) + gPrev * (t * (1.0f + c) * (1.0f + b))) * fA;
        keys[k].incoming = (gNext * (t * (1.0f - c) * (1.0f + b)) + gPrev * (t * (1.0f + c) * (1.0f - b))) * fB;
    }
}

template <typename Key>
auto EvaluateHermite(const std::vector<Key>& keys, float frame)
{
    const TrackSegment segment = FindSegment(keys, frame);
    const Key& start = keys[segment.index];
    if (segment.place != TrackSegment::Inside) {
        return start.value;
    }
    const Key& end = keys[segment.index + 1];
    const float u = Ease(start.tcb.easeFrom, start.tcb.easeTo, segment.u);
    const float u2 = u * u;
    const float u3 = u2 * u;
    const float h1 = 2.0f * u3 - 3.0f * u2 + 1.0f;
    const float h2 = 3.0f * u2 - 2.0f * u3;
    const float h3 = u3 - 2.0f * u2 + u;
    const float h4 = u3 - u2;
    return start.value * h1 + end.value * h2 + start.outgoing * h3 + end.incoming * h4;
}

// The half-angle vector of a rotation key, from which its squad tangents are
// built: a key that turns whole times counts as a quarter turn.
cQuaternion HalfAngleVector(const cRotationTrack::Key& key)
{
    float half = halfPi;
    if (key.spins == 0) {
        half = key.angle * 0.5f;
        if (half > halfPi) {
            half -= halfPi;
        }
    }
    return cQuaternion(0.0f, half * key.axis.x, half * key.axis.y, half * key.axis.z);
}

// Whole turns in an angle. Turn counts past the 32-bit range (or a NaN angle)
// are no animation anyone authored; clamping keeps the conversion defined.
std::int32_t WholeTurns(float angle)
{
    const double turns = std::floor(static_cast<double>(angle * inverseTwoPi));
    if (!(turns >= 0.0)) {
        return 0;
    }
    return turns > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                            : static_cast<std::int32_t>(turns);
}

} // namespace

float Ease(float easeFrom, float easeTo, float u)
{
    float a = easeFrom;
    float b = easeTo;
    const float sum = a + b;
    if (std::fabs(sum) <= 0.001f) {
        return u;
    }
    if (sum > 1.0f) {
        a /= sum;
        b /= sum;
    }
    const float k = 1.0f / (2.0f - a - b);
    // u / a and v / b stay at most 1, where k / a or k / b would overflow for
    // a tiny ease and turn the 0 at the segment's end into 0 x inf.
    if (u < a) {
        return k * u * (u / a);
    }
    // Without ease-to the constant-speed part runs to u = 1, where it reaches
    // k (2 - a) = 1; the ease-to curve would divide 0 by 0 there.
    if (u < 1.0f - b || b == 0.0f) {
        return k * (2.0f * u - a);
    }
    const float v = 1.0f - u;
    return 1.0f - k * v * (v / b);
}

cVector cVectorTrack::Value(float frame) const
{
    return EvaluateHermite(keys, frame);
}

cMatrix cVectorTrack::Evaluate(float frame) const
{
    const cVector value = Value(frame);
    switch (kind) {
    case Position: return MatrixTranslation(value);
    case Scale: return MatrixScaling(value);
    case Euler: break;
    }
    return MatrixRotationEuler(value);
}

void cVectorTrack::Prepare()
{
    PrepareTangents(keys);
}

float cFloatTrack::Evaluate(float frame) const
{
    return EvaluateHermite(keys, frame);
}

void cFloatTrack::Prepare()
{
    PrepareTangents(keys);
}

void cRotationTrack::Prepare()
{
    const std::size_t n = keys.size();
    if (n == 0) {
        return;
    }
    keys[0].q = QuaternionFromAxisAngle(keys[0].axis, keys[0].angle);
    keys[0].spins = 0;
    for (Key& key : keys) {
        if (key.angle < 0.0f) {
            key.angle = -key.angle;
            key.axis = -key.axis;
        }
        key.a = key.q;
        key.b = key.q;
    }
    if (n < 2) {
        return;
    }
    for (std::size_t k = 1; k < n; ++k) {
        keys[k].spins = WholeTurns(keys[k].angle);
        keys[k].angle = std::fmod(keys[k].angle, 6.2831854820251465f);
        keys[k].q = keys[k - 1].q * QuaternionFromAxisAngle(keys[k].axis, keys[k].angle);
    }
    for (std::size_t k = 0; k < n; ++k) {
        cQuaternion gNext = k + 1 < n ? HalfAngleVector(keys[k + 1]) : HalfAngleVector(keys[k]);
        const cQuaternion gPrev = k > 0 ? HalfAngleVector(keys[k]) : gNext;
        float fA;
        float fB;
        FrameWeights(keys, k, fA, fB);
        const float t = 1.0f - keys[k].tension;
        const float c = keys[k].continuity;
        const float b = keys[k].bias;
        const cQuaternion t1 = (gNext * (t * (1.0f - c) * (1.0f - b)) + gPrev * (t * (1.0f + c) * (1.0f + b))) * fA;
        const cQuaternion t2 = (gNext * (t * (1.0f - c) * (1.0f + b)) + gPrev * (t * (1.0f + c) * (1.0f - b))) * fB;
        keys[k].a = keys[k].q * QuaternionExp(0.5f * (t1 - gNext));
        keys[k].b = keys[k].q * QuaternionExp(0.5f * (gPrev - t2));
    }
}

cQuaternion cRotationTrack::Rotation(float frame) const
{
    const TrackSegment segment = FindSegment(keys, frame);
    const Key& start = keys[segment.index];
    if (segment.place != TrackSegment::Inside) {
        return start.q;
    }
    const Key& end = keys[segment.index + 1];
    const float u = Ease(start.easeFrom, start.easeTo, segment.u);
    if (end.spins == 0) {
        return QuaternionSquad(u, start.q, start.a, end.b, end.q);
    }
    // A segment of more than one turn: half a turn eased out of the start
    // key, the whole turns at an even speed, half a turn eased into the end.
    const float theta = static_cast<float>(end.spins) * twoPi + end.angle;
    const float u1 = pi / theta;
    const float u2 = 1.0f - u1;
    if (u < u1) {
        const cQuaternion m = start.q * QuaternionFromAxisAngle(end.axis, pi);
        const float v = u / u1;
        return QuaternionSlerp(2.0f * v * (1.0f - v), QuaternionSlerp(v, start.q, m), QuaternionSlerp(v, start.a, m));
    }
    if (u <= u2) {
        const float angle = std::fmod((u - u1) / (u2 - u1) * (theta - twoPi) + pi, twoPi);
        return start.q * QuaternionFromAxisAngle(end.axis, angle);
    }
    cQuaternion m = start.q * QuaternionFromAxisAngle(end.axis, u2 * theta);
    if (end.spins % 2 != 0) {
        m = -m;
    }
    const float v = (u - u2) / u1;
    return QuaternionSlerp(2.0f * v * (1.0f - v), QuaternionSlerp(v, m, end.q), QuaternionSlerp(v, m, end.b));
}

cMatrix cRotationTrack::Evaluate(float frame) const
{
    return MatrixFromQuaternion(Rotation(frame));
}
