#pragma once

#include <QString>

#include "platform/Types.h"

namespace qv {

// The colour of ball kind 1..6 (red, green, blue, yellow, cyan, pink); black for any other kind.
platform::PackedColor BallColor(std::int16_t kind);
// The name of ball kind 1..6's colour, as the player reads it ("red" ... "pink"); empty for any
// other kind.
QString BallColorName(std::int16_t kind);

}  // namespace qv
