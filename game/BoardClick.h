// A mouse release on the board: selects a ball, or moves the selected ball and plays the whole
// turn that follows (travel, line removal, new balls, end of the game).
#pragma once

#include "platform/Types.h"

namespace qv {

// The button and the modifiers are ignored: any button selects and moves. X and Y are in the
// board's user units, one per cell. Returns when the turn is complete.
void HandleBoardRelease(std::int16_t button, std::int16_t modifiers, float X, float Y);

}  // namespace qv
