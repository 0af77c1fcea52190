// libFuzzer target: any bytes as the players file, loaded at start-up and again; what holds for
// every file: the count, current and best players in the table, each record as its bytes.
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "game/GameState.h"
#include "platform/Types.h"
#include "players/PlayerRecord.h"
#include "players/PlayersFile.h"

using namespace qv;

static void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "players file check failed: %s\n", what);
        std::abort();
    }
}
#define CHECK(condition) Check(condition, #condition)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;  // every load locks the file too
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QFile f(folder.filePath("QVPlayers.dat"));
    CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
    f.close();
    ResetSharedState();
    PlayersFilePath = f.fileName();
    LoadPlayers(LoadMode::StartUp);
    CHECK(PlayersFileRecordCount == std::min(platform::RoundHalfEven(size / 60.0), 32767.0));
    CHECK(CurrentPlayer >= 0 && CurrentPlayer <= kMaxPlayers);
    CHECK(CurrentPlayer == 0 || PlayersFileRecordCount == 0 || Players[CurrentPlayer].InUse());
    CHECK(BestPlayer == 0 ? BestResult == 0
                          : BestPlayer > 0 && BestPlayer <= kMaxPlayers && BestResult > 0 &&
                                Players[BestPlayer].Result == BestResult);
    for (int i = 1; i <= std::min<int>(PlayersFileRecordCount, kMaxPlayers); ++i)
        CHECK(EncodeRecord(Players[i]) == bytes.mid((i - 1) * 60, 60).leftJustified(60, '\0'));
    const auto before = std::pair(BestResult, CurrentPlayer);
    LoadPlayers(LoadMode::Reload);  // the same file again changes nothing
    CHECK(std::pair(BestResult, CurrentPlayer) == before);
    return 0;
}
