#include "view/MoveAnimation.h"

#include <array>

#include "app/Wait.h"
#include "game/GameState.h"
#include "game/MainWindowControls.h"
#include "view/BallMarks.h"
#include "view/Layout.h"

namespace qv {

namespace {

// Right, up, left, down: the first neighbour in this order that is one step nearer to the start
// is the cell the ball came from.
constexpr std::array<CellPos, 4> kNeighbours{{{1, 0}, {0, -1}, {-1, 0}, {0, 1}}};

// A route never visits a cell twice: at most 81 cells of the board.
constexpr int kMaxSteps = 81;

constexpr int kSubSteps = 4;

}  // namespace

void AnimateMove(std::int16_t fromX, std::int16_t fromY, std::int16_t toX, std::int16_t toY,
                 std::int16_t n, platform::PackedColor colour) {
    if (n < 1 || n > kMaxSteps)
        return;

    // Entry i is the cell reached after i steps. Walking back from the target, the first
    // neighbour one step nearer to the start is taken.
    std::array<CellPos, kMaxSteps + 1> route{};
    route[0] = CellPos{fromX, fromY};
    route[static_cast<std::size_t>(n)] = CellPos{toX, toY};
    for (int k = n; k >= 2; --k) {
        const CellPos cell = route[static_cast<std::size_t>(k)];
        CellPos previous = cell;
        for (const CellPos& d : kNeighbours) {
            const int nx = cell.x + d.x;
            const int ny = cell.y + d.y;
            if (nx >= 1 && nx <= BoardWidth && ny >= 1 && ny <= BoardHeight &&
                PathGrid(nx, ny) == k - 1) {
                previous = CellPos{static_cast<std::int16_t>(nx), static_cast<std::int16_t>(ny)};
                break;
            }
        }
        route[static_cast<std::size_t>(k - 1)] = previous;
    }

    MainWindowControls& main = MainControls();
    platform::CanvasControl& board = main.BoardPicture();
    const std::int16_t enlarged = platform::RoundToInt16(BallSize * 1.2);

    Pause(0.1);
    for (int i = 0; i < n; ++i) {
        const CellPos a = route[static_cast<std::size_t>(i)];
        const CellPos b = route[static_cast<std::size_t>(i + 1)];
        const double fromCx = a.x - 0.5;
        const double fromCy = a.y - 0.5;
        const double deltaX = (b.x - a.x) / 4.0;
        const double deltaY = (b.y - a.y) / 4.0;
        for (int s = 1; s <= kSubSteps; ++s) {
            // The eraser has the enlarged width, so the selection mark of the start cell goes too.
            board.SetPenWidth(enlarged);
            board.DrawDot(fromCx + (s - 1) * deltaX, fromCy + (s - 1) * deltaY, BoardBackColor);
            board.SetPenWidth(BallSize);
            DrawBallDot(board, fromCx + s * deltaX, fromCy + s * deltaY, colour);
            main.RepaintNow();
            Pause(0.02);
        }
        // The erasers cut into the grid lines the ball crossed.
        DrawInnerGridLines();
    }
}

}  // namespace qv
