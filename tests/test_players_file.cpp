// The players file at byte level and against bad files, failed writes and other copies of the
// game: the game loads what it can, and a save happens whole or leaves the file and says why.
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QLockFile>
#include <QRegularExpression>
#include <QTest>
#include <climits>
#include <functional>
#include <random>

#include "PlayersFixtures.h"
#include "platform/Basic.h"
#include "players/NewPlayer.h"
#include "players/PlayerListRows.h"
#include "players/PlayersFileLock.h"

using namespace qv;
using namespace qvtest;

namespace {

struct stat StatOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Runs `body` in a child whose files may grow to `limit` bytes (a full disk), as `uid` unless -1.
bool InChild(const std::function<bool()>& body, rlim_t limit = RLIM_INFINITY, uid_t uid = -1) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
        const rlimit rl{limit, RLIM_INFINITY};
        if (::setrlimit(RLIMIT_FSIZE, &rl) != 0 ||
            (uid != uid_t(-1) &&
             (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0)))
            ::_exit(2);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QByteArray Numbered(int count) {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += EncodeRecord(Player(QStringLiteral("P%1").arg(i), i));
    return bytes;
}

}  // namespace

class TestPlayersFile : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QCOMPARE(PlayersFileLockTimeout(), 10000); }  // another copy: 10 s
    void init() { SetPlayersFileLockTimeout(0); }
    void cleanup() { ::alarm(0); }

    void loadsWhatItCanAndSavesItBackByteForByte() {
        QByteArray marked;
        const QList<QByteArray> markers = {
            "\r\n", "\n\r", QByteArray("\r\0", 2), "\r\r", QByteArray("\0\n", 2), "ab"};
        for (int i = 0; i < markers.size(); ++i)
            marked += EncodeRecord(Player(QStringLiteral("P%1").arg(i + 1), 10 + i))
                          .replace(58, 2, markers[i]);
        struct Case {
            QByteArray file;  // null: no file at all
            int current, best;
            qint64 bestResult;
            QString name;         // of the current player
            bool players = true;  // can be a players file: saved back, else never replaced
        };
        QList<Case> cases = {
            {QByteArray(), 1, 0, 0, ""},
            {Records({Player("Ann", 50), Player("Bob", 70), Player("Cid", 70)}), 3, 2, 70, "Cid"},
            {Records({Player("Ann", 0), Player("Bob", 0)}), 2, 0, 0, "Bob"},
            {EncodeRecord(Player("Ann", 9)).left(30), 1, 0, 0, "", false},  // half a record
            {Records({Player("Ann", 5)}) + EncodeRecord(Player("Bob", 7)).left(30), 1, 1, 5, "Ann"},
            {marked, 1, 6, 15, "P1"},  // free slots count for the best
            {Records({Player("Min", INT_MIN), Player("Neg", -5)}), 2, 0, 0, "Neg"},
            {Records({Player("Max", INT_MAX), Player("Cur", INT_MAX - 1)}), 2, 1, INT_MAX, "Cur"},
            {Numbered(102), 100, 100, 100, "P100"},
            {QByteArray(130, '\0'), 0, 0, 0, ""},  // zeros only: no player, yet a players file
        };
        std::mt19937 random(20240601);
        for (int length : {1, 29, 30, 31, 59, 61, 89, 90, 91, 150, 5999, 6000, 6001, 6059, 7777}) {
            QByteArray bytes(length, '\0');
            for (auto& b : bytes)
                b = static_cast<char>(random());
            cases.append({bytes, -1, -1, -1, "", false});
        }
        for (const Case& c : cases) {
            TestRuntime rt;
            QVERIFY(c.file.isNull() || WriteWholeFile(rt.PlayersFile(), c.file));
            ResetSharedState();  // read as it is, whatever it holds
            InitSettings();
            LoadPlayers(LoadForm::StartUp);
            QCOMPARE(QFileInfo(rt.PlayersFile()).size(), c.file.size());  // created when missing
            QCOMPARE(PlayerCount, Integer(vb::RoundHalfEven(c.file.size() / 60.0)));
            QVERIFY(c.current < 0 || (QList<qint64>{CurrentPlayer, BestPlayer, BestResult} ==
                                          QList<qint64>{c.current, c.best, c.bestResult} &&
                                      DisplayName(CurrentName) == c.name));
            QCOMPARE(BestName, BestPlayer > 0 ? Players[BestPlayer].Name : QString());
            // Records go back as read (a partial one padded with zeros), free slots as zeros, and
            // bytes past record 100 stay. A file that cannot be a players file is never replaced.
            StartUp();
            QCOMPARE(SavePlayers(), c.players);
            QByteArray expected = c.file.left(std::min<int>(PlayerCount, 100) * 60);
            expected += QByteArray(6000 - expected.size(), '\0') + c.file.mid(6000);
            QCOMPARE(ReadWholeFile(rt.PlayersFile()), c.players ? expected : c.file);
            QVERIFY(c.players ? rt.messages.empty()
                              : SaidOnce(rt, {rt.PlayersFile(), "not a players file"}));
        }
    }

    void recordsOfSixtyBytesWithNamesIn1251() {
        TestRuntime rt;
        StartUp();
        Players[1] = Player("Twelve chars", 1234);
        Players[1].Spare = {0xDE, 0xAD, 0xBE, 0xEF};
        Players[2] = Player(QStringLiteral("Иван"), -2);
        QVERIFY(SavePlayers());
        const QByteArray bytes = ReadWholeFile(rt.PlayersFile());
        QCOMPARE(bytes.left(60), "Twelve chars" + QByteArray(38, ' ') +
                                     QByteArray("\xD2\x04\x00\x00\xDE\xAD\xBE\xEF\r\n", 10));
        QCOMPARE(bytes.mid(60, 5), QByteArray("\xC8\xE2\xE0\xED "));
        QCOMPARE(bytes.mid(110, 4), QByteArray("\xFE\xFF\xFF\xFF"));
        StartUp();
        QCOMPARE(DisplayName(CurrentName), QStringLiteral("Иван"));
        QByteArray all;  // every byte survives a load and a save
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        QCOMPARE(ToCp1251(FromCp1251(all)), all);
        // What 1251 cannot hold is stored as "?", a pair of UTF-16 units or a lone one alike, and
        // the name is padded to its 50 bytes all the same.
        const QChar high(0xD83D), low(0xDE00);
        QCOMPARE(ToCp1251(QStringLiteral("a\u4E2Db\U0001F600c") + high + "d" + low + "e" + high +
                          "\U0001F600"),
                 QByteArray("a?b?c?d?e??"));
        QCOMPARE(EncodeRecord(Player("a\U0001F600b", 1)).left(50), "a?b" + QByteArray(47, ' '));
        QCOMPARE(DisplayName(QStringLiteral("Bob") + QChar(0) + "junk"), QStringLiteral("Bob"));
        QCOMPARE(Trim(QStringLiteral("  \tAnn\r\n ")), QStringLiteral("\tAnn\r\n"));
        QCOMPARE(Trim(QString()) + Trim(QStringLiteral("   ")), QString());  // nothing read past
        // The list shows control characters, 0x98 of a file among them, as blanks.
        QCOMPARE(PlayerListRow(Player("A\u007FB\u0098C\u009FD\u00A0E\u0080", 5)),
                 "A B C D\u00A0E " + QString(15, ' ') + "      5");
        // A name ends at its first NUL, also when that is its first character.
        QCOMPARE(PlayerListRow(Player(QString(QChar(0)) + "junk", 5)), QString(31, ' ') + "5");
    }

    void withoutAPlayerInUseTheResultGoesToRecordOneOnceOnly() {
        TestRuntime rt;
        PlayerRecord unnamed;
        unnamed.Result = 17;
        for (const Long result : {17, 99}) {
            StartUp();
            CurrentResult = result;
            QVERIFY(StoreCurrentResult());
            QCOMPARE(ReadWholeFile(rt.PlayersFile()), EncodeRecord(unnamed));
        }
        QCOMPARE((QList<qint64>{CurrentPlayer, BestPlayer, BestResult}), (QList<qint64>{0, 1, 17}));
    }

    void aSparseFileOfGigabytesIsReadAndWrittenWithoutOverflowOrFillingTheDisk() {
        TestRuntime rt;
        const qint64 length = 5LL * 1024 * 1024 * 1024 + 17;  // 5 GiB and a partial record
        QFile f(rt.PlayersFile());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(Numbered(2)) == 120);
        QVERIFY(f.resize(length - 3) && f.seek(length - 3) && f.write("end") == 3);
        f.close();
        StartUp();
        QCOMPARE((QList<qint64>{PlayerCount, CurrentPlayer, BestResult}),
                 (QList<qint64>{32767, 2, 2}));  // the 16-bit record count does not wrap round
        CurrentResult = 50;
        Players[3] = Player("Cid", 0);
        QVERIFY(StoreCurrentResult() && SavePlayers() && rt.messages.empty());
        QVERIFY(f.open(QIODevice::ReadOnly) && f.size() == length);
        QCOMPARE(f.read(180), Records({Player("P1", 1), Player("P2", 50), Player("Cid", 0)}));
        QVERIFY(f.seek(length - 3) && f.read(9) == "end");
        QVERIFY(StatOf(rt.PlayersFile()).st_blocks * 512 < 1024 * 1024);
    }

    void aWriteThatFailsHalfWayLeavesTheOldFileAndSaysWhy() {
        TestRuntime rt;
        const QByteArray bytes = Numbered(100);
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        StartUp();
        CurrentPlayer = 100;
        CurrentName = Players[100].Name;
        CurrentResult = 500;
        // Files may grow to 3000 bytes only: no new copy of 6000 bytes can be written.
        QVERIFY(InChild(
            [&] {
                Players[1].Result = 1000;
                return !StoreCurrentResult() && !SavePlayers() && rt.messages.size() == 2 &&
                       rt.messages[0].text.contains("Player: P100\r\nYour result 500 could not") &&
                       rt.messages[1].text.contains("list of players could not be stored") &&
                       rt.messages[1].text.contains("File too large");
            },
            3000));
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
        QCOMPARE(Entries(rt.AppDir()), QStringList{"QVPlayers.dat"});
        QVERIFY(InChild([&] { return StoreCurrentResult() && rt.messages.empty(); }));
        QCOMPARE(DecodeRecord(RecordAt(rt.PlayersFile(), 100)).Result, 500);
    }

    void anInstalledCopyKeepsResultsPerUserWhateverItsPrefix_data() {
        QTest::addColumn<QString>("entry");  // put under <prefix>/share/applications
        QTest::addColumn<QString>("kept");   // "data", "bin", or what is said when nowhere
        const QString menu = "com.dremwick.quilvaro.desktop";
        QTest::newRow("installed: its menu entry") << menu << "data";
        QTest::newRow("installed, no data folder") << menu << "neither beside";
        QTest::newRow("installed, a folder there") << menu << "neither beside";
        QTest::newRow("installed, a link to nothing there") << menu << "neither beside";
        QTest::newRow("a bin folder of one's own") << ""
                                                   << "bin";
        QTest::newRow("another program's entry") << "org.example.other.desktop"
                                                 << "bin";
    }
    void anInstalledCopyKeepsResultsPerUserWhateverItsPrefix() {
        QFETCH(QString, entry);
        QFETCH(QString, kept);
        const bool nowhere = kept != "data" && kept != "bin";
        TestRuntime rt;
        const QString bin = rt.AppDir() + "/prefix/bin", apps = bin + "/../share/applications";
        const QString data = rt.DataDir() + "/QVPlayers.dat", tag = QTest::currentDataTag();
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(apps));
        QVERIFY(entry.isEmpty() || WriteWholeFile(apps + "/" + entry, "[Desktop Entry]\n"));
        QVERIFY(!tag.endsWith("no data folder") || WriteWholeFile(rt.DataDir(), "a file"));
        QVERIFY(!tag.endsWith("folder there") || QDir().mkpath(data));
        QVERIFY(!tag.endsWith("nothing there") ||
                (QDir().mkpath(rt.DataDir()) && QFile::link(data + ".gone", data)));
        const QByteArray seed = Records({Player("Ann", 12)});
        QVERIFY(WriteWholeFile(bin + "/QVPlayers.dat", seed));
        vb::CurrentRuntimeHooks().appPath = [bin] { return bin; };
        StartUp();
        QCOMPARE(PlayersFilePath,
                 nowhere ? "" : (kept == "bin" ? bin : rt.DataDir()) + "/QVPlayers.dat");
        QCOMPARE(DisplayName(CurrentName), nowhere ? "" : "Ann");  // seeded from beside it
        Players[2] = Player("Bob", 0);
        QCOMPARE(SavePlayers(), !nowhere);
        QVERIFY(nowhere ? SaidOnce(rt, {kept})
                        : rt.messages.empty() && PlayersFileNote().isEmpty());
        QCOMPARE(ReadWholeFile(bin + "/QVPlayers.dat") == seed,
                 kept != "bin");  // bin stays as it was
        QCOMPARE(Entries(bin), QStringList{"QVPlayers.dat"});
    }

    // A FIFO or a folder sends the results to the data folder, said once; a file that is plainly
    // no players file is never replaced; a link is followed, and the lock and the save act on the
    // file it leads to.
    void whateverLiesBesideTheGameNothingBlocksAndNothingIsLost_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("said");  // in the one message at the first start
        QTest::addColumn<QString>("kept");  // "beside", "moved", or "" when nowhere
        for (const char* row : {"fifo|not a file|moved", "fifo, no data folder|neither beside|",
                                "folder|not a file|moved", "link to nothing|does not exist|moved",
                                "text|not a players file|", "link to text|not a players file|",
                                "link to players||beside"}) {
            const QStringList w = QString(row).split('|');
            QTest::newRow(row) << w[0] << w[1] << w[2];
        }
    }
    void whateverLiesBesideTheGameNothingBlocksAndNothingIsLost() {
        QFETCH(QString, what);
        QFETCH(QString, said);
        QFETCH(QString, kept);
        ::alarm(20);  // a watchdog: SIGALRM ends the suite, rather than an open or read that blocks
        TestRuntime rt;
        const QString file = rt.PlayersFile(), other = rt.DataDir() + "-shared/QVPlayers.dat";
        QVERIFY(QDir().mkpath(QFileInfo(other).path()));
        const QByteArray text = QByteArray("Lines of text, no players.\n").repeated(60).left(1470);
        const bool link = what.startsWith("link to"), isText = what.endsWith("text");
        QVERIFY(!what.startsWith("fifo") ||
                ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        QVERIFY(!what.endsWith("no data folder") || WriteWholeFile(rt.DataDir(), "a file"));
        QVERIFY(what != "folder" || QDir().mkpath(file));
        QVERIFY(!link || WriteWholeFile(other, isText ? text : Records({Player("Ann", 5)})));
        QVERIFY(!link || QFile::link(what.endsWith("nothing") ? other + ".gone" : other, file));
        QVERIFY(what != "text" || WriteWholeFile(file, text));
        const QString target = link ? other : file;
        const QByteArray before = QFileInfo(target).isFile() ? ReadWholeFile(target) : "";

        StartUp();
        QVERIFY(said.isEmpty() ? rt.messages.empty() : SaidOnce(rt, {said}));
        if (kept == "beside")
            QCOMPARE(PlayersFilePath, target);
        else if (kept == "moved")
            QVERIFY(QRegularExpression("^" + rt.DataDir() + "/moved/[0-9a-f]{16}/QVPlayers.dat$")
                        .match(PlayersFilePath)
                        .hasMatch() &&
                    PlayersFileNote().contains(PlayersFilePath));
        else
            QVERIFY(PlayersFilePath.isEmpty() && PlayersFileNote().contains("not kept"));
        CurrentResult = 9;
        QCOMPARE(StoreCurrentResult(), !kept.isEmpty() || CurrentPlayer == 0);
        Players[3] = Player("Cat", 0);
        QCOMPARE(SavePlayers(), !kept.isEmpty());
        QCOMPARE(Players[1].Result, 9);  // the game goes on with it
        QVERIFY(StoreCurrentResult());   // an equal result needs no storing
        QCOMPARE(rt.messages.size(), std::size_t(!said.isEmpty()));
        QVERIFY(!kept.isEmpty() || !QFileInfo(target).isFile() || ReadWholeFile(target) == before);
        QCOMPARE(QFileInfo(file).isSymLink(), link);  // left where it was
        QVERIFY(QFileInfo::exists(file) || what.endsWith("nothing"));
        if (kept.isEmpty())
            return;
        // The next start finds every player again, without a word, and locks beside the file.
        const QString where = PlayersFilePath;
        rt.ClearRecords();
        StartUp();
        QVERIFY(rt.messages.empty() && PlayersFilePath == where);
        QCOMPARE(DisplayName(Players[3].Name), QStringLiteral("Cat"));
        QVERIFY(PlayersFileLock().IsLocked() && QFile::exists(where + ".lock"));
        // A file that turns into something else meanwhile is not replaced either, nor taken at
        // the next start; a folder in its place cannot be read; nor locked, once its folder is
        // gone.
        QVERIFY(QFile::remove(where) && WriteWholeFile(where, text));
        QVERIFY(!SavePlayers() && SaidOnce(rt, {where, "not a players file"}));
        QCOMPARE(ReadWholeFile(where), text);
        rt.ClearRecords();
        StartUp();
        QVERIFY(PlayersFilePath.isEmpty() && SaidOnce(rt, {where, "not a players file"}));
        PlayersFilePath = where;
        QVERIFY(QFile::remove(where) && QDir().mkdir(where));
        rt.ClearRecords();
        CurrentResult = 9;
        QVERIFY(!StoreCurrentResult() && SaidOnce(rt, {"The file could not be read"}));
        QVERIFY(QDir(QFileInfo(where).path()).removeRecursively());
        rt.ClearRecords();
        QVERIFY(!SavePlayers() && SaidOnce(rt, {"The lock file " + where + ".lock could not be "}));
    }

    // A save changes nothing about the file but its contents, whoever saves it.
    void aSaveKeepsOwnerGroupModeAndLinks_data() {
        QTest::addColumn<uint>("saver");
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("mode");
        QTest::addColumn<bool>("secondName");
        QTest::newRow("root saves a user's file") << 0u << 65534u << 04750u << false;
        QTest::newRow("a user saves root's file") << 65534u << 0u << 0666u << false;
        QTest::newRow("a file with a second name") << 0u << 65534u << 02664u << true;
    }
    void aSaveKeepsOwnerGroupModeAndLinks() {
        QFETCH(uint, saver);
        QFETCH(uint, owner);
        QFETCH(uint, mode);
        QFETCH(bool, secondName);
        if (::geteuid() != 0)
            QSKIP("changing owners takes root");
        TestRuntime rt;
        const QByteArray file = QFile::encodeName(rt.PlayersFile());
        QVERIFY(WriteWholeFile(rt.PlayersFile(), Records({Player("Ann", 5)})));
        QVERIFY(::chown(file, owner, owner) == 0 && ::chmod(file, mode) == 0);
        QVERIFY(::chmod(QFile::encodeName(rt.AppDir()), 0777) == 0);
        QVERIFY(!secondName || ::link(file, file + "2") == 0);
        const struct stat before = StatOf(rt.PlayersFile());
        QVERIFY(InChild(
            [&] {
                StartUp();
                CurrentResult = 30;
                Players[2] = Player("Bob", 0);
                return PlayersFilePath == rt.PlayersFile() && StoreCurrentResult() &&
                       SavePlayers() && rt.messages.empty();
            },
            RLIM_INFINITY, saver == 0 ? uid_t(-1) : saver));
        const struct stat after = StatOf(rt.PlayersFile());
        QCOMPARE(
            (QList<uint>{after.st_uid, after.st_gid, after.st_mode, uint(after.st_nlink)}),
            (QList<uint>{before.st_uid, before.st_gid, before.st_mode, uint(before.st_nlink)}));
        QCOMPARE(ReadWholeFile(rt.PlayersFile()).left(120),
                 Records({Player("Ann", 30), Player("Bob", 0)}));
    }

    // As in the unprivileged suite, checked here as well for the mutation run, which runs this one.
    void aFileTheUserCannotReadIsNeitherUsedNorGivenUpOneItCanIsRead() {
        if (::geteuid() != 0)
            QSKIP("test_players_file_permissions checks this without root");
        TestRuntime rt;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), Records({Player("Ann", 5)})));
        QVERIFY(::chmod(QFile::encodeName(rt.PlayersFile()), 0600) == 0 &&
                ::chown(QFile::encodeName(rt.AppDir()), 65534, 65534) == 0);
        auto unread = [&] {
            StartUp();
            return PlayersFilePath.isEmpty() &&
                   SaidOnce(rt, {rt.PlayersFile(), "could not be read"});
        };
        QVERIFY(InChild(unread, RLIM_INFINITY, 65534));
        QVERIFY(::chmod(QFile::encodeName(rt.PlayersFile()), 0644) == 0);  // read-only is read
        auto readOnly = [&] {
            ResetSharedState();
            PlayersFilePath = rt.PlayersFile();
            LoadPlayers(LoadForm::StartUp);
            return DisplayName(CurrentName) == "Ann";
        };
        QVERIFY(InChild(readOnly, RLIM_INFINITY, 65534));
    }

    void aNewPlayerTakesTheFirstFreeRecordElseTheWeakest_data() {
        QTest::addColumn<int>("free");    // the one free record, 0 for none
        QTest::addColumn<int>("lowest");  // the lowest result, here and 50 records on
        QTest::addColumn<int>("slot");
        QTest::newRow("the last record free") << 100 << 1 << 100;
        QTest::newRow("full, the lowest first") << 0 << 1 << 1;
        QTest::newRow("full, the lowest second") << 0 << 2 << 2;
        QTest::newRow("full, the lowest last") << 0 << 100 << 100;
    }
    void aNewPlayerTakesTheFirstFreeRecordElseTheWeakest() {
        QFETCH(int, free);
        QFETCH(int, lowest);
        QFETCH(int, slot);
        for (int i = 1; i <= 100; ++i) {
            Players[i] = Player("P", i == lowest || i == lowest + 50 ? -7 : 1000 - i);
            Players[i].Marker[0] = i == free ? QChar(0) : Players[i].Marker[0];
        }
        QCOMPARE(NewPlayerSlot(), slot);
    }

    void aNameIsTakenOnlyWhenTheFileCanHoldIt_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refused");  // the characters named, "" when it is taken
        auto row = [](const char* tag, const QString& name, const QString& refused) {
            QTest::newRow(tag) << name << refused;
        };
        row("Latin accents", "Zoë Müller", "ë ü");
        row("each once", "ëëë", "ë");
        row("beyond the basic plane", "a\U0001F600b", "\U0001F600");
        row("half a pair, last", QString("ab") + QChar(0xD83D), QString(QChar(0xD83D)));
        row("Cyrillic", "Иван Петров", "");
        row("euro, blanks, a line break", "  €uro\r\nline  ", "");
        row("the byte without a character", "\u0098", "");
    }
    void aNameIsTakenOnlyWhenTheFileCanHoldIt() {
        QFETCH(QString, name);
        QFETCH(QString, refused);
        const QString why = NameRefusal(name);
        QVERIFY2(refused.isEmpty() ? why.isEmpty()
                                   : why.contains("cannot hold these characters") &&
                                         why.contains("\r\n" + refused + "\r\n"),
                 qPrintable(why));
        // What is shown after O'k is what the file gives back.
        QVERIFY(!refused.isEmpty() ||
                DecodeRecord(EncodeRecord(Player(name, 0))).Name == FixedName(name));
    }

    void aLockIsTakenOverFromAKilledCopyButNotFromALiveOne() {
        TestRuntime rt;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), Records({Player("Ann", 5)})));
        StartUp();
        QLockFile other(rt.PlayersFile() + ".lock");
        QVERIFY(InChild([&] { return (new QLockFile(other.fileName()))->tryLock(0); }));
        QVERIFY(QFile::exists(other.fileName()));  // never released
        CurrentResult = 7;
        QVERIFY(StoreCurrentResult() && rt.messages.empty());
        // A lock another copy releases after a moment is waited for.
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        if (::fork() == 0) {
            char locked = other.tryLock(0);
            (void)!::write(ready[1], &locked, 1);
            ::usleep(20000);
            other.unlock();
            ::_exit(0);
        }
        char locked = 0;
        QVERIFY(::read(ready[0], &locked, 1) == 1 && locked);
        SetPlayersFileLockTimeout(10000);
        CurrentResult = 8;
        QVERIFY(StoreCurrentResult() && rt.messages.empty() && ::wait(nullptr) > 0);
        QVERIFY(other.tryLock(0));
        SetPlayersFileLockTimeout(0);
        QVERIFY(StoreCurrentResult() && rt.messages.empty());  // an equal one needs no lock
        CurrentResult = 9;
        // The wait is said in whole seconds, rounded up: 0 ms as 0, as 10000 ms would be 10.
        QVERIFY(!StoreCurrentResult() && SaidOnce(rt, {"Another copy", "within 0 seconds."}));
        SetPlayersFileLockTimeout(1);
        rt.ClearRecords();
        QVERIFY(!StoreCurrentResult() && SaidOnce(rt, {"within 1 second."}));
        // A user who may not create the lock file is told so.
        auto denied = [] {
            return PlayersFileLock().Why().endsWith("created: permission denied.");
        };
        QVERIFY(::geteuid() != 0 || InChild(denied, RLIM_INFINITY, 65534));
        QCOMPARE(Players[1].Result, 9);
        LoadPlayers(LoadForm::Reload);  // reading goes on without the lock, and finds the old file
        QCOMPARE(Players[1].Result, 8);
        // A failure while this copy holds the lock is said once the lock is free for the others.
        other.unlock();
        rt.ClearRecords();
        bool lockFree = false;
        rt.onMessage = [&](const Message&) { lockFree = QLockFile(other.fileName()).tryLock(0); };
        QVERIFY(QFile::remove(rt.PlayersFile()) && QDir().mkpath(rt.PlayersFile()));
        QVERIFY(!SavePlayers() && rt.messages.size() == 1 && lockFree);
        {
            PlayersFileLock lock;  // held around the save: said once this one is released too
            QVERIFY(lock.IsLocked() && !SavePlayers() && rt.messages.size() == 1);
        }
        QVERIFY(rt.messages.size() == 2 && lockFree);
    }
};

QTEST_APPLESS_MAIN(TestPlayersFile)
#include "test_players_file.moc"
