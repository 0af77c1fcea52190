#include <QApplication>
#include <optional>

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/TitleWindow.h"
#include "app/Translations.h"
#include "platform/Accessibility.h"
#include "platform/Runtime.h"
#include "platform/WidgetRuntime.h"

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("quilvaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILVARO_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Dremwick"));
    if (const auto status = qv::HandleCommandLine(argc, argv))
        return *status;

    std::optional<qv::StartupGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    // Ties the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.dremwick.quilvaro"));
    qv::LoadTranslations();
    platform::InstallWidgetRuntime();
    platform::EndOnSignals();
    platform::InstallAccessibility();

    // The title window opens first. The main window is made and loaded when the title's
    // animation is over and shows it.
    std::optional<qv::MainWindow> mainWindow;
    qv::TitleWindow title([&mainWindow]() -> qv::MainWindow& {
        return mainWindow ? *mainWindow : mainWindow.emplace();
    });
    // The icon is read once the title is on the screen, not before its first frame.
    title.onShown = qv::LoadWindowIcon;
    title.Show();
    return QApplication::exec();
}
