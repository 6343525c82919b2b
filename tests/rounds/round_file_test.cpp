// round_file_test.cpp — the round file: a recording written and read back,
// what a damaged or hostile file is refused with, and the size of the file
// of a busy one-minute round.
#include "game/RoundFile.h"
#include "game/ScriptReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

RoundInput pointerAt(int32_t x, int32_t y)
{
    RoundInput input;
    input.pointerKnown = true;
    input.pointerX = x;
    input.pointerY = y;
    return input;
}

// The header of a valid file, line by line (the script starts on line 9).
const char* const Header =
    "vantorel-round 1\n"
    "rules 1\n"
    "random 2718281828 1234\n"
    "carried 1\n"
    "cursor 0 0 0 0 0 0 0 1 384 640\n"
    "music 12\n"
    "claim 1870 3\n"
    "day 20261209\n";

// The header with line `number` (from 1) replaced by `line`.
std::string headerWith(int number, const std::string& line)
{
    std::string text = Header;
    size_t at = 0;
    for (int i = 1; i < number; ++i) at = text.find('\n', at) + 1;
    return text.replace(at, text.find('\n', at) - at, line);
}

}  // namespace

TEST(RoundFileTest, WritesEveryKindOfChangeAndReadsItBack)
{
    RoundRecording recording;
    recording.start = RoundStart{.seed = 4294967295u,
                                 .drawn = 1234,
                                 .changeCount = 7,
                                 .cursorColumn = 2,
                                 .cursorRow = 3,
                                 .cursorShown = true,
                                 .cursorHeld = {0, 5, 0, 1000},
                                 .cursorMouseKnown = true,
                                 .cursorMouseX = -5,
                                 .cursorMouseY = 640,
                                 .track = 13,
                                 .day = 20240229};
    recording.score = 1870;
    recording.chain = 3;
    RoundInput input = pointerAt(384, 640);
    recording.changes.push_back({1, input});
    input.leftDown = true;
    recording.changes.push_back({2, input});
    input.leftDown = false;
    input.rightDown = true;
    input.buttons = 0x3f;
    recording.changes.push_back({3, input});
    input.pointerKnown = false;
    input.pointerX = input.pointerY = 0;
    input.rightDown = false;
    input.buttons = 0x05;
    input.stick = 0x0f;
    recording.changes.push_back({40, input});
    input = pointerAt(-1, 1023);
    input.stick = 0x0a;
    recording.changes.push_back({41, input});

    const std::string text = formatRoundFile(recording);
    EXPECT_EQ(text,
              "vantorel-round 1\nrules 1\nrandom 4294967295 1234\ncarried 7\ncursor 2 3 1 0 5 0 1000 1 -5 640\n"
              "music 13\nclaim 1870 3\nday 20240229\n"
              "1 mouse 384 640\n"
              "2 button left down\n"
              "3 button left up\n3 button right down\n3 key W down\n3 key S down\n3 key A down\n3 key D down\n"
              "3 key Z down\n3 key X down\n"
              "40 mouse none\n40 button right up\n40 key S up\n40 key D up\n40 key Z up\n40 key X up\n"
              "40 key UP down\n40 key DOWN down\n40 key LEFT down\n40 key RIGHT down\n"
              "41 mouse -1 1023\n41 key W up\n41 key A up\n41 key UP up\n41 key LEFT up\n");
    const RoundFileRead read = parseRoundFile(text);
    EXPECT_EQ(read.status, RoundFileStatus::Read) << read.message;
    EXPECT_EQ(read.message, "");
    EXPECT_TRUE(read.recording == recording);

    // No day line for any other round; comments, blank lines, a carriage
    // return and events that cancel out within their tick read as in scripts.
    recording.start.day = 0;
    std::string edited = formatRoundFile(recording);
    EXPECT_EQ(edited.find("day"), std::string::npos);
    edited.insert(edited.find("1 mouse"), "# played by hand\r\n\n1 key W down\n1 key w up  # no change\n");
    edited += "50 mouse 5 5\n50 button left down\n50 button left up\n50 mouse -1 1023\n";
    const RoundFileRead again = parseRoundFile(edited);
    EXPECT_EQ(again.status, RoundFileStatus::Read) << again.message;
    EXPECT_TRUE(again.recording == recording);
}

