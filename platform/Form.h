// A top-level window of the game: geometry in screen twips (the menu bar included, a window
// manager's frame and caption not: the position is the frame's, the size the window's own), a
// client area for the controls below an optional menu bar, a resize notification that runs at once
// when the program changes the window's size or state (also from inside an earlier notification),
// and a repaint that reaches the screen at once.
#pragma once

#include <QDialog>
#include <QMenuBar>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/Controls.h"

namespace vb {

class FormGeometry : public Window {
  public:
    explicit FormGeometry(QWidget* window);
    ~FormGeometry() override;

    void SetMenuBar(QMenuBar* bar) { menuBar_ = bar; }
    void SetClient(QWidget* client) { client_ = client; }

    Single Left() const override;
    Single Top() const override;
    Single Width() const override;
    Single Height() const override;
    void SetLeft(Single twips) override;
    void SetTop(Single twips) override;
    void SetWidth(Single twips) override;
    void SetHeight(Single twips) override;
    WindowState State() const override;
    void SetState(WindowState state) override;
    bool Minimized() const override { return minimized_; }
    void Refresh() override;

    // Sets the size of the client area in twips (a window's designed size).
    void SetClientSize(Single widthTwips, Single heightTwips);

    // Runs after every change of size or state: the window's resize handler.
    std::function<void()> onResize;

  private:
    int MenuHeight() const;
    void ResizeClient(int clientWidth, int clientHeight);

    QWidget* window_;
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    class StateWatch;
    std::unique_ptr<StateWatch> watch_;
    bool minimized_ = false;  // as the window system last reported
};

}  // namespace vb
