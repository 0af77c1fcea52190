// The next three balls: their kinds drawn in advance and shown in the preview, then dropped onto
// random free cells after a move that cleared nothing.
#pragma once

#include "game/GameState.h"

namespace qv {

// Draws the kinds of the next three balls into NextBalls and shows them in the preview picture.
void PickNextBalls();

// Drops the three announced balls one after another onto random free cells, each growing in two
// steps, clears the selection, announces the next three and counts the move. With fewer than
// three free cells nothing is placed: GameOver becomes true and GameInProgress false.
void PlaceNewBalls();

// The cell a new ball drops onto for the random number r in [0, 1): the free cells are listed
// in scan order (rows top to bottom, columns left to right) at positions 1 to n, and position
// floor(r * n + 1) is taken. There must be at least one free cell.
CellPos ChooseFreeCell(double r);

}  // namespace qv
