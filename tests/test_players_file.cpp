// The players file against bad files, failed writes, permissions, kills and other copies: a save
// happens whole, or leaves the file as it was and says why.
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QtEndian>
#include <climits>
#include <filesystem>
#include <functional>
#include <optional>

#include "PlayersFixtures.h"
#include "platform/RecordFile.h"
#include "platform/SettingsFile.h"
#include "players/NewPlayer.h"
#include "players/PlayerListRows.h"
#include "players/PlayersFileLock.h"
#include "view/BallMarks.h"

using namespace qv;
using namespace qvtest;
using namespace platform;

namespace {

// Runs `body`, whose checks count as this test's, in a child as `uid` with files up to `limit`.
bool InChild(const std::function<void()>& body, uid_t uid = -1, rlim_t limit = RLIM_INFINITY) {
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
        ::close(0);                  // started without standard input: a file may get descriptor 0
        ::alarm(20);                 // a watchdog for an open or read that blocks
        const rlimit rl{limit, RLIM_INFINITY};
        if (::setrlimit(RLIMIT_FSIZE, &rl) != 0 ||
            (uid != uid_t(-1) && (::setgroups(0, nullptr) || ::setgid(uid) || ::setuid(uid))))
            ::_exit(2);
        body();
        std::fflush(stdout);
        ::_exit(QTest::currentTestFailed() ? 1 : 0);
    }
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Root runs such a row as a user given the test's folders.
uid_t User(const TestRuntime& rt) {
    const QStringList folders{"-hR", "65534:65534", rt.ProgramDir(),
                              QFileInfo(rt.DataDir()).path()};
    return ::geteuid() == 0 && QProcess::execute("chown", folders) == 0 ? 65534 : uid_t(-1);
}

// The folder `bytes`, made where missing, as a path through a descriptor: any name, any length.
QString Through(const QByteArray& bytes) {
    int fd = ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (const QByteArray& part : bytes.split('/')) {
        if (part.isEmpty())
            continue;
        ::mkdirat(fd, part.constData(), 0755);
        const int next = ::openat(fd, part.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    return QString("/proc/self/fd/%1").arg(fd);
}

bool SameFile(const QString& a, const QString& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a.toStdString(), b.toStdString(), error);
}

bool Chmod(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

QStringList Entries(const QString& folder) {
    const auto all = QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
    return QDir(folder).entryList(all).filter(QRegularExpression("^(?!QVPlayers.dat.lock)"));
}

QByteArray Numbered(int count) {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += EncodeRecord(Player(QString("P%1").arg(i), i));
    return bytes;
}

const QByteArray kAnnBob = Records({Player("Ann", 12), Player("Bob", 3)});
const QByteArray kText = QByteArray("Lines of text, no players.\n").repeated(60);

// Operation `seq` of copy `tag`: every fifth up to the 200th adds a player, the others store.
using Op = std::tuple<bool, QString, int, qint32>;  // add, name, player, result
Op OpAt(int tag, long long seq) {
    return {seq % 5 == 0 && seq <= 200, QString("%1-%2").arg(tag).arg(seq),
            int((seq * 7 + tag) % 20 + 1), qint32(seq * 7919 % 99991)};
}

// A copy of the game running operations from `first` on, telling `report` first - 1 once started,
// then each one finished; it ends after `count` (-1: never), with 1 when one fails.
pid_t StartCopy(const QString& folder, int tag, long long first, long long count, int report) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    CurrentRuntimeHooks().programDir = [folder] { return folder; };
    SetPlayersFileLockTimeout(10000);
    StartUp();
    for (long long seq = first - 1; count < 0 || seq < first + count; ++seq) {
        const auto [add, name, player, result] = OpAt(tag, seq);
        bool ok = seq < first;
        if (!ok && add) {
            PlayersFileLock lock;  // from the reload to the save
            LoadPlayers(LoadMode::Reload);
            ::usleep(2000);  // the dialog's update of the main window
            CurrentPlayer = NewPlayerSlot();
            Players[CurrentPlayer] =
                PlayerRecord{FixedName(name), 0, Players[CurrentPlayer].Spare, kInUseMarker};
            ok = SavePlayers();
        } else if (!ok) {
            CurrentPlayer = std::int16_t(player);
            CurrentResult = result;
            ok = StoreCurrentResult();
        }
        if (!ok || (report >= 0 && ::write(report, &seq, sizeof seq) != sizeof seq))
            ::_exit(1);
    }
    ::_exit(0);
}

// What an operation does to the file, from the file format alone.
QByteArray Apply(QByteArray file, const Op& op) {
    const auto& [add, name, player, result] = op;
    int slot = 1;  // the first free record
    while (add && file.mid((slot - 1) * 60 + 58, 2) == "\r\n")
        ++slot;
    if (add)
        return file.replace((slot - 1) * 60, 60, EncodeRecord(Player(name, 0)));
    char* stored = file.data() + (player - 1) * 60 + 50;
    qToLittleEndian<qint32>(std::max(result, qFromLittleEndian<qint32>(stored)), stored);
    return file;
}

// The rows of whateverLiesBesideTheGame: what lies where (a mode for the file, its folder's/ or the
// data folder's d) | said at the start | where it is kept | the current player | a change | said
// then at a store and a save | how they end (+ or -) and the messages, when not as the place says.
// "@" stands for Bob's file kept beside.
const char* const kBesideRows[] = {
    "@|",
    "link @|",
    "fifo|not a file|moved|||",
    "fifo no-data|neither beside|nowhere|||",
    "no-folder|could not be found|nowhere|||",
    "link|does not exist|moved|||",
    "loop|leads nowhere|moved|||",
    "link text|not a players file|nowhere|||",
    "installed file||data|Bob||",
    "installed file no-data|neither beside|nowhere|||",
    "installed data-folder|neither beside|nowhere|||",
    "user installed 0555d|neither beside|nowhere|||",
    "installed text||data|||",
    "moved-text|not a players file|nowhere|||",
    "user installed data-file 0555d|can be read+read-only for you|read|Bob||",
    "latin1 @|",
    "long @|",
    "user latin1 file 0555/|game's folder is read-only|moved|Bob||",
    "user file 0444 0555/|file is read-only|moved|Bob||",
    "user 0555/|folder is read-only|moved|||",
    "user file 0200|could not be read+will not be kept|nowhere|||",
    "file tail||beside|Bob|hard link|",  // written in place
    "user file tail foreign||beside|Bob||",
    "@locked|Another copy+within 1 second.",
    "@locked through a hard link|Another copy+within 1 second.",
    "@SIGTERM|",
    "@SIGHUP|",
    "@SIGINT|",
    "@text|not a players file",
    "@folder|could not be read",
    "@full disk|Player: Bob+too large",
    "@hard link, full disk|Player: Bob+too large",  // in place
    "@taken|given this player's record to Dan|-+1",
    "@deleted|written again|++1",
    "@gone folder|created: No such file",
    "@shrunk|written again|++1",
    "@deleted before the list|written again|++1",
    "@shrunk, then cut and reloaded|written again|++2",
    "user @read-only folder|created beside it: Permission denied",
    "user @read-only file|not writable"};

}  // namespace

class TestPlayersFile : public QObject {
    Q_OBJECT
  private slots:
    void init() { SetPlayersFileLockTimeout(0); }

