// The next three balls: their kinds drawn in advance and shown in the preview, then dropped onto
// random free cells after a move that cleared nothing.
#pragma once

namespace qv {

// Draws the kinds of the next three balls into NextBalls and shows them in the preview picture.
void PickNextBalls();

// Drops the three announced balls one after another onto random free cells, each growing in two
// steps, clears the selection, announces the next three and counts the move. With fewer than
// three free cells nothing is placed: GameOver becomes true and GameInProgress false.
void PlaceNewBalls();

}  // namespace qv
