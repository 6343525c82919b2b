// ReplayScript.cpp — the line reader of replay scripts: splits a line into
// words and checks each word against the grammar in ReplayScript.h.
#include "ReplayScript.h"

#include "KeyNames.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <sstream>

namespace replay {

namespace {

constexpr int MouseButtonCodes[] = {0x01, 0x02, 0x04};  // VK_LBUTTON, VK_RBUTTON, VK_MBUTTON
constexpr int LastKeyCode = 254;
constexpr int MousePositionLimit = 1000000;

class Line {
public:
    Line(int number, const std::string& text) : number_(number)
    {
        std::istringstream words(text);
        std::string word;
        while (words >> word && !word.starts_with("#")) words_.push_back(word);
    }

    bool ignored() const { return words_.empty(); }
    size_t size() const { return words_.size(); }
    const std::string& operator[](size_t i) const { return words_[i]; }

    [[noreturn]] void fail(const std::string& what) const
    {
        throw ScriptError("line " + std::to_string(number_) + ": " + what);
    }

    void expectWords(size_t count, const char* form) const
    {
        if (words_.size() != count) fail(std::string("expected \"") + form + "\"");
    }

    // A whole decimal number within [low, high]; `what` names it in the message.
    int64_t number(size_t i, int64_t low, int64_t high, const char* what) const
    {
        const std::string& word = words_[i];
        int64_t value = 0;
        const char* end = word.data() + word.size();
        auto [stop, error] = std::from_chars(word.data(), end, value);
        if (error != std::errc() || stop != end) fail(std::string(what) + " \"" + word + "\" is not a whole number");
        if (value < low || value > high)
            fail(std::string(what) + " " + word + " is outside " + std::to_string(low) + "–" + std::to_string(high));
        return value;
    }

    bool downOrUp(size_t i) const
    {
        if (words_[i] == "down") return true;
        if (words_[i] == "up") return false;
        fail("expected down or up, found \"" + words_[i] + "\"");
    }

private:
    int number_;
    std::vector<std::string> words_;
};

int keyCode(const Line& line)
{
    const std::string& word = line[2];
    const bool decimal = !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
    const int code =
        decimal ? static_cast<int>(line.number(2, 1, LastKeyCode, "key code")) : virtualKeyByName(word).value_or(0);
    if (code == 0) line.fail("unknown key name \"" + word + "\"");
    // The mouse buttons are states the game polls, never key messages.
    if (std::ranges::find(MouseButtonCodes, code) != std::end(MouseButtonCodes))
        line.fail("key " + word + " is a mouse button: use \"T button left|right down|up\"");
    return code;
}

ScriptEvent readEvent(const Line& line)
{
    ScriptEvent event;
    if (line.size() < 2) line.fail("expected a tick and an event");
    event.tick = static_cast<uint32_t>(line.number(0, 1, std::numeric_limits<int32_t>::max(), "tick"));
    const std::string& kind = line[1];
    if (kind == "key") {
        line.expectWords(4, "T key VK down|up");
        event.kind = EventKind::Key;
        event.key = keyCode(line);
        event.down = line.downOrUp(3);
    } else if (kind == "mouse") {
        line.expectWords(4, "T mouse X Y");
        event.kind = EventKind::Mouse;
        event.x = static_cast<int>(line.number(2, -MousePositionLimit, MousePositionLimit, "x"));
        event.y = static_cast<int>(line.number(3, -MousePositionLimit, MousePositionLimit, "y"));
    } else if (kind == "button") {
        line.expectWords(4, "T button left|right down|up");
        event.kind = EventKind::Button;
        if (line[2] == "left") event.button = MouseButton::Left;
        else if (line[2] == "right") event.button = MouseButton::Right;
        else line.fail("expected left or right, found \"" + line[2] + "\"");
        event.down = line.downOrUp(3);
    } else if (kind == "focus") {
        line.expectWords(3, "T focus in|out");
        event.kind = EventKind::Focus;
        if (line[2] == "in") event.down = true;
        else if (line[2] != "out") line.fail("expected in or out, found \"" + line[2] + "\"");
    } else if (kind == "stall") {
        line.expectWords(3, "T stall MS");
        event.kind = EventKind::Stall;
        event.stallMs = static_cast<uint32_t>(line.number(2, 1, MaxStallMs, "stall"));
    } else if (kind == "close") {
        line.expectWords(2, "T close");
        event.kind = EventKind::Close;
    } else {
        line.fail("unknown event \"" + kind + "\" (key, mouse, button, focus, stall or close)");
    }
    return event;
}

}  // namespace

std::vector<ScriptEvent> readScript(std::istream& in)
{
    std::vector<ScriptEvent> events;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const Line line(number, text);
        if (line.ignored()) continue;
        ScriptEvent event = readEvent(line);
        if (!events.empty() && event.tick < events.back().tick)
            line.fail("tick " + std::to_string(event.tick) + " comes after tick " + std::to_string(events.back().tick));
        events.push_back(event);
    }
    if (in.bad()) throw ScriptError("the script could not be read");
    return events;
}

}  // namespace replay
