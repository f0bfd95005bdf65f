#include <gtest/gtest.h>

#include "app/FrameInput.h"
#include "player/Player.h"
#include "support/GlContext.h"

class FrameInputGl : public GlTest {};

// A replay that ends before the run does hands the game to the player, whose
// frames go on from the replay's last time rather than jumping to the clock.
TEST_F(FrameInputGl, WhenTheReplayRunsOutThePlayerGoesOnFromItsTime) {
    ControlInput first;
    first.now = 1000.0;
    first.forward = true;
    ControlInput second = first;
    second.now = 1000.5;
    second.cursorX = 7.25;
    FrameInput inputs = FrameInput::replay({first, second});
    const Player player;

    EXPECT_EQ(inputs.next(window(), player).now, first.now);
    const ControlInput replayed = inputs.next(window(), player);
    EXPECT_EQ(replayed.now, second.now);
    EXPECT_EQ(replayed.cursorX, second.cursorX);
    const ControlInput played = inputs.next(window(), player);
    EXPECT_FALSE(played.forward);  // no key is down in the hidden window
    EXPECT_GE(played.now, second.now);
    EXPECT_LT(played.now, second.now + 1.0);
}
