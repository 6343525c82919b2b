// settings_fuzz.cpp — libFuzzer target for the settings file's text form:
// any bytes read as settings and written back unchanged read the same, and
// with every key changed (as the input's first byte says) read as changed,
// with the same lines not understood as before and every line without a
// known key kept verbatim and in order; a file from another version is
// never written. Links vt_app.
#include "app/Settings.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool sameValues(const Settings& a, const Settings& b)
{
    return a.volume == b.volume && a.mute == b.mute && a.fullscreen == b.fullscreen;
}

// A line that may set one of the keys this version knows.
bool mayBeAKey(const std::string& line)
{
    const size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos) return false;
    for (const char* key : {"volume", "mute", "fullscreen"})
        if (line.compare(start, std::string(key).size(), key) == 0) return true;
    return false;
}

// Reads what `original` became after a merge into `written` and checks it.
void checkWritten(const std::string& original, const std::string& written, const Settings& expected,
                  const std::vector<std::string>& bad)
{
    Settings back;
    if (back.parse(written) != bad || !sameValues(back, expected)) __builtin_trap();
    std::string again;
    if (!back.merge(written, again) || again != written) __builtin_trap();
    // Every line that sets no known key is still there, in the same order.
    const std::vector<std::string> after = linesOf(written);
    size_t at = 0;
    for (const std::string& line : linesOf(original)) {
        if (mayBeAKey(line) || line.find_first_not_of(" \t\r") == std::string::npos) continue;
        while (at < after.size() && after[at] != line) ++at;
        if (at == after.size()) __builtin_trap();
        ++at;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Settings read;
    const std::vector<std::string> bad = read.parse(text);
    if (read.volume < 0 || read.volume > 100) __builtin_trap();
    std::string written;
    if (!read.merge(text, written)) {
        // Another version's file: nothing this copy changes is written into it.
        Settings changed = read;
        changed.volume = 100 - changed.volume;
        if (changed.merge(text, written)) __builtin_trap();
        return 0;
    }
    checkWritten(text, written, read, bad);

    const uint8_t which = size > 0 ? data[0] : 0;
    Settings changed = read;
    if (which & 1) changed.volume = (changed.volume + 10 + which) % 101;
    if (which & 2) changed.mute = !changed.mute;
    if (which & 4) changed.fullscreen = !changed.fullscreen;
    if (!changed.merge(text, written)) __builtin_trap();
    checkWritten(text, written, changed, bad);
    return 0;
}
