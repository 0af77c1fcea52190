// Files and folders the game may not read or write. Permission bits mean nothing to root, so this
// suite runs as an unprivileged user (tests/run-unprivileged) and refuses to run as root.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTest>

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

    void aFileThatCannotBeKeptBesideTheGameMovesToTheUserDataFolder() {
        // A read-only file in a read-only folder, a writable file in a read-only folder (no new
        // copy can be written beside it), and an unreadable file, which seeds nothing.
        const struct {
            mode_t file, folder;
            bool seeded;
        } cases[] = {{0444, 0555, true}, {0644, 0555, true}, {0200, 0700, false}};
        for (const auto& c : cases) {
            TestRuntime rt;
            Writable restore{rt.AppDir()};
            const QByteArray bytes = Records({Player("Ann", 12), Player("Bob", 3)});
            QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
            QVERIFY(Chmod(rt.PlayersFile(), c.file) && Chmod(rt.AppDir(), c.folder));
            StartUp();
            const QString data = rt.DataDir() + "/QVPlayers.dat";
            QCOMPARE(PlayersFilePath, data);
            QCOMPARE(DisplayName(CurrentName), c.seeded ? "Bob" : "");
            QCOMPARE(BestResult, c.seeded ? 12 : 0);
            CurrentResult = 40;
            QVERIFY(StoreCurrentResult());
            Players[3] = Player("Cid", 0);
            QVERIFY(SavePlayers());
            QVERIFY(rt.messages.empty());
            QCOMPARE(DecodeRecord(RecordAt(data, CurrentPlayer)).Result, 40);
            QVERIFY(Chmod(rt.PlayersFile(), 0600));
            QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
        }
    }

    void permissionLostDuringTheSessionIsSaidAndTheFileKept() {
        TestRuntime rt;
        Writable restore{rt.AppDir()};
        const QByteArray bytes = Records({Player("Ann", 12)});
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        StartUp();
        QCOMPARE(PlayersFilePath, rt.PlayersFile());
        // The folder turns read-only: neither the lock nor a new copy can be made.
        QVERIFY(Chmod(rt.AppDir(), 0555));
        CurrentResult = 20;
        QVERIFY(!StoreCurrentResult());
        QCOMPARE(Players[1].Result, 20);
        QVERIFY(!SavePlayers());
        QVERIFY(Chmod(rt.AppDir(), 0700));
        // The file itself turns read-only: it is not replaced behind the player's back.
        QVERIFY(Chmod(rt.PlayersFile(), 0444));
        CurrentResult = 25;
        QVERIFY(!StoreCurrentResult());
        QVERIFY(!SavePlayers());
        QCOMPARE(rt.messages.size(), 4u);
        QVERIFY(rt.messages[0].text.contains("could not be stored") &&
                rt.messages[0].text.contains("permission denied"));
        QVERIFY(rt.messages[2].text.contains("not writable"));
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
        QCOMPARE(QDir(rt.AppDir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"QVPlayers.dat"});
        // Given its permission back, the next game's result is stored again.
        QVERIFY(Chmod(rt.PlayersFile(), 0600));
        CurrentResult = 30;
        QVERIFY(StoreCurrentResult());
        QCOMPARE(DecodeRecord(ReadWholeFile(rt.PlayersFile())).Result, 30);
        QCOMPARE(rt.messages.size(), 4u);
    }
};

QTEST_APPLESS_MAIN(TestPlayersFilePermissions)
#include "test_players_file_permissions.moc"