    // A save gives records 1 to 100 back as read, free slots as zeros, bytes past record 100 as
    // they were, or leaves a file that is not a players file.
    void loadsWhatItCanSavesItBack() {
        // The file (null: none), the records counted (-1: not a players file), current and best
        // player, best result, the current name.
        QList<std::tuple<QByteArray, int, int, int, int, QString>> cases = {
            {QByteArray(), 0, 1, 0, 0, ""},
            {Records({Player("A", 50), Player("B", 70), Player("C", 70)}), 3, 3, 2, 70, "C"},
            {Records({Player("Ann", 0), Player("Bob", 0)}), 2, 2, 0, 0, "Bob"},
            // Shorter than a record: none, or one partly present.
            {EncodeRecord(Player("Ann", 9)).left(30), 0, 1, 0, 0, ""},
            {EncodeRecord(Player("Ann", 9)).left(59), 1, 0, 1, 9, ""},
            {Records({Player("A", 5)}) + EncodeRecord(Player("B", 7)).left(30), 2, 1, 1, 5, "A"},
            {Records({Player("Min", INT_MIN), Player("Neg", -5)}), 2, 2, 0, 0, "Neg"},
            {Numbered(102), 102, 100, 100, 100, "P100"},
            {QByteArray(130, '\0'), 2, 0, 0, 0, ""},  // zeros only: no player
            // A result stored before any player counts for the best.
            {Records({Player("", 17)}).replace(58, 2, QByteArray(2, 0)), 1, 0, 1, 17, ""},
            // More records than 16 bits count
            {Numbered(2) + QByteArray(2'000'000, '\0') + "end", 32767, 2, 2, 2, "P2"},
            // "яШя" spells a JPEG's first bytes in Windows-1251.
            {Records({Player("яШя", 1)}), 1, 1, 1, 1, "яШя"},
            // A program, a picture, lines of text, a JPEG's head
            {ReadWholeFile("/proc/self/exe").left(9000), -1, 0, 0, 0, ""},
            {ReadWholeFile(QFINDTESTDATA("../data/icons/64.png")), -1, 0, 0, 0, ""},
            {(QByteArray(58, 'x') + "\r\n").repeated(3), -1, 0, 0, 0, ""},
            {kText, -1, 0, 0, 0, ""},
            {QByteArray("\xFF\xD8\xFF\xE0").leftJustified(180, 0), -1, 0, 0, 0, ""},
        };
        // A free slot ends in anything but CR LF: Cid's is free, his result the best.
        for (const QByteArray free : {"\n\r", "\0\n", "\r\0"}) {
            const QByteArray cid = EncodeRecord(Player("Cid", 20)).replace(58, 2, free.data(), 2);
            cases.append({kAnnBob + cid, 3, 2, 3, 20, "Bob"});
        }
        // Heads of TIFFs (either byte order), SQLite, tar; a byte off, records.
        for (QByteArray head :
             {QByteArray("II*\0\x08", 5), QByteArray("MM\0*\x08", 5),
              QByteArray("SQLite format 3\0\x10", 17), QByteArray(257, 0) + "ustar"}) {
            cases.append({head.leftJustified(360, 0), -1, 0, 0, 0, ""});
            head[head.size() - 2] = '+';
            cases.append({head.leftJustified(360, 0), 6, 0, 0, 0, ""});
        }
        for (const auto& [file, count, current, best, bestResult, name] : cases) {
            TestRuntime rt;
            QVERIFY(file.isNull() || WriteWholeFile(rt.PlayersFile(), file));
            ResetSharedState();  // read as it is
            InitSettings();
            LoadPlayers(LoadMode::StartUp);
            QCOMPARE(QFileInfo(rt.PlayersFile()).size(), file.size());  // created when missing
            const bool players = count >= 0;
            const QList<qint64> read{PlayersFileRecordCount, CurrentPlayer, BestPlayer, BestResult};
            if (players)
                QCOMPARE(read + QList<qint64>{name == DisplayName(CurrentName)},
                         (QList<qint64>{count, current, best, bestResult, true}));
            QCOMPARE(BestName, BestPlayer > 0 ? Players[BestPlayer].Name : QString());
            StartUp();
            CurrentResult = 1000;  // in the current player's record alone
            QByteArray expected = file.left(std::min(count, 100) * 60).leftJustified(6000, '\0');
            expected += file.mid(6000);
            if (players && current > 0 && file.mid(current * 60 - 2, 2) == "\r\n") {
                const Op store{false, "", current, 1000};
                QVERIFY(StoreCurrentResult());
                QCOMPARE(ReadWholeFile(rt.PlayersFile()), Apply(file, store));
                expected = Apply(expected, store);
            }
            QCOMPARE(SavePlayers(), players);
            QCOMPARE(ReadWholeFile(rt.PlayersFile()), players ? expected : file);
            QVERIFY(players ? rt.messages.empty()
                            : SaidOnce(rt, {rt.PlayersFile(), "not a players file"}));
        }
    }

