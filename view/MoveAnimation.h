// The travel of a moved ball: cell by cell along a shortest route of free cells, in quarter-cell
// sub-steps that each show on the screen at once.
#pragma once

#include "platform/Types.h"

namespace qv {

// Shows the ball of `colour` travelling from (fromX, fromY) to (toX, toY). `n` is the path length
// FindPath returned for these two cells; the route is traced back from the target through the
// labels that search left in PathGrid, preferring right, up, left, down at every cell. Board must
// already hold the ball at its target.
void AnimateMove(std::int16_t fromX, std::int16_t fromY, std::int16_t toX, std::int16_t toY,
                 std::int16_t n, platform::PackedColor colour);

}  // namespace qv
