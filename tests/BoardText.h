// Boards written as nine rows of nine characters: '.' a free cell, '1'..'6' a ball of that kind.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>

#include "game/GameState.h"

namespace qvtest {

// Makes Board 0..9 by 0..9 as a game start does and fills rows 1..9 from the text.
inline void SetBoard(std::initializer_list<const char*> rows) {
    qv::BoardWidth = 9;
    qv::BoardHeight = 9;
    qv::Board.Create(0, 9, 0, 9);
    int y = 1;
    for (const char* row : rows) {
        for (int x = 1; x <= 9 && row[x - 1] != 0; ++x) {
            const char c = row[x - 1];
            qv::Board(x, y) = (c >= '1' && c <= '6') ? static_cast<qv::Integer>(c - '0') : 0;
        }
        ++y;
    }
}

inline QString BoardText(const qv::Grid& grid) {
    QStringList rows;
    for (int y = 1; y <= 9; ++y) {
        QString row;
        for (int x = 1; x <= 9; ++x)
            row += grid(x, y) == 0 ? QChar('.') : QChar('0' + grid(x, y));
        rows << row;
    }
    return rows.join('\n');
}

inline int CountBalls() {
    int n = 0;
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            n += qv::Board(x, y) > 0;
    return n;
}

}  // namespace qvtest
