#include "platform/Dialog.h"

#include <QKeyEvent>
#include <utility>

#include "platform/SystemColors.h"

namespace vb {

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

void Dialog::SetClientSize(Single widthTwips, Single heightTwips) {
    geometry_.SetClientSize(widthTwips, heightTwips);
}

void Dialog::ShowModal() {
    // Modality is fixed when a window is shown, so it is set before the window appears.
    setWindowModality(Qt::ApplicationModal);
    show();
    Form_Activate();
    if (g_modalHook) {
        g_modalHook(*this);
        if (isVisible())
            close();
    } else if (isVisible()) {
        // Form_Activate may already have ended the display.
        exec();
    }
    setWindowModality(Qt::NonModal);
    // The owner is the active window again.
    if (auto* owner = dynamic_cast<Dialog*>(parentWidget()); owner != nullptr && owner->isVisible())
        owner->Form_Activate();
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    // QDialog would click a default button on Enter and close the window on Escape; the game's
    // dialogs have neither, so the keys take the plain widget path.
    QWidget::keyPressEvent(event);
}

}  // namespace vb
