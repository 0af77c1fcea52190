#include "platform/Form.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWindow>

#include "platform/Screen.h"

namespace vb {

// Qt keeps one window state, the last one asked for by anybody; what the window system itself
// reports arrives as a state change event on the native window. The watch follows those reports.
class FormGeometry::StateWatch : public QObject {
  public:
    explicit StateWatch(FormGeometry& form) : form_(form) {
        form.window_->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        QWidget* widget = form_.window_;
        if (watched == widget && event->type() == QEvent::Show) {
            // The native window exists from the first showing on.
            if (QWindow* native = widget->windowHandle())
                native->installEventFilter(this);
        } else if (event->type() == QEvent::WindowStateChange &&
                   watched == widget->windowHandle()) {
            const bool was = form_.minimized_;
            form_.minimized_ = widget->windowHandle()->windowStates() & Qt::WindowMinimized;
            // A restore the program asked for while the window was minimized is laid out once
            // the window system has carried it out. (Any other change of state reaches the
            // widget as a change event of its own.)
            if (was && !form_.minimized_ && !(widget->windowState() & Qt::WindowMinimized) &&
                form_.onResize) {
                form_.onResize();
            }
        }
        return false;
    }

  private:
    FormGeometry& form_;
};

FormGeometry::FormGeometry(QWidget* window)
    : window_(window), watch_(std::make_unique<StateWatch>(*this)) {}

FormGeometry::~FormGeometry() = default;

int FormGeometry::MenuHeight() const {
    return menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
}

Single FormGeometry::Left() const {
    return TwipsX(window_->x());
}
Single FormGeometry::Top() const {
    return TwipsY(window_->y());
}
// The window's own size: its menu bar and client area. The frame a window manager puts around it
// is the desktop's, outside what the window is given, so the window keeps its size under any
// window manager, through every minimise and restore.
Single FormGeometry::Width() const {
    return TwipsX(window_->width());
}
Single FormGeometry::Height() const {
    return TwipsY(window_->height());
}

void FormGeometry::SetLeft(Single twips) {
    window_->move(PixelsX(twips), window_->y());
}
void FormGeometry::SetTop(Single twips) {
    window_->move(window_->x(), PixelsY(twips));
}

void FormGeometry::ResizeClient(int clientWidth, int clientHeight) {
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

void FormGeometry::SetWidth(Single twips) {
    ResizeClient(PixelsX(twips), client_ ? client_->height() : window_->height());
}

void FormGeometry::SetHeight(Single twips) {
    ResizeClient(client_ ? client_->width() : window_->width(), PixelsY(twips) - MenuHeight());
}

void FormGeometry::SetClientSize(Single widthTwips, Single heightTwips) {
    ResizeClient(PixelsX(widthTwips), PixelsY(heightTwips));
}

WindowState FormGeometry::State() const {
    const Qt::WindowStates s = window_->windowState();
    if (s & Qt::WindowMinimized)
        return WindowState::Minimized;
    if (s & Qt::WindowMaximized)
        return WindowState::Maximized;
    return WindowState::Normal;
}

void FormGeometry::SetState(WindowState state) {
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
    // The window reports the change of state itself (see the form's change handler).
}

void FormGeometry::Refresh() {
    // Paints every region marked dirty since the last paint and hands it to the screen now,
    // without going back to the event loop.
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(window_, &request);
}

}  // namespace vb
