#include "app/CommandLine.h"

#include "app/Translations.h"
#include "view/BallMarks.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qv {

namespace {

void PrintLine(FILE* stream, const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stream);
    std::fflush(stream);
}

// The options QGuiApplication, QApplication and the X11 platform take from the command line,
// hidden from --help: accepted here so that QApplication can take them later.
void AddQtOptions(QCommandLineParser& parser) {
    const char* withValue[] = {"platform",
                               "platformpluginpath",
                               "platformtheme",
                               "plugin",
                               "qwindowgeometry",
                               "geometry",
                               "qwindowtitle",
                               "title",
                               "qwindowicon",
                               "icon",
                               "session",
                               "style",
                               "stylesheet",
                               "display",
                               "name"};
    const char* flags[] = {"reverse", "sync", "widgetcount", "nograb", "dograb"};
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

bool IsSet(const char* variable) {
    return !qEnvironmentVariableIsEmpty(variable);
}

// Where a Wayland client finds its compositor: WAYLAND_SOCKET, WAYLAND_DISPLAY, or the socket
// "wayland-0" in the runtime folder.
bool WaylandDisplayGiven() {
    if (IsSet("WAYLAND_SOCKET") || IsSet("WAYLAND_DISPLAY"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath("wayland-0"));
}

QString NoDisplay() {
    return QCoreApplication::translate(
        "CommandLine",
        "%1: no display to open the game's window on (neither DISPLAY nor WAYLAND_DISPLAY is "
        "set).");
}

// Checks, the way the X11 and Wayland platforms look for their servers, that the platform Qt is
// going to use has a display to connect to. Returns the complaint, empty when there is one (or
// when the platform needs no display server at all, as offscreen or minimal).
QString MissingDisplay(const QCommandLineParser& parser) {
    QString platforms = parser.value(QStringLiteral("platform"));
    if (platforms.isEmpty())
        platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool x11 = parser.isSet(QStringLiteral("display")) || IsSet("DISPLAY");
    const bool wayland = WaylandDisplayGiven();
    if (platforms.isEmpty()) {
        // Qt's own choice: X11, or Wayland in a Wayland session.
        if (x11 || wayland)
            return {};
        return NoDisplay();
    }
    // A list such as "wayland;xcb" is tried in order: one usable entry is enough.
    bool wantsX11 = false;
    bool wantsWayland = false;
    for (const QString& entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (name == QLatin1String("xcb")) {
            if (x11)
                return {};
            wantsX11 = true;
        } else if (name.startsWith(QLatin1String("wayland"))) {
            if (wayland)
                return {};
            wantsWayland = true;
        } else {
            return {};
        }
    }
    if (wantsX11 && !wantsWayland)
        return QCoreApplication::translate(
            "CommandLine", "%1: no X display to open the game's window on (DISPLAY is not set).");
    if (wantsWayland && !wantsX11)
        return QCoreApplication::translate(
            "CommandLine",
            "%1: no Wayland display to open the game's window on (WAYLAND_DISPLAY is not "
            "set).");
    return NoDisplay();
}

int UsageError(const QString& error) {
    const QString name = QCoreApplication::applicationName();
    PrintLine(stderr, QStringLiteral("%1: %2").arg(name, error));
    PrintLine(stderr,
              QCoreApplication::translate("CommandLine", "Try '%1 --help' for more information.")
                  .arg(name));
    return 2;
}

}  // namespace

// Its texts are translated in the context "CommandLine".
std::optional<int> HandleCommandLine(int& argc, char** argv) {
    QCoreApplication core(argc, argv);
    // The help and the errors speak the player's language too.
    LoadTranslations();
    const QString name = QCoreApplication::applicationName();

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine",
        "Move coloured balls on a 9 by 9 board and clear lines of five or more.\n"
        "Qt's standard options, such as -platform, -style and -reverse, apply as well."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("CommandLine", "Show this help and exit."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("CommandLine", "Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(QCommandLineOption(
        QStringLiteral("marks"),
        QCoreApplication::translate(
            "CommandLine",
            "Draw a mark in every ball, its shape telling the colour (this run only; the Zoom "
            "window's check box keeps the choice).")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("no-marks"),
                           QCoreApplication::translate(
                               "CommandLine", "Draw the balls without marks (this run only).")));
    AddQtOptions(parser);

    if (!parser.parse(QCoreApplication::arguments()))
        return UsageError(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        PrintLine(stdout,
                  QStringLiteral("%1 %2").arg(name, QCoreApplication::applicationVersion()));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return UsageError(QCoreApplication::translate("CommandLine", "unexpected argument '%1'.")
                              .arg(parser.positionalArguments().first()));
    if (const QString missing = MissingDisplay(parser); !missing.isEmpty()) {
        PrintLine(stderr, missing.arg(name));
        return 1;
    }
    StartBallMarks(parser.optionNames());
    return std::nullopt;
}

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

QMutex heldLock;
std::vector<HeldMessage> held;
QtMessageHandler previousHandler = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    QMutexLocker lock(&heldLock);
    if (type == QtFatalMsg) {
        // The last warning names the cause ("could not connect to display :1"); Qt's own fatal
        // text is a page of advice on plugins that does not apply.
        QString cause = text.section(QLatin1Char('\n'), 0, 0);
        for (auto it = held.rbegin(); it != held.rend(); ++it) {
            if (it->type == QtWarningMsg || it->type == QtCriticalMsg) {
                cause = it->text;
                break;
            }
        }
        PrintLine(stderr, QCoreApplication::translate("CommandLine",
                                                      "%1: cannot open the game's window: %2")
                              .arg(QCoreApplication::applicationName(), cause));
        std::_Exit(1);
    }
    held.push_back({type, context.file, context.function, context.category, context.line, text});
}

}  // namespace

StartupGuard::StartupGuard() {
    previousHandler = qInstallMessageHandler(HoldMessage);
}

StartupGuard::~StartupGuard() {
    qInstallMessageHandler(previousHandler);
    QMutexLocker lock(&heldLock);
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(m.file.isNull() ? nullptr : m.file.constData(), m.line,
                                         m.function.isNull() ? nullptr : m.function.constData(),
                                         m.category.isNull() ? nullptr : m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
    held.clear();
}

}  // namespace qv
