#include <QApplication>

#include "app/Form1.h"
#include "platform/WidgetRuntime.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quilvaro"));
    QApplication::setOrganizationName(QStringLiteral("Dremwick"));
    // Ties the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.dremwick.quilvaro"));
    vb::InstallWidgetRuntime();

    qv::Form1 form1;
    form1.Show();
    return QApplication::exec();
}
