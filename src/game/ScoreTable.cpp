// ScoreTable.cpp — the table's text form and its order. An entry is read
// strictly (digits where digits belong, a real calendar shape), so a line
// damaged by a crash of a foreign editor or a bad disk is set aside rather
// than misread.
#include "game/ScoreTable.h"

#include <algorithm>
#include <limits>
#include <sstream>

namespace {

// A round's score stops at the largest 32-bit value: the table reads back
// whatever a round can reach, and the chain's whole range too.
constexpr int32_t MaxScore = std::numeric_limits<int32_t>::max();
constexpr int32_t MaxChain = std::numeric_limits<int32_t>::max();
constexpr size_t MaxDigits = 10;
const std::string RoundField = "round=";
const std::string RoundPrefix = "round-";
const std::string RoundSuffix = ".txt";
constexpr size_t MaxRoundNameMiddle = 64;

bool readNumber(const std::string& word, int32_t limit, int32_t& value)
{
    if (word.empty() || word.size() > MaxDigits || (word.size() > 1 && word[0] == '0')) return false;
    int64_t n = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    if (n > limit) return false;
    value = static_cast<int32_t>(n);
    return true;
}

// "dddd-dd-dd" or "dd:dd:dd" with each part in its range.
bool readStamp(const std::string& word, char separator, const int (&lowest)[3], const int (&highest)[3])
{
    const size_t first = word.size() == 10 ? 4 : 2;
    if (word.size() != first + 6 || word[first] != separator || word[first + 3] != separator) return false;
    const size_t starts[3] = {0, first + 1, first + 4};
    const size_t lengths[3] = {first, 2, 2};
    for (int i = 0; i < 3; ++i) {
        int32_t part = 0;
        const std::string digits = word.substr(starts[i], lengths[i]);
        for (char c : digits)
            if (c < '0' || c > '9') return false;
        part = std::stoi(digits);
        if (part < lowest[i] || part > highest[i]) return false;
    }
    return true;
}

bool readEntry(const std::string& line, ScoreEntry& entry)
{
    std::istringstream in(line);
    std::string score, chain;
    if (!(in >> score >> chain >> entry.date >> entry.time)) return false;
    if (!readNumber(score, MaxScore, entry.score) || entry.score <= 0) return false;
    if (!readNumber(chain, MaxChain, entry.chain)) return false;
    if (!readStamp(entry.date, '-', {1970, 1, 1}, {9999, 12, 31})) return false;
    if (!readStamp(entry.time, ':', {0, 0, 0}, {23, 59, 60})) return false;
    // The extra fields are kept without the blanks around them (a stray
    // carriage return included), so that they read back as they are written.
    std::getline(in, entry.extra);
    const size_t start = entry.extra.find_first_not_of(" \t\r");
    entry.extra =
        start == std::string::npos ? "" : entry.extra.substr(start, entry.extra.find_last_not_of(" \t\r") - start + 1);
    entry.round.clear();
    if (entry.extra.rfind(RoundField, 0) == 0) {
        const size_t end = std::min(entry.extra.find_first_of(" \t"), entry.extra.size());
        const std::string name = entry.extra.substr(RoundField.size(), end - RoundField.size());
        if (isRoundFileName(name)) {
            entry.round = name;
            const size_t rest = entry.extra.find_first_not_of(" \t", end);
            entry.extra = rest == std::string::npos ? "" : entry.extra.substr(rest);
        }
    }
    return true;
}

bool readVersion(const std::string& line, int& version)
{
    std::istringstream in(line);
    std::string header, number, rest;
    int32_t value = 0;
    if (!(in >> header >> number) || (in >> rest) || header != ScoreTable::HEADER) return false;
    if (!readNumber(number, 999, value) || value < 1) return false;
    version = value;
    return true;
}

}  // namespace

bool isRoundFileName(const std::string& name)
{
    const size_t ends = RoundPrefix.size() + RoundSuffix.size();
    if (name.size() <= ends || name.size() > ends + MaxRoundNameMiddle) return false;
    if (name.rfind(RoundPrefix, 0) != 0 ||
        name.compare(name.size() - RoundSuffix.size(), RoundSuffix.size(), RoundSuffix) != 0)
        return false;
    return std::all_of(name.begin() + RoundPrefix.size(), name.end() - RoundSuffix.size(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; });
}

void ScoreTable::parse(const std::string& text)
{
    entries.clear();
    badLines.clear();
    version = VERSION;
    std::istringstream in(text);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        int readVersionNumber = 0;
        if (first && readVersion(line, readVersionNumber)) {
            version = std::max(version, readVersionNumber);
            first = false;
            continue;
        }
        first = false;
        ScoreEntry entry;
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        if (readEntry(line, entry)) entries.push_back(entry);
        else badLines.push_back(line);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
    if (entries.size() > static_cast<size_t>(TABLE_SIZE)) entries.resize(TABLE_SIZE);
}

std::string ScoreTable::format() const
{
    std::ostringstream out;
    out << HEADER << ' ' << version << '\n';
    for (const ScoreEntry& e : entries) {
        out << e.score << ' ' << e.chain << ' ' << e.date << ' ' << e.time;
        if (!e.round.empty()) out << ' ' << RoundField << e.round;
        if (!e.extra.empty()) out << ' ' << e.extra;
        out << '\n';
    }
    return out.str();
}

int ScoreTable::insert(const ScoreEntry& entry)
{
    const auto place =
        std::find_if(entries.begin(), entries.end(), [&](const ScoreEntry& e) { return e.score < entry.score; });
    const auto index = place - entries.begin();
    if (index >= TABLE_SIZE) return 0;
    entries.insert(place, entry);
    if (entries.size() > static_cast<size_t>(TABLE_SIZE)) entries.resize(TABLE_SIZE);
    return static_cast<int>(index) + 1;
}
