// The real program started with no display at all: what its command line answers, and that a
// missing or unreachable display ends it with one line and status 1 instead of a crash.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;  // an XDG_RUNTIME_DIR without a Wayland socket

  private slots:
    void run_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("env");  // added to an environment without any display
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");  // a pattern stdout matches whole
        QTest::addColumn<QString>("err");  // a pattern stderr matches whole

        const QString version = QStringLiteral("quilvaro %1\n")
                                    .arg(QLatin1String(QUILVARO_VERSION))
                                    .replace('.', "\\.");
        const QString usage = QStringLiteral("Usage: \\S*quilvaro \\[options\\]\n(.*\n)*");
        const QString usageError = QStringLiteral("quilvaro: .*%1.*\nTry 'quilvaro --help'.*\n");
        const QString oneLine = QStringLiteral("quilvaro: [^\n]*%1[^\n]*\n");
        const QStringList none;

        QTest::newRow("--version") << QStringList{"--version"} << none << 0 << version << "";
        QTest::newRow("-v") << QStringList{"-v"} << none << 0 << version << "";
        QTest::newRow("--help") << QStringList{"--help"} << none << 0
                                << usage + "(.*\n)*.*--version.*\n(.*\n)*"
                                << "";
        QTest::newRow("-h") << QStringList{"-h"} << none << 0 << usage << "";
        QTest::newRow("Qt's options pass")
            << QStringList{"-platform", "offscreen", "-style", "Fusion", "-reverse", "--version"}
            << none << 0 << version << "";
        QTest::newRow("unknown option")
            << QStringList{"--frobnicate"} << none << 2 << "" << usageError.arg("frobnicate");
        QTest::newRow("argument") << QStringList{"board.dat"} << none << 2 << ""
                                  << usageError.arg("board\\.dat");
        QTest::newRow("option without its value")
            << QStringList{"-platform"} << none << 2 << "" << usageError.arg("platform");
        QTest::newRow("no display")
            << QStringList{} << none << 1 << "" << oneLine.arg("DISPLAY nor WAYLAND_DISPLAY");
        QTest::newRow("X11 chosen, no DISPLAY")
            << QStringList{"-platform", "xcb"} << QStringList{"WAYLAND_DISPLAY=wayland-9"} << 1
            << "" << oneLine.arg("\\(DISPLAY is not set");
        QTest::newRow("Wayland chosen, no WAYLAND_DISPLAY")
            << QStringList{} << QStringList{"QT_QPA_PLATFORM=wayland", "DISPLAY=:0"} << 1 << ""
            << oneLine.arg("\\(WAYLAND_DISPLAY is not set");
        QTest::newRow("X display unreachable")
            << QStringList{"-platform", "xcb"} << QStringList{"DISPLAY=:65431"} << 1 << ""
            << oneLine.arg("cannot open the game's window: .*:65431");
    }

    void run() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, env);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);

        QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM",
                                 "XDG_SESSION_TYPE", "LANGUAGE", "LC_ALL"})
            system.remove(QString::fromLatin1(name));
        system.insert("XDG_RUNTIME_DIR", runtime_.path());
        system.insert("LC_ALL", "C.UTF-8");  // the texts as written, whatever the machine's locale
        for (const QString& setting : env)
            system.insert(setting.section('=', 0, 0), setting.section('=', 1));

        QProcess game;
        game.setProcessEnvironment(system);
        game.start(QStringLiteral(QUILVARO_EXE), args);
        QVERIFY(game.waitForFinished(60000));  // a watchdog: the program ends at once
        const QString stdOut = QString::fromLocal8Bit(game.readAllStandardOutput());
        const QString stdErr = QString::fromLocal8Bit(game.readAllStandardError());
        QVERIFY2(game.exitStatus() == QProcess::NormalExit, qPrintable("crashed: " + stdErr));
        QCOMPARE(game.exitCode(), status);
        QVERIFY(
            QRegularExpression(QRegularExpression::anchoredPattern(out)).match(stdOut).hasMatch());
        QVERIFY(
            QRegularExpression(QRegularExpression::anchoredPattern(err)).match(stdErr).hasMatch());
    }
};

}  // namespace

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
