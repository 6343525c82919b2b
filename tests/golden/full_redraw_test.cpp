// Every drawn frame of a scripted round — waiting with the pointer moving, the
// start, a colour change, a clear with its whole turn cycle and refill — is
// the same, bit for bit, when the device redraws only what can have changed
// as when it redraws everything. The round is played once each way and the
// frames compared by digest.
#include "scene/game_fixture.h"

#include "app/MousePointer.h"

#include <cstring>

namespace {

uint64_t digest(const testmode::CapturedFrame& frame)
{
    uint64_t hash = 14695981039346656037u;
    for (size_t at = 0; at + 8 <= frame.rgba.size(); at += 8) {
        uint64_t word;
        std::memcpy(&word, &frame.rgba[at], sizeof word);
        hash = (hash ^ word) * 1099511628211u;
    }
    return hash;
}

class FullRedraw : public GameTest {
protected:
    std::vector<uint64_t> playRound()
    {
        pointerAngle = 0.0f;  // the spin outlives a shut-down
        std::vector<uint64_t> frames;
        auto draw = [&] {
            drawnTick();
            frames.push_back(digest(testmode::capturedFrame()));
        };
        for (int i = 0; i < 8; ++i) {
            testmode::setMouse(300 + 37 * i, 200 + 11 * i);
            draw();
        }
        pressStart(true);
        draw();
        pressStart(false);
        while (field().phase < field().evaluateFrom) draw();
        testmode::setMouse(384, 640);  // a block: its colour steps and the arrow turns
        testmode::setKey(VK_LBUTTON, true);
        draw();
        testmode::setKey(VK_LBUTTON, false);
        draw();
        setBoard({"1234", "1345", "1452", "1523"});
        testmode::setKey(VK_RBUTTON, true);
        draw();
        testmode::setKey(VK_RBUTTON, false);
        EXPECT_EQ(field().chain, 1);
        while (field().phase < field().evaluateFrom) draw();
        return frames;
    }
};

TEST_F(FullRedraw, EveryDrawnFrameOfARoundIsTheOneAFullRedrawGives)
{
    const std::vector<uint64_t> tracked = playRound();
    TearDown();
    SetUp();
    testmode::setFullRedraw(true);
    const std::vector<uint64_t> whole = playRound();
    testmode::setFullRedraw(false);
    pointerAngle = 0.0f;
    ASSERT_EQ(tracked.size(), whole.size());
    EXPECT_GT(tracked.size(), 150u);
    for (size_t i = 0; i < tracked.size(); ++i) EXPECT_EQ(tracked[i], whole[i]) << "drawn frame " << i;
}

}  // namespace
