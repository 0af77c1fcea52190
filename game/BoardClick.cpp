#include "game/BoardClick.h"

#include <algorithm>
#include <cmath>

#include "game/GameFlow.h"
#include "game/GameState.h"
#include "game/LineCheck.h"
#include "game/MainWindowControls.h"
#include "game/NextBalls.h"
#include "game/PathSearch.h"
#include "view/BallColor.h"
#include "view/BallMarks.h"
#include "view/MoveAnimation.h"

namespace qv {

namespace {

// The cell under a position: floor + 1, kept in the 16-bit range.
std::int16_t CellOf(float position) {
    const double cell = std::floor(static_cast<double>(position)) + 1;
    return static_cast<std::int16_t>(std::clamp(cell, -32768.0, 32767.0));
}

void DrawBallInCell(platform::CanvasControl& board, int x, int y, int width,
                    platform::PackedColor colour) {
    board.SetPenWidth(width);
    DrawBallDot(board, x - 0.5, y - 0.5, colour);
}

// The balls of a scoring move flash together: half-size dots of the line's colour for 0.3 s.
void FlashRemovedTogether(std::int16_t kind) {
    MainWindowControls& main = MainControls();
    platform::CanvasControl& board = main.BoardPicture();
    const std::int16_t half = platform::RoundToInt16(BallSize / 2.0);
    main.Wait(0.1);
    for (int y = 1; y <= BoardHeight; ++y) {
        for (int x = 1; x <= BoardWidth; ++x) {
            if (LineMarks(x, y) == 1) {
                DrawBallInCell(board, x, y, BallSize, BoardBackColor);
                DrawBallInCell(board, x, y, half, BallColor(kind));
            }
        }
    }
    main.RepaintNow();
    main.Wait(0.3);
    for (int y = 1; y <= BoardHeight; ++y) {
        for (int x = 1; x <= BoardWidth; ++x) {
            if (LineMarks(x, y) == 1)
                DrawBallInCell(board, x, y, half, BoardBackColor);
        }
    }
    main.RepaintNow();
}

// A line completed by new balls goes ball by ball, 0.2 s each.
void FlashRemovedOneByOne(std::int16_t kind) {
    MainWindowControls& main = MainControls();
    platform::CanvasControl& board = main.BoardPicture();
    const std::int16_t half = platform::RoundToInt16(BallSize / 2.0);
    main.Wait(0.1);
    for (int y = 1; y <= BoardHeight; ++y) {
        for (int x = 1; x <= BoardWidth; ++x) {
            if (LineMarks(x, y) != 1)
                continue;
            DrawBallInCell(board, x, y, BallSize, BoardBackColor);
            DrawBallInCell(board, x, y, half, BallColor(kind));
            main.RepaintNow();
            main.Wait(0.1);
            DrawBallInCell(board, x, y, half, BoardBackColor);
            main.Wait(0.1);
            main.RepaintNow();
        }
    }
}

}  // namespace

void HandleBoardRelease(std::int16_t button, std::int16_t modifiers, float X, float Y) {
    (void)button;
    (void)modifiers;
    const std::int16_t x = CellOf(X);
    const std::int16_t y = CellOf(Y);
    if (!GameInProgress)
        return;
    if (x < 1 || x > BoardWidth || y < 1 || y > BoardHeight)
        return;
    if (GameOver) {
        EndGame();
        return;
    }

    platform::CanvasControl& board = MainControls().BoardPicture();
    const std::int16_t enlarged = platform::RoundToInt16(BallSize * 1.2);

    if (Board(x, y) > 0) {
        // A ball: it becomes the selected one, drawn enlarged; the one selected before shrinks.
        if (BallSelected) {
            DrawBallInCell(board, SelectedX, SelectedY, enlarged, BoardBackColor);
            DrawBallInCell(board, SelectedX, SelectedY, BallSize,
                           BallColor(Board(SelectedX, SelectedY)));
        }
        BallSelected = true;
        DrawBallInCell(board, x, y, enlarged, BallColor(Board(x, y)));
        SelectedX = x;
        SelectedY = y;
        return;
    }

    // A free cell: the selected ball travels there when a path of free cells leads to it.
    if (!BallSelected)
        return;
    const std::int16_t n = FindPath(SelectedX, SelectedY, x, y);
    if (n == 0)
        return;
    const platform::PackedColor colour = BallColor(Board(SelectedX, SelectedY));
    BallSelected = false;
    Board(x, y) = Board(SelectedX, SelectedY);
    Board(SelectedX, SelectedY) = 0;
    AnimateMove(SelectedX, SelectedY, x, y, n, colour);

    const std::int16_t k = CheckLines();
    if (k >= 1)
        FlashRemovedTogether(k);
    // A move that scores brings no new balls.
    if (!NoLineFound)
        return;

    PlaceNewBalls();
    const std::int16_t k2 = CheckLines();
    if (GameOver) {
        EndGame();
        return;
    }
    if (k2 == 0)
        return;
    FlashRemovedOneByOne(k2);
}

}  // namespace qv
