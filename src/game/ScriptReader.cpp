// ScriptReader.cpp — checks each word of an event line against the grammar
// in ScriptReader.h.
#include "game/ScriptReader.h"

#include "game/KeyNames.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int MouseButtonCodes[] = {0x01, 0x02, 0x04};  // VK_LBUTTON, VK_RBUTTON, VK_MBUTTON
constexpr int LastKeyCode = 254;

int keyCode(ScriptLine& line)
{
    const std::string& word = line[2];
    const bool decimal = !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
    const int code = decimal ? static_cast<int>(line.wholeNumber(2, 1, LastKeyCode, "key code"))
                             : virtualKeyByName(word).value_or(0);
    if (code == 0) line.fail("unknown key name \"" + word + "\"");
    // The mouse buttons are states the game polls, never key messages.
    if (std::ranges::find(MouseButtonCodes, code) != std::end(MouseButtonCodes))
        line.fail("key " + word + " is a mouse button: use \"T button left|right down|up\"");
    return code;
}

// The event after the tick; a fault stays in the line.
void readEvent(ScriptLine& line, const ScriptForms& forms, ScriptEvent& event)
{
    const std::string& kind = line[1];
    if (kind == "key") {
        event.kind = ScriptEvent::Kind::Key;
        if (!line.expectWords(4, "T key VK down|up")) return;
        event.key = keyCode(line);
        event.down = line.downOrUp(3);
    } else if (kind == "mouse") {
        event.kind = ScriptEvent::Kind::Mouse;
        if (forms.mouseNone && line.size() == 3 && line[2] == "none") {
            event.pointerKnown = false;
            return;
        }
        if (!line.expectWords(4, forms.mouseNone ? "T mouse X Y|none" : "T mouse X Y")) return;
        event.x = static_cast<int>(
            line.wholeNumber(2, -ScriptReader::MousePositionLimit, ScriptReader::MousePositionLimit, "x"));
        event.y = static_cast<int>(
            line.wholeNumber(3, -ScriptReader::MousePositionLimit, ScriptReader::MousePositionLimit, "y"));
    } else if (kind == "button") {
        event.kind = ScriptEvent::Kind::Button;
        if (!line.expectWords(4, "T button left|right down|up")) return;
        if (line[2] == "right") event.button = ScriptEvent::MouseButton::Right;
        else if (line[2] != "left") line.fail("expected left or right, found \"" + line[2] + "\"");
        event.down = line.downOrUp(3);
    } else if (kind == "focus") {
        event.kind = ScriptEvent::Kind::Focus;
        if (!line.expectWords(3, "T focus in|out")) return;
        if (line[2] == "in") event.down = true;
        else if (line[2] != "out") line.fail("expected in or out, found \"" + line[2] + "\"");
    } else if (kind == "stall") {
        event.kind = ScriptEvent::Kind::Stall;
        if (!line.expectWords(3, "T stall MS")) return;
        event.stallMs = static_cast<uint32_t>(line.wholeNumber(2, 1, ScriptReader::MaxStallMs, "stall"));
    } else if (kind == "close") {
        event.kind = ScriptEvent::Kind::Close;
        line.expectWords(2, "T close");
    } else {
        line.fail("unknown event \"" + kind + "\" (key, mouse, button, focus, stall or close)");
    }
}

}  // namespace

bool ScriptReader::read(ScriptLine& line, ScriptEvent& event)
{
    event = ScriptEvent{};
    if (line.size() < 2) line.fail("expected a tick and an event");
    event.tick = static_cast<uint32_t>(line.wholeNumber(0, 1, forms.lastTick, "tick"));
    if (!line.failed()) readEvent(line, forms, event);
    if (!line.failed() && event.tick < lastTick)
        line.fail("tick " + std::to_string(event.tick) + " comes after tick " + std::to_string(lastTick));
    if (line.failed()) {
        fault = line.error();
        return false;
    }
    lastTick = event.tick;
    return true;
}
