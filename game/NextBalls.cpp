#include "game/NextBalls.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>

#include "app/Wait.h"
#include "game/GameState.h"
#include "game/MainWindowControls.h"
#include "platform/Runtime.h"
#include "view/BallColor.h"
#include "view/BallMarks.h"

namespace qv {

namespace {

constexpr int kBallsPerMove = 3;
constexpr int kKinds = 6;

// floor(r * n + 1): a whole number from 1 to n for r in [0, 1). Kept in range should the
// generator ever hand out 1 itself.
int Pick(double r, int n) {
    const int j = static_cast<int>(std::floor(r * n + 1));
    return std::clamp(j, 1, n);
}

}  // namespace

void PickNextBalls() {
    platform::CanvasControl& preview = MainControls().PreviewPicture();
    preview.Clear();
    platform::Reseed();
    for (int i = 1; i <= kBallsPerMove; ++i) {
        const auto kind = static_cast<std::int16_t>(Pick(platform::Random(), kKinds));
        NextBalls[i - 1] = kind;
        preview.SetPenWidth(platform::RoundToInt16(0.8 * BallSize));
        const CellPos at = PreviewPoints[i - 1];
        DrawBallDot(preview, at.x, at.y, BallColor(kind));
    }
}

CellPos ChooseFreeCell(double r) {
    // The free cells in scan order at positions 1..n; position 0 is never chosen.
    std::array<CellPos, 82> freeList;
    int n = 0;
    for (int y = 1; y <= BoardHeight; ++y) {
        for (int x = 1; x <= BoardWidth; ++x) {
            if (Board(x, y) == 0)
                freeList[static_cast<std::size_t>(++n)] =
                    CellPos{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
        }
    }
    return freeList[static_cast<std::size_t>(Pick(r, n))];
}

void PlaceNewBalls() {
    int freeCells = 0;
    for (int y = 1; y <= BoardHeight; ++y) {
        for (int x = 1; x <= BoardWidth; ++x) {
            if (Board(x, y) == 0)
                ++freeCells;
        }
    }
    // The room is checked once: when it suffices, all three balls are placed even if they fill
    // the board.
    if (freeCells < kBallsPerMove) {
        GameOver = true;
        GameInProgress = false;
        return;
    }

    MainWindowControls& main = MainControls();
    platform::CanvasControl& board = main.BoardPicture();
    for (int k = 1; k <= kBallsPerMove; ++k) {
        platform::Reseed();
        const CellPos cell = ChooseFreeCell(platform::Random());
        const std::int16_t kind = NextBalls[k - 1];
        Board(cell.x, cell.y) = kind;

        // The ball grows in two steps: half the normal width, then the full width.
        for (int t = 1; t <= 2; ++t) {
            board.SetPenWidth(platform::RoundToInt16(BallSize / 2.0 * t));
            DrawBallDot(board, cell.x - 0.5, cell.y - 0.5, BallColor(kind));
            main.RepaintNow();
            Pause(0.1);
        }
    }

    BallSelected = false;
    PickNextBalls();
    ++MoveCount;
    main.MovesBox().SetText(QString::number(MoveCount));
}

}  // namespace qv