    // Each character Windows-1251 cannot hold is named once, a pair of UTF-16 units as one.
    void namesIn1251() {
        QCOMPARE(EncodeRecord({"Twelve chars", 1234, {1, 2, 3, 4}, kInUseMarker}),
                 "Twelve chars" + QByteArray(38, ' ') + QByteArray("\xD2\x04\0\0\1\2\3\4\r\n", 10));
        const QByteArray ivan = EncodeRecord(Player("Иван", -2));
        QCOMPARE(ivan.left(5) + ivan.mid(50, 4), QByteArray("\xC8\xE2\xE0\xED \xFE\xFF\xFF\xFF"));
        QCOMPARE(DisplayName(DecodeRecord(ivan).Name), "Иван");
        QCOMPARE(DisplayName(QStringLiteral("  \tAnn\r\n \0junk")), "\tAnn\r\n");
        QVERIFY(NameRefusal("Иван €uro\r\n\u0098").isEmpty());
        // Characters that show nothing go by their code, a lone half of a pair too.
        QVERIFY(NameRefusal("Zoë\U0001F600ë!\u200F\u0301\U000E0001" + QString(QChar(0xD83D)))
                    .contains(" name:\r\n\r\në \U0001F600 U+200F U+0301 U+E0001 U+D83D\r\n"));
        QCOMPARE(ToCp1251("ü€\U0001F600"), QByteArray("?\x88?"));
        // The list shows control characters as blanks, a name up to its first NUL, a result whole.
        QCOMPARE(PlayerListRow(Player("A\u0098B\u009FC\u00A0D\u007F", 5)).left(8), "A B C\u00A0D ");
        QCOMPARE(PlayerListRow(Player(QString(QChar(0)) + "junk", 5)).left(4), "    ");
        const QString row =
            PlayerListRow(Player("Ann\r\nLee\t" + QString(QChar(0)) + "x", -1234567));
        QCOMPARE(QString(row).replace(QRegularExpression(" +"), " "), "Ann Lee -1234567");
    }

