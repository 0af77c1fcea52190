#pragma once

#include <QString>

#include "platform/Basic.h"

namespace qv {

// The colour of ball kind 1..6 (red, green, blue, yellow, cyan, pink); black for any other kind.
vb::Color BallColor(vb::Integer kind);
// The name of ball kind 1..6's colour, as the player reads it ("red" ... "pink"); empty for any
// other kind.
QString BallColorName(vb::Integer kind);

}  // namespace qv
