// A secondary window of the game, shown modally over its owner: the caller of ShowModal waits
// until the window is hidden or closed. Geometry is in twips like every window of the game.
//
// The window is told that it became active (OnActivated()) right after it is shown and again
// when a modal window shown over it goes away. These notifications come from ShowModal itself,
// not from the window system, so they arrive the same way with or without a window manager.
//
// The game's dialogs have no default and no cancel button: Enter presses the focused button,
// Escape closes the window as its close box does.
#pragma once

#include <QDialog>
#include <functional>

#include "platform/WindowGeometry.h"

namespace platform {

class Dialog : public QDialog {
  public:
    explicit Dialog(QWidget* owner);

    Window& Geometry() { return geometry_; }
    // The size of the client area in twips (the window's default size).
    void SetClientSize(float widthTwips, float heightTwips);

    // Shows the window modally and returns once it is hidden or closed.
    void ShowModal();
    void Hide() { hide(); }

    // The window became active.
    virtual void OnActivated() {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    WindowGeometry geometry_;
};

// Tests drive modal windows without a nested event loop: when a hook is set, ShowModal shows the
// window, tells it that it is active and runs the hook in place of the modal loop. The hook acts
// as the user and is expected to end the display (hide or close the window); a window still
// shown when the hook returns is closed, as with its close box. Returns the hook it replaces.
using ModalHook = std::function<void(Dialog&)>;
ModalHook SetModalHook(ModalHook hook);

}  // namespace platform
