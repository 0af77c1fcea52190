// What assistive technology (a screen reader, through Qt's accessibility framework and AT-SPI)
// gets of the game's windows beyond Qt's own interfaces:
// - top-level windows report the role of a window (Qt reports a plain widget as a client area,
//   which AT-SPI shows as a "filler");
// - a window can carry spoken messages (Announce): a status bar that only assistive technology
//   sees, holding the last message as a notification; a reader speaks each one as it comes,
//   without moving the focus and without naming its role (Orca does so for notifications in a
//   status bar), and shows it on a braille display;
// - picture boxes are images; a picture box divided into cells (CellCanvasWidget) is a table whose
//   cells, items each, carry the names the window gives them, with the cursor cell as the
//   focused one;
// - the application lists only the windows that are shown, so a hidden window leaves the tree.
#pragma once

#include <QString>

class QWidget;

namespace platform {

// Installs the interfaces above; runs once, however often it is called. To be called once the
// application object exists (it installs Qt's own factories, and the last one installed is asked
// first) and before the first window is made.
void InstallAccessibility();

// Speaks `text` through the screen reader, from `window`'s status bar of messages: it replaces the
// message before it. Nothing is drawn. Does nothing while no assistive technology listens.
void Announce(QWidget* window, const QString& text);
// The last message announced from `window`, empty when there was none.
QString LastAnnouncement(const QWidget* window);

}  // namespace platform
