// Files and folders the game may not read or write. Permission bits mean nothing to root, so this
// suite runs as an unprivileged user (tests/run-unprivileged) and refuses to run as root.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <tuple>

#include "PlayersFixtures.h"
#include "players/PlayersFileLock.h"

using namespace qv;
using namespace qvtest;

namespace {

bool Chmod(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

}  // namespace

class TestPlayersFilePermissions : public QObject {
    Q_OBJECT
    std::unique_ptr<TestRuntime> rt;
    const QByteArray bytes = Records({Player("Ann", 12), Player("Bob", 3)});

  private slots:
    void initTestCase() {
        QVERIFY2(::geteuid() != 0, "permission bits mean nothing to root: use run-unprivileged");
        SetPlayersFileLockTimeout(0);
    }
    void init() {
        rt = std::make_unique<TestRuntime>();
        QVERIFY(WriteWholeFile(rt->PlayersFile(), bytes));
    }
    void cleanup() {
        Chmod(rt->AppDir(), 0700);  // so that the folder can be removed
        rt.reset();
    }

    // No new copy can be written beside the file: the results move to this copy's own file in the
    // data folder, seeded from the one beside it, and stay there once the folder is writable.
    void aFileThatCannotBeKeptBesideTheGameMovesForGood_data() {
        QTest::addColumn<uint>("file");
        QTest::newRow("read-only file and folder") << 0444u;
        QTest::newRow("read-only folder") << 0644u;
    }
    void aFileThatCannotBeKeptBesideTheGameMovesForGood() {
        QFETCH(uint, file);
        QVERIFY(Chmod(rt->PlayersFile(), file) && Chmod(rt->AppDir(), 0555));
        StartUp();
        const QString moved = PlayersFilePath;
        QVERIFY(moved.startsWith(rt->DataDir() + "/moved/"));
        QVERIFY(SaidOnce(*rt, {moved, rt->PlayersFile(), "read-only"}));
        QCOMPARE(DisplayName(CurrentName), "Bob");
        CurrentResult = 40;
        Players[3] = Player("Cat", 0);
        QVERIFY(StoreCurrentResult() && SavePlayers());
        // Writable again: nothing added is lost, no second box, the list says where they are.
        QVERIFY(Chmod(rt->AppDir(), 0700) && Chmod(rt->PlayersFile(), 0600));
        StartUp();
        QVERIFY(PlayersFilePath == moved && PlayersFileNote().contains(moved));
        QCOMPARE(DisplayName(Players[3].Name) + QString::number(Players[2].Result), "Cat40");
        QVERIFY(rt->messages.size() == 1 && ReadWholeFile(rt->PlayersFile()) == bytes);
        // Another copy, in a folder that never had to move, keeps its file beside it.
        QTemporaryDir other;
        vb::CurrentRuntimeHooks().appPath = [&other] { return other.path(); };
        StartUp();
        QVERIFY(PlayersFilePath == other.path() + "/QVPlayers.dat" && PlayersFileNote().isEmpty());
    }

    void aFileThatCannotBeReadAtOneStartIsNotGivenUpForAnEmptyOne() {
        QVERIFY(Chmod(rt->PlayersFile(), 0200));
        StartUp();
        QVERIFY(PlayersFilePath.isEmpty());
        QVERIFY(SaidOnce(*rt, {rt->PlayersFile(), "could not be read", "will not be kept"}));
        CurrentResult = 40;
        QVERIFY(!StoreCurrentResult() && !SavePlayers());
        QVERIFY(!QFileInfo::exists(rt->DataDir()) || QDir(rt->DataDir()).isEmpty());
        QVERIFY(Chmod(rt->PlayersFile(), 0600));
        StartUp();  // readable again: found beside the game, as it was
        QVERIFY(PlayersFilePath == rt->PlayersFile() && ReadWholeFile(rt->PlayersFile()) == bytes);
        QCOMPARE(DisplayName(CurrentName), "Bob");
    }

    // The folder turns read-only (neither the lock nor a new copy can be made), then the file
    // itself: it is not replaced behind the player's back, and is used again once writable.
    void permissionLostDuringTheSessionIsSaidAndTheFileKept() {
        StartUp();
        QCOMPARE(PlayersFilePath, rt->PlayersFile());
        CurrentResult = 10;
        for (const auto& [folder, file, why] : {std::tuple(0555, 0600, "permission denied"),
                                                std::tuple(0700, 0444, "not writable")}) {
            QVERIFY(Chmod(rt->AppDir(), folder) && Chmod(rt->PlayersFile(), file));
            CurrentResult += 10;
            rt->ClearRecords();
            QVERIFY(!StoreCurrentResult() && !SavePlayers() && rt->messages.size() == 2);
            QVERIFY(rt->messages[0].text.contains("could not be stored") &&
                    rt->messages[0].text.contains(why));
            QCOMPARE(Players[2].Result, CurrentResult);
        }
        QCOMPARE(ReadWholeFile(rt->PlayersFile()), bytes);
        QCOMPARE(QDir(rt->AppDir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"QVPlayers.dat"});
        QVERIFY(Chmod(rt->PlayersFile(), 0600));
        CurrentResult = 30;
        rt->ClearRecords();
        QVERIFY(StoreCurrentResult() && rt->messages.empty());
        QCOMPARE(DecodeRecord(RecordAt(rt->PlayersFile(), 2)).Result, 30);
    }
};

QTEST_APPLESS_MAIN(TestPlayersFilePermissions)
#include "test_players_file_permissions.moc"
