#pragma once

#include "platform/Basic.h"

namespace qv {

// The colour of ball kind 1..6 (red, green, blue, yellow, cyan, pink); black for any other kind.
vb::Color BallColor(vb::Integer kind);

}  // namespace qv
