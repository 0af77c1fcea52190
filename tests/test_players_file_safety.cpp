// The players file against bad files, failed writes and other copies of the game: whatever is on
// the disk, the game loads what it can and never crashes; a save or an update either happens whole
// or leaves the old file as it was and says why; the lock keeps two copies apart.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTest>
#include <climits>
#include <random>

#include "PlayersFixtures.h"
#include "TestRuntime.h"
#include "game/GameState.h"
#include "platform/Basic.h"
#include "players/PlayersFile.h"
#include "players/PlayersFileLock.h"

using namespace qv;
using qvtest::Player;
using qvtest::ReadWholeFile;
using qvtest::Records;
using qvtest::StartUp;
using qvtest::WriteWholeFile;

namespace {

QByteArray RandomBytes(std::mt19937& random, qint64 size) {
    QByteArray bytes(size, '\0');
    for (auto& b : bytes)
        b = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Every entry of a file: the name of each file in the folder.
QStringList FolderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Runs `body` in a child process whose files may grow to `limit` bytes at most, as on a disk
// that is full; the child's messages come back through a pipe. Returns the child's output.
template <class Body>
QByteArray RunWithFileSizeLimit(rlim_t limit, Body body) {
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe failed";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
        rlimit rl{};
        ::getrlimit(RLIMIT_FSIZE, &rl);
        rl.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &rl);
        const QByteArray out = body();
        [[maybe_unused]] const ssize_t written = ::write(fds[1], out.constData(), out.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray out;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, got);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        out += "\nchild did not exit cleanly";
    return out;
}

QByteArray Describe(bool ok, const qvtest::TestRuntime& rt) {
    QByteArray out = ok ? "ok\n" : "failed\n";
    out += QByteArray::number(static_cast<int>(rt.messages.size())) + " messages\n";
    for (const auto& m : rt.messages)
        out += m.text.toUtf8() + "\n";
    return out;
}

}  // namespace

class TestPlayersFileSafety : public QObject {
    Q_OBJECT
  private slots:
    void init() { SetPlayersFileLockTimeout(0); }
    void cleanup() { SetPlayersFileLockTimeout(10000); }

    // ---- Bad files: the game loads what it can, and a save keeps every byte it can keep.

    void randomFilesOfAnyLengthLoadAndSaveBackTheirRecords() {
        std::mt19937 random(20240601);
        QList<qint64> lengths;
        for (qint64 n = 1; n <= 59; ++n)
            lengths << n;
        lengths << 61 << 89 << 90 << 91 << 150 << 5999 << 6000 << 6001 << 6031 << 6059 << 7777;
        for (const qint64 length : lengths) {
            qvtest::TestRuntime rt;
            const QByteArray original = RandomBytes(random, length);
            QVERIFY(WriteWholeFile(rt.PlayersFile(), original));
            StartUp();
            const double exact = static_cast<double>(length) / 60.0;
            QCOMPARE(PlayerCount, static_cast<Integer>(vb::RoundHalfEven(exact)));
            QVERIFY(CurrentPlayer >= 0 && CurrentPlayer <= 100);
            QVERIFY(rt.messages.empty());
            QVERIFY(SavePlayers());
            // The records that were read go back byte for byte (a partly present record padded
            // with zeros); the free slots are zeros; whatever lies past record 100 is untouched.
            const qint64 read = std::min<qint64>(PlayerCount, 100) * 60;
            QByteArray expected = original.left(std::min(read, length));
            expected.append(QByteArray(6000 - expected.size(), '\0'));
            expected += original.mid(6000);
            QCOMPARE(ReadWholeFile(rt.PlayersFile()), expected);
        }
    }

