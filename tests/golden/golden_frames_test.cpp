// Golden frames: the back buffer of chosen ticks of a scripted round (before
// the start, the arrow in flight, the arrow pulsing, the board after a clear,
// the waiting screen with the round's best score and the table that Tab
// opens) compared with stored images drawn from the project's own DATA. The frames
// are stored at a quarter of their size (box-filtered), which keeps them small
// and still shows every misplaced or missing image.
//
// When the art changes on purpose, regenerate the stored frames from the
// build folder with:
//     VANTOREL_REGENERATE_GOLDEN=1 ./tests/golden/test_golden
// A mismatch writes the frame as drawn to golden_actual/<name>.png in the
// build folder.
#include "scene/game_fixture.h"

#include <png.h>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr int Scale = 4;
constexpr int Tolerance = 6;  // per channel, of 255

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

Image reduced(const testmode::CapturedFrame& frame)
{
    Image out{frame.width / Scale, frame.height / Scale, {}};
    out.rgba.resize(static_cast<size_t>(out.width) * out.height * 4);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            for (int c = 0; c < 4; ++c) {
                int sum = 0;
                for (int dy = 0; dy < Scale; ++dy)
                    for (int dx = 0; dx < Scale; ++dx) sum += frame.at(x * Scale + dx, y * Scale + dy)[c];
                out.rgba[(static_cast<size_t>(y) * out.width + x) * 4 + c] =
                    static_cast<uint8_t>((sum + Scale * Scale / 2) / (Scale * Scale));
            }
    return out;
}

bool readPng(const std::string& path, Image& image)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGBA;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgba.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
        png_image_free(&png);
        return false;
    }
    return true;
}

class GoldenFrames : public GameTest {
protected:
    void expectGolden(const std::string& name)
    {
        const Image drawn = reduced(testmode::capturedFrame());
        ASSERT_GT(drawn.width, 0) << "no frame captured";
        const std::string stored = std::string(GOLDEN_DIR) + "/" + name + ".png";
        if (std::getenv("VANTOREL_REGENERATE_GOLDEN")) {
            ASSERT_TRUE(testmode::writePng(stored.c_str(), drawn.width, drawn.height, drawn.rgba.data()));
            return;
        }
        Image golden;
        ASSERT_TRUE(readPng(stored, golden)) << stored << " is missing; see this file's header to regenerate";
        ASSERT_EQ(golden.width, drawn.width);
        ASSERT_EQ(golden.height, drawn.height);
        int differing = 0, firstX = -1, firstY = -1;
        for (size_t i = 0; i < drawn.rgba.size(); i += 4) {
            bool off = false;
            for (int c = 0; c < 3; ++c) off = off || std::abs(drawn.rgba[i + c] - golden.rgba[i + c]) > Tolerance;
            if (off && differing++ == 0) {
                firstX = static_cast<int>(i / 4) % drawn.width;
                firstY = static_cast<int>(i / 4) / drawn.width;
            }
        }
        if (differing) {
            std::filesystem::create_directories("golden_actual");
            testmode::writePng(("golden_actual/" + name + ".png").c_str(), drawn.width, drawn.height,
                               drawn.rgba.data());
        }
        EXPECT_EQ(differing, 0) << name << ": first differing pixel at (" << firstX * Scale << ", " << firstY * Scale
                                << ") in frame pixels";
    }

    // Ticks until the field's next phase is `phase`, then draws that tick.
    void drawAtPhase(int32_t phase)
    {
        while (field().phase + 1 < phase) tick();
        drawnTick();
        ASSERT_EQ(field().phase, phase);
    }
};

}  // namespace

TEST_F(GoldenFrames, ARoundAsDrawn)
{
    drawnTick();
    expectGolden("waiting");

    pressStart(true);
    tick();
    pressStart(false);
    while (field().phase < field().evaluateFrom) tick();
    setBoard({"1234", "1345", "1452", "1523"});
    testmode::setKey(VK_RBUTTON, true);
    tick();
    testmode::setKey(VK_RBUTTON, false);
    ASSERT_EQ(field().chain, 1);

    drawAtPhase(35);
    expectGolden("arrow_flight");
    drawAtPhase(70);
    expectGolden("arrow_pulse");
    drawAtPhase(160);
    expectGolden("after_clear");

    field().timeLeft = 2;
    while (scene().playing) tick();
    drawnTick();
    expectGolden("best_score");
    testmode::setKey(VK_TAB, true);
    drawnTick();
    testmode::setKey(VK_TAB, false);
    expectGolden("best_table");
}