TEST(RoundFileTest, RefusesDamagedFilesNamingTheLine)
{
    const std::string script = "1 mouse 384 640\n";
    struct Case {
        std::string text;
        RoundFileStatus status;
        std::string message;
    };
    const Case cases[] = {
        {"", RoundFileStatus::Refused, "line 1: the file ends before its \"vantorel-round\" line"},
        {"vantorel-round 1\nrules 1\nrandom 1 0\n", RoundFileStatus::Refused,
         "line 4: the file ends before its \"carried\" line"},
        {"<html>\n", RoundFileStatus::Refused, "line 1: not a round file: expected \"vantorel-round VERSION\""},
        {headerWith(1, "vantorel-round 2"), RoundFileStatus::Refused,
         "line 1: a round file of format version 2; this game reads version 1"},
        {headerWith(2, "rules 2") + "1 stall 5\n", RoundFileStatus::OtherRules,
         "the round was played by the rules of version 2; this game has the rules of version 1"},
        {headerWith(2, "rules 1 2"), RoundFileStatus::Refused, "line 2: expected \"rules VERSION\""},
        {headerWith(3, "random 4294967296 0"), RoundFileStatus::Refused,
         "line 3: seed 4294967296 is outside 0–4294967295"},
        {headerWith(3, "random 1 100000001"), RoundFileStatus::Refused,
         "line 3: values drawn 100000001 is outside 0–100000000"},
        {headerWith(3, "random 99999999999999999999 0"), RoundFileStatus::Refused,
         "line 3: seed \"99999999999999999999\" is not a whole number"},
        {headerWith(3, "carried 1"), RoundFileStatus::Refused,
         "line 3: expected \"random SEED DRAWN\", found \"carried\""},
        {headerWith(4, "carried -1"), RoundFileStatus::Refused, "line 4: changes carried -1 is outside 0–1000000"},
        {headerWith(4, "carried 1000001"), RoundFileStatus::Refused,
         "line 4: changes carried 1000001 is outside 0–1000000"},
        {headerWith(5, "cursor 4 0 0 0 0 0 0 1 384 640"), RoundFileStatus::Refused,
         "line 5: cursor column 4 is outside 0–3"},
        {headerWith(5, "cursor 0 -1 0 0 0 0 0 1 384 640"), RoundFileStatus::Refused,
         "line 5: cursor row -1 is outside 0–3"},
        {headerWith(5, "cursor 0 0 2 0 0 0 0 1 384 640"), RoundFileStatus::Refused,
         "line 5: cursor shown 2 is outside 0–1"},
        {headerWith(5, "cursor 0 0 0 0 0 0 1000000001 1 384 640"), RoundFileStatus::Refused,
         "line 5: cursor held 1000000001 is outside 0–1000000000"},
        {headerWith(5, "cursor 0 0 0 0 0 0 0 2 384 640"), RoundFileStatus::Refused,
         "line 5: cursor mouse known 2 is outside 0–1"},
        {headerWith(5, "cursor 0 0 0 0 0 0 0 1 -1000001 640"), RoundFileStatus::Refused,
         "line 5: cursor mouse x -1000001 is outside -1000000–1000000"},
        {headerWith(5, "cursor 0 0 0 0 0 0 0 1 384"), RoundFileStatus::Refused,
         "line 5: expected \"cursor COLUMN ROW SHOWN HELD HELD HELD HELD MOUSE-KNOWN MOUSE-X MOUSE-Y\""},
        {headerWith(6, "music 9"), RoundFileStatus::Refused, "line 6: track 9 is outside 10–13"},
        {headerWith(6, "music 14"), RoundFileStatus::Refused, "line 6: track 14 is outside 10–13"},
        {headerWith(7, "claim 1000000001 3"), RoundFileStatus::Refused,
         "line 7: score 1000000001 is outside 0–1000000000"},
        {headerWith(7, "claim 1870 1000001"), RoundFileStatus::Refused, "line 7: chain 1000001 is outside 0–1000000"},
        {headerWith(8, "day 19991231"), RoundFileStatus::Refused, "line 8: day 19991231 is outside 20000101–99991231"},
        {headerWith(8, "day 20230229"), RoundFileStatus::Refused, "line 8: day 20230229 is not a date"},
        {headerWith(8, "day 20241301"), RoundFileStatus::Refused, "line 8: day 20241301 is not a date"},
        {Header + script + "2 day 20261209\n", RoundFileStatus::Refused,
         "line 10: unknown event \"day\" (key, mouse, button, focus, stall or close)"},
        {Header + script + "day 20261209\n", RoundFileStatus::Refused, "line 10: a \"day\" line after the header"},
        {Header + std::string("0 mouse 1 1\n"), RoundFileStatus::Refused, "line 9: tick 0 is outside 1–216000"},
        {Header + std::string("216001 mouse 1 1\n"), RoundFileStatus::Refused,
         "line 9: tick 216001 is outside 1–216000"},
        {Header + std::string("5 mouse 1 1\n4 mouse 2 2\n"), RoundFileStatus::Refused,
         "line 10: tick 4 comes after tick 5"},
        {Header + std::string("1 mouse 1000001 0\n"), RoundFileStatus::Refused,
         "line 9: x 1000001 is outside -1000000–1000000"},
        {Header + std::string("1 mouse 5\n"), RoundFileStatus::Refused, "line 9: expected \"T mouse X Y|none\""},
        {Header + std::string("1 jump\n"), RoundFileStatus::Refused,
         "line 9: unknown event \"jump\" (key, mouse, button, focus, stall or close)"},
        {Header + std::string("1 stall 100\n"), RoundFileStatus::Refused,
         "line 9: a round file has no \"stall\" events (mouse, button or key)"},
        {Header + std::string("1 focus out\n"), RoundFileStatus::Refused,
         "line 9: a round file has no \"focus\" events (mouse, button or key)"},
        {Header + std::string("1 close\n"), RoundFileStatus::Refused,
         "line 9: a round file has no \"close\" events (mouse, button or key)"},
        {Header + std::string("1 key SPACE down\n"), RoundFileStatus::Refused,
         "line 9: key SPACE is not one a round reads (W S A D Z X UP DOWN LEFT RIGHT)"},
        {Header + std::string("1 mouse 1\x1b[2J 2\n"), RoundFileStatus::Refused, "line 9: a control character (27)"},
        {Header + std::string("# ") + std::string(MAX_ROUND_LINE_BYTES, 'x') + "\n", RoundFileStatus::Refused,
         "line 9: longer than 1024 bytes"},
        {Header + std::string(MAX_ROUND_LINES, '\n'), RoundFileStatus::Refused, "line 100001: more than 100000 lines"},
        {Header + std::string(MAX_ROUND_FILE_BYTES, '\n'), RoundFileStatus::Refused,
         "the file is larger than 1048576 bytes"},
    };
    for (const Case& c : cases) {
        const RoundFileRead read = parseRoundFile(c.text);
        EXPECT_EQ(read.status, c.status) << c.text.substr(0, 200);
        EXPECT_EQ(read.message, c.message) << c.text.substr(0, 200);
    }
}