    void markersOtherThanCrLfAreFreeSlotsAndKeptAsTheyAre() {
        qvtest::TestRuntime rt;
        QByteArray bytes;
        const QList<QByteArray> markers = {QByteArray("\r\n"),    QByteArray("\n\r"),
                                           QByteArray("\r\0", 2), QByteArray("\r\r"),
                                           QByteArray("\0\n", 2), QByteArray("ab")};
        for (int i = 0; i < markers.size(); ++i) {
            QByteArray record = EncodeRecord(Player(QStringLiteral("P%1").arg(i + 1), 10 + i));
            record.replace(58, 2, markers[i]);
            bytes += record;
        }
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        StartUp();
        QVERIFY(Players[1].InUse());
        for (int i = 2; i <= 6; ++i)
            QVERIFY2(!Players[i].InUse(), qPrintable(QString::number(i)));
        QCOMPARE(CurrentPlayer, 1);  // the only record in use
        QCOMPARE(BestPlayer, 6);     // free slots still count for the best result
        QVERIFY(SavePlayers());
        QCOMPARE(ReadWholeFile(rt.PlayersFile()).left(bytes.size()), bytes);
    }

    void negativeAndExtremeResults() {
        {
            qvtest::TestRuntime rt;
            QVERIFY(WriteWholeFile(rt.PlayersFile(),
                                   Records({Player("Min", INT_MIN), Player("Neg", -5)})));
            StartUp();
            QCOMPARE(BestPlayer, 0);  // nothing above 0: no best player
            QCOMPARE(BestResult, 0);
            QCOMPARE(CurrentResult, -5);
            CurrentResult = 0;  // a game scoring 0 beats a negative stored result
            QVERIFY(StoreCurrentResult());
            QCOMPARE(DecodeRecord(ReadWholeFile(rt.PlayersFile()).mid(60, 60)).Result, 0);
            QCOMPARE(DecodeRecord(ReadWholeFile(rt.PlayersFile()).left(60)).Result, INT_MIN);
        }
        {
            qvtest::TestRuntime rt;
            QVERIFY(WriteWholeFile(rt.PlayersFile(),
                                   Records({Player("Max", INT_MAX), Player("Cur", INT_MAX - 1)})));
            StartUp();
            QCOMPARE(BestPlayer, 1);
            QCOMPARE(BestResult, INT_MAX);
            CurrentResult = INT_MAX;
            QVERIFY(StoreCurrentResult());
            QCOMPARE(DecodeRecord(ReadWholeFile(rt.PlayersFile()).mid(60, 60)).Result, INT_MAX);
        }
    }

    void namesOfNulsControlCharactersAndOdd1251BytesSurviveALoadAndASave() {
        qvtest::TestRuntime rt;
        QByteArray nuls = EncodeRecord(Player("", 1));
        nuls.replace(0, 50, QByteArray("A") + QByteArray(49, '\0'));
        QByteArray controls = EncodeRecord(Player("", 2));
        for (int i = 0; i < 50; ++i)
            controls[i] = static_cast<char>(1 + i % 31);
        QByteArray odd = EncodeRecord(Player("", 3));
        for (int i = 0; i < 50; ++i)
            odd[i] = static_cast<char>(0x80 + i);  // includes 0x98, which 1251 leaves unassigned
        QByteArray everyByte;
        for (int b = 0; b < 256; ++b)
            everyByte += static_cast<char>(b);
        QByteArray all = everyByte.left(50);
        QByteArray high = everyByte.mid(200, 50);
        QByteArray r4 = EncodeRecord(Player("", 4)), r5 = EncodeRecord(Player("", 5));
        r4.replace(0, 50, all);
        r5.replace(0, 50, high);
        const QByteArray bytes = nuls + controls + odd + r4 + r5;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        StartUp();
        QCOMPARE(DisplayName(Players[1].Name), QStringLiteral("A"));  // a name ends at its NUL
        QCOMPARE(DisplayName(Players[4].Name), QString());            // starts with a NUL
        QCOMPARE(CurrentPlayer, 5);
        QVERIFY(SavePlayers());
        QCOMPARE(ReadWholeFile(rt.PlayersFile()).left(bytes.size()), bytes);
    }

