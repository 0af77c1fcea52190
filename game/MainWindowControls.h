// What the game's modules use of the main window: its controls and its wait. The window itself
// (app/MainWindow) implements this; the modules reach it through MainControls().
#pragma once

#include <vector>

#include "platform/Controls.h"

namespace qv {

class MainWindowControls {
  public:
    virtual ~MainWindowControls() = default;

    virtual platform::Window& Window() = 0;
    virtual platform::CanvasControl& BoardPicture() = 0;    // the board
    virtual platform::CanvasControl& PreviewPicture() = 0;  // the next balls preview
    virtual platform::TextControl& HeadingLabel(int index) = 0;
    virtual platform::TextControl& MovesLabel() = 0;
    // 0: current player's name, 1: best player's
    virtual platform::TextControl& NameBox(int index) = 0;
    // 0: score / current result, 1: best result
    virtual platform::TextControl& ResultBox(int index) = 0;
    virtual platform::TextControl& MovesBox() = 0;
    virtual platform::TextControl& MessagePanel() = 0;
    virtual platform::Control& QuitButton() = 0;
    virtual platform::MenuCommand& PlayerCommand() = 0;
    virtual platform::MenuCommand& ZoomCommand() = 0;
    virtual platform::MenuCommand& AboutCommand() = 0;
    virtual platform::MenuCommand& StartStopCommand() = 0;
    // Every control of the window, in the order they were made.
    virtual std::vector<platform::Control*> Controls() = 0;
    // Repaints the window at once.
    void RepaintNow() { Window().RepaintNow(); }
    // Waits `seconds` seconds; nothing else runs meanwhile.
    virtual void Wait(double seconds) = 0;
};

// The main window, once it exists.
MainWindowControls& MainControls();
void SetMainControls(MainWindowControls* window);
bool HasMainControls();

}  // namespace qv
