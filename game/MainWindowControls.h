// What the game's modules use of the main window: its controls and its wait. The window itself
// (app/Form1) implements this; the modules reach it through MainControls().
#pragma once

#include <vector>

#include "platform/Controls.h"

namespace qv {

class MainWindowControls {
  public:
    virtual ~MainWindowControls() = default;

    virtual vb::Window& Window() = 0;
    virtual vb::Picture& Picture1() = 0;  // the board
    virtual vb::Picture& Picture2() = 0;  // the next balls preview
    virtual vb::TextControl& Label1(int index) = 0;
    virtual vb::TextControl& Label2() = 0;
    virtual vb::TextControl& Text1(int index) = 0;  // 0: current player's name, 1: best player's
    virtual vb::TextControl& Text2(int index) = 0;  // 0: score / current result, 1: best result
    virtual vb::TextControl& Text3() = 0;           // move count
    virtual vb::TextControl& txtMess() = 0;         // message panel
    virtual vb::Control& Command1(int index) = 0;   // index 1: Quit
    virtual vb::MenuCommand& mnuPlayer() = 0;
    virtual vb::MenuCommand& mnuZoom() = 0;
    virtual vb::MenuCommand& mnuAbout() = 0;
    virtual vb::MenuCommand& mnuStart() = 0;
    // Every control of the window, in the order they were made.
    virtual std::vector<vb::Control*> Controls() = 0;
    // Repaints the window at once.
    void Refresh() { Window().Refresh(); }
    // Waits `Pauser` seconds; nothing else runs meanwhile.
    virtual void Timmi(double Pauser) = 0;
};

// The main window, once it exists.
MainWindowControls& MainControls();
void SetMainControls(MainWindowControls* window);
bool HasMainControls();

}  // namespace qv
