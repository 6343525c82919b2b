// scores_fuzz.cpp — libFuzzer target for the best scores' text form: any
// bytes read as a table, written and read again, give the same entries, no
// damaged line and the same text; a round inserted after that survives the
// same trip. Links vt_puzzle (the table itself needs nothing else).
#include "game/ScoreTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool sameEntries(const ScoreTable& a, const ScoreTable& b)
{
    if (a.entries.size() != b.entries.size() || a.version != b.version) return false;
    for (size_t i = 0; i < a.entries.size(); ++i) {
        const ScoreEntry& x = a.entries[i];
        const ScoreEntry& y = b.entries[i];
        if (x.score != y.score || x.chain != y.chain || x.date != y.date || x.time != y.time || x.extra != y.extra ||
            x.round != y.round)
            return false;
    }
    return true;
}

// Writes the table, reads it back and checks that nothing changed.
void roundTrip(const ScoreTable& table)
{
    const std::string written = table.format();
    ScoreTable again;
    again.parse(written);
    if (!again.badLines.empty() || !sameEntries(table, again) || again.format() != written) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ScoreTable table;
    table.parse(std::string(reinterpret_cast<const char*>(data), size));
    if (table.entries.size() > static_cast<size_t>(ScoreTable::TABLE_SIZE)) __builtin_trap();
    roundTrip(table);
    // A round of any score and chain the game can reach, as it would record it.
    auto number = [&](size_t at) {
        uint32_t n = 0;
        for (size_t i = at; i < at + 4 && i < size; ++i) n = n << 8 | data[i];
        return static_cast<int32_t>(n & 0x7fffffff);
    };
    table.insert(ScoreEntry{std::max(number(0), 1), number(4), "2026-01-01", "12:00:00", ""});
    roundTrip(table);
    return 0;
}
