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

namespace platform {

class WindowGeometry : public Window {
  public:
    explicit WindowGeometry(QWidget* window);
    ~WindowGeometry() override;

    void SetMenuBar(QMenuBar* bar) { menuBar_ = bar; }
    void SetClient(QWidget* client) { client_ = client; }

    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;
    WindowState State() const override;
    void SetState(WindowState state) override;
    bool Minimized() const override { return minimized_; }
    void RepaintNow() override;

    // Sets the size of the client area in twips (a window's default size).
    void SetClientSize(float widthTwips, float heightTwips);

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

}  // namespace platform
