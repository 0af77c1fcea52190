// Whether the selected ball can travel to a free cell: a breadth-first search over free cells in
// orthogonal steps that leaves every reached cell's distance from the start in PathGrid.
#pragma once

#include "platform/Types.h"

namespace qv {

// The length of a shortest path of free cells from the ball at (fromX, fromY) to the free cell
// (toX, toY), or 0 when there is none. PathGrid is rewritten (0..9 by 0..9): every cell reached
// before the target was met holds its distance, the target holds the result, and the start cell,
// unreached cells and row and column 0 hold 0. Neighbours are tried right, up, left, down.
std::int16_t FindPath(std::int16_t fromX, std::int16_t fromY, std::int16_t toX, std::int16_t toY);

}  // namespace qv
