// Files and folders the game may not read or write. Permission bits mean nothing to root, so this
// suite runs as an unprivileged user (tests/run-unprivileged) and refuses to run as root.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "PlayersFixtures.h"
#include "TestRuntime.h"
#include "game/GameState.h"
#include "players/PlayersFile.h"
#include "players/PlayersFileLock.h"

using namespace qv;
using qvtest::Player;
using qvtest::ReadWholeFile;
using qvtest::Records;
using qvtest::StartUp;
using qvtest::WriteWholeFile;

namespace {

bool Chmod(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

QString DataFile(const qvtest::TestRuntime& rt) {
    return rt.DataDir() + QStringLiteral("/QVPlayers.dat");
}

// Gives every folder back its write bit, so that the temporary folders can be removed.
struct RestoreWriteBits {
    QStringList folders;
    ~RestoreWriteBits() {
        for (const QString& f : folders)
            Chmod(f, 0700);
    }
};

}  // namespace

class TestPlayersFilePermissions : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY2(::geteuid() != 0,
                 "permission bits mean nothing to root: run this suite through run-unprivileged");
        SetPlayersFileLockTimeout(0);
    }

    void readOnlyFolderAndFileFallBackToTheUserDataFolder() {
        qvtest::TestRuntime rt;
        RestoreWriteBits restore{{rt.AppDir()}};
        const QByteArray bytes = Records({Player("Ann", 12)});
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        QVERIFY(Chmod(rt.PlayersFile(), 0444));
        QVERIFY(Chmod(rt.AppDir(), 0555));
        StartUp();
        QCOMPARE(PlayersFilePath, DataFile(rt));
        QCOMPARE(DisplayName(CurrentName), QStringLiteral("Ann"));  // seeded from beside the game
        QCOMPARE(BestResult, 12);
        QVERIFY(rt.messages.empty());
        CurrentResult = 30;
        QVERIFY(StoreCurrentResult());
        QCOMPARE(DecodeRecord(ReadWholeFile(DataFile(rt))).Result, 30);
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
    }

    void aWritableFileInAReadOnlyFolderIsNotReplacedThere() {
        // A new copy cannot be written beside it, so the file in the data folder takes over.
        qvtest::TestRuntime rt;
        RestoreWriteBits restore{{rt.AppDir()}};
        const QByteArray bytes = Records({Player("Ann", 12), Player("Bob", 3)});
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        QVERIFY(Chmod(rt.AppDir(), 0555));
        StartUp();
        QCOMPARE(PlayersFilePath, DataFile(rt));
        QCOMPARE(DisplayName(CurrentName), QStringLiteral("Bob"));
        CurrentResult = 40;
        QVERIFY(StoreCurrentResult());
        Players[3] = Player("Cid", 0);
        QVERIFY(SavePlayers());
        QVERIFY(rt.messages.empty());
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
        QCOMPARE(DecodeRecord(ReadWholeFile(DataFile(rt)).mid(60, 60)).Result, 40);
    }

    void anUnreadableFileIsLeftAloneAndTheGameStartsEmpty() {
        qvtest::TestRuntime rt;
        const QByteArray bytes = Records({Player("Ann", 12)});
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        QVERIFY(Chmod(rt.PlayersFile(), 0200));
        StartUp();
        QCOMPARE(PlayersFilePath, DataFile(rt));
        QCOMPARE(PlayerCount, 0);
        QCOMPARE(CurrentPlayer, 1);
        QCOMPARE(BestResult, 0);
        QVERIFY(rt.messages.empty());
        CurrentResult = 5;
        QVERIFY(StoreCurrentResult());
        QVERIFY(Chmod(rt.PlayersFile(), 0600));
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
    }

    void noUsableFolderAnywhereKeepsNothingAndSaysSoOnce() {
        qvtest::TestRuntime rt;
        RestoreWriteBits restore{{rt.AppDir(), rt.DataDir()}};
        QVERIFY(QDir().mkpath(rt.DataDir()));
        QVERIFY(Chmod(rt.DataDir(), 0555));
        QVERIFY(Chmod(rt.AppDir(), 0555));
        StartUp();
        QVERIFY(PlayersFilePath.isEmpty());
        QCOMPARE(rt.messages.size(), std::size_t(1));
        QVERIFY(rt.messages[0].text.contains(QStringLiteral("Results will not be kept")));
        CurrentResult = 5;
        QVERIFY(!StoreCurrentResult());
        QVERIFY(!SavePlayers());
        QCOMPARE(rt.messages.size(), std::size_t(1));
        QVERIFY(QDir(rt.AppDir()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QVERIFY(QDir(rt.DataDir()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void permissionLostDuringTheSessionIsSaidAndTheFileKept() {
        qvtest::TestRuntime rt;
        RestoreWriteBits restore{{rt.AppDir()}};
        const QByteArray bytes = Records({Player("Ann", 12)});
        QVERIFY(WriteWholeFile(rt.PlayersFile(), bytes));
        StartUp();
        QCOMPARE(PlayersFilePath, rt.PlayersFile());

        // The folder turns read-only: neither the lock nor a new copy can be made.
        QVERIFY(Chmod(rt.AppDir(), 0555));
        CurrentResult = 20;
        QVERIFY(!StoreCurrentResult());
        QCOMPARE(rt.messages.size(), std::size_t(1));
        QVERIFY(rt.messages[0].text.contains(QStringLiteral("could not be stored")));
        QVERIFY(rt.messages[0].text.contains(QStringLiteral("permission denied")));
        QCOMPARE(Players[1].Result, 20);
        QVERIFY(!SavePlayers());
        QCOMPARE(rt.messages.size(), std::size_t(2));
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
        QVERIFY(Chmod(rt.AppDir(), 0700));

        // The file itself turns read-only: it is not replaced behind the player's back.
        QVERIFY(Chmod(rt.PlayersFile(), 0444));
        CurrentResult = 25;
        QVERIFY(!StoreCurrentResult());
        QVERIFY(!SavePlayers());
        QCOMPARE(rt.messages.size(), std::size_t(4));
        QVERIFY(rt.messages[2].text.contains(QStringLiteral("not writable")));
        QCOMPARE(ReadWholeFile(rt.PlayersFile()), bytes);
        QCOMPARE(QDir(rt.AppDir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("QVPlayers.dat")});

        // Given its permission back, the next game's result is stored again.
        QVERIFY(Chmod(rt.PlayersFile(), 0600));
        CurrentResult = 30;
        QVERIFY(StoreCurrentResult());
        QCOMPARE(DecodeRecord(ReadWholeFile(rt.PlayersFile())).Result, 30);
        QCOMPARE(rt.messages.size(), std::size_t(4));
    }
};

QTEST_APPLESS_MAIN(TestPlayersFilePermissions)
#include "test_players_file_permissions.moc"
