// field_fixture.h — a PuzzleField in test mode with a seeded engine, boards
// written as pictures, and scripted mouse frames.
#pragma once

#include "game/PuzzleField.h"
#include "game/RoundInput.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

class FieldTest : public ::testing::Test {
protected:
    PuzzleField* field = nullptr;

    void SetUp() override
    {
        testmode::enable();
        testmode::reset();
        testmode::setWindowRect(RECT{100, 50, 1400, 1100});
        fieldRandom.seed(12345);
        field = new PuzzleField();
        field->resetRound();
    }
    void TearDown() override
    {
        delete field;
        field = nullptr;
    }

    // Rows top to bottom, one character per column: '.' empty, '1'–'5', 'W' wild.
    // Sets board and shownBoard alike, and wildPresent to match.
    void setBoard(const std::array<std::string, 4>& rows)
    {
        field->wildPresent = false;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                const char ch = rows[r][c];
                const int v = ch == '.' ? 0 : ch == 'W' ? PuzzleField::WILD : ch - '0';
                field->board[c * 4 + r] = v;
                field->shownBoard[c * 4 + r] = v;
                field->wildPresent = field->wildPresent || v == PuzzleField::WILD;
            }
    }

    std::array<std::string, 4> picture(const int32_t (&cells)[16]) const
    {
        std::array<std::string, 4> rows{"....", "....", "....", "...."};
        for (int k = 0; k < 16; ++k)
            rows[k % 4][k / 4] = cells[k] == 0 ? '.' : cells[k] == PuzzleField::WILD ? 'W' : char('0' + cells[k]);
        return rows;
    }

    // Counted cells of the evaluation's clear: the coloured cells emptied.
    int cellsEmptied() const
    {
        int n = 0;
        for (int k = 0; k < 16; ++k)
            n += field->board[k] == 0 && field->shownBoard[k] != 0 && field->shownBoard[k] != PuzzleField::WILD;
        return n;
    }

    // Mouse over the centre of cell (c, r), in the game's own coordinates.
    static void pointAt(int c, int r) { testmode::setMouse(256 * c + 128, 256 * r + 128); }

    // One frame with the given buttons held.
    bool frame(bool left = false, bool right = false)
    {
        testmode::setKey(VK_LBUTTON, left);
        testmode::setKey(VK_RBUTTON, right);
        roundInput = RoundInput::sample();
        return field->update();
    }
};
