// The device sends OpenGL only what changed since the last draw. Expected
// counts follow from that rule: a draw that repeats the previous one in
// state and vertices costs its glDrawArrays alone; one changed value costs
// the one call that sets it.

#include "device_fixture.h"
#include "platform/d3d8/gl_call_counter.h"

namespace {

std::uint64_t Calls(const GlCallCounts& counts, GlCallKind kind)
{
    return counts[static_cast<int>(kind)];
}

std::uint64_t AllCalls(const GlCallCounts& counts)
{
    std::uint64_t total = 0;
    for (std::uint64_t count : counts) total += count;
    return total;
}

} // namespace

TEST_F(DeviceTest, ARepeatedDrawSendsOnlyTheDraw)
{
    IDirect3DTexture8* texture = MakeTexture(1, 1, {0xFF808080});
    device->SetTexture(0, texture);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    FullScreenQuad(0xFF336699);
    TakeGlCallCounts();
    FullScreenQuad(0xFF336699);
    const GlCallCounts repeated = TakeGlCallCounts();
    EXPECT_EQ(Calls(repeated, GlCallKind::Draw), 1u);
    EXPECT_EQ(AllCalls(repeated), 1u);
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(DeviceTest, AChangedValueSendsItsOwnCallOnly)
{
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    FullScreenQuad(0xFF336699);
    TakeGlCallCounts();

    // The alpha reference is a uniform of the program.
    device->SetRenderState(D3DRS_ALPHAREF, 0x10);
    FullScreenQuad(0xFF336699);
    GlCallCounts counts = TakeGlCallCounts();
    EXPECT_EQ(Calls(counts, GlCallKind::Uniform), 1u);
    EXPECT_EQ(AllCalls(counts), 2u);

    // The blend factors are one glBlendFunc.
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    FullScreenQuad(0xFF336699);
    counts = TakeGlCallCounts();
    EXPECT_EQ(Calls(counts, GlCallKind::State), 1u);
    EXPECT_EQ(AllCalls(counts), 2u);

    // Other vertices are one upload.
    FullScreenQuad(0xFF996633);
    counts = TakeGlCallCounts();
    EXPECT_EQ(Calls(counts, GlCallKind::Upload), 1u);
    EXPECT_EQ(AllCalls(counts), 2u);
}

// OpenGL unbinds a deleted texture and may give its name to the next one: the
// device must not take the new texture for bound already.
TEST_F(DeviceTest, ATextureMadeAfterAnotherWasReleasedIsSampled)
{
    IDirect3DTexture8* first = MakeTexture(1, 1, {0xFF0000FF});
    device->SetTexture(0, first);
    FullScreenQuad(0xFFFFFFFF);
    EXPECT_TRUE(ColorNear(Pixel(32, 32), 0xFF0000FF, 1));
    device->SetTexture(0, nullptr);
    first->Release();

    IDirect3DTexture8* second = MakeTexture(1, 1, {0xFF00FF00});
    device->SetTexture(0, second);
    FullScreenQuad(0xFFFFFFFF);
    EXPECT_TRUE(ColorNear(Pixel(32, 32), 0xFF00FF00, 1));
    device->SetTexture(0, nullptr);
    second->Release();
}
