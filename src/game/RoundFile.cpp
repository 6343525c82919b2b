// RoundFile.cpp — a recording written as a round file and read back: the
// header line by line in its fixed order, then the script through the replay
// script's reader, folded into one InputChange per tick.
#include "game/RoundFile.h"

#include "framework/input/GameInputConfig.h"
#include "game/KeyNames.h"
#include "game/ScriptLine.h"
#include "game/ScriptReader.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

namespace {

constexpr int32_t FirstTrack = 10;  // the tracks a round plays to
constexpr int32_t LastTrack = 13;
constexpr int64_t MaxCarried = 1000000;
constexpr int64_t MaxHeld = 1000000000;
constexpr int64_t MousePositionLimit = ScriptReader::MousePositionLimit;
constexpr int64_t MaxScore = 1000000000;
constexpr int64_t MaxChain = 1000000;
constexpr int64_t FirstDay = 20000101;
constexpr int64_t LastDay = 99991231;

// The keys that push the first stick in Input::update, by PadDirection.
constexpr int StickKeys[4] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
static_assert(PAD_UP == 0 && PAD_DOWN == 1 && PAD_LEFT == 2 && PAD_RIGHT == 3);

// The key the game maps logical button i (0–5) to.
int buttonKey(int i) { return GAME_KEY_CONFIG[i]; }

const char* downOrUp(bool down) { return down ? "down" : "up"; }

void appendLine(std::string& out, uint32_t tick, const std::string& event)
{
    out += std::to_string(tick);
    out += ' ';
    out += event;
    out += '\n';
}

// The lines that take `before` to `after` at `tick`.
void appendChange(std::string& out, uint32_t tick, const RoundInput& before, const RoundInput& after)
{
    if (after.pointerKnown &&
        (!before.pointerKnown || after.pointerX != before.pointerX || after.pointerY != before.pointerY))
        appendLine(out, tick, "mouse " + std::to_string(after.pointerX) + " " + std::to_string(after.pointerY));
    else if (!after.pointerKnown && before.pointerKnown) appendLine(out, tick, "mouse none");
    if (after.leftDown != before.leftDown)
        appendLine(out, tick, std::string("button left ") + downOrUp(after.leftDown));
    if (after.rightDown != before.rightDown)
        appendLine(out, tick, std::string("button right ") + downOrUp(after.rightDown));
    for (int i = 0; i < RoundInput::BUTTONS; ++i)
        if (after.buttonHeld(i) != before.buttonHeld(i))
            appendLine(out, tick, "key " + virtualKeyName(buttonKey(i)) + " " + downOrUp(after.buttonHeld(i)));
    for (int d = 0; d < 4; ++d) {
        const bool held = ((after.stick >> d) & 1) != 0;
        if (held != (((before.stick >> d) & 1) != 0))
            appendLine(out, tick, "key " + virtualKeyName(StickKeys[d]) + " " + downOrUp(held));
    }
}

bool isRealDay(int64_t day)
{
    const int64_t year = day / 10000;
    const int64_t month = day / 100 % 100;
    const int64_t date = day % 100;
    if (month < 1 || month > 12 || date < 1) return false;
    constexpr int64_t Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return date <= Days[month - 1] + (month == 2 && leap ? 1 : 0);
}

// The keys a round reads, as a message lists them.
std::string roundKeys()
{
    std::string keys;
    for (int i = 0; i < RoundInput::BUTTONS; ++i) keys += virtualKeyName(buttonKey(i)) + " ";
    for (int key : StickKeys) keys += virtualKeyName(key) + " ";
    keys.pop_back();
    return keys;
}

// The header's lines in their order, as their messages show them.
constexpr const char* HeaderForms[] = {
    "vantorel-round VERSION",
    "rules VERSION",
    "random SEED DRAWN",
    "carried CHANGES",
    "cursor COLUMN ROW SHOWN HELD HELD HELD HELD MOUSE-KNOWN MOUSE-X MOUSE-Y",
    "music TRACK",
    "claim SCORE CHAIN",
    "day YYYYMMDD",
};

constexpr std::string_view nameOf(std::string_view form) { return form.substr(0, form.find(' ')); }

constexpr std::string_view FormatName = nameOf(HeaderForms[0]);

bool isHeaderName(const std::string& word)
{
    for (const char* form : HeaderForms)
        if (nameOf(form) == word) return true;
    return false;
}

// The line has the name and the number of words of `form`.
bool isHeaderLine(ScriptLine& line, std::string_view form)
{
    const std::string expected = "expected \"" + std::string(form) + "\"";
    if (line[0] != nameOf(form)) {
        line.fail(nameOf(form) == FormatName ? "not a round file: " + expected
                                             : expected + ", found \"" + line[0] + "\"");
        return false;
    }
    const size_t words = 1 + static_cast<size_t>(std::count(form.begin(), form.end(), ' '));
    return line.expectWords(words, std::string(form).c_str());
}

RoundFileRead refuse(const std::string& message)
{
    RoundFileRead refused;
    refused.status = RoundFileStatus::Refused;
    refused.message = message;
    return refused;
}

class RoundFileReader {
public:
    RoundFileRead read(std::string_view text);

private:
    // The header's lines, in their order.
    enum class Step { Format, Rules, Random, Carried, Cursor, Music, Claim, Day, Script };

