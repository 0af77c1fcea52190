// The real program started with no display: its command line's answers, and a missing or
// unreachable display ending it with one line and status 1.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;  // an XDG_RUNTIME_DIR without a Wayland socket

  private slots:
    // Leading NAME=value words join an environment without a display; a run ending with 0 writes
    // to stdout only, any other to stderr only, and the pattern matches it whole.
    void run_data() {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("pattern");
        auto row = [](const char* command, int status, const QString& pattern) {
            QTest::newRow(*command ? command : "nothing")
                << QString(command).split(' ', Qt::SkipEmptyParts) << status << pattern;
        };
        const QString version = QString("quilvaro %1\n").arg(QUILVARO_VERSION).replace('.', "\\.");
        const QString help =  // Qt's own options are not told
            "(?![\\s\\S]*\n +-+(platform|reverse))Usage: \\S*quilvaro "
            "\\[options\\]\n(.*\n)*.*--version.*\n(.*\n)*.*--marks.*\n(.*\n)*"
            ".*--no-marks.*\n(.*\n)*";
        const QString misuse = "quilvaro: .*%1.*\nTry 'quilvaro --help'.*\n";
        const QString oneLine = "quilvaro: [^\n]*%1[^\n]*\n";
        row("--version", 0, version);
        row("-platform offscreen -style Fusion -reverse -v", 0, version);  // Qt's options pass
        row("--help", 0, help);
        row("--frobnicate", 2, misuse.arg("frobnicate"));
        row("-platform", 2, misuse.arg("platform"));  // without its value
        row("LANGUAGE=de -x", 2, "quilvaro: .*'x'.*\nMehr dazu .*\n");
        row("", 1, oneLine.arg("DISPLAY nor WAYLAND_DISPLAY"));
        row("WAYLAND_DISPLAY=wayland-9 -platform xcb:x", 1, oneLine.arg("\\(DISPLAY is not set"));
        row("-platform wayland;xcb", 1, oneLine.arg("DISPLAY nor WAYLAND_DISPLAY"));
        row("QT_QPA_PLATFORM=wayland DISPLAY=:0", 1, oneLine.arg("\\(WAYLAND_DISPLAY is not set"));
        row("WAYLAND_SOCKET=9 -platform wayland", 1,
            oneLine.arg("cannot open the game's window: "));
        for (const char* given : {"DISPLAY=:65431", "DISPLAY=:65431 -platform wayland;xcb"})
            row(given, 1, oneLine.arg("cannot open the game's window: .*:65431"));
    }

    void run() {
        QFETCH(QStringList, command);
        QFETCH(int, status);
        QFETCH(QString, pattern);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM",
                                 "XDG_SESSION_TYPE", "LANGUAGE"})
            env.remove(name);
        env.insert("XDG_RUNTIME_DIR", runtime_.path());
        env.insert("XDG_CONFIG_HOME", runtime_.path());  // never the user's settings
        env.insert("LC_ALL", "C.UTF-8");                 // the texts as written
        while (!command.isEmpty() && command.first().contains('=')) {
            const QString setting = command.takeFirst();
            env.insert(setting.section('=', 0, 0), setting.section('=', 1));
        }
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QUILVARO_EXE, command);
        QVERIFY(game.waitForFinished(60000));  // a watchdog
        const QString out = game.readAllStandardOutput(), err = game.readAllStandardError();
        QVERIFY2(game.exitStatus() == QProcess::NormalExit, qPrintable("crashed: " + err));
        QCOMPARE(game.exitCode(), status);
        QCOMPARE(status ? out : err, QString());
        const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern));
        QVERIFY2(whole.match(status ? err : out).hasMatch(), qPrintable(out + err));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
