#include "vertex_testing.h"

namespace {

using namespace vertex_testing;

TEST(VertexTransform, WorldViewProjectionAsRowVectors)
{
    DeviceState state = TestState();
    state.world[0] = Transform(1, 1, 2, 3);
    state.view = Transform(2, 0, 0, 0);
    state.projection = Transform(1, 0, 0, -1); // w = camera z, depth z - 1
    state.projection.m[2][3] = 1;
    state.projection.m[3][3] = 0;
    state.renderStates[D3DRS_LIGHTING] = FALSE;
    // (1, 0, 0) -> world (2, 2, 3) -> camera (4, 4, 6) -> clip (4, 4, 5, 6).
    const auto out = ProcessFvf(state, 0x002, {VertexBytes().Floats({1, 0, 0})});
    ExpectFour(out[0].position, 4, 4, 5, 6);
    ExpectFour(out[0].diffuse, 1, 1, 1, 1);
    ExpectFour(out[0].specular, 0, 0, 0, 0);
}

TEST(VertexTransform, BlendsThreeWeightsThroughIndexedOrNumberedMatrices)
{
    // Position (1, 1, 1), weights 0.5, 0.25, 0.125 (so 0.125 for the fourth), index bytes 3, 0, 7, 9.
    const VertexBytes vertex =
        VertexBytes().Floats({1, 1, 1, 0.5f, 0.25f, 0.125f}).Dword(0x09070003).Floats({0, 0, 0, 0, 0});
    DeviceState state = TestState();
    state.renderStates[D3DRS_VERTEXBLEND] = D3DVBF_3WEIGHTS;
    state.renderStates[D3DRS_INDEXEDVERTEXBLENDENABLE] = TRUE;
    state.world[3] = Transform(1, 10, 0, 0);
    state.world[7] = Transform(1, 0, 8, 0);
    state.world[9] = Transform(2, 0, 0, 0);
    // 0.5 (11, 1, 1) + 0.25 (1, 1, 1) + 0.125 (1, 9, 1) + 0.125 (2, 2, 2).
    ExpectFour(ProcessFvf(state, 0x111C, {vertex})[0].position, 6.125f, 2.125f, 1.125f, 1);

    state.renderStates[D3DRS_INDEXEDVERTEXBLENDENABLE] = FALSE;
    state.world[1] = Transform(1, 0, 0, 4);
    // Matrices 0 to 3 in order: 0.25 of (0, 0, 4) and 0.125 of (10, 0, 0) on top of (1, 1, 1).
    ExpectFour(ProcessFvf(state, 0x111C, {vertex})[0].position, 2.25f, 1, 2, 1);
}

TEST(VertexTransform, TweensPositionAndNormalBetweenStreams)
{
    VertexLayout layout;
    ASSERT_TRUE(LayoutFromDeclaration(kTweenDeclaration, std::size(kTweenDeclaration), &layout));
    const auto first = VertexBytes().Floats({0, 0, 0, 0, 0, -1, 0.5f, 0.5f}).bytes;
    const auto second = VertexBytes().Floats({4, 8, -4, 0, -1, 0, 9, 9}).bytes;
    VertexStreams streams = OneStream(first, 32);
    streams.data[1] = second.data();
    streams.size[1] = streams.stride[1] = 32;
    DeviceState state = TestState();
    state.renderStates[D3DRS_VERTEXBLEND] = D3DVBF_TWEENING;
    state.renderStates[D3DRS_TWEENFACTOR] = AsBits(0.25f);
    state.stageStates[1][D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACENORMAL;
    std::vector<ProcessedVertex> out;
    ASSERT_TRUE(ProcessVertices(state, layout, streams, 0, 1, out));
    ExpectFour(out[0].position, 1, 2, -1, 1);
    ExpectFour(out[0].texCoords[0], 0.5f, 0.5f, 1, 0);
    ExpectFour(out[0].texCoords[1], 0, -0.25f, -0.75f, 1); // the tweened normal
}

TEST(VertexTransform, ScreenVerticesReturnToClipSpaceUntouched)
{
    DeviceState state = TestState();
    state.viewport = {10, 20, 640, 480, 0.5f, 1.0f};
    state.world[0] = Transform(3, 0, 0, 0);
    state.stageStates[0][D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACENORMAL;
    state.stageStates[0][D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_COUNT2;
    // Lighting, world, texgen and texture transforms are all ignored.
    const auto out = ProcessFvf(state, 0x144,
                                {VertexBytes().Floats({330, 260, 0.75f, 0.5f}).Dword(0x80FF8000).Floats({0.25f, 0.75f}),
                                 VertexBytes().Floats({10, 20, 0.5f, 0}).Dword(0).Floats({0, 0})});
    // w = 2, ndc x = 320 / 320 - 1, y = 1 - 240 / 240, z = (0.75 - 0.5) / (1 - 0.5).
    ExpectFour(out[0].position, 0, 0, 1, 2);
    ExpectFour(out[0].diffuse, 1, 128 / 255.0f, 0, 128 / 255.0f);
    ExpectFour(out[0].texCoords[0], 0.25f, 0.75f, 1, 0);
    ExpectFour(out[1].position, -1, 1, 0, 1); // rhw 0 counts as 1
}

TEST(VertexTransform, RefusesReadsPastTheStream)
{
    VertexLayout layout;
    ASSERT_TRUE(LayoutFromFvf(0x112, &layout));
    const std::vector<std::uint8_t> bytes(3 * 32 - 1);
    const DeviceState state = TestState();
    std::vector<ProcessedVertex> out;
    EXPECT_TRUE(ProcessVertices(state, layout, OneStream(bytes, 32), 0, 2, out));
    EXPECT_FALSE(ProcessVertices(state, layout, OneStream(bytes, 32), 1, 2, out)); // last v one byte short
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(ProcessVertices(state, layout, OneStream(bytes, 32), 0xFFFFFFFFu, 2, out));
    EXPECT_FALSE(ProcessVertices(state, layout, VertexStreams{}, 0, 1, out));
}

} // namespace
