// TickRecord.cpp — the JSON line of a tick. Numbers go through to_chars, which
// is independent of the C locale, so the bytes are the same on every machine.
#include "TickRecord.h"

#include <charconv>
#include <cmath>

namespace replay {

namespace {

// A float's fraction has at most 149 decimal places (the smallest subnormal is
// 2^-149), so this precision prints every float exactly.
constexpr int FloatFractionDigits = 149;

class JsonLine {
public:
    JsonLine() { text_ = "{"; }

    void key(const char* name)
    {
        if (text_.size() > 1) text_ += ',';
        text_ += '"';
        text_ += name;
        text_ += "\":";
    }
    void integer(int64_t value)
    {
        char digits[24];
        // Room for every int64_t, so the conversion cannot fail.
        const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
        text_.append(digits, written.ptr);
    }
    void boolean(bool value) { text_ += value ? "true" : "false"; }
    void raw(const std::string& value) { text_ += value; }

    void field(const char* name, int64_t value)
    {
        key(name);
        integer(value);
    }
    void flag(const char* name, bool value)
    {
        key(name);
        boolean(value);
    }
    template <typename Int> void list(const char* name, const std::vector<Int>& values)
    {
        key(name);
        text_ += '[';
        for (size_t i = 0; i < values.size(); ++i) {
            if (i) text_ += ',';
            integer(values[i]);
        }
        text_ += ']';
    }

    std::string finish() { return text_ + "}\n"; }

private:
    std::string text_;
};

std::string musicList(const std::vector<MusicEvent>& events)
{
    std::string text = "[";
    for (const MusicEvent& event : events) {
        if (text.size() > 1) text += ',';
        text += event.start ? "{\"event\":\"start\",\"id\":" : "{\"event\":\"stop\",\"id\":";
        text += std::to_string(event.id);
        text += ",\"level\":";
        text += event.level ? std::to_string(*event.level) : "null";
        text += '}';
    }
    return text + "]";
}

}  // namespace

std::string exactDecimal(float value)
{
    if (!std::isfinite(value)) return "null";
    char digits[FloatFractionDigits + 64];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, static_cast<double>(value),
                                                       std::chars_format::fixed, FloatFractionDigits);
    std::string text(digits, written.ptr);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string traceLine(const TickRecord& r)
{
    JsonLine line;
    line.field("tick", r.tick);
    line.flag("drawn", r.drawn);
    line.flag("playing", r.playing);
    line.field("overlayOffset", r.overlayOffset);
    line.list("board", r.board);
    line.list("shownBoard", r.shownBoard);
    line.list("shrink", r.shrink);
    line.field("phase", r.phase);
    line.field("timeLeft", r.timeLeft);
    line.field("gravity", r.gravity);
    line.key("gravityAngle");
    line.raw(exactDecimal(r.gravityAngle));
    line.flag("leftHeld", r.leftHeld);
    line.flag("rightHeld", r.rightHeld);
    line.flag("wildPresent", r.wildPresent);
    line.field("changeCount", r.changeCount);
    line.field("chain", r.chain);
    line.field("score", r.score);
    line.field("arrowShiftX", r.arrowShiftX);
    line.field("arrowShiftY", r.arrowShiftY);
    line.field("arrowPulse", r.arrowPulse);
    line.field("shownScore", r.shownScore);
    line.list("scoreDigits", r.scoreDigits);
    line.list("timeDigits", r.timeDigits);
    line.list("chainDigits", r.chainDigits);
    line.list("effects", r.effects);
    line.key("music");
    line.raw(musicList(r.music));
    return line.finish();
}

}  // namespace replay
