// Settings.cpp — the settings file's text form, merging a change into it,
// and when and where it is written.
#include "app/Settings.h"

#include "app/FrameClock.h"
#include "app/SaveFile.h"
#include "app/SaveFolders.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sstream>

Settings settings;

namespace {

enum Key { Volume, Mute, Fullscreen };
const char* const KeyNames[Settings::KEY_COUNT] = {"volume", "mute", "fullscreen"};

// At exit a write under way is waited for this long, and a lock another
// copy holds is tried this often, this far apart.
constexpr unsigned int ExitWriteWaitMs = 5000;
constexpr int ExitLockAttempts = 10;
constexpr DWORD ExitLockPauseMs = 20;

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool readSwitch(const std::string& value, bool& on)
{
    if (value == "yes") on = true;
    else if (value == "no") on = false;
    else return false;
    return true;
}

bool readVolume(const std::string& value, int& volume)
{
    if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != std::string::npos) return false;
    const int level = std::stoi(value);
    if (level > 100) return false;
    volume = level;
    return true;
}

bool readValue(Settings& into, int key, const std::string& value)
{
    switch (key) {
    case Volume: return readVolume(value, into.volume);
    case Mute: return readSwitch(value, into.mute);
    default: return readSwitch(value, into.fullscreen);
    }
}

std::string valueText(const Settings& from, int key)
{
    switch (key) {
    case Volume: return std::to_string(from.volume);
    case Mute: return from.mute ? "yes" : "no";
    default: return from.fullscreen ? "yes" : "no";
    }
}

// The file as lines, and what they set.
struct SettingsLines {
    std::vector<std::string> lines;                     // verbatim, without their '\n'
    bool blank = true;                                  // no line with anything on it
    bool header = false;                                // the first such line is the version line
    bool writable = true;                               // no version line, or one of a version this one writes
    int valueLine[Settings::KEY_COUNT] = {-1, -1, -1};  // the line whose value counts
    std::vector<std::string> bad;
};

// "vantorel-settings N": sets `writable` when N is a version this one writes.
bool readHeader(const std::string& content, bool& writable)
{
    const size_t length = std::strlen(Settings::HEADER);
    if (content.compare(0, length, Settings::HEADER) != 0 ||
        (content.size() > length && content[length] != ' ' && content[length] != '\t'))
        return false;
    const std::string number = trimmed(content.substr(length));
    writable = !number.empty() && number.size() <= 3 && number.find_first_not_of("0123456789") == std::string::npos &&
               std::stoi(number) <= Settings::VERSION;
    return true;
}

SettingsLines readLines(const std::string& text, Settings& into)
{
    SettingsLines file;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) file.lines.push_back(line);
    for (size_t i = 0; i < file.lines.size(); ++i) {
        std::string line = file.lines[i];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string content = trimmed(line);
        if (content.empty()) continue;
        const bool first = file.blank;
        file.blank = false;
        if (first && readHeader(content, file.writable)) {
            file.header = true;
            continue;
        }
        if (content[0] == '#') continue;
        const size_t equals = content.find('=');
        const std::string key = equals == std::string::npos ? "" : trimmed(content.substr(0, equals));
        if (key.empty()) {
            file.bad.push_back(line);
            continue;
        }
        const auto known = std::find(std::begin(KeyNames), std::end(KeyNames), key) - std::begin(KeyNames);
        if (known == Settings::KEY_COUNT) continue;  // another version's key: kept as it stands
        if (readValue(into, static_cast<int>(known), trimmed(content.substr(equals + 1))))
            file.valueLine[known] = static_cast<int>(i);
        else file.bad.push_back(line);
    }
    return file;
}

std::string pathIn(const std::string& folder) { return folder + "\\" + Settings::FILE_NAME + ".txt"; }

}  // namespace

Settings::Settings()
{
    for (int key = 0; key < KEY_COUNT; ++key) kept[key] = valueText(*this, key);
}

std::vector<std::string> Settings::parse(const std::string& text)
{
    std::vector<std::string> bad = readLines(text, *this).bad;
    for (int key = 0; key < KEY_COUNT; ++key) kept[key] = valueText(*this, key);
    return bad;
}

bool Settings::merge(const std::string& onDisk, std::string& text) const
{
    Settings scratch;
    SettingsLines file = readLines(onDisk, scratch);
    if (!file.writable) return false;
    std::vector<std::string>& lines = file.lines;
    if (file.blank) lines.clear();
    // New lines end as the file's first line does (a file kept with CRLF).
    const bool crlf = !lines.empty() && !lines[0].empty() && lines[0].back() == '\r';
    auto newLine = [crlf](std::string line) {
        if (crlf) line.push_back('\r');
        return line;
    };
    int shift = 0;
    if (!file.header) {
        lines.insert(lines.begin(), newLine(std::string(HEADER) + ' ' + std::to_string(VERSION)));
        shift = 1;
    }
    for (int key = 0; key < KEY_COUNT; ++key) {
        const std::string value = valueText(*this, key);
        if (!file.blank && value == kept[key]) continue;
        const std::string line = newLine(std::string(KeyNames[key]) + " = " + value);
        if (file.valueLine[key] >= 0) lines[file.valueLine[key] + shift] = line;
        else lines.push_back(line);
    }
    text.clear();
    for (const std::string& line : lines) text += line + '\n';
    return true;
}

