// "Dremwick Label": the title window the program opens with. It types the title letter by
// letter, lets three waves of coloured dots run over its surface, then shows the main window and
// hides itself. The animation runs once, when the window is first on the screen.
#pragma once

#include <QWidget>
#include <functional>

#include "platform/Widgets.h"
#include "platform/WindowGeometry.h"

namespace qv {

class MainWindow;

// Every window of the game carries its icon, at each size shipped, for task bars that do not read
// the menu entry.
void LoadWindowIcon();

class TitleWindow : public QWidget {
  public:
    // `main` gives the main window when the animation hands over to it: the program makes it
    // only then, so that nothing but this window stands between the start and its first frame.
    explicit TitleWindow(std::function<MainWindow&()> main);
    explicit TitleWindow(MainWindow& main);

    // Loads the window at its first showing and shows it; the animation follows as soon as the
    // window can be seen.
    void Show();

    // Sizes the window from the screen and centres it; the title box covers the whole window.
    void OnLoad();
    // The animation and the hand-over to the main window.
    void Animate();

    // Runs once the window is on the screen, just before the animation: for what its first frame
    // need not wait for.
    std::function<void()> onShown;

    platform::Window& Window() { return geometry_; }
    platform::TextArea* NameBox() const { return titleBox_; }
    // The window's own drawing surface, below the title box.
    platform::CanvasWidget* Surface() const { return surface_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PlaceWindow();
    void StartWhenVisible();
    void Start();

    std::function<MainWindow&()> mainWindow_;
    platform::WindowGeometry geometry_;
    platform::CanvasWidget* surface_;
    platform::TextArea* titleBox_;
    bool loaded_ = false;
    bool armed_ = false;
    bool started_ = false;
};

}  // namespace qv
