// A recorded round played with no device, as `--verify` plays it: it asks
// the platform for nothing (no texture file is read, no sound made).
#include "framework/graphics/orvGraphics.h"
#include "game/RoundRecording.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

namespace {

TEST(RoundWithoutDevice, PlaysToItsEndWithoutAPlatformCall)
{
    testmode::enable();
    ASSERT_EQ(Device, nullptr);
    RoundRecording recording;
    recording.start.seed = 7;
    RoundInput click;
    click.pointerKnown = true;
    click.pointerX = click.pointerY = 384;
    click.leftDown = true;
    recording.changes.push_back(InputChange{10, click});
    click.leftDown = false;
    recording.changes.push_back(InputChange{13, click});
    testmode::clearCalls();
    const RoundOutcome outcome = playRound(recording);
    EXPECT_GE(outcome.ticks, 3600u);
    EXPECT_EQ(testmode::calls(), std::vector<std::string>{});
}

}  // namespace
