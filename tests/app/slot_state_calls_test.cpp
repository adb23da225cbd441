#include "app/timeline.h"
#include "common/log_capture.h"
#include "render/render_state_stack.h"
#include "render/renderer_fixture.h"

// Forwards, entering a slot restores the state its predecessor found; during
// the rewind, entering it from above restores what its successor found.
TEST_F(RendererTest, SlotChangesRestoreTheNeighboursStateInBothDirections)
{
    LogCapture log;
    SlotStateCalls(4);
    SlotStateCalls(4);
    SlotStateCalls(5);
    EXPECT_EQ(log.Text(),
              " state pushed - id = 4\n"
              " state poped - id = 4\n"
              " state pushed - id = 5\n");
    log.Clear();
    SlotStateCalls(4); // time running backwards
    EXPECT_EQ(log.Text(),
              " state poped - id = 5\n"
              " state pushed - id = 4\n");
    log.Clear();
    SlotStateCalls(14); // the finale pops slot 12 only
    SlotStateCalls(12);
    EXPECT_EQ(log.Text(),
              " state pushed - id = 14\n"
              " state pushed - id = 12\n");
}
