#include "common/log_capture.h"
#include "render/render_state_stack.h"
#include "renderer_fixture.h"

// The timeline's sequence: one slot id, one captured state, restored only
// when the timeline leaves that slot for a neighbour.
TEST_F(RendererTest, StateStackCapturesOncePerSlotAndRestoresOnLeaving)
{
    LogCapture log;
    IDirect3DDevice8* device = render->GetDevice();
    PopState(1); // the show's first pop: nothing is held yet
    EXPECT_EQ(log.Text(), "");

    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    PushState(3);
    PushState(3);
    EXPECT_EQ(log.Text(), " state pushed - id = 3\n");
    EXPECT_EQ(CurrentStateSlot(), 3u);

    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_DESTCOLOR); // the effect of slot 3
    log.Clear();
    PopState(2);
    EXPECT_EQ(log.Text(), "");
    PopState(3); // slot 4 begins: slot 3's changes are undone
    EXPECT_EQ(log.Text(), " state poped - id = 3\n");
    DWORD blend = 0;
    device->GetRenderState(D3DRS_SRCBLEND, &blend);
    EXPECT_EQ(blend, static_cast<DWORD>(D3DBLEND_ONE));
    EXPECT_EQ(CurrentStateSlot(), 3u);
    log.Clear();
    PushState(3);
    EXPECT_EQ(log.Text(), "");
    PushState(4);
    EXPECT_EQ(log.Text(), " state pushed - id = 4\n");
}
