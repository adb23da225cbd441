#include "vertex_testing.h"

namespace {

using namespace vertex_testing;

int OffsetOf(const VertexElement& element) { return element.Present() ? static_cast<int>(element.offset) : -1; }

TEST(VertexLayout, FvfCodesOfTheShow)
{
    struct Case {
        DWORD fvf;
        UINT stride;
        int normal, pointSize, diffuse, tex0, tex1;
    };
    const Case cases[] = {
        {0x002, 12, -1, -1, -1, -1, -1}, {0x042, 16, -1, -1, 12, -1, -1}, {0x044, 20, -1, -1, 16, -1, -1},
        {0x062, 20, -1, 12, 16, -1, -1}, {0x112, 32, 12, -1, -1, 24, -1}, {0x144, 28, -1, -1, 16, 20, -1},
        {0x244, 36, -1, -1, 16, 20, 28}, {0x111C, 48, 28, -1, -1, 40, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fvf);
        VertexLayout layout;
        ASSERT_TRUE(LayoutFromFvf(c.fvf, &layout));
        EXPECT_EQ(layout.fvfStride, c.stride);
        EXPECT_EQ(layout.pretransformed, (c.fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW);
        EXPECT_EQ(OffsetOf(layout.normal), c.normal);
        EXPECT_EQ(OffsetOf(layout.pointSize), c.pointSize);
        EXPECT_EQ(OffsetOf(layout.diffuse), c.diffuse);
        EXPECT_EQ(OffsetOf(layout.texCoords[0]), c.tex0);
        EXPECT_EQ(OffsetOf(layout.texCoords[1]), c.tex1);
    }
    VertexLayout skinned;
    ASSERT_TRUE(LayoutFromFvf(0x111C, &skinned));
    EXPECT_EQ(skinned.weightCount, 3u); // the fourth beta holds the index bytes
    EXPECT_EQ(OffsetOf(skinned.blendIndices), 24);
}

TEST(VertexLayout, RejectsCodesDirect3DDoesNotDefine)
{
    VertexLayout layout;
    for (DWORD bad : {0x003u, 0x2002u, 0x040u, 0x902u, D3DFVF_XYZ | D3DFVF_LASTBETA_UBYTE4,
                      D3DFVF_XYZRHW | D3DFVF_NORMAL}) {
        EXPECT_FALSE(LayoutFromFvf(bad, &layout)) << bad;
    }
}

TEST(VertexLayout, TweenDeclaration)
{
    VertexLayout layout;
    ASSERT_TRUE(LayoutFromDeclaration(kTweenDeclaration, std::size(kTweenDeclaration), &layout));
    EXPECT_EQ(OffsetOf(layout.normal), 12);
    EXPECT_EQ(OffsetOf(layout.texCoords[0]), 24);
    EXPECT_EQ(layout.texCoordSize[0], 2u);
    EXPECT_EQ(layout.position2.stream, 1);
    EXPECT_EQ(OffsetOf(layout.position2), 0);
    EXPECT_EQ(layout.normal2.stream, 1);
    EXPECT_EQ(OffsetOf(layout.normal2), 12);

    EXPECT_FALSE(LayoutFromDeclaration(kTweenDeclaration, std::size(kTweenDeclaration) - 1, &layout)); // no end
    const DWORD skipFirst[] = {D3DVSD_STREAM(0), D3DVSD_SKIP(3), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_END()};
    ASSERT_TRUE(LayoutFromDeclaration(skipFirst, 4, &layout));
    EXPECT_EQ(OffsetOf(layout.position), 12);
}

} // namespace