    void sparseFileOfGigabytesCountsAtMost32767RecordsAndIsSavedWithoutFillingTheDisk() {
        qvtest::TestRuntime rt;
        const qint64 length = 5LL * 1024 * 1024 * 1024 + 17;  // 5 GiB and a partial record
        const QByteArray head = Records({Player("Ann", 40), Player("Bob", 7)});
        const QByteArray last = QByteArray("end of a very long file") + QByteArray(37, 'x');
        {
            QFile f(rt.PlayersFile());
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write(head) == head.size());
            QVERIFY(f.resize(length - last.size()));
            QVERIFY(f.seek(length - last.size()));
            QVERIFY(f.write(last) == last.size());
        }
        StartUp();
        QCOMPARE(PlayerCount, 32767);  // the 16-bit record count does not wrap round
        QCOMPARE(CurrentPlayer, 2);
        QCOMPARE(BestResult, 40);
        CurrentResult = 50;
        QVERIFY(StoreCurrentResult());
        Players[3] = Player("Cid", 0);
        QVERIFY(SavePlayers());
        QVERIFY(rt.messages.empty());

        QFile f(rt.PlayersFile());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.size(), length);
        QCOMPARE(DecodeRecord(f.read(60)).Result, 40);
        QCOMPARE(DecodeRecord(f.read(60)).Result, 50);
        QCOMPARE(DisplayName(DecodeRecord(f.read(60)).Name), QStringLiteral("Cid"));
        QVERIFY(f.seek(6000));
        QCOMPARE(f.read(4096), QByteArray(4096, '\0'));
        QVERIFY(f.seek(length - last.size()));
        QCOMPARE(f.read(100), last);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(rt.PlayersFile()).constData(), &st), 0);
        QVERIFY2(st.st_blocks * 512 < 1024 * 1024,
                 qPrintable(QStringLiteral("%1 bytes on disk").arg(st.st_blocks * 512)));
    }

    void aFolderWhereTheFileShouldBeIsNeverWrittenAndSaidSo() {
        qvtest::TestRuntime rt;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), Records({Player("Ann", 3)})));
        StartUp();
        QVERIFY(QFile::remove(rt.PlayersFile()));
        QVERIFY(QDir().mkpath(rt.PlayersFile()));
        CurrentResult = 9;
        QVERIFY(!StoreCurrentResult());
        QCOMPARE(rt.messages.size(), std::size_t(1));
        QVERIFY(rt.messages[0].text.contains(QStringLiteral("could not be stored")));
        QCOMPARE(Players[1].Result, 9);  // the game goes on with the result
        QVERIFY(!SavePlayers());
        QCOMPARE(rt.messages.size(), std::size_t(2));
        QVERIFY(rt.messages[1].text.contains(QStringLiteral("is a folder")));
        QVERIFY(QFileInfo(rt.PlayersFile()).isDir());
        QVERIFY(FolderEntries(rt.PlayersFile()).isEmpty());
        LoadPlayers(LoadForm::Reload);  // shows what it can: the table as it was
        QCOMPARE(DisplayName(Players[1].Name), QStringLiteral("Ann"));
    }

    // ---- Writes happen whole.

    void aSaveReplacesTheFileKeepingItsPermissionsAndLeavesNothingBehind() {
        qvtest::TestRuntime rt;
        const QByteArray tail = QByteArray("past record one hundred, not a whole record");
        QByteArray bytes = Records({Player("Ann", 5)});
        bytes.append(QByteArray(6000 - bytes.size(), '\0'));
        bytes += tail;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        QCOMPARE(::chmod(QFile::encodeName(rt.PlayersFile()).constData(), 0640), 0);
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(rt.PlayersFile()).constData(), &before), 0);
        StartUp();
        Players[2] = Player("Bob", 0);
        QVERIFY(SavePlayers());
        CurrentPlayer = 1;
        CurrentResult = 8;
        QVERIFY(StoreCurrentResult());
        const QByteArray after = ReadWholeFile(rt.PlayersFile());
        QCOMPARE(after.size(), 6000 + tail.size());
        QCOMPARE(after.mid(6000), tail);
        QCOMPARE(DecodeRecord(after.left(60)).Result, 8);
        QCOMPARE(DisplayName(DecodeRecord(after.mid(60, 60)).Name), QStringLiteral("Bob"));
        struct stat now {};
        QCOMPARE(::stat(QFile::encodeName(rt.PlayersFile()).constData(), &now), 0);
        QCOMPARE(now.st_mode & 07777, mode_t(0640));
        QVERIFY(now.st_ino != before.st_ino);  // a new file took the old one's place
        QCOMPARE(FolderEntries(rt.AppDir()), QStringList{QStringLiteral("QVPlayers.dat")});
    }

    void aWriteThatFailsHalfWayLeavesTheOldFileAndSaysWhy() {
        qvtest::TestRuntime rt;
        QByteArray bytes;
        for (int i = 1; i <= 100; ++i)
            bytes += EncodeRecord(Player(QStringLiteral("P%1").arg(i), i));
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        StartUp();
        // Files may grow to 3000 bytes only: the new copy of 6000 bytes cannot be written.
        const QByteArray update = RunWithFileSizeLimit(3000, [&] {
            CurrentPlayer = 2;
            CurrentName = Players[2].Name;
            CurrentResult = 500;
            return Describe(StoreCurrentResult(), rt);
        });
        QVERIFY2(update.startsWith("failed\n1 messages\n"), update.constData());
        QVERIFY2(update.contains("Your result 500 could not be stored"), update.constData());
        QVERIFY2(update.contains("File too large"), update.constData());
        QVERIFY2(update.contains("Player: P2"), update.constData());
        const QByteArray save = RunWithFileSizeLimit(3000, [&] {
            Players[1].Result = 1000;
            return Describe(SavePlayers(), rt);
        });
        QVERIFY2(save.startsWith("failed\n1 messages\n"), save.constData());
        QVERIFY2(save.contains("list of players could not be stored"), save.constData());
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
        QCOMPARE(FolderEntries(rt.AppDir()), QStringList{QStringLiteral("QVPlayers.dat")});
        // The same operations succeed where the disk has room.
        const QByteArray roomy = RunWithFileSizeLimit(RLIM_INFINITY, [&] {
            CurrentPlayer = 2;
            CurrentResult = 500;
            return Describe(StoreCurrentResult(), rt);
        });
        QVERIFY2(roomy.startsWith("ok\n0 messages\n"), roomy.constData());
        QCOMPARE(DecodeRecord(ReadWholeFile(rt.PlayersFile()).mid(60, 60)).Result, 500);
    }

    // ---- The lock beside the file.

    void reloadFillAndSaveRunUnderTheDialogsLock() {
        qvtest::TestRuntime rt;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), Records({Player("Ann", 5)})));
        StartUp();
        const QString lockPath = rt.PlayersFile() + QStringLiteral(".lock");
        {
            PlayersFileLock lock;
            QVERIFY(lock.IsLocked());
            QVERIFY(QFile::exists(lockPath));
            // Another copy finds the file locked.
            QLockFile other(lockPath);
            QVERIFY(!other.tryLock(0));
            LoadPlayers(LoadForm::Reload);
            Players[2] = Player("Bob", 0);
            CurrentPlayer = 2;
            QVERIFY(SavePlayers());
            CurrentResult = 4;
            QVERIFY(StoreCurrentResult());
            QVERIFY(QFile::exists(lockPath));  // still held: the inner uses shared it
        }
        QVERIFY(!QFile::exists(lockPath));
        QVERIFY(rt.messages.empty());
        const QByteArray after = ReadWholeFile(rt.PlayersFile());
        QCOMPARE(DisplayName(DecodeRecord(after.mid(60, 60)).Name), QStringLiteral("Bob"));
        QCOMPARE(DecodeRecord(after.mid(60, 60)).Result, 4);

        // A failure inside the sequence is told once the file is unlocked, never while other
        // copies wait for it.
        bool lockFileFreeDuringMessage = false;
        rt.onMessage = [&](const qvtest::Message&) {
            lockFileFreeDuringMessage = !QFile::exists(lockPath);
        };
        QVERIFY(QFile::remove(rt.PlayersFile()));
        QVERIFY(QDir().mkpath(rt.PlayersFile()));
        {
            PlayersFileLock lock;
            QVERIFY(lock.IsLocked());
            QVERIFY(!SavePlayers());
            QVERIFY(rt.messages.empty());
        }
        QCOMPARE(rt.messages.size(), std::size_t(1));
        QVERIFY(lockFileFreeDuringMessage);
    }

    void aFileLockedByAnotherCopyIsNotWrittenAndTheMessageWaitsForTheUnlock() {
        qvtest::TestRuntime rt;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), Records({Player("Ann", 5)})));
        StartUp();
        const QByteArray before = ReadWholeFile(rt.PlayersFile());
        QLockFile other(rt.PlayersFile() + QStringLiteral(".lock"));
        QVERIFY(other.tryLock(0));

        CurrentResult = 5;  // no improvement: nothing to store, nothing to say
        QVERIFY(StoreCurrentResult());
        QVERIFY(rt.messages.empty());
        CurrentResult = 6;
        QVERIFY(!StoreCurrentResult());
        QCOMPARE(rt.messages.size(), std::size_t(1));
        QVERIFY(rt.messages[0].text.contains(QStringLiteral("Another copy of the game")));
        QCOMPARE(Players[1].Result, 6);
        LoadPlayers(LoadForm::Reload);  // reading goes on without the lock
        QCOMPARE(Players[1].Result, 5);

        // The dialog's sequence: its lock failed, so its save fails too, even once the other
        // copy is done: the table it read may be stale.
        rt.ClearRecords();
        bool lockFileFreeDuringMessage = false;
        rt.onMessage = [&](const qvtest::Message&) {
            QLockFile probe(rt.PlayersFile() + QStringLiteral(".lock"));
            lockFileFreeDuringMessage = probe.tryLock(0);
        };
        {
            PlayersFileLock lock;
            QVERIFY(!lock.IsLocked());
            QVERIFY(lock.Why().contains(QStringLiteral("did not release it")));
            LoadPlayers(LoadForm::Reload);
            other.unlock();
            Players[2] = Player("Bob", 0);
            QVERIFY(!SavePlayers());
            QVERIFY(rt.messages.empty());  // not while the dialog's sequence runs
        }
        QCOMPARE(rt.messages.size(), std::size_t(1));
        QVERIFY(lockFileFreeDuringMessage);
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), before);
        // Afterwards the file takes saves again.
        QVERIFY(SavePlayers());
    }

    void aLockLeftByAKilledCopyIsTakenOver() {
        qvtest::TestRuntime rt;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), Records({Player("Ann", 5)})));
        StartUp();
        const QString lockPath = rt.PlayersFile() + QStringLiteral(".lock");
        const pid_t pid = ::fork();
        if (pid == 0) {
            QLockFile lock(lockPath);
            ::_exit(lock.tryLock(0) ? 0 : 1);  // ends without releasing it
        }
        int status = 0;
        QCOMPARE(::waitpid(pid, &status, 0), pid);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QVERIFY(QFile::exists(lockPath));
        CurrentResult = 77;
        QVERIFY(StoreCurrentResult());
        QVERIFY(rt.messages.empty());
        QCOMPARE(DecodeRecord(ReadWholeFile(rt.PlayersFile())).Result, 77);
    }
};

QTEST_APPLESS_MAIN(TestPlayersFileSafety)
#include "test_players_file_safety.moc"
