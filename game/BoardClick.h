// A mouse release on the board: selects a ball, or moves the selected ball and plays the whole
// turn that follows (travel, line removal, new balls, end of the game).
#pragma once

#include "platform/Types.h"

namespace qv {

// Button and Shift are ignored: any button selects and moves. X and Y are in the board's user
// units, one per cell. Returns when the turn is complete.
void Picture1_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);

}  // namespace qv