// The replay tool reads its own forms only: "mouse none" is a round file's.
TEST(RoundFileTest, OnlyRoundFilesReadMouseNone)
{
    ScriptLine tools(1, "1 mouse none");
    ScriptEvent event;
    EXPECT_FALSE(ScriptReader().read(tools, event));
    EXPECT_EQ(tools.error(), "line 1: expected \"T mouse X Y\"");
    ScriptLine rounds(1, "1 mouse none");
    ASSERT_TRUE(ScriptReader(ScriptForms{MAX_ROUND_TICKS, true}).read(rounds, event));
    EXPECT_FALSE(event.pointerKnown);
}

// A busy minute: the pointer crossing the board on every tick, a click every
// 20 ticks, the board cursor hidden. Its file stays small, and reads back as
// the recorder made it.
TEST(RoundFileTest, ABusyMinuteFitsIn32Kilobytes)
{
    RoundRecorder recorder;
    recorder.begin(RoundStart{.seed = 4000000000u, .drawn = 123456, .changeCount = 99, .track = 12});
    for (uint32_t tick = 1; tick <= 3600; ++tick) {
        // Back and forth over the 1024-pixel board, about 7 pixels a tick.
        const double t = tick;
        RoundInput input = pointerAt(static_cast<int32_t>(512 + 500 * std::sin(t / 47.0)),
                                     static_cast<int32_t>(512 + 500 * std::sin(t / 61.0 + 1.0)));
        input.leftDown = tick % 20 < 4;
        recorder.tick(input, false);
    }
    const RoundRecording recording = recorder.finish(123456789, 12);
    const std::string text = formatRoundFile(recording);
    std::printf("a busy one-minute round: %zu changes, %zu bytes\n", recording.changes.size(), text.size());
    EXPECT_LT(text.size(), 32u * 1024);
    const RoundFileRead read = parseRoundFile(text);
    EXPECT_EQ(read.status, RoundFileStatus::Read) << read.message;
    EXPECT_TRUE(read.recording == recording);
}
