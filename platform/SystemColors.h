// Resolves the colours the game uses, system colour references included, when they are drawn.
#pragma once

#include <QColor>

#include "platform/Basic.h"

namespace vb {

// System colour 12 (application workspace) and 15 (button face) follow the desktop's palette when
// a GUI application runs; without one they take the classic desktop's values.
QColor ResolveColor(Color c);

}  // namespace vb
