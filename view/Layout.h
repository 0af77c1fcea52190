#pragma once

namespace qv {

// The main window's layout pass, run on every resize: sizes and centres the window for the scale
// Zoom, lays out the board, the panel and the preview, sets BallSize and redraws the grid, the
// balls and the preview. Does nothing while the window system shows the window minimised.
void LayoutMainWindow();

// Draws every ball of the board, the selected one enlarged, over what the board shows, and the
// preview afresh: the layout pass's last steps, run again when the marks are switched.
void DrawBallsAndPreview();

// Draws the board's inner grid lines (not those at coordinate 0) in the current drawing colour,
// one pixel wide.
void DrawInnerGridLines();

}  // namespace qv
