// script_test.cpp — the replay script reader: every event form, key names,
// comments and line endings, and the messages for malformed lines.
#include "ReplayScript.h"

#include <gtest/gtest.h>

#include <sstream>

using replay::ScriptError;
using EventKind = ScriptEvent::Kind;
using MouseButton = ScriptEvent::MouseButton;

namespace {

std::vector<ScriptEvent> read(const std::string& text)
{
    std::istringstream in(text);
    return replay::readScript(in);
}

// The message of the error the script raises, or "" when it reads.
std::string errorOf(const std::string& text)
{
    try {
        read(text);
    } catch (const ScriptError& error) {
        return error.what();
    }
    return "";
}

}  // namespace

TEST(ReplayScript, ReadsEveryEventFormInOrder)
{
    const auto events = read(
        "# a round\n"
        "\n"
        "1 key SPACE down\r\n"
        "  2 key 32 up   # released\n"
        "3 mouse 300 -5\n"
        "3 button left down\n"
        "4 button right up\n"
        "5 stall 100\n"
        "6 focus out\n"
        "7 focus in\n"
        "9 close\n");
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(events[0], (ScriptEvent{.tick = 1, .kind = EventKind::Key, .key = 0x20, .down = true}));
    EXPECT_EQ(events[1], (ScriptEvent{.tick = 2, .kind = EventKind::Key, .key = 0x20, .down = false}));
    EXPECT_EQ(events[2], (ScriptEvent{.tick = 3, .kind = EventKind::Mouse, .x = 300, .y = -5}));
    EXPECT_EQ(events[3],
              (ScriptEvent{.tick = 3, .kind = EventKind::Button, .down = true, .button = MouseButton::Left}));
    EXPECT_EQ(events[4],
              (ScriptEvent{.tick = 4, .kind = EventKind::Button, .down = false, .button = MouseButton::Right}));
    EXPECT_EQ(events[5], (ScriptEvent{.tick = 5, .kind = EventKind::Stall, .stallMs = 100}));
    EXPECT_EQ(events[6], (ScriptEvent{.tick = 6, .kind = EventKind::Focus, .down = false}));
    EXPECT_EQ(events[7], (ScriptEvent{.tick = 7, .kind = EventKind::Focus, .down = true}));
    EXPECT_EQ(events[8], (ScriptEvent{.tick = 9, .kind = EventKind::Close}));
}

TEST(ReplayScript, KnowsKeysByWindowsNames)
{
    const auto events = read(
        "1 key escape down\n"
        "1 key VK_LCONTROL down\n"
        "1 key a down\n"
        "1 key 7 down\n"
        "1 key F12 down\n"
        "1 key NUMPAD3 down\n"
        "1 key Enter down\n"
        "1 key 3 down\n");
    ASSERT_EQ(events.size(), 8u);
    // A number is always a code (7, not the digit key), and 3 (Ctrl-Break) is no mouse button.
    const int expected[] = {0x1B, 0xA2, 'A', 7, 0x7B, 0x63, 0x0D, 3};
    for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(events[i].key, expected[i]) << "event " << i;
}

TEST(ReplayScript, RejectsMalformedLinesNamingTheLine)
{
    EXPECT_EQ(errorOf("1 key SPACE down\n\nx close\n"), "line 3: tick \"x\" is not a whole number");
    EXPECT_EQ(errorOf("0 close\n"), "line 1: tick 0 is outside 1–2147483647");
    EXPECT_EQ(errorOf("1 jump\n"), "line 1: unknown event \"jump\" (key, mouse, button, focus, stall or close)");
    EXPECT_EQ(errorOf("1 key SPACEBAR down\n"), "line 1: unknown key name \"SPACEBAR\"");
    EXPECT_EQ(errorOf("1 key F13 down\n"), "line 1: unknown key name \"F13\"");
    EXPECT_EQ(errorOf("1 key 255 down\n"), "line 1: key code 255 is outside 1–254");
    EXPECT_EQ(errorOf("1 key 1 down\n"), "line 1: key 1 is a mouse button: use \"T button left|right down|up\"");
    EXPECT_EQ(errorOf("1 key RBUTTON down\n"), "line 1: unknown key name \"RBUTTON\"");
    EXPECT_EQ(errorOf("1 key 4 down\n"), "line 1: key 4 is a mouse button: use \"T button left|right down|up\"");
    EXPECT_EQ(errorOf("1 key SPACE pressed\n"), "line 1: expected down or up, found \"pressed\"");
    EXPECT_EQ(errorOf("1 key SPACE\n"), "line 1: expected \"T key VK down|up\"");
    EXPECT_EQ(errorOf("1 mouse 10\n"), "line 1: expected \"T mouse X Y\"");
    EXPECT_EQ(errorOf("1 mouse 10 2.5\n"), "line 1: y \"2.5\" is not a whole number");
    EXPECT_EQ(errorOf("1 button middle down\n"), "line 1: expected left or right, found \"middle\"");
    EXPECT_EQ(errorOf("1 stall 0\n"), "line 1: stall 0 is outside 1–600000");
    EXPECT_EQ(errorOf("1 close now\n"), "line 1: expected \"T close\"");
    EXPECT_EQ(errorOf("1 focus lost\n"), "line 1: expected in or out, found \"lost\"");
    EXPECT_EQ(errorOf("12\n"), "line 1: expected a tick and an event");
    EXPECT_EQ(errorOf("20 close\n10 close\n"), "line 2: tick 10 comes after tick 20");
}
