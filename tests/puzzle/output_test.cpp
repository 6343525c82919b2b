// What the field plays and draws: the three effects of a clear's cycle at
// their frames, and the block quads (place, size, piece and spin) on the
// layer's device, read back from its call log.
#include "field_fixture.h"

#include "framework/graphics/orvGraphics.h"
#include "framework/graphics/orvSprite.h"
#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundSystem.h"
#include "support/scratch_folder.h"
#include "support/test_window.h"

#include "RiffWave.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <vector>

namespace {

// A short mono 16-bit PCM wave.
void writeWave(const std::string& path)
{
    std::vector<int16_t> samples;
    for (int i = 0; i < 64; ++i) samples.push_back(static_cast<int16_t>(i * 300));
    writeFile(path, wav::pcm16(22050, 1, samples));
}

TEST_F(FieldTest, ClearCyclePlaysItsEffectsOnTheirFrames)
{
    ScratchFolder scratch("puzzle_output");
    scratch.enter();
    testmode::enableAudioDevice(true);
    soundSystem = new SoundSystem();
    for (int id : {SE_RADAR, SE_SYUPON, SE_GASYAN}) {
        const std::string path = "effect" + std::to_string(id) + ".wav";
        writeWave(path);
        soundSystem->setSoundEffect(id, path.c_str());
        ASSERT_NE(soundSystem->effects[id], nullptr);
    }
    auto playedNow = [] {
        std::vector<int> ids;
        for (const testmode::SoundCall& call : testmode::soundCalls())
            if (call.call == "Play")
                for (int id : {SE_RADAR, SE_SYUPON, SE_GASYAN})
                    if (call.buffer == testmode::soundBufferId(soundSystem->effects[id]->buffer)) ids.push_back(id);
        testmode::clearSoundCalls();
        return ids;
    };

    setBoard({"1111", "2323", "3232", "2323"});
    field->phase = 149;
    testmode::clearSoundCalls();
    frame(false, true);
    EXPECT_EQ(playedNow(), std::vector<int>{SE_SYUPON});
    for (int k = 1; k <= 160; ++k) {
        frame();
        const std::vector<int> expected = k == 50    ? std::vector<int>{SE_RADAR}
                                          : k == 105 ? std::vector<int>{SE_GASYAN}
                                                     : std::vector<int>{};
        EXPECT_EQ(playedNow(), expected) << "phase " << k;
    }
    delete soundSystem;
    soundSystem = nullptr;
    testmode::enableAudioDevice(false);
}

struct Quad {
    float x[4], y[4], u[4];
};

std::vector<Quad> drawnQuads()
{
    std::vector<Quad> quads;
    for (const std::string& call : testmode::calls()) {
        if (call.rfind("DrawPrimitiveUP(", 0) != 0) continue;
        Quad q{};
        size_t at = call.find('(', 16);
        for (int i = 0; i < 4 && at != std::string::npos; ++i) {
            float z, rhw, v;
            unsigned colour;
            EXPECT_EQ(std::sscanf(call.c_str() + at, "(%f %f %f %f 0x%x %f %f)", &q.x[i], &q.y[i], &z, &rhw, &colour,
                                  &q.u[i], &v),
                      7);
            at = call.find('(', at + 1);
        }
        quads.push_back(q);
    }
    return quads;
}

TEST_F(FieldTest, BlocksAreDrawnInIndexOrderCentredShrunkAndSpun)
{
    ScratchFolder scratch("puzzle_output");
    scratch.enter();
    std::filesystem::create_directories("DATA/PuzzleField");
    std::vector<uint8_t> pieces(1536 * 256 * 4, 255);
    ASSERT_TRUE(testmode::writePng("DATA/PuzzleField/peace.png", 1536, 256, pieces.data()));
    HWND window = createTestWindow();
    ASSERT_TRUE(orvGraphics::Initialize(window));
    {
        PuzzleField drawn;
        ASSERT_GT(drawn.blockSprite->width, 0u);
        setBoard({"1.3.", "2W4.", "5...", "...."});
        std::copy(field->shownBoard, field->shownBoard + 16, drawn.shownBoard);
        std::fill(drawn.shrink, drawn.shrink + 16, 0);
        drawn.shrink[1] = 16;   // (0, 1): just starting to vanish
        drawn.shrink[6] = 240;  // (1, 2) is empty: not drawn whatever its shrink
        drawn.shrink[5] = 128;  // (1, 1): the wild, half grown
        testmode::clearCalls();
        orvGraphics::BeginFrame();
        drawn.draw();
        orvGraphics::EndFrame();

        const std::vector<Quad> quads = drawnQuads();
        struct Expected {
            int column, row, piece, shrink;
        };
        const Expected blocks[] = {{0, 0, 1, 0},   {0, 1, 2, 16}, {0, 2, 5, 0},
                                   {1, 1, 6, 128}, {2, 0, 3, 0},  {2, 1, 4, 0}};
        ASSERT_EQ(quads.size(), std::size(blocks));
        const float textureWidth = static_cast<float>(drawn.blockSprite->width);
        for (size_t i = 0; i < quads.size(); ++i) {
            const Quad& q = quads[i];
            const Expected& e = blocks[i];
            const float centreX = (q.x[0] + q.x[3]) / 2, centreY = (q.y[0] + q.y[3]) / 2;
            // right and bottom edges sit half a pixel inside
            EXPECT_NEAR(centreX, 256 * e.column + 128, 0.36f) << i;
            EXPECT_NEAR(centreY, 256 * e.row + 128, 0.36f) << i;
            EXPECT_NEAR(std::hypot(q.x[1] - q.x[0], q.y[1] - q.y[0]), 256 - e.shrink - 0.5f, 0.01f) << i;
            // The top edge points along the spin angle, the shrink in radians.
            const double turned =
                std::remainder(std::atan2(q.y[1] - q.y[0], q.x[1] - q.x[0]) - e.shrink, 2 * std::numbers::pi);
            EXPECT_NEAR(turned, 0.0, 1e-3) << i;
            EXPECT_NEAR(q.u[0], (256 * (e.piece - 1) + 0.5f) / textureWidth, 1e-6) << i;
            EXPECT_NEAR(q.u[1], 256 * e.piece / textureWidth, 1e-6) << i;
        }
    }
    orvGraphics::Shutdown();
    DestroyWindow(window);
}

}  // namespace
