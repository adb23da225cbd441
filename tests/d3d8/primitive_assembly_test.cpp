#include <algorithm>
#include <cmath>

#include "platform/d3d8/primitive_assembly.h"
#include "vertex_testing.h"

namespace {

using namespace vertex_testing;

// Vertices told apart by diffuse red = their number, at the centre of the clip volume.
std::vector<ProcessedVertex> Numbered(int count)
{
    std::vector<ProcessedVertex> vertices(count);
    for (int i = 0; i < count; ++i) {
        vertices[i] = ProcessedVertex{};
        vertices[i].position[2] = 0.5f;
        vertices[i].position[3] = 1.0f;
        vertices[i].diffuse[0] = static_cast<float>(i);
    }
    return vertices;
}

std::vector<int> Numbers(const AssembledPrimitives& assembled)
{
    std::vector<int> numbers;
    for (const ProcessedVertex& vertex : assembled.vertices) numbers.push_back(static_cast<int>(vertex.diffuse[0]));
    return numbers;
}

// OpenGL window coordinates, glViewport being the 640 x 480 Direct3D viewport.
float WindowX(const ProcessedVertex& v) { return (v.position[0] / v.position[3] + 1) * 320; }
float WindowY(const ProcessedVertex& v) { return (v.position[1] / v.position[3] + 1) * 240; }

// Positive when counter-clockwise in OpenGL window coordinates.
float SignedArea(const ProcessedVertex* t)
{
    return (WindowX(t[1]) - WindowX(t[0])) * (WindowY(t[2]) - WindowY(t[0])) -
           (WindowY(t[1]) - WindowY(t[0])) * (WindowX(t[2]) - WindowX(t[0]));
}

constexpr float kShift = 0.5f - 1 / 256.0f;

TEST(PrimitiveAssembly, StripsAndFansBecomeListsKeepingWindingAndFirstVertex)
{
    const DeviceState state = TestState();
    const auto vertices = Numbered(5);
    AssembledPrimitives out;
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_TRIANGLESTRIP, 3, vertices, nullptr, 0, out));
    EXPECT_EQ(Numbers(out), (std::vector<int>{0, 1, 2, 1, 3, 2, 2, 3, 4}));
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_TRIANGLEFAN, 3, vertices, nullptr, 0, out));
    EXPECT_EQ(Numbers(out), (std::vector<int>{1, 2, 0, 2, 3, 0, 3, 4, 0}));
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_LINESTRIP, 2, vertices, nullptr, 0, out));
    EXPECT_EQ(out.topology, Topology::Lines);
    EXPECT_EQ(Numbers(out), (std::vector<int>{0, 1, 1, 2}));
    const std::uint32_t indices[] = {4, 0, 3, 3};
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_LINELIST, 2, vertices, indices, 4, out));
    EXPECT_EQ(Numbers(out), (std::vector<int>{4, 0, 3, 3}));
}

TEST(PrimitiveAssembly, RefusesIndicesAndCountsBeyondTheVertices)
{
    const DeviceState state = TestState();
    const auto vertices = Numbered(3);
    AssembledPrimitives out;
    const std::uint32_t good[] = {0, 1, 2}, bad[] = {0, 1, 3};
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_TRIANGLELIST, 1, vertices, good, 3, out));
    EXPECT_FALSE(AssemblePrimitives(state, D3DPT_TRIANGLELIST, 1, vertices, bad, 3, out));
    EXPECT_TRUE(out.vertices.empty());
    EXPECT_FALSE(AssemblePrimitives(state, D3DPT_TRIANGLELIST, 1, vertices, good, 2, out));
    EXPECT_FALSE(AssemblePrimitives(state, D3DPT_TRIANGLESTRIP, 2, vertices, nullptr, 0, out));
}

