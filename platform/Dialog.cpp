#include "platform/Dialog.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <utility>

#include "platform/SystemColors.h"

namespace platform {

namespace {

ModalHook g_modalHook;

}  // namespace

ModalHook SetModalHook(ModalHook hook) {
    return std::exchange(g_modalHook, std::move(hook));
}

Dialog::Dialog(QWidget* owner) : QDialog(owner), geometry_(this) {
    // A window of its own: it takes the game's light palette, not the desktop's.
    setPalette(LightPalette());
    setSizeGripEnabled(false);
}

void Dialog::SetClientSize(float widthTwips, float heightTwips) {
    geometry_.SetClientSize(widthTwips, heightTwips);
}

void Dialog::ShowModal() {
    // Modality is fixed when a window is shown, so it is set before the window appears.
    setWindowModality(Qt::ApplicationModal);
    show();
    OnActivated();
    if (g_modalHook) {
        g_modalHook(*this);
        if (isVisible())
            close();
    } else if (isVisible()) {
        // OnActivated may already have ended the display.
        exec();
    }
    setWindowModality(Qt::NonModal);
    // The owner is the active window again.
    if (auto* owner = dynamic_cast<Dialog*>(parentWidget()); owner != nullptr && owner->isVisible())
        owner->OnActivated();
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    // The game's dialogs have no default button: Enter presses the focused button only (in a
    // text box it stays the text box's). Esc closes the window as its close box does.
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (auto* button = qobject_cast<QAbstractButton*>(focusWidget());
                button != nullptr && button->isEnabled()) {
                button->click();
                return;
            }
        } else if (event->key() == Qt::Key_Escape) {
            close();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

}  // namespace platform
