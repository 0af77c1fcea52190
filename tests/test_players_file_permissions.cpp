// Files and folders the game may not read or write. Permission bits mean nothing to root, so this
// suite runs as an unprivileged user (tests/run-unprivileged) and refuses to run as root.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <tuple>

#include "PlayersFixtures.h"
#include "TestRuntime.h"
#include "players/PlayersFileLock.h"

using namespace qv;
using namespace qvtest;

namespace {

bool Chmod(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Gives the program's folder its write bit back, so that the temporary folder can be removed.
struct Writable {
    QString folder;
    ~Writable() { Chmod(folder, 0700); }
};

}  // namespace

class TestPlayersFilePermissions : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY2(::geteuid() != 0, "permission bits mean nothing to root: use run-unprivileged");
        SetPlayersFileLockTimeout(0);
    }

    // A read-only file in a read-only folder, or a writable file in a read-only folder (no new
    // copy can be written beside it): the results move to this copy's own file in the data
    // folder, seeded from the one beside it, and stay there once the folder is writable again.
    void aFileThatCannotBeKeptBesideTheGameMovesForGood_data() {
        QTest::addColumn<uint>("file");
        QTest::addColumn<uint>("folder");
        QTest::newRow("read-only file and folder") << 0444u << 0555u;
        QTest::newRow("read-only folder") << 0644u << 0555u;
    }
    void aFileThatCannotBeKeptBesideTheGameMovesForGood() {
        QFETCH(uint, file);
        QFETCH(uint, folder);
        TestRuntime rt;
        Writable restore{rt.AppDir()};
        const QByteArray bytes = Records({Player("Ann", 12), Player("Bob", 3)});
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        QVERIFY(Chmod(rt.PlayersFile(), file) && Chmod(rt.AppDir(), folder));
        StartUp();
        const QString moved = PlayersFilePath;
        QVERIFY(moved.startsWith(rt.DataDir() + "/moved/"));
        QVERIFY(SaidOnce(rt, {moved, rt.PlayersFile(), "read-only"}));
        QCOMPARE(DisplayName(CurrentName), "Bob");
        CurrentResult = 40;
        Players[3] = Player("Cat", 0);
        QVERIFY(StoreCurrentResult() && SavePlayers());
        // Writable again: every player added meanwhile is still there, and the player is not
        // told again in a box, but the list says where the results are.
        QVERIFY(Chmod(rt.AppDir(), 0700) && Chmod(rt.PlayersFile(), 0600));
        StartUp();
        QVERIFY(PlayersFilePath == moved && PlayersFileNote().contains(moved));
        QCOMPARE(DisplayName(Players[3].Name) + QString::number(Players[2].Result), "Cat40");
        QCOMPARE(rt.messages.size(), 1u);
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
        // Another copy, in a folder of its own that never had to move, keeps its file beside it.
        QTemporaryDir other;
        vb::CurrentRuntimeHooks().appPath = [&other] { return other.path(); };
        StartUp();
        QCOMPARE(PlayersFilePath, other.path() + "/QVPlayers.dat");
        QVERIFY(PlayersFileNote().isEmpty());
    }

    void aFileThatCannotBeReadAtOneStartIsNotGivenUpForAnEmptyOne() {
        TestRuntime rt;
        const QByteArray bytes = Records({Player("Ann", 12), Player("Bob", 3)});
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        QVERIFY(Chmod(rt.PlayersFile(), 0200));
        StartUp();
        QVERIFY(PlayersFilePath.isEmpty());
        QVERIFY(SaidOnce(rt, {rt.PlayersFile(), "could not be read", "will not be kept"}));
        CurrentResult = 40;
        QVERIFY(!StoreCurrentResult() && !SavePlayers());
        QVERIFY(!QFileInfo::exists(rt.DataDir()) || QDir(rt.DataDir()).isEmpty());
        QVERIFY(Chmod(rt.PlayersFile(), 0600));
        StartUp();  // readable again: found beside the game, as it was
        QVERIFY(PlayersFilePath == rt.PlayersFile() && ReadWholeFile(rt.PlayersFile()) == bytes);
        QCOMPARE(DisplayName(CurrentName), "Bob");
    }

    void permissionLostDuringTheSessionIsSaidAndTheFileKept() {
        TestRuntime rt;
        Writable restore{rt.AppDir()};
        const QByteArray bytes = Records({Player("Ann", 12)});
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        StartUp();
        QCOMPARE(PlayersFilePath, rt.PlayersFile());
        // The folder turns read-only (neither the lock nor a new copy can be made), then the file
        // itself: it is not replaced behind the player's back.
        CurrentResult = 10;
        for (const auto& [folder, file, why] : {std::tuple(0555, 0600, "permission denied"),
                                                std::tuple(0700, 0444, "not writable")}) {
            QVERIFY(Chmod(rt.AppDir(), folder) && Chmod(rt.PlayersFile(), file));
            CurrentResult += 10;
            rt.ClearRecords();
            QVERIFY(!StoreCurrentResult() && !SavePlayers() && rt.messages.size() == 2);
            QVERIFY(rt.messages[0].text.contains("could not be stored") &&
                    rt.messages[0].text.contains(why));
            QCOMPARE(Players[1].Result, CurrentResult);
        }
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
        QCOMPARE(QDir(rt.AppDir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"QVPlayers.dat"});
        // Given its permission back, the next game's result is stored again, without a word.
        QVERIFY(Chmod(rt.PlayersFile(), 0600));
        CurrentResult = 30;
        rt.ClearRecords();
        QVERIFY(StoreCurrentResult() && rt.messages.empty());
        QCOMPARE(DecodeRecord(ReadWholeFile(rt.PlayersFile())).Result, 30);
    }
};

QTEST_APPLESS_MAIN(TestPlayersFilePermissions)
#include "test_players_file_permissions.moc"