TEST(PrimitiveAssembly, ScreenQuadCoversExactlyItsTopLeftPixel)
{
    const DeviceState state = TestState();
    const auto corner = [](float x, float y) { return VertexBytes().Floats({x, y, 0.5f, 1}).Dword(0); };
    const auto quad = ProcessFvf(state, 0x044, {corner(10, 10), corner(11, 10), corner(10, 11), corner(11, 11)});
    const std::uint32_t clockwise[] = {0, 1, 2, 1, 3, 2};
    AssembledPrimitives out;
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_TRIANGLELIST, 2, quad, clockwise, 6, out));
    float left = 1e9f, right = -1e9f, low = 1e9f, high = -1e9f;
    for (const ProcessedVertex& v : out.vertices) {
        left = std::min(left, WindowX(v));
        right = std::max(right, WindowX(v));
        low = std::min(low, WindowY(v));
        high = std::max(high, WindowY(v));
        EXPECT_NEAR(v.position[2] / v.position[3], 0.0f, 1e-6f); // depth 0.5 is OpenGL's 0
    }
    // Half a pixel on, less a 256th, so that no sample lies on an edge; Direct3D row 10 is OpenGL row 10.
    EXPECT_NEAR(left, 10 + kShift, 1e-4f);
    EXPECT_NEAR(right, 11 + kShift, 1e-4f);
    EXPECT_NEAR(low, 10 + kShift, 1e-4f);
    EXPECT_NEAR(high, 11 + kShift, 1e-4f);
    for (int row = 9; row <= 11; ++row) {
        for (int column = 9; column <= 11; ++column) {
            const float x = column + 0.5f, y = row + 0.5f;
            EXPECT_EQ(x > left && x < right && y > low && y < high, row == 10 && column == 10);
        }
    }
    EXPECT_GT(SignedArea(&out.vertices[0]), 0.0f); // clockwise for Direct3D, counter-clockwise for OpenGL
    EXPECT_GT(SignedArea(&out.vertices[3]), 0.0f);
}

TEST(PrimitiveAssembly, PointsBecomeFrontFacingSquaresClippedByCentre)
{
    DeviceState state = TestState();
    auto points = Numbered(2);
    points[0].pointSize = 4;
    points[0].texCoords[2][0] = 0.3f;
    points[1].position[0] = 1.5f; // centre off screen
    AssembledPrimitives out;
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_POINTLIST, 2, points, nullptr, 0, out));
    ASSERT_EQ(out.vertices.size(), 6u);
    for (const ProcessedVertex& v : out.vertices) {
        EXPECT_NEAR(std::abs(WindowX(v) - (320 + kShift)), 2.0f, 1e-3f);
        EXPECT_NEAR(std::abs(WindowY(v) - (240 + kShift)), 2.0f, 1e-3f);
        EXPECT_EQ(v.texCoords[2][0], 0.3f); // not a sprite: the point's own coordinates
    }
    EXPECT_GT(SignedArea(&out.vertices[0]), 0.0f);
    EXPECT_GT(SignedArea(&out.vertices[3]), 0.0f);

    state.renderStates[D3DRS_POINTSPRITEENABLE] = TRUE;
    state.renderStates[D3DRS_CLIPPING] = FALSE;
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_POINTLIST, 2, points, nullptr, 0, out));
    ASSERT_EQ(out.vertices.size(), 12u);
    for (int i = 0; i < 6; ++i) { // (0, 0) at the top left, the lowest OpenGL row
        EXPECT_EQ(out.vertices[i].texCoords[5][0], WindowX(out.vertices[i]) > 320.5f ? 1.0f : 0.0f);
        EXPECT_EQ(out.vertices[i].texCoords[5][1], WindowY(out.vertices[i]) > 240.5f ? 1.0f : 0.0f);
    }
}

