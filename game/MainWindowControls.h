// What the game's modules use of the main window: its controls and its wait. The window itself
// (app/Form1) implements this; the modules reach it through MainControls().
#pragma once

#include <vector>

#include "platform/Controls.h"

namespace qv {

class MainWindowControls {
  public:
    virtual ~MainWindowControls() = default;

    virtual platform::Window& Window() = 0;
    virtual platform::CanvasControl& Picture1() = 0;  // the board
    virtual platform::CanvasControl& Picture2() = 0;  // the next balls preview
    virtual platform::TextControl& Label1(int index) = 0;
    virtual platform::TextControl& Label2() = 0;
    // 0: current player's name, 1: best player's
    virtual platform::TextControl& Text1(int index) = 0;
    // 0: score / current result, 1: best result
    virtual platform::TextControl& Text2(int index) = 0;
    virtual platform::TextControl& Text3() = 0;          // move count
    virtual platform::TextControl& txtMess() = 0;        // message panel
    virtual platform::Control& Command1(int index) = 0;  // index 1: Quit
    virtual platform::MenuCommand& mnuPlayer() = 0;
    virtual platform::MenuCommand& mnuZoom() = 0;
    virtual platform::MenuCommand& mnuAbout() = 0;
    virtual platform::MenuCommand& mnuStart() = 0;
    // Every control of the window, in the order they were made.
    virtual std::vector<platform::Control*> Controls() = 0;
    // Repaints the window at once.
    void RepaintNow() { Window().RepaintNow(); }
    // Waits `Pauser` seconds; nothing else runs meanwhile.
    virtual void Timmi(double Pauser) = 0;
};

// The main window, once it exists.
MainWindowControls& MainControls();
void SetMainControls(MainWindowControls* window);
bool HasMainControls();

}  // namespace qv
