#include "game/LineCheck.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "game/GameState.h"
#include "game/MainWindowControls.h"

namespace qv {

namespace {

struct Direction {
    int dx;
    int dy;
};

// Row, diagonal rising to the right, column, diagonal falling to the right (y grows downwards).
constexpr std::array<Direction, 4> kDirections{{{1, 0}, {1, -1}, {0, 1}, {1, 1}}};

constexpr int kBoardCells = 81;

// No run on a 9 by 9 board reaches further than 8 cells from a ball, so the board is copied into
// the middle of a margin that wide, which never matches a kind: counting never leaves the copy.
constexpr int kMargin = 8;
constexpr int kStride = 9 + 2 * kMargin;
constexpr int kPadded = kStride * kStride;

int At(int x, int y) {
    return (y - 1 + kMargin) * kStride + (x - 1 + kMargin);
}

// The number of balls of `kind` that follow position p in steps of `step`, up to `limit`: the
// count stops at the first cell of another kind, an empty cell or the edge.
int Reach(const std::array<std::int8_t, kPadded>& cells, int p, int step, int kind, int limit) {
    int k = 1;
    while (k <= limit && cells[static_cast<std::size_t>(p + k * step)] == kind)
        ++k;
    return k - 1;
}

// The score box holds the running score as plain decimal digits.
QString ScoreText(double score) {
    if (std::fabs(score) < 1e15 && score == std::trunc(score))
        return QString::number(static_cast<long long>(score));
    return QString::number(score, 'g', 15);
}

}  // namespace

std::int16_t CheckLines() {
    NoLineFound = true;
    std::int16_t result = 0;
    LineMarks.Create(0, 9, 0, 9);
    int occupied = 0;

    std::array<std::int8_t, kPadded> cells;
    std::memset(cells.data(), -1, cells.size());
    for (int y = 1; y <= BoardHeight; ++y) {
        for (int x = 1; x <= BoardWidth; ++x)
            cells[static_cast<std::size_t>(At(x, y))] = static_cast<std::int8_t>(Board(x, y));
    }
    const int limit = std::min<int>(LineLength, kMargin);

    // Every ball is looked at as the centre of a run in each direction, so a run is found once for
    // each of its balls; its marks are simply set again. The scan runs row by row, so the kind
    // returned is that of the last marked ball in row order.
    for (int y = 1; y <= BoardHeight; ++y) {
        for (int x = 1; x <= BoardWidth; ++x) {
            const int kind = Board(x, y);
            if (kind <= 0)
                continue;
            ++occupied;
            const int p = At(x, y);
            for (const Direction& d : kDirections) {
                const int step = d.dy * kStride + d.dx;
                const int forward = Reach(cells, p, step, kind, limit);
                const int backward = Reach(cells, p, -step, kind, limit);
                if (1 + forward + backward >= LineLength) {
                    result = static_cast<std::int16_t>(kind);
                    NoLineFound = false;
                    for (int k = 0; k <= forward; ++k)
                        LineMarks(x + d.dx * k, y + d.dy * k) = 1;
                    for (int k = 0; k <= backward; ++k)
                        LineMarks(x - d.dx * k, y - d.dy * k) = 1;
                }
            }
        }
    }

    if (NoLineFound) {
        if (occupied == kBoardCells)
            GameOver = true;
        return 0;
    }

    int removed = 0;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            if (LineMarks(x, y) == 1) {
                Board(x, y) = 0;
                ++removed;
            }
        }
    }

    platform::TextControl& score = MainControls().ResultBox(0);
    score.SetText(ScoreText(score.Text().toDouble() + removed));
    return result;
}

}  // namespace qv
