#include "common/log_capture.h"
#include "common/temp_dir.h"
#include "objects/object_file_bytes.h"
#include "renderer_fixture.h"

// The camera looks at the origin from 10 units away, so the origin lands on
// the centre pixel (320, 240); lighting is off, so unlit geometry is white.
class ObjectTest : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        render->SetCamera(&camera);
        render->GetDevice()->SetRenderState(D3DRS_LIGHTING, FALSE);
    }

    bool LogEndsWith(const std::string& ending) const
    {
        const std::string text = log.Text();
        return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
    }

    bool AnyLit(int left, int top, int right, int bottom) const
    {
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                if ((Pixel(x, y) & 0xFFFFFF) != 0) return true;
            }
        }
        return false;
    }

    cCamera camera{cVector(0, 0, -10), cVector(0, 0, 0)};
    TempDir dir;
    LogCapture log;
};

TEST_F(ObjectTest, ATriangleFileLoadsWithItsLineAndGetsFaceNormals)
{
    const std::string name = dir.Write("tri.obj", ObjectFile(3, 1, {0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}, {0, 1, 2}));
    cObject object(name.c_str(), render->GetDevice());
    EXPECT_TRUE(LogEndsWith("cObject : Loaded " + name + " (3 vertices and 1 faces)\n")) << log.Text();
    ASSERT_EQ(object.numFaces, 1u);
    object.ComputeNormals();
    EXPECT_EQ(object.faceNormals[0].z, 1.0f);
    for (const MeshVertex& vertex : object.vertices) {
        EXPECT_EQ(vertex.nx, 0.0f);
        EXPECT_EQ(vertex.nz, 1.0f);
    }

    log.Clear();
    cObject empty(dir.Write("empty.obj", "").c_str(), render->GetDevice());
    EXPECT_TRUE(LogEndsWith("cObject : creation of vertex buffer failed")) << log.Text();
    cObjectDyn noFaces(4, 0, render->GetDevice());
    EXPECT_TRUE(LogEndsWith("cObjectDyn : creation of index buffer failed")) << log.Text();
}

TEST_F(ObjectTest, TenVertexRecordsGiveTwoWhiteParticlesDrawnWhereTheyAre)
{
    std::vector<float> records;
    for (int record = 0; record < 10; ++record) {
        const float at = record < 4 ? 0.0f : 1.0f; // particle 1, from record 4, sits at (1, 1, 1)
        records.insert(records.end(), {at, at, at, 5, 5});
    }
    const std::string name = dir.Write("cloud.obj", ObjectFile(10, 0, records));
    cObjectPSDyn cloud(name.c_str(), render->GetDevice());
    EXPECT_TRUE(LogEndsWith("cObjectPS : Loaded " + name + " (2 vertices)\n ")) << log.Text();
    ASSERT_EQ(cloud.numParticles, 2u);
    EXPECT_EQ(cloud.particles[1].color, 0xFFFFFFFFu);

    cloud.particles[0].size = 9.0f;
    cloud.Update();
    render->BeginFrame(2);
    EXPECT_TRUE(render->DrawParticles(&cloud));
    render->EndFrame();
    EXPECT_EQ(Pixel(323, 243) & 0xFFFFFF, 0xFFFFFFu); // inside the 9-pixel square at the centre
    EXPECT_FALSE(AnyLit(326, 240, 330, 240));
    EXPECT_TRUE(AnyLit(321, 200, 380, 238)); // the 1-pixel particle, up and to the right
}

TEST_F(ObjectTest, DrawObjectDrawsTrianglesLinesOrPointsAtTheObjectsPlace)
{
    cObjectDyn object(3, 1, render->GetDevice());
    // Each mesh vertex read as two 16-byte points: (x, y, z) coloured by the
    // bits of nx, then (ny, nz, u) coloured by those of v, here behind it.
    object.vertices = {{0, 0, 0, 1, 0, 0, 3, 0}, {0, 7, 0, 1, 0, 0, 0, 0}, {7, -7, 0, 1, 0, 0, 0, 0}};
    object.indices = {0, 1, 2};
    object.position = cVector(-2, 0, 0);
    object.Upload();
    object.BuildWireframe();
    const auto draw = [&](int mode) {
        render->BeginFrame(2);
        EXPECT_TRUE(render->DrawObject(&object, mode));
        render->EndFrame();
    };

    draw(0);
    EXPECT_EQ(Pixel(320, 240) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_FALSE(AnyLit(0, 0, 200, 479)); // left of the moved corner
    draw(2);
    EXPECT_FALSE(AnyLit(318, 238, 322, 242)); // inside the triangle
    EXPECT_TRUE(AnyLit(278, 150, 282, 230)); // the edge from (-2, 0) up to (-2, 7), at x = 280
    object.position = cVector(0, 0, 0);
    draw(1);
    EXPECT_EQ(Pixel(320, 240) & 0xFFFFFF, 0x800000u); // 1.0f is 0x3F800000
    draw(7);
    EXPECT_FALSE(AnyLit(0, 0, 639, 479));

    cObject unusable(nullptr, nullptr);
    unusable.numVertices = 4;
    EXPECT_FALSE(render->DrawObject(&unusable, 1));
    EXPECT_EQ(render->lastResult, D3DERR_INVALIDCALL);
    log.Clear();
    render->camera = nullptr;
    EXPECT_FALSE(render->DrawObject(&object, 0));
    EXPECT_EQ(log.Text(), "cRender : no camera!!!\n");
}
