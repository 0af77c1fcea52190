// Boards for tests, written as rows of up to nine characters ('.' free, '1'..'6' a ball of that
// kind), and the rules worked out independently of the game's code: plain breadth-first
// distances and a finder of maximal runs.
#pragma once

#include <QStringList>
#include <array>
#include <deque>
#include <utility>

#include "game/GameState.h"

namespace qvtest {

using qv::Grid;

inline void SetBoard(const QStringList& rows) {
    qv::BoardWidth = qv::BoardHeight = 9;
    qv::Board.Create(0, 9, 0, 9);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            qv::Board(x + 1, y + 1) =
                rows[y][x] == '.' ? 0 : qv::Integer(rows[y][x].unicode() - '0');
}

inline int CountBalls(const Grid& board = qv::Board) {
    int n = 0;
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            n += board(x, y) > 0;
    return n;
}

inline bool OnBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

// Steps over free cells from (fromX, fromY) to every cell; -1 where unreachable.
inline std::array<std::array<int, 10>, 10> DistancesFrom(const Grid& board, int fromX, int fromY) {
    std::array<std::array<int, 10>, 10> dist;
    for (auto& column : dist)
        column.fill(-1);
    std::deque<std::pair<int, int>> queue{{fromX, fromY}};
    dist[fromX][fromY] = 0;
    for (; !queue.empty(); queue.pop_front()) {
        const auto [x, y] = queue.front();
        for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
            if (OnBoard(nx, ny) && dist[nx][ny] < 0 && board(nx, ny) == 0) {
                dist[nx][ny] = dist[x][y] + 1;
                queue.push_back({nx, ny});
            }
        }
    }
    return dist;
}

struct Runs {
    Grid marks{0, 9, 0, 9};  // every ball of a run of five or more
    int removed = 0;
    qv::Integer lastKind = 0;  // kind of the last marked ball in row order
    Grid after;                // the board without them
};

inline Runs FindRuns(const Grid& board) {
    Runs r;
    for (const auto& [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                const qv::Integer kind = board(x, y);
                if (kind == 0 || (OnBoard(x - dx, y - dy) && board(x - dx, y - dy) == kind))
                    continue;  // empty, or inside a run already walked
                int length = 0;
                while (OnBoard(x + dx * length, y + dy * length) &&
                       board(x + dx * length, y + dy * length) == kind)
                    ++length;
                for (int k = 0; length >= 5 && k < length; ++k)
                    r.marks(x + dx * k, y + dy * k) = 1;
            }
        }
    }
    r.after = board;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            if (r.marks(x, y)) {
                ++r.removed;
                r.lastKind = std::exchange(r.after(x, y), 0);
            }
        }
    }
    return r;
}

}  // namespace qvtest
