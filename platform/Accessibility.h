// What assistive technology (a screen reader, through Qt's accessibility framework and AT-SPI)
// gets of the game's windows beyond Qt's own interfaces:
// - top-level windows report the role of a window (Qt reports a plain widget as a client area,
//   which AT-SPI shows as a "filler");
// - picture boxes are images; a picture box divided into cells (CellPictureBox) is a table whose
//   cells carry the names the window gives them, with the cursor cell as the focused one;
// - the application lists only the windows that are shown, so a hidden window leaves the tree.
#pragma once

namespace vb {

// Installs the interfaces above; runs once, however often it is called. To be called once the
// application object exists (it installs Qt's own factories, and the last one installed is asked
// first) and before the first window is made.
void InstallAccessibility();

}  // namespace vb
