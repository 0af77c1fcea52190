// Resolves the colours the game uses, system colour references included, when they are drawn.
#pragma once

#include <QColor>
#include <QPalette>

#include "platform/Types.h"

namespace platform {

// The palette of the game's windows: light, whatever the
// desktop's own palette is. Its blue and red texts stay readable on its light backgrounds, as on
// no dark one. Every role of every colour group is set, so nothing of another palette shows
// through where a window takes it.
const QPalette& LightPalette();

// The game's colour references resolve from the light palette: 12 (workspace, the board's grid
// lines), 15 (button face), 5 (window background), 8 (window text).
QColor ResolveColor(PackedColor c);

}  // namespace platform
