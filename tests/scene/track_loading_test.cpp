// Key tracks as they arrive from a scene file: which field of a key is
// which, and what the loaded tracks then evaluate to.

#include <cmath>
#include <cstring>

#include "scene/scene_camera.h"
#include "scene/scene_fixture.h"

namespace {

constexpr float pi = 3.14159265f;

// Whether `bytes` holds these floats one after the other, little-endian.
bool HoldsFloats(const std::string& bytes, std::initializer_list<float> values)
{
    std::string pattern;
    for (float value : values) {
        char raw[4];
        std::memcpy(raw, &value, 4);
        pattern.append(raw, 4);
    }
    return bytes.find(pattern) != std::string::npos;
}

// A quaternion about z only, (cos phi, 0, 0, sin phi).
void ExpectTurnAboutZ(const cQuaternion& q, float phi)
{
    EXPECT_NEAR(q.w, std::cos(phi), 1e-5f);
    EXPECT_NEAR(q.x, 0.0f, 1e-6f);
    EXPECT_NEAR(q.y, 0.0f, 1e-6f);
    EXPECT_NEAR(q.z, std::sin(phi), 1e-5f);
}

SceneTcb Eases(float easeTo, float easeFrom)
{
    SceneTcb tcb;
    tcb.easeTo = easeTo;
    tcb.easeFrom = easeFrom;
    return tcb;
}

} // namespace

// A key's file fields end "..., ease to, ease from"; a segment speeds up over
// its starting key's ease from and slows down over its ease to. With ease from
// a = 0.5 and ease to b = 0.125, a quarter into the segment:
//   k = 1 / (2 - 0.625) = 0.7272727, u = 0.25 < a: (k / a) u^2 = 0.0909091
// (swapped, u lies in the constant part: k (2u - 0.125) = 0.2727273).
TEST_F(SceneTest, SegmentsEaseFromTheFilesEaseFromAndIntoItsEaseTo)
{
    SceneDescription description = MinimalScene();
    SceneNodeRecord& node = description.nodes[0];
    node.position = {SceneVectorKey{0, {1, 2, 3}, Eases(0.125f, 0.5f)}, At(10, {11, 2, 3})};
    node.fov = {SceneFloatKey{0, 30, Eases(0.125f, 0.5f)}, SceneFloatKey{10, 70, {}}};
    const std::string bytes = WriteScene(description);
    // Vector key: x, y, z, frame, tension, continuity, bias, ease to, ease from;
    // float key: value, frame, tension, continuity, bias, ease to, ease from.
    EXPECT_TRUE(HoldsFloats(bytes, {1, 2, 3, 0, 0, 0, 0, 0.125f, 0.5f}));
    EXPECT_TRUE(HoldsFloats(bytes, {30, 0, 0, 0, 0, 0.125f, 0.5f}));
    ASSERT_EQ(LoadBytes(bytes), -1);

    // Two keys without tension, continuity or bias: the straight line.
    const cMatrix place = scene->root->positionTrack->Evaluate(2.5f);
    EXPECT_NEAR(place.m[12], 1.0f + 10.0f * 0.0909091f, 1e-5f);
    auto* camera = static_cast<cSceneCamera*>(scene->objects.Find("Camera"));
    ASSERT_TRUE(camera->fovTrack);
    EXPECT_NEAR(camera->fovTrack->Evaluate(2.5f), 30.0f + 40.0f * 0.0909091f, 1e-4f);
}

// Three keys about z: 0 at frame 0, +pi/2 at frame 10 (tension 0.5,
// continuity 0.25, bias -0.5), +pi/3 at frame 30. A quaternion about z is
// (cos phi, 0, 0, sin phi); from axis and angle phi = -angle / 2, so
// q0: 0, q1: -pi/4, q2: -pi/4 - pi/6 = -5pi/12.
// Middle key: gPrev = pi/4, gNext = pi/6 (half angles, on z), fA = 20/30, fB = 10/30:
//   T1 = 2/3 (0.5 x 0.75 x 1.5 x pi/6 + 0.5 x 1.25 x 0.5 x pi/4) = 0.3599742
//   T2 = 1/3 (0.5 x 0.75 x 0.5 x pi/6 + 0.5 x 1.25 x 1.5 x pi/4) = 0.2781618
//   a1 = q1 exp((T1 - gNext) / 2): phi = -pi/4 - 0.0818125 = -0.8672105
//   b1 = q1 exp((gPrev - T2) / 2): phi = -pi/4 + 0.2536191 = -0.5317800
// The end keys' control points are their own keys. Squad half way, where
// every slerp between turns about z averages their angles:
//   frame 5:  ((0 - pi/4) / 2 + (0 - 0.5317800) / 2) / 2 = -0.3292945
//   frame 20: ((-pi/4 - 5pi/12) / 2 + (-0.8672105 - 5pi/12) / 2) / 2 = -1.0676506
TEST_F(SceneTest, RotationKeysWeighTheirTensionContinuityAndBiasIntoTheSquad)
{
    SceneDescription description = MinimalScene();
    SceneTcb tcb;
    tcb.tension = 0.5f;
    tcb.continuity = 0.25f;
    tcb.bias = -0.5f;
    description.nodes[0].rotation = {SceneRotationKey{0, {0, 0, 1}, 0, {}},
                                     SceneRotationKey{10, {0, 0, 1}, pi / 2, tcb},
                                     SceneRotationKey{30, {0, 0, 1}, pi / 3, {}}};
    const std::string bytes = WriteScene(description);
    // Rotation key: axis, angle, frame, tension, continuity, bias, ease to, ease from.
    EXPECT_TRUE(HoldsFloats(bytes, {0, 0, 1, pi / 2, 10, 0.5f, 0.25f, -0.5f, 0, 0}));
    ASSERT_EQ(LoadBytes(bytes), -1);

    auto* track = dynamic_cast<cRotationTrack*>(scene->root->rotationTrack.get());
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keys.size(), 3u);
    ExpectTurnAboutZ(track->keys[1].q, -pi / 4);
    ExpectTurnAboutZ(track->keys[2].q, -5 * pi / 12);
    ExpectTurnAboutZ(track->keys[1].a, -0.8672105f);
    ExpectTurnAboutZ(track->keys[1].b, -0.5317800f);
    ExpectTurnAboutZ(track->keys[0].a, 0.0f);
    ExpectTurnAboutZ(track->keys[2].b, -5 * pi / 12);
    ExpectTurnAboutZ(track->Rotation(5), -0.3292945f);
    ExpectTurnAboutZ(track->Rotation(20), -1.0676506f);
}