bool Settings::changed() const
{
    for (int key = 0; key < KEY_COUNT; ++key)
        if (valueText(*this, key) != kept[key]) return true;
    return false;
}

void Settings::load()
{
    const std::string folder = saveFolders.settings(false);
    if (folder.empty()) return;
    std::string text;
    const std::string path = pathIn(folder);
    if (readSaveFile(path, text) != SaveRead::Read) return;
    const std::vector<std::string> bad = parse(text);
    if (!bad.empty())
        OutputDebugStringA(("Vantorel: " + path + ": " + std::to_string(bad.size()) +
                            " setting(s) not understood and left as they were, the first: \"" +
                            bad.front().substr(0, 80) + "\"\n")
                               .c_str());
    std::string unused;
    if (merge(text, unused)) return;
    OutputDebugStringA(("Vantorel: " + path +
                        " names a version of the game this one does not write (a newer one's?); it is read but "
                        "never written, so changes hold for this run only\n")
                           .c_str());
    troubleSaid = true;
}

Settings::Outcome Settings::save()
{
    const std::string folder = saveFolders.settings(true);
    const std::string path = pathIn(folder);
    DWORD error = ERROR_SUCCESS;
    std::string onDisk, text;
    bool saved = !folder.empty() && makeSaveFolder(folder, error);
    if (saved) {
        SaveLock lock(folder, FILE_NAME);
        if (!lock.held) return Outcome::Busy;
        const SaveRead read = readSaveFile(path, onDisk);
        if (read == SaveRead::Failed) error = GetLastError();
        if (read != SaveRead::Failed && !merge(onDisk, text)) {
            // A newer version's file: this run's changes stay in this run.
            for (int key = 0; key < KEY_COUNT; ++key) kept[key] = valueText(*this, key);
            if (!troubleSaid)
                OutputDebugStringA(("Vantorel: " + path + " is another version's; left as it is\n").c_str());
            troubleSaid = true;
            return Outcome::Refused;
        }
        saved = read != SaveRead::Failed && replaceSaveFile(path, text, error);
    }
    if (saved) {
        for (int key = 0; key < KEY_COUNT; ++key) kept[key] = valueText(*this, key);
        troubleSaid = false;
        return Outcome::Written;
    }
    if (!troubleSaid)
        OutputDebugStringA(
            ("Vantorel: the settings could not be saved in \"" + folder + "\" (error " + std::to_string(error) + ")\n")
                .c_str());
    troubleSaid = true;
    return Outcome::Refused;
}

namespace {

// The write under way on a thread of its own: the thread saves its own copy
// of the settings, which nothing else touches until the thread has ended.
// One at a time: the game has one Settings.
struct BackgroundWrite {
    Settings copy;
    HANDLE thread = nullptr;
};
BackgroundWrite* underWay = nullptr;
bool threadsRefused = false;  // once refused, the writes run in the loop's wait

DWORD WINAPI writeOnItsThread(LPVOID parameter)
{
    static_cast<BackgroundWrite*>(parameter)->copy.save();
    return 0;
}

}  // namespace

bool Settings::writeEnded(unsigned int waitMs)
{
    if (!underWay) return true;
    if (WaitForSingleObject(underWay->thread, waitMs) != WAIT_OBJECT_0) return false;
    CloseHandle(underWay->thread);
    // What the copy wrote is what the file now has; a change made meanwhile
    // stays a change.
    for (int key = 0; key < KEY_COUNT; ++key) kept[key] = underWay->copy.kept[key];
    troubleSaid = underWay->copy.troubleSaid;
    delete underWay;
    underWay = nullptr;
    return true;
}

bool Settings::writeWhenDue(unsigned int now, unsigned int msLeft)
{
    if (underWay) {
        if (!writeEnded(0)) return false;
        // Changed again meanwhile, or the write failed: a second later.
        waiting = changed();
        dueAt = now + WRITE_DELAY;
    }
    if (!changed()) {
        waiting = false;
        return false;
    }
    if (!waiting) {
        waiting = true;
        dueAt = now + WRITE_DELAY;
    }
    if (static_cast<int32_t>(now - dueAt) < 0) return false;
    if (!threadsRefused) {
        underWay = new BackgroundWrite{*this};
        underWay->thread = CreateThread(nullptr, 0, writeOnItsThread, underWay, 0, nullptr);
        if (underWay->thread) return true;
        delete underWay;
        underWay = nullptr;
        threadsRefused = true;
    }
    // No thread to be had: the write runs here, when the wait holds one as
    // long as the ones before.
    if (msLeft * 10 < std::min(expectedCost, LONGEST_COUNTED) + WRITE_MARGIN) return false;
    save();
    const unsigned int after = FrameClockNow();
    // A slow write raises the expectation at once; fast ones bring it down
    // by a quarter each.
    expectedCost = std::max(after - now, expectedCost - expectedCost / 4);
    waiting = changed();
    dueAt = after + WRITE_DELAY;
    return true;
}

void Settings::writeBeforeExit()
{
    if (!writeEnded(ExitWriteWaitMs)) {
        OutputDebugStringA("Vantorel: the settings were still being written at exit\n");
        return;
    }
    if (!changed()) return;
    for (int attempt = 1; save() == Outcome::Busy; ++attempt) {
        if (attempt == ExitLockAttempts) {
            OutputDebugStringA(
                "Vantorel: another copy of the game kept the settings locked; this run's changes "
                "were not saved\n");
            return;
        }
        Sleep(ExitLockPauseMs);
    }
}
