#include <QApplication>

#include "app/Form1.h"
#include "app/frmLabel.h"
#include "platform/WidgetRuntime.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quilvaro"));
    QApplication::setOrganizationName(QStringLiteral("Dremwick"));
    // Ties the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.dremwick.quilvaro"));
    vb::InstallWidgetRuntime();

    // The title window opens first and shows the main window when its animation is over.
    qv::Form1 form1;
    qv::frmLabel title(form1);
    title.Show();
    return QApplication::exec();
}
