#include "platform/WidgetRuntime.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QWidget>

#include "platform/Runtime.h"
#include "platform/SystemColors.h"

namespace platform {

namespace {

// The window a message box stands over: the active one, or else a window on the screen (a window
// that was active and has just been hidden, as the title at the hand-over, is no longer there).
QWidget* MessageBoxOwner() {
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active->isVisible())
        return active;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowType() == Qt::Window)
            return w;
    }
    return nullptr;
}

void ShowMessageBox(const QString& text, MessageIcon icon, const QString& title) {
    QMessageBox box(MessageBoxOwner());
    // Like the game's windows, the box keeps its light palette on a dark desktop.
    box.setPalette(LightPalette());
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    // Lines are separated by CR LF in the game's texts.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    switch (icon) {
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    // Wide enough for its title beside a window manager's buttons, which a desktop draws in a bold
    // font about as large as the program's and on both sides of a centred title.
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(metrics.horizontalAdvance(title) + 8 * metrics.height(), 0),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

void HideWindowsAndExit() {
    static bool ending = false;
    if (ending)
        return;
    ending = true;
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

}  // namespace

void InstallWidgetRuntime() {
    RuntimeHooks hooks = CurrentRuntimeHooks();
    hooks.showMessage = ShowMessageBox;
    hooks.endProgram = HideWindowsAndExit;
    SetRuntimeHooks(hooks);
}

}  // namespace platform
