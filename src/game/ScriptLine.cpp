// ScriptLine.cpp — splitting a script line into words and checking them.
#include "game/ScriptLine.h"

#include <charconv>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

ScriptLine::ScriptLine(int number, std::string_view text) : lineNumber(number)
{
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    size_t at = 0;
    for (;;) {
        while (at < text.size() && isBlank(text[at])) ++at;
        if (at == text.size() || text[at] == '#') break;
        const size_t start = at;
        while (at < text.size() && !isBlank(text[at])) ++at;
        words.emplace_back(text.substr(start, at - start));
    }
}

void ScriptLine::fail(const std::string& what)
{
    if (fault.empty()) fault = "line " + std::to_string(lineNumber) + ": " + what;
}

bool ScriptLine::expectWords(size_t count, const char* form)
{
    if (words.size() == count) return true;
    fail(std::string("expected \"") + form + "\"");
    return false;
}

int64_t ScriptLine::wholeNumber(size_t i, int64_t low, int64_t high, const char* what)
{
    if (failed() || i >= words.size()) return low;
    const std::string& word = words[i];
    int64_t value = 0;
    const char* end = word.data() + word.size();
    auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc() || stop != end) {
        fail(std::string(what) + " \"" + word + "\" is not a whole number");
        return low;
    }
    if (value < low || value > high) {
        fail(std::string(what) + " " + word + " is outside " + std::to_string(low) + "–" + std::to_string(high));
        return low;
    }
    return value;
}

bool ScriptLine::downOrUp(size_t i)
{
    if (failed() || i >= words.size()) return false;
    if (words[i] == "down") return true;
    if (words[i] != "up") fail("expected down or up, found \"" + words[i] + "\"");
    return false;
}
