// The game's wait: blocks the running handler for a number of seconds. Nothing else runs
// meanwhile; clicks and keys that arrive are handled afterwards. Drawing made before a wait shows
// only when the window was repainted first.
#pragma once

namespace qv {

void Pause(double seconds);

}  // namespace qv
