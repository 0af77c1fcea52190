#include "platform/WindowGeometry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWindow>

#include "platform/Screen.h"

namespace platform {

// Qt keeps one window state, the last one asked for by anybody; what the window system itself
// reports arrives as a state change event on the native window. The watch follows those reports.
class WindowGeometry::StateWatch : public QObject {
  public:
    explicit StateWatch(WindowGeometry& geometry) : geometry_(geometry) {
        geometry.window_->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        QWidget* widget = geometry_.window_;
        if (watched == widget && event->type() == QEvent::Show) {
            // The native window exists from the first showing on.
            if (QWindow* native = widget->windowHandle())
                native->installEventFilter(this);
        } else if (event->type() == QEvent::WindowStateChange &&
                   watched == widget->windowHandle()) {
            const bool was = geometry_.minimized_;
            geometry_.minimized_ = widget->windowHandle()->windowStates() & Qt::WindowMinimized;
            // A restore the program asked for while the window was minimized is laid out once
            // the window system has carried it out. (Any other change of state reaches the
            // widget as a change event of its own.)
            if (was && !geometry_.minimized_ && !(widget->windowState() & Qt::WindowMinimized) &&
                geometry_.onResize) {
                geometry_.onResize();
            }
        }
        return false;
    }

  private:
    WindowGeometry& geometry_;
};

WindowGeometry::WindowGeometry(QWidget* window)
    : window_(window), watch_(std::make_unique<StateWatch>(*this)) {}

WindowGeometry::~WindowGeometry() = default;

int WindowGeometry::MenuHeight() const {
    return menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
}

float WindowGeometry::Left() const {
    return PixelsToTwipsX(window_->x());
}
float WindowGeometry::Top() const {
    return PixelsToTwipsY(window_->y());
}
// The window's own size: its menu bar and client area. The frame a window manager puts around it
// is the desktop's, outside what the window is given, so the window keeps its size under any
// window manager, through every minimise and restore.
float WindowGeometry::Width() const {
    return PixelsToTwipsX(window_->width());
}
float WindowGeometry::Height() const {
    return PixelsToTwipsY(window_->height());
}

void WindowGeometry::SetLeft(float twips) {
    window_->move(TwipsToPixelsX(twips), window_->y());
}
void WindowGeometry::SetTop(float twips) {
    window_->move(window_->x(), TwipsToPixelsY(twips));
}

void WindowGeometry::ResizeClient(int clientWidth, int clientHeight) {
    clientWidth = std::max(clientWidth, 1);
    clientHeight = std::max(clientHeight, 1);
    const int menu = MenuHeight();
    const QSize outer(clientWidth, clientHeight + menu);
    if (window_->size() == outer &&
        (client_ == nullptr || client_->size() == QSize(clientWidth, clientHeight))) {
        return;
    }
    // The player cannot resize the window; only the program does.
    window_->setFixedSize(outer);
    if (menuBar_ != nullptr)
        menuBar_->setGeometry(0, 0, clientWidth, menu);
    if (client_ != nullptr)
        client_->setGeometry(0, menu, clientWidth, clientHeight);
    if (onResize)
        onResize();
}

void WindowGeometry::SetWidth(float twips) {
    ResizeClient(TwipsToPixelsX(twips), client_ ? client_->height() : window_->height());
}

void WindowGeometry::SetHeight(float twips) {
    ResizeClient(client_ ? client_->width() : window_->width(),
                 TwipsToPixelsY(twips) - MenuHeight());
}

void WindowGeometry::SetClientSize(float widthTwips, float heightTwips) {
    ResizeClient(TwipsToPixelsX(widthTwips), TwipsToPixelsY(heightTwips));
}

WindowState WindowGeometry::State() const {
    const Qt::WindowStates s = window_->windowState();
    if (s & Qt::WindowMinimized)
        return WindowState::Minimized;
    if (s & Qt::WindowMaximized)
        return WindowState::Maximized;
    return WindowState::Normal;
}

void WindowGeometry::SetState(WindowState state) {
    if (State() == state)
        return;
    switch (state) {
        case WindowState::Minimized:
            window_->setWindowState(window_->windowState() | Qt::WindowMinimized);
            break;
        case WindowState::Maximized:
            window_->setWindowState(Qt::WindowMaximized);
            break;
        case WindowState::Normal:
            window_->setWindowState(Qt::WindowNoState);
            break;
    }
    // The window reports the change of state itself (see the window's changeEvent).
}

void WindowGeometry::RepaintNow() {
    // Paints every region marked dirty since the last paint and hands it to the screen now,
    // without going back to the event loop.
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(window_, &request);
}

}  // namespace platform
