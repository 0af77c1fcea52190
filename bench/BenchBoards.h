// Boards the benchmarks play on.
#pragma once

#include "game/GameState.h"

namespace qvbench {

// A fresh game board (indexes 0..9), every cell free.
inline void EmptyBoard() {
    qv::BoardWidth = 9;
    qv::BoardHeight = 9;
    qv::LineLength = 5;
    qv::Board.Create(0, 9, 0, 9);
}

// Walls of balls across rows 2, 4, 6 and 8 with one gap each, at alternate ends: the longest
// route the board allows, from (1, 1) to (9, 9), 48 steps.
inline void SerpentineBoard() {
    EmptyBoard();
    for (int y = 2; y <= 8; y += 2) {
        const int gap = (y / 2) % 2 == 1 ? 9 : 1;
        for (int x = 1; x <= 9; ++x) {
            if (x != gap)
                qv::Board(x, y) = static_cast<std::int16_t>(1 + (x + y) % 6);
        }
    }
    qv::Board(1, 1) = 1;
}

// Every cell taken and no two neighbours in a line of the same kind: no run longer than one.
inline void FullBoardWithoutLine() {
    EmptyBoard();
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x)
            qv::Board(x, y) = static_cast<std::int16_t>(1 + (x + 2 * y) % 6);
    }
}

// A red row and a red column crossing at (8, 2), a green rising diagonal of six and a blue row
// of five, on an otherwise half-filled board: 9 + 8 + 6 + 5 balls go.
inline void CrossingLinesBoard() {
    EmptyBoard();
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            if ((x + y) % 2 == 0)
                qv::Board(x, y) = static_cast<std::int16_t>(4 + (x * y) % 3);
        }
    }
    for (int k = 1; k <= 9; ++k) {
        qv::Board(k, 2) = 1;
        qv::Board(8, k) = 1;
    }
    for (int k = 0; k < 6; ++k)
        qv::Board(1 + k, 8 - k) = 2;
    for (int k = 1; k <= 5; ++k)
        qv::Board(k, 9) = 3;
}

}  // namespace qvbench