TEST(PrimitiveAssembly, WrapTakesTheShortWayRoundPerPrimitive)
{
    DeviceState state = TestState();
    state.renderStates[D3DRS_WRAP0] = D3DWRAP_U;
    state.stageStates[1][D3DTSS_TEXCOORDINDEX] = 0; // stage 1 reads set 0 too; stage 2 reads set 2
    auto vertices = Numbered(3);
    const float us[] = {0.9f, 0.1f, 0.2f};
    for (int i = 0; i < 3; ++i) {
        for (auto& coordinates : vertices[i].texCoords) coordinates[0] = coordinates[1] = us[i];
    }
    AssembledPrimitives out;
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_TRIANGLELIST, 1, vertices, nullptr, 0, out));
    for (int stage : {0, 1}) {
        EXPECT_NEAR(out.vertices[1].texCoords[stage][0] - out.vertices[0].texCoords[stage][0], 0.2f, 1e-6f);
        EXPECT_NEAR(out.vertices[2].texCoords[stage][0] - out.vertices[0].texCoords[stage][0], 0.3f, 1e-6f);
        EXPECT_EQ(out.vertices[1].texCoords[stage][1], 0.1f); // v is not wrapped
    }
    EXPECT_EQ(out.vertices[1].texCoords[2][0], 0.1f);
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_LINESTRIP, 2, vertices, nullptr, 0, out));
    EXPECT_NEAR(out.vertices[1].texCoords[0][0] - out.vertices[0].texCoords[0][0], 0.2f, 1e-6f);
}

TEST(PrimitiveAssembly, WireframeOutlinesTheTrianglesCullingKeepsAndBiasesTheirDepth)
{
    DeviceState state = TestState();
    state.renderStates[D3DRS_FILLMODE] = D3DFILL_WIREFRAME;
    state.renderStates[D3DRS_ZBIAS] = 16;
    const auto corner = [](float x, float y) { return VertexBytes().Floats({x, y, 0.5f, 1}).Dword(0); };
    const auto quad = ProcessFvf(state, 0x044, {corner(10, 10), corner(20, 10), corner(10, 20), corner(20, 20)});
    // (0, 1, 2) is clockwise on screen and stays; (1, 0, 3) is counter-clockwise
    // and the default D3DCULL_CCW removes it.
    const std::uint32_t indices[] = {0, 1, 2, 1, 0, 3};
    AssembledPrimitives out;
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_TRIANGLELIST, 2, quad, indices, 6, out));
    EXPECT_EQ(out.topology, Topology::Lines);
    ASSERT_EQ(out.vertices.size(), 6u);
    const float expected[6][2] = {{10, 10}, {20, 10}, {20, 10}, {10, 20}, {10, 20}, {10, 10}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(WindowX(out.vertices[i]), expected[i][0] + kShift, 1e-3f);
        EXPECT_NEAR(WindowY(out.vertices[i]), expected[i][1] + kShift, 1e-3f);
        // Depth 0.5 is OpenGL's 0; 16 steps of 2^-24 in window depth 0..1 are
        // 2 * 16 / 2^24 = 1.907e-6 nearer in z / w.
        EXPECT_NEAR(out.vertices[i].position[2] / out.vertices[i].position[3], -1.907e-6f, 1e-9f);
    }
}

TEST(PrimitiveAssembly, FlatShadingColoursEachPrimitiveFromItsFirstVertex)
{
    DeviceState state = TestState();
    state.renderStates[D3DRS_SHADEMODE] = D3DSHADE_FLAT;
    const auto vertices = Numbered(4);
    AssembledPrimitives out;
    // The strip's second triangle is (1, 3, 2): vertex 1 comes first.
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_TRIANGLESTRIP, 2, vertices, nullptr, 0, out));
    EXPECT_EQ(Numbers(out), (std::vector<int>{0, 0, 0, 1, 1, 1}));
    ASSERT_TRUE(AssemblePrimitives(state, D3DPT_LINESTRIP, 2, vertices, nullptr, 0, out));
    EXPECT_EQ(Numbers(out), (std::vector<int>{0, 0, 1, 1}));
}

} // namespace
