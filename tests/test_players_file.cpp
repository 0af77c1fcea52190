// The players file at byte level: loading, choosing the current and the best player, saving and
// the update at the end of a game, and where the file is kept.
#include <QFile>
#include <QTest>

#include "TestRuntime.h"
#include "game/GameState.h"
#include "players/PlayersFile.h"

using namespace qv;

namespace {

PlayerRecord Player(const QString& name, std::int32_t result) {
    PlayerRecord r;
    r.Name = FixedName(name);
    r.Result = result;
    r.Marker = kInUseMarker;
    return r;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QByteArray Records(std::initializer_list<PlayerRecord> records) {
    QByteArray bytes;
    for (const auto& r : records)
        bytes += EncodeRecord(r);
    return bytes;
}

void StartUp() {
    ResetSharedState();
    InitSettings();
    ChoosePlayersFile();
    LoadPlayers(LoadForm::StartUp);
}

}  // namespace

class TestPlayersFile : public QObject {
    Q_OBJECT
  private slots:
    void missingFileIsCreatedEmpty() {
        qvtest::TestRuntime rt;
        StartUp();
        QVERIFY(QFile::exists(rt.PlayersFile()));
        QCOMPARE(QFileInfo(rt.PlayersFile()).size(), 0);
        QCOMPARE(PlayerCount, 0);
        QCOMPARE(CurrentPlayer, 1);
        QCOMPARE(CurrentResult, 0);
        QCOMPARE(DisplayName(CurrentName), QString());
        QCOMPARE(BestPlayer, 0);
        QCOMPARE(BestResult, 0);
        QVERIFY(BestName.isEmpty());
        QVERIFY(rt.messages.empty());
    }

    void threePlayersLeaveTheLastCurrentAndTheLowerRecordBestOnATie() {
        qvtest::TestRuntime rt;
        WriteFile(rt.PlayersFile(),
                  Records({Player("Ann", 50), Player("Bob", 70), Player("Cid", 70)}));
        StartUp();
        QCOMPARE(PlayerCount, 3);
        QCOMPARE(CurrentPlayer, 3);
        QCOMPARE(DisplayName(CurrentName), QStringLiteral("Cid"));
        QCOMPARE(CurrentResult, 70);
        QCOMPARE(BestPlayer, 2);
        QCOMPARE(BestName, FixedName("Bob"));  // all 50 characters
        QCOMPARE(BestResult, 70);
    }

    void allZeroResultsLeaveNoBestPlayer() {
        qvtest::TestRuntime rt;
        WriteFile(rt.PlayersFile(), Records({Player("Ann", 0), Player("Bob", 0)}));
        StartUp();
        QCOMPARE(BestPlayer, 0);
        QVERIFY(BestName.isEmpty());
        QCOMPARE(BestResult, 0);
        QCOMPARE(CurrentPlayer, 2);
    }

    void partialRecordsAreCountedByRounding() {
        {
            qvtest::TestRuntime rt;
            WriteFile(rt.PlayersFile(), EncodeRecord(Player("Ann", 9)).left(30));
            StartUp();
            QCOMPARE(PlayerCount, 0);  // 30 bytes: half a record rounds to even, none
            QCOMPARE(CurrentPlayer, 1);
            QCOMPARE(BestResult, 0);
        }
        {
            qvtest::TestRuntime rt;
            // 90 bytes: one whole record and half of a second, which reads padded with zeros.
            WriteFile(rt.PlayersFile(),
                      Records({Player("Ann", 5)}) + EncodeRecord(Player("Bob", 7)).left(30));
            StartUp();
            QCOMPARE(PlayerCount, 2);
            QCOMPARE(DisplayName(Players[2].Name), QStringLiteral("Bob"));
            QCOMPARE(Players[2].Result, 0);
            QVERIFY(!Players[2].InUse());
            QCOMPARE(CurrentPlayer, 1);
        }
    }

    void firstSaveWritesSixThousandBytes() {
        qvtest::TestRuntime rt;
        StartUp();
        Players[1] = Player("Twelve chars", 1234);
        Players[1].Spare = {1, 2, 3, 4};
        QVERIFY(SavePlayers());
        const QByteArray bytes = ReadFile(rt.PlayersFile());
        QCOMPARE(bytes.size(), 6000);
        QCOMPARE(bytes.left(50), QByteArray("Twelve chars") + QByteArray(38, ' '));
        QCOMPARE(bytes.mid(50, 4), QByteArray("\xD2\x04\x00\x00", 4));
        QCOMPARE(bytes.mid(54, 4), QByteArray("\x01\x02\x03\x04", 4));
        QCOMPARE(bytes.mid(58, 2), QByteArray("\r\n"));
        QCOMPARE(bytes.mid(60), QByteArray(5940, '\0'));
    }

    void spareBytesTravelThroughUnchanged() {
        qvtest::TestRuntime rt;
        PlayerRecord ann = Player("Ann", 3);
        ann.Spare = {0xFF, 0x00, 0x7F, 0x80};
        WriteFile(rt.PlayersFile(), Records({ann}));
        StartUp();
        QVERIFY(SavePlayers());
        QCOMPARE(ReadFile(rt.PlayersFile()).mid(54, 4), QByteArray("\xFF\x00\x7F\x80", 4));
    }

