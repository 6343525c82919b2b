// ScoreTable.h — the ten best rounds: score, the highest chain of the round,
// and when it ended, best first. Its text form is one version line and one
// line per entry a person can read:
//
//     vantorel-scores 1
//     12340 3 2026-01-01 00:01:23
//
// An entry whose round is kept beside the table names its file right after
// the time, in a field of its own:
//
//     12340 3 2026-01-01 00:01:23 round=round-20260101-000123-12340.txt
//
// The name is a plain file name of the game's own making (see
// isRoundFileName); any other "round=" word (a path, "..", a control
// character, a name too long) is no link, and stays among the extra fields.
// A line may carry more fields after the time and the link (a newer
// version's); they are kept as they stand and written back. A line that
// cannot be read is kept aside in `badLines`, so that the good lines around
// it survive.
// Limits: no input or output here (see BestScores). Depends on: nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScoreEntry {
    int32_t score;
    int32_t chain;
    std::string date;        // "YYYY-MM-DD"
    std::string time;        // "HH:MM:SS"
    std::string extra;       // the fields after the time and the link, verbatim; usually empty
    std::string round = {};  // the name of the entry's round file beside the table; empty for none
};

// "round-" and 1 to 64 lower-case letters, digits and dashes, then ".txt":
// never a path, a device name or a name of the table's own files.
bool isRoundFileName(const std::string& name);

class ScoreTable {
public:
    static constexpr int TABLE_SIZE = 10;
    static constexpr int VERSION = 1;
    static constexpr const char* HEADER = "vantorel-scores";

    // Reads the text form; every line that is neither the first line's
    // version nor a good entry goes to `badLines` (blank lines are skipped).
    void parse(const std::string& text);
    std::string format() const;

    // Puts the entry in its place, after every entry with the same score (a
    // tie keeps the older entry first). Returns its place from 1, or 0 when
    // it does not make the table (which is then unchanged).
    int insert(const ScoreEntry& entry);

    int32_t best() const { return entries.empty() ? 0 : entries.front().score; }

    std::vector<ScoreEntry> entries;  // best first, at most TABLE_SIZE
    int version = VERSION;            // the version read, when newer than ours
    std::vector<std::string> badLines;
};
