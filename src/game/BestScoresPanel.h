// BestScoresPanel.h — the best scores on the waiting screen: a plaque under
// the start banner with the best score, a badge with the place of the round
// just played when it made the table ("NEW BEST!", "3RD PLACE"...), a hint
// to open the table, and the whole table (place, score, chain, date) over
// the board, with the entry the player has chosen to watch framed; the table
// of the round of the day is the same table under its own heading and footer.
// Everything comes from one atlas, "DATA/UI/BestScores.png", the score digits
// of "DATA/number.png", the chosen row's frame, "DATA/UI/chosen.png", and the
// day's heading and footer, "DATA/UI/daytable.png".
// Limits: draws only; the scene decides when. Main thread only. Depends on:
// orvSprite, ScoreTable.
#pragma once

#include <cstdint>
#include <string>

class ScoreTable;
class orvSprite;

// Which table drawTable shows: the best scores or the round of the day's.
enum class TableKind { Best, Day };

class BestScoresPanel {
public:
    BestScoresPanel();
    ~BestScoresPanel();
    BestScoresPanel(const BestScoresPanel&) = delete;
    BestScoresPanel& operator=(const BestScoresPanel&) = delete;

    // `place` is the last round's place from 1, or 0 when it made none.
    // The plaque: nothing while the table is empty.
    void drawBest(const ScoreTable& table, int place);
    // `chosen` is the index of the entry to frame, from 0, or -1 for none; an
    // index with no entry in the table frames nothing. `kind` names the
    // heading and what the footer says Tab does.
    void drawTable(const ScoreTable& table, int place, int chosen = -1, TableKind kind = TableKind::Best);
    // The table's row under the back-buffer point (x, y), from 0, where
    // drawTable draws the rows; -1 between the rows and outside them. Rows
    // past the table's entries show a dash: the caller checks the index
    // against the entries it holds.
    int entryAt(int32_t x, int32_t y) const;

    orvSprite* atlas;
    orvSprite* digits;
    orvSprite* chosenFrame;
    orvSprite* dayParts;

private:
    // A line of the atlas's glyphs ("0123456789-:.", a space leaves a gap)
    // with its first cell at (x, y).
    void drawGlyphs(const std::string& text, int x, int y, int style);
    void drawGlyphsRight(const std::string& text, int right, int y, int style);
};