    void recordsPastTheHundredthAreLeftAlone() {
        qvtest::TestRuntime rt;
        QByteArray bytes;
        for (int i = 1; i <= 102; ++i)
            bytes += EncodeRecord(Player(QStringLiteral("P%1").arg(i), i));
        WriteFile(rt.PlayersFile(), bytes);
        StartUp();
        QCOMPARE(PlayerCount, 102);
        QCOMPARE(CurrentPlayer, 100);
        QCOMPARE(BestPlayer, 100);
        Players[5].Result = 999;
        QVERIFY(SavePlayers());
        const QByteArray after = ReadFile(rt.PlayersFile());
        QCOMPARE(after.size(), bytes.size());
        QCOMPARE(after.mid(6000), bytes.mid(6000));
        QCOMPARE(DecodeRecord(after.mid(4 * 60, 60)).Result, 999);
    }

    void cyrillicNamesAreStoredIn1251() {
        qvtest::TestRuntime rt;
        StartUp();
        Players[1] = Player(QStringLiteral("Иван"), 1);
        QVERIFY(SavePlayers());
        QCOMPARE(ReadFile(rt.PlayersFile()).left(4), QByteArray("\xC8\xE2\xE0\xED"));
        StartUp();
        QCOMPARE(DisplayName(CurrentName), QStringLiteral("Иван"));
    }

    void endOfGameUpdatesOnlyTheCurrentRecordsResult() {
        qvtest::TestRuntime rt;
        PlayerRecord bob = Player("Bob", 10);
        bob.Spare = {9, 8, 7, 6};
        WriteFile(rt.PlayersFile(), Records({Player("Ann", 40), bob}));
        StartUp();
        const QByteArray before = ReadFile(rt.PlayersFile());
        CurrentResult = 10;  // equal: nothing is written
        QVERIFY(StoreCurrentResult());
        QCOMPARE(ReadFile(rt.PlayersFile()), before);
        CurrentResult = 25;
        QVERIFY(StoreCurrentResult());
        const QByteArray after = ReadFile(rt.PlayersFile());
        QCOMPARE(after.left(60), before.left(60));
        QCOMPARE(DecodeRecord(after.mid(60, 60)).Result, 25);
        QCOMPARE(after.mid(114, 6), before.mid(114, 6));  // Spare and Marker as read
        QCOMPARE(Players[2].Result, 25);
    }

    void gameBeforeAnyPlayerStoresIntoRecordOneWithoutAMarker() {
        qvtest::TestRuntime rt;
        StartUp();
        CurrentResult = 17;
        QVERIFY(StoreCurrentResult());
        const QByteArray bytes = ReadFile(rt.PlayersFile());
        QCOMPARE(bytes.size(), 60);
        QCOMPARE(DecodeRecord(bytes).Result, 17);
        StartUp();
        QCOMPARE(CurrentPlayer, 0);  // record 1 counts for the best but is not in use
        QCOMPARE(BestResult, 17);
        QCOMPARE(DisplayName(BestName), QString());
        CurrentResult = 99;
        QVERIFY(StoreCurrentResult());  // no current player: nothing is written
        QCOMPARE(ReadFile(rt.PlayersFile()), bytes);
    }

    void anInstalledCopyKeepsResultsPerUserEvenWhereItCouldWrite() {
        qvtest::TestRuntime rt;
        WriteFile(rt.PlayersFile(), Records({Player("Ann", 12)}));
        const QString installed = InstalledProgramFolder();
        SetInstalledProgramFolder(rt.AppDir());
        StartUp();
        SetInstalledProgramFolder(installed);
        QCOMPARE(PlayersFilePath, rt.DataDir() + QStringLiteral("/QVPlayers.dat"));
        QCOMPARE(DisplayName(CurrentName), QStringLiteral("Ann"));  // seeded from beside it
        QVERIFY(rt.messages.empty());
        // Run from any other folder, the copy keeps its file beside itself.
        StartUp();
        QCOMPARE(PlayersFilePath, rt.PlayersFile());
    }

    void noUsableFolderRunsWithAnEmptyTableAndSaysSoOnce() {
        qvtest::TestRuntime rt;
        // A directory where the file should be, and a data folder that is a file.
        QVERIFY(QDir().mkpath(rt.PlayersFile()));
        WriteFile(rt.DataDir(), "not a folder");
        StartUp();
        QVERIFY(PlayersFilePath.isEmpty());
        QCOMPARE(rt.messages.size(), std::size_t(1));
        QVERIFY(rt.messages[0].text.contains(QStringLiteral("Results will not be kept")));
        QCOMPARE(PlayerCount, 0);
        QCOMPARE(CurrentPlayer, 1);
        CurrentResult = 5;
        QVERIFY(!StoreCurrentResult());  // not kept, and already said so
        QCOMPARE(Players[1].Result, 5);
        QVERIFY(!SavePlayers());
        QCOMPARE(rt.messages.size(), std::size_t(1));
    }
};

QTEST_APPLESS_MAIN(TestPlayersFile)
#include "test_players_file.moc"
