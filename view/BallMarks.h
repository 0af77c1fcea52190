// Marks in the balls, for players who tell the colours apart poorly: each colour carries a mark of
// its own shape, drawn over the ball in black or white, whichever stands out more on it. The
// shapes stay apart in shades of grey and scale with the ball, down to the smallest dots.
#pragma once

#include <QStringList>

#include "platform/Controls.h"

namespace qv {

// A ball's dot at (x, y) with the picture's pen width in the given colour, as DrawDot draws it,
// and, while BallMarks is on and the colour is a ball's, its mark over it. Any other colour (the
// board's background, erasing) is a plain dot.
void DrawBallDot(platform::CanvasControl& picture, double x, double y,
                 platform::PackedColor colour);

// Whether the pixel dx columns right of and dy rows below the centre of a dot `size` pixels wide
// belongs to the mark of ball kind 1..6.
bool InBallMark(std::int16_t kind, int dx, int dy, int size);

// The choice kept for the user in the game's settings file (platform/SettingsFile.h), off until
// first chosen. Keeping it writes that one value and nothing else; when it cannot be kept, the
// player is told once and the choice holds for the session.
bool SavedBallMarks();
void SaveBallMarks(bool on);

// BallMarks at start-up: the last of the command line's options "marks" and "no-marks" among
// `options` (their names, in the order given), else the kept choice. Keeps nothing itself.
void StartBallMarks(const QStringList& options);

}  // namespace qv
