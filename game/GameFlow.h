// Starting, stopping and ending a game.
#pragma once

#include "platform/Types.h"

namespace qv {

// The Start/Stop menu command. Its caption says what it does: "&Start" starts a game on a fresh
// board with its first three balls, "&Stop" ends the running game.
void StartOrStopGame();

// Closes a game: the "Game over" box, the menu back to its idle state, the score compared with the
// current player's stored result and the best result, an improved result kept in the players file
// and the outcome in the message panel. With no current player nothing is read or written.
void EndGame();

}  // namespace qv
