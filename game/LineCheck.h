// Lines of five or more balls of one kind in a row, a column or either diagonal: found, removed
// from the board and scored into the running score.
#pragma once

#include "platform/Types.h"

namespace qv {

// Examines the whole board. Every ball of a run of at least LineLength balls of one kind is marked
// in LineMarks (re-created 0..9 by 0..9) and removed from Board, one point a ball is added to the
// score shown in ResultBox(0), and NoLineFound is set false; NoLineFound stays true when there is
// no line, and a full board without a line sets GameOver. Returns 0 when nothing was removed,
// otherwise the kind of the removed ball that comes last in row order.
std::int16_t CheckLines();

}  // namespace qv
