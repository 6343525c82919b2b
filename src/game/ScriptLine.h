// ScriptLine.h — one line of a replay script (or of a round file) split into
// its words: blanks separate words, a word starting with # begins a comment
// that runs to the end of the line, a trailing carriage return is dropped.
// The checks on its words keep the first fault as a message naming the line
// ("line 3: ..."); a check after a fault changes nothing and gives a value
// within its limits, so a reader checks once, after its last word.
// Limits: the caller bounds the line's length. Depends on: nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ScriptLine {
public:
    ScriptLine(int number, std::string_view text);

    int number() const { return lineNumber; }
    bool blank() const { return words.empty(); }
    size_t size() const { return words.size(); }
    const std::string& operator[](size_t i) const { return words[i]; }

    // Keeps "line N: what" unless a fault came first.
    void fail(const std::string& what);
    bool failed() const { return !fault.empty(); }
    const std::string& error() const { return fault; }

    // Exactly `count` words, or the fault "expected \"form\"".
    bool expectWords(size_t count, const char* form);
    // Word i as a whole decimal number within [low, high]; `what` names it
    // in the message. Gives `low` on a fault.
    int64_t wholeNumber(size_t i, int64_t low, int64_t high, const char* what);
    // Word i as "down" (true) or "up".
    bool downOrUp(size_t i);

private:
    int lineNumber;
    std::vector<std::string> words;
    std::string fault;
};