    void readHeaderLine(ScriptLine& line);
    void readEvent(ScriptLine& line);
    void endTick();

    RoundFileRead result;
    Step step = Step::Format;
    ScriptReader reader{ScriptForms{MAX_ROUND_TICKS, true}};
    uint32_t tick = 0;        // the tick of the events being folded, 0 before the first
    RoundInput input;         // the input with the events so far
    RoundInput kept;          // the input of the last change kept
    bool otherRules = false;  // the rules line named other rules
};

RoundFileRead RoundFileReader::read(std::string_view text)
{
    if (text.size() > MAX_ROUND_FILE_BYTES)
        return refuse("the file is larger than " + std::to_string(MAX_ROUND_FILE_BYTES) + " bytes");
    int number = 0;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view lineText = text.substr(at, end - at);
        at = end + 1;
        const std::string where = "line " + std::to_string(++number) + ": ";
        if (number > MAX_ROUND_LINES) return refuse(where + "more than " + std::to_string(MAX_ROUND_LINES) + " lines");
        if (lineText.size() > MAX_ROUND_LINE_BYTES)
            return refuse(where + "longer than " + std::to_string(MAX_ROUND_LINE_BYTES) + " bytes");
        for (size_t i = 0; i < lineText.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(lineText[i]);
            const bool endingReturn = c == '\r' && i + 1 == lineText.size();
            if ((c < 0x20 && c != '\t' && !endingReturn) || c == 0x7f)
                return refuse(where + "a control character (" + std::to_string(c) + ")");
        }
        ScriptLine line(number, lineText);
        if (line.blank()) continue;
        if (step == Step::Day && line[0] != nameOf(HeaderForms[static_cast<int>(Step::Day)])) step = Step::Script;
        if (step != Step::Script) readHeaderLine(line);
        else if (isHeaderName(line[0])) line.fail("a \"" + line[0] + "\" line after the header");
        else readEvent(line);
        if (otherRules) return result;
        if (line.failed()) return refuse(line.error());
    }
    if (step < Step::Day)
        return refuse("line " + std::to_string(number + 1) + ": the file ends before its \"" +
                      std::string(nameOf(HeaderForms[static_cast<int>(step)])) + "\" line");
    endTick();
    result.status = RoundFileStatus::Read;
    return std::move(result);
}

void RoundFileReader::readHeaderLine(ScriptLine& line)
{
    RoundStart& start = result.recording.start;
    if (!isHeaderLine(line, HeaderForms[static_cast<int>(step)])) return;
    switch (step) {
    case Step::Format: {
        const int64_t version = line.wholeNumber(1, 1, INT32_MAX, "format version");
        if (!line.failed() && version != ROUND_FORMAT_VERSION)
            line.fail("a round file of format version " + std::to_string(version) + "; this game reads version " +
                      std::to_string(ROUND_FORMAT_VERSION));
        break;
    }
    case Step::Rules: {
        const int64_t rules = line.wholeNumber(1, 1, INT32_MAX, "rules version");
        if (!line.failed() && rules != RULES_VERSION) {
            otherRules = true;
            result.status = RoundFileStatus::OtherRules;
            result.message = "the round was played by the rules of version " + std::to_string(rules) +
                             "; this game has the rules of version " + std::to_string(RULES_VERSION);
        }
        break;
    }
    case Step::Random:
        start.seed = static_cast<uint32_t>(line.wholeNumber(1, 0, UINT32_MAX, "seed"));
        start.drawn = static_cast<uint64_t>(line.wholeNumber(2, 0, MAX_DRAWN_BEFORE_ROUND, "values drawn"));
        break;
    case Step::Carried:
        start.changeCount = static_cast<int32_t>(line.wholeNumber(1, 0, MaxCarried, "changes carried"));
        break;
    case Step::Cursor:
        start.cursorColumn = static_cast<int32_t>(line.wholeNumber(1, 0, 3, "cursor column"));
        start.cursorRow = static_cast<int32_t>(line.wholeNumber(2, 0, 3, "cursor row"));
        start.cursorShown = line.wholeNumber(3, 0, 1, "cursor shown") != 0;
        for (int i = 0; i < 4; ++i)
            start.cursorHeld[i] = static_cast<int32_t>(line.wholeNumber(4 + i, 0, MaxHeld, "cursor held"));
        start.cursorMouseKnown = line.wholeNumber(8, 0, 1, "cursor mouse known") != 0;
        start.cursorMouseX =
            static_cast<int32_t>(line.wholeNumber(9, -MousePositionLimit, MousePositionLimit, "cursor mouse x"));
        start.cursorMouseY =
            static_cast<int32_t>(line.wholeNumber(10, -MousePositionLimit, MousePositionLimit, "cursor mouse y"));
        break;
    case Step::Music: start.track = static_cast<int32_t>(line.wholeNumber(1, FirstTrack, LastTrack, "track")); break;
    case Step::Claim:
        result.recording.score = static_cast<int32_t>(line.wholeNumber(1, 0, MaxScore, "score"));
        result.recording.chain = static_cast<int32_t>(line.wholeNumber(2, 0, MaxChain, "chain"));
        break;
    case Step::Day: {
        const int64_t day = line.wholeNumber(1, FirstDay, LastDay, "day");
        if (!line.failed() && !isRealDay(day)) line.fail("day " + line[1] + " is not a date");
        start.day = static_cast<uint32_t>(day);
        break;
    }
    case Step::Script: break;
    }
    step = static_cast<Step>(static_cast<int>(step) + 1);
}