    // A relative XDG path counts as unset; HOME too, then the password database gives it.
    void foldersAreAbsolute() {
        TestRuntime rt;
        CurrentRuntimeHooks() = {};
        QCOMPARE(QFile::decodeName(ProgramDirBytes()), QFileInfo("/proc/self/exe").canonicalPath());
        const QByteArray home = qgetenv("HOME"), account = ::getpwuid(::getuid())->pw_dir;
        for (const auto& [base, dir, expected] :
             QList<std::tuple<QByteArray, QByteArray, QByteArray>>{
                 {"rel/x", "/home/a", "/home/a/."},
                 {"/x", "/home/a", "/x"},
                 {"", "", account + "/."},
                 {"", "home", account + "/."}}) {
            for (const char* xdg : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"})
                qputenv(xdg, base);
            QVERIFY(dir.isEmpty() ? qunsetenv("HOME") : qputenv("HOME", dir));
            QVERIFY2(UserDataPath().startsWith(expected), qPrintable(UserDataPath()));
            QVERIFY2(SettingsFilePath().startsWith(expected), qPrintable(UserConfigPath()));
        }
        qputenv("HOME", home);
    }

    // Also when the file changes during a session; what fails is said.
    void whateverLiesBesideTheGame_data() {
        QTest::addColumn<QStringList>("row");
        for (const char* row : kBesideRows) {
            const QString r = QString(row).replace("@", "file||beside|Bob|");
            QTest::newRow(qPrintable(r)) << (r + "|").split('|');
        }
    }
    void whateverLiesBesideTheGame() {
        QFETCH(QStringList, row);
        const QString &said = row[1], &kept = row[2], &shown = row[3], &change = row[4];
        const QStringList s = row[0].split(' '), later = row[5].split('+', Qt::SkipEmptyParts);
        const bool keeps = kept == "beside" || kept == "data" || kept == "moved";
        const QString ends = !row[6].isEmpty() ? row[6]
                             : later.size()    ? "--2"
                             : keeps           ? "++0"
                                               : "--0";
        TestRuntime rt;
        const auto rm = qScopeGuard([&] { QProcess::execute("rm", {"-rf", rt.ProgramDir()}); });
        QByteArray folder =
            QFile::encodeName(rt.ProgramDir()) + (s.contains("installed") ? "/prefix/bin" : "");
        folder += s.contains("latin1") ? "/caf\xe9" : "";
        for (int i = 0; s.contains("long") && i < 25; ++i)  // longer than a path can be
            folder += "/" + QByteArray(200, 'a' + i);
        const QString bin = Through(folder), beside = bin + "/QVPlayers.dat";
        const QString other = rt.DataDir() + "-shared/QVPlayers.dat",
                      data = rt.DataDir() + "/QVPlayers.dat";
        const QString target = s.contains("link") ? other : beside,
                      apps = bin + "/../share/applications";
        const QByteArray id = QCryptographicHash::hash(folder, QCryptographicHash::Sha256);
        const QString moved = rt.DataDir() + "/moved/" + id.toHex().left(16) + "/QVPlayers.dat";
        const QMap<QString, QString> places{
            {"beside", target}, {"data", data}, {"read", data}, {"moved", moved}};
        QVERIFY(QDir().mkpath(rt.DataDir()));
        QVERIFY(QDir().mkpath(QFileInfo(other).path()));
        const QMap<QString, QByteArray> contents{
            {"file", kAnnBob}, {"tail", kAnnBob.leftJustified(6000, 0) + "t"}, {"text", kText}};
        for (const QString& w : s) {
            const bool made =
                w == "installed" ? QDir().mkpath(apps) &&
                                       WriteWholeFile(apps + "/com.dremwick.quilvaro.desktop", "")
                : w == "link" ? QFile::link(other, beside)
                : w == "loop" ? QFile::link(beside, beside)
                : w == "fifo" ? ::mkfifo(QFile::encodeName(beside), 0600) == 0
                : w == "no-data"
                    ? QDir(rt.DataDir()).removeRecursively() && WriteWholeFile(rt.DataDir(), "")
                : w == "data-folder" ? QDir().mkpath(data)
                : w == "moved-text"
                    ? QDir().mkpath(QFileInfo(moved).path()) && WriteWholeFile(moved, kText)
                : w == "data-file" ? WriteWholeFile(data, kAnnBob) && Chmod(data, 0444)
                                   : !contents.contains(w) || WriteWholeFile(target, contents[w]);
            QVERIFY2(made, qPrintable(w));
        }
        const QByteArray before = QFileInfo(target).isFile() ? ReadWholeFile(target) : "";
        const uid_t uid = s.contains("user") ? User(rt) : uid_t(-1);
        QVERIFY(!s.contains("foreign") || ::geteuid() != 0 ||  // another account's
                ::chown(QFile::encodeName(target), 0, 0) == 0);
        QVERIFY(!s.contains("foreign") || Chmod(target, 0666));
        CurrentRuntimeHooks().programDirBytes = [folder, none = s.contains("no-folder")] {
            return none ? QByteArray() : folder;
        };
        for (const QString& mode : s.filter(QRegularExpression("^0"))) {
            const QString path = mode.endsWith('/')   ? bin
                                 : mode.endsWith('d') ? rt.DataDir()
                                                      : target;
            QVERIFY(Chmod(path, mode.left(4).toUInt(nullptr, 8)));
        }
        const auto session = [&] {  // in a child
            char name[] = "t", *argv[] = {name, nullptr};
            int argc = 1;
            QCoreApplication app(argc, argv);  // for the signals
            EndOnSignals();
            StartUp();
            QVERIFY(said.isEmpty() ? rt.messages.empty() : SaidOnce(rt, said.split('+')));
            const QString where = PlayersFilePath;
            QVERIFY2(SameFile(where, places.value(kept)), qPrintable(where));
            QVERIFY(kept != "moved" || PlayersFileNote().contains(where));
            QVERIFY(keeps || PlayersFileNote().contains("not kept"));
            QCOMPARE(DisplayName(CurrentName), shown);
            const QString hard = rt.DataDir() + "/hard";
            const bool changed =
                change == "text"     ? QFile::remove(where) && WriteWholeFile(where, kText)
                : change == "folder" ? QFile::remove(where) && QDir().mkdir(where)
                : change == "taken"
                    ? WriteWholeFile(where, Records({Player("Ann", 12), Player("Dan", 7)}))
                : change == "deleted"          ? QFile::remove(where)
                : change == "gone folder"      ? QDir(QFileInfo(where).path()).removeRecursively()
                : change.startsWith("shrunk")  ? QFile::resize(where, 60)
                : change == "read-only folder" ? Chmod(bin, 0555)
                : change == "read-only file"   ? Chmod(where, 0444)
                : change.contains("hard")
                    ? ::link(QFile::encodeName(where), QFile::encodeName(hard)) == 0
                    : true;
            QVERIFY2(changed, qPrintable(change));
            // Another copy holds the lock
            const QString held = change.endsWith("link") ? hard : where;
            const int holder =
                change.startsWith("locked") ? ::open(QFile::encodeName(held), O_RDONLY) : -1;
            QVERIFY(holder < 0 || ::flock(holder, LOCK_EX | LOCK_NB) == 0);
            rt.onMessage = [&](const Message&) {  // never said holding the file
                const int fd = ::open(QFile::encodeName(PlayersFilePath), O_RDONLY | O_NONBLOCK);
                QVERIFY(fd < 0 || holder >= 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0);
                ::close(fd);
            };
            const uint handles = QDir("/proc/self/fd").count();
            rt.ClearRecords();
            // A lock held: given up at once, or after 200 ms of tries that sleep in between.
            SetPlayersFileLockTimeout(holder < 0 ? 10000 : held == where ? 1 : 200);
            QElapsedTimer clock;
            clock.start();
            rusage use{};  // a copy waiting for the lock sleeps between tries
            ::getrusage(RUSAGE_THREAD, &use);
            const long wakes = use.ru_nvcsw;
            const QByteArray was = QFileInfo(where).isFile() ? ReadWholeFile(where) : "";
            const int kill = QStringList{"SIGTERM", "SIGHUP", "SIGINT"}.indexOf(change);
            std::optional<PlayersFileLock> saving;  // a signal while locked
            if (kill >= 0)
                saving.emplace(), ::raise(QList{SIGTERM, SIGHUP, SIGINT}[kill]);
            CurrentResult = 2'000'000'000;  // above what a text file's bytes give
            QCOMPARE(StoreCurrentResult(), ends[0] == '+');
            if (ends == "++0" && shown == "Bob")  // into Bob's record alone
                QCOMPARE(ReadWholeFile(where), Apply(was, {false, "", 2, CurrentResult}));
            Players[3] = Player("Cat", 0);
            QVERIFY(change != "deleted before the list" || QFile::remove(where));
            if (change.endsWith("reloaded")) {  // below what the store wrote
                QVERIFY(QFile::resize(where, 120));
                LoadPlayers(LoadMode::Reload);
            }
            QCOMPARE(SavePlayers(), ends[1] == '+');
            saving.reset();
            const QByteArray table =
                Records({Player("Ann", 12), Player("Bob", 2e9), Player("Cat", 0)});
            if (ends == "++0" && shown == "Bob")  // in place, the tail kept
                QCOMPARE(ReadWholeFile(where), table.leftJustified(6000, 0) + was.mid(6000));
            QCOMPARE(rt.endCount, 0);
            QCoreApplication::processEvents();  // a signal ends the game after the save
            QCOMPARE(rt.endCount, int(kill >= 0));
            QVERIFY(clock.elapsed() < 2000);  // nothing stalls
            ::getrusage(RUSAGE_THREAD, &use);
            QVERIFY2(use.ru_nvcsw - wakes < 100, qPrintable(QString::number(use.ru_nvcsw - wakes)));
            QCOMPARE(QDir("/proc/self/fd").count(), handles);
            QString all;  // one message for each, naming the file
            for (const Message& m : rt.messages)
                all += m.text.contains(ShownPath(where)) ? m.text : "(no file named)";
            QVERIFY2(!all.contains("(no file"), qPrintable(all));
            for (const QString& part : later)
                QVERIFY2(all.contains(part), qPrintable(all));
            QCOMPARE(rt.messages.size(), std::size_t(ends[2].digitValue()));
            QVERIFY(!QFileInfo(where).isFile() || !ends.startsWith("--") ||
                    ReadWholeFile(where) == (change == "text" ? kText : was));
            if (kept == "read") {  // the folder writable again
                QVERIFY(Chmod(rt.DataDir(), 0700));
                QVERIFY(Chmod(where, 0600));
                StartUp();
                QVERIFY(SavePlayers());
            }
            if (!keeps || !(ends.startsWith("++") || change.startsWith("read-only")))
                return;
            // Used again once it can be; the next start finds every player.
            QVERIFY(Chmod(bin, 0700));
            Chmod(target, 0600);
            ::close(holder);
            rt.ClearRecords();
            QVERIFY(StoreCurrentResult());
            QVERIFY(SavePlayers());
            StartUp();
            QCOMPARE(PlayersFilePath + CurrentName.trimmed() + QString::number(BestResult),
                     where + "Cat2000000000");
            QCOMPARE(rt.messages.size(), 0u);
            QVERIFY(shown.isEmpty() || DisplayName(Players[1].Name) == "Ann");
        };
        QVERIFY(InChild(session, uid, change.endsWith("full disk") ? 100 : RLIM_INFINITY));
        Chmod(bin, 0700);
        Chmod(target, 0600);
        QCOMPARE(QFileInfo(beside).isSymLink(), s.contains("link") || s.contains("loop"));
        QVERIFY(keeps || !QFileInfo(target).isFile() || ReadWholeFile(target) == before);
        QCOMPARE(Entries(bin).filter(QRegularExpression("^(?!QVPlayers.dat$)")), QStringList());
        QVERIFY(kept == "moved" || kept == "data" || kept == "read" || s.contains("moved-text") ||
                !(QFileInfo::exists(rt.DataDir() + "/moved") || QFileInfo(data).isFile()));
    }

    // A terabyte of holes stays holes, another group's file (as root) its group's, and a disk
    // without room (as /proc) refuses a save before writing.
    void aSaveKeepsWhatTheFileIs() {
        TestRuntime rt;
        const QString f = rt.ProgramDir() + "/f";
        QVERIFY(InChild([&] {
            const uint handles = QDir("/proc/self/fd").count();
            StartUp();  // the folder probed, the file made and locked: none left open
            QCOMPARE(QDir("/proc/self/fd").count(), handles);
            QString why;
            struct stat was {
            }, is{};
            QVERIFY(WriteWholeFile(f, kAnnBob));
            QVERIFY(QFile::resize(f, 1LL << 40));
            QVERIFY(::geteuid() != 0 || ::chown(QFile::encodeName(f), 0, 65534) == 0);
            QCOMPARE(::stat(QFile::encodeName(f), &was), 0);
            QVERIFY2(ReplaceFileRange(f, 60, "Cid", {}, &why), qPrintable(why));
            QCOMPARE(::stat(QFile::encodeName(f), &is), 0);
            // As long, still sparse, its group's, replaced in one step
            QCOMPARE(
                (QList<qint64>{is.st_size, is.st_blocks < 100, is.st_gid, is.st_ino != was.st_ino}),
                (QList<qint64>{1LL << 40, 1, was.st_gid, 1}));
            RecordFile file;
            QVERIFY(file.Open(f, 60, Access::ReadOnly));
            QCOMPARE(file.ReadRecord(2), EncodeRecord(Player("Bob", 3)).replace(0, 3, "Cid"));
            QVERIFY(!ReplaceFileRange("/proc/self/f", 0, "x", {}, &why));
            QVERIFY2(why.contains("not enough free space"), qPrintable(why));
        }));
    }

    // One not the game's is never replaced nor read whole; the player is told once.
    void settingsFileKeptWithCare_data() {
        // What lies there | the marks read at the start | said when kept
        QTest::addColumn<QStringList>("row");
        for (const char* row :
             {"||", "ours|true|", "ours link|true|", "ours hard|true|", "old-lock-fifo||",
              "fifo||could not be read", "folder||could not be read",
              "players link||not the game's", "text link||not the game's", "huge||not the game's",
              "link||leads nowhere", "Dremwick||is not a folder"})
            QTest::newRow(row) << QString(row).split('|');
    }
    void settingsFileKeptWithCare() {
        QFETCH(QStringList, row);
        const QStringList s = row[0].split(' ');
        TestRuntime rt;
        const QString folder = rt.DataDir() + "/config/Dremwick", conf = folder + "/quilvaro.conf";
        const QString target =
            row[0].contains(QRegularExpression("link|hard")) ? rt.DataDir() + "/elsewhere" : conf;
        const QByteArray ours = "[General]\nmarks=true\n\n[Other]\nkey=1\n";
        QVERIFY(QDir().mkpath(rt.DataDir() + "/config"));
        const QMap<QString, QByteArray> contents{
            {"ours", ours},
            {"players", kAnnBob},
            {"text", "root:x:0:0::/root:/bin/sh\n"},
            {"huge", ""},
        };
        QVERIFY(s.contains("Dremwick") || QDir().mkpath(folder));
        for (const QString& w : s) {
            QVERIFY(!contents.contains(w) || WriteWholeFile(target, contents[w]));
            const QByteArray name = QFile::encodeName(w == "old-lock-fifo" ? conf + ".lock" : conf);
            const bool made = w == "huge"          ? QFile::resize(target, 100 << 20)
                              : w == "link"        ? QFile::link(target, conf)
                              : w == "hard"        ? ::link(QFile::encodeName(target), name) == 0
                              : w.endsWith("fifo") ? ::mkfifo(name, 0600) == 0
                              : w == "folder"      ? QDir().mkpath(conf)
                                                   : w != "Dremwick" || WriteWholeFile(folder, "");
            QVERIFY2(made, qPrintable(w));
        }
        const QByteArray before = QFileInfo(target).isFile() ? ReadWholeFile(target) : "";
        QVERIFY(InChild([&] {
            rusage use{};  // a large file is not read whole
            ::getrusage(RUSAGE_SELF, &use);
            const long memory = use.ru_maxrss;
            StartBallMarks({});
            QCOMPARE(BallMarks, row[1] == "true");
            SaveBallMarks(false);
            SaveBallMarks(true);
            QCOMPARE(rt.messages.size(), std::size_t(!row[2].isEmpty()));  // once a session
            ::getrusage(RUSAGE_SELF, &use);
            QVERIFY2(use.ru_maxrss - memory < 20'000, "read whole");
            if (!row[2].isEmpty()) {
                QVERIFY(SaidOnce(rt, {conf, row[2]}));
                return;
            }
            QVERIFY(SavedBallMarks());
            QCOMPARE(ReadWholeFile(target), s.contains("ours") ? ours : ours.left(21));
        }));
        if (QFileInfo(target).isFile() && !row[2].isEmpty())  // left as it was
            QCOMPARE(ReadWholeFile(target), before);
        QCOMPARE(QFileInfo(conf).isSymLink(), s.contains("link"));
        QVERIFY(!s.contains("hard") || SameFile(conf, target));
    }

    // Copies killed at random moments leave the state before or after the operation; two at once,
    // through any links, lose nothing (counts: QUILVARO_STRESS_KILLS, QUILVARO_CONCURRENT_OPS).
    void copiesOfTheGameLoseNothing_data() {
        QTest::addColumn<int>("copies");
        QTest::addColumn<QString>("links");
        QTest::newRow("killed at random moments") << 1 << "";
        QTest::newRow("two at once in one folder") << 2 << "";
        QTest::newRow("two at once through links") << 2 << "symbolic";
        QTest::newRow("two at once through hard links") << 2 << "hard";
    }
    void copiesOfTheGameLoseNothing() {
        QFETCH(int, copies);
        QFETCH(QString, links);
        if (!qEnvironmentVariableIsSet("QUILVARO_STRESS"))
            QSKIP("run as test_players_stress");
        const int kills = qEnvironmentVariable("QUILVARO_STRESS_KILLS", "60").toInt();
        const int ops = qEnvironmentVariable("QUILVARO_CONCURRENT_OPS", "150").toInt();
        TestRuntime rt;
        const QByteArray tail(75, 'x');  // past record 100, never changed
        QByteArray model = Numbered(20).leftJustified(6000, '\0');
        QVERIFY(WriteWholeFile(rt.PlayersFile(), model + tail));
        QStringList folders{rt.ProgramDir(), rt.ProgramDir()}, records[2];
        for (int tag = 0; !links.isEmpty() && tag < 2; ++tag) {
            folders[tag] = rt.ProgramDir() + QString("/copy%1").arg(tag);
            const QByteArray name = QFile::encodeName(folders[tag] + "/QVPlayers.dat");
            QVERIFY(QDir().mkpath(folders[tag]));
            QVERIFY(links == "hard" ? ::link(QFile::encodeName(rt.PlayersFile()), name) == 0
                                    : QFile::link(rt.PlayersFile(), name));
        }
        pid_t pids[2];
        for (int tag = 0; copies == 2 && tag < 2; ++tag)
            pids[tag] = StartCopy(folders[tag], tag, 1, ops, -1);
        for (int tag = 0, status = 0; copies == 2 && tag < 2; ++tag) {
            QCOMPARE(::waitpid(pids[tag], &status, 0), pids[tag]);
            QCOMPARE(status, 0);  // every operation done
            for (long long seq = 1; seq <= ops; ++seq)
                model = Apply(model, OpAt(tag, seq));
        }
        long long seq = 1, done = 0;
        for (int kill = 1; copies == 1 && kill <= kills; ++kill) {
            int report[2], status = 0;
            QVERIFY(::pipe(report) == 0);
            const pid_t copy = StartCopy(rt.ProgramDir(), 0, seq, -1, report[1]);
            ::close(report[1]);
            // Half the kills after one finished operation, however busy the machine.
            for (int reports = 0; reports < 1 + kill % 2; ++reports)
                QVERIFY(::read(report[0], &done, sizeof done) == sizeof done);
            ::usleep(kill * 7919 % 25000);
            QCOMPARE(::kill(copy, SIGKILL), 0);
            QCOMPARE(::waitpid(copy, &status, 0), copy);
            QVERIFY2(WIFSIGNALED(status), "an operation failed");
            while (::read(report[0], &done, sizeof done) == sizeof done) {
            }
            ::close(report[0]);
            for (; seq <= done; ++seq)
                model = Apply(model, OpAt(0, seq));
            const QByteArray now = ReadWholeFile(rt.PlayersFile());
            const QByteArray after = Apply(model, OpAt(0, seq++)) + tail;
            QVERIFY2(now == model + tail || now == after, qPrintable(QString::number(kill)));
            model = now.left(6000);
            // Killed before renaming its new file over the old, that file holds the state after.
            for (const QString& entry : Entries(rt.ProgramDir()).filter(".dat.")) {
                QVERIFY2(ReadWholeFile(rt.ProgramDir() + "/" + entry) == after, qPrintable(entry));
                QVERIFY(QFile::remove(rt.ProgramDir() + "/" + entry));
            }
        }
        // The same players and results, in whichever record.
        for (int k = 0; k < 2; ++k) {
            const QByteArray file = k ? ReadWholeFile(rt.PlayersFile()) : model + tail;
            for (int i = 1; i <= 101; ++i)
                records[k] << file.mid((i - 1) * 60, i > 100 ? -1 : 60).toHex();
            records[k].sort();
        }
        QCOMPARE(records[1], records[0]);
    }
};

QTEST_APPLESS_MAIN(TestPlayersFile)
#include "test_players_file.moc"