// Keeps the input the last tick's events left, when they changed it.
void RoundFileReader::endTick()
{
    if (tick == 0 || input == kept) return;
    result.recording.changes.push_back(InputChange{tick, input});
    kept = input;
}

void RoundFileReader::readEvent(ScriptLine& line)
{
    ScriptEvent event;
    if (!reader.read(line, event)) return;
    if (event.tick != tick) {
        endTick();
        tick = event.tick;
    }
    switch (event.kind) {
    case ScriptEvent::Kind::Mouse:
        input.pointerKnown = event.pointerKnown;
        input.pointerX = event.x;
        input.pointerY = event.y;
        return;
    case ScriptEvent::Kind::Button:
        (event.button == ScriptEvent::MouseButton::Left ? input.leftDown : input.rightDown) = event.down;
        return;
    case ScriptEvent::Kind::Key:
        for (int i = 0; i < RoundInput::BUTTONS; ++i)
            if (event.key == buttonKey(i)) {
                input.buttons = static_cast<uint8_t>(event.down ? input.buttons | 1u << i : input.buttons & ~(1u << i));
                return;
            }
        for (int d = 0; d < 4; ++d)
            if (event.key == StickKeys[d]) {
                input.stick = static_cast<uint8_t>(event.down ? input.stick | 1u << d : input.stick & ~(1u << d));
                return;
            }
        line.fail("key " + line[2] + " is not one a round reads (" + roundKeys() + ")");
        return;
    case ScriptEvent::Kind::Focus:
    case ScriptEvent::Kind::Stall:
    case ScriptEvent::Kind::Close: break;
    }
    line.fail("a round file has no \"" + line[1] + "\" events (mouse, button or key)");
}

}  // namespace

std::string formatRoundFile(const RoundRecording& recording)
{
    const RoundStart& start = recording.start;
    std::string out;
    out += std::string(FormatName) + " " + std::to_string(ROUND_FORMAT_VERSION) + "\n";
    out += "rules " + std::to_string(RULES_VERSION) + "\n";
    out += "random " + std::to_string(start.seed) + " " + std::to_string(start.drawn) + "\n";
    out += "carried " + std::to_string(start.changeCount) + "\n";
    out += "cursor " + std::to_string(start.cursorColumn) + " " + std::to_string(start.cursorRow) + " " +
           std::to_string(start.cursorShown ? 1 : 0);
    // Appended part by part: GCC 12 takes `" " + std::to_string(...)` for an
    // overlapping copy (-Wrestrict) in the 32-bit Windows build.
    for (int32_t held : start.cursorHeld) {
        out += ' ';
        out += std::to_string(held);
    }
    out += ' ';
    out += std::to_string(start.cursorMouseKnown ? 1 : 0) + " " + std::to_string(start.cursorMouseX) + " " +
           std::to_string(start.cursorMouseY) + "\n";
    out += "music " + std::to_string(start.track) + "\n";
    out += "claim " + std::to_string(recording.score) + " " + std::to_string(recording.chain) + "\n";
    if (start.day != 0) out += "day " + std::to_string(start.day) + "\n";
    RoundInput before;
    for (const InputChange& change : recording.changes) {
        appendChange(out, change.tick, before, change.input);
        before = change.input;
    }
    return out;
}

RoundFileRead parseRoundFile(const std::string& text) { return RoundFileReader().read(text); }
