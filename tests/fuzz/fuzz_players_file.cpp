// libFuzzer target: any bytes as the players file, loaded as at start-up and as the new player
// dialog reloads it. Besides the sanitizers' checks, each run checks what holds for every file:
// the record count, the current and best players within the table, and every record read going
// back to exactly the bytes it came from.
#include <stdlib.h>

#include <QDir>
#include <cstdio>

#include "game/GameState.h"
#include "platform/Basic.h"
#include "players/PlayerRecord.h"
#include "players/PlayersFile.h"

using namespace qv;

namespace {

QString g_file;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "players file check failed: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // In memory where there is a memory file system: every load takes the lock file.
    char shm[] = "/dev/shm/quilvaro-fuzz-XXXXXX", tmp[] = "/tmp/quilvaro-fuzz-XXXXXX";
    const char* folder = ::mkdtemp(shm) ? shm : ::mkdtemp(tmp);
    Check(folder != nullptr, "a temporary folder");
    g_file = QString::fromLocal8Bit(folder) + "/QVPlayers.dat";
    std::atexit([] { QDir(g_file.section('/', 0, -2)).removeRecursively(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QFile f(g_file);
    Check(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size(),
          "the file written");
    f.close();
    ResetSharedState();
    PlayersFilePath = g_file;
    LoadPlayers(LoadForm::StartUp);
    Check(PlayerCount == std::min(vb::RoundHalfEven(size / 60.0), 32767.0), "record count");
    Check(CurrentPlayer >= 0 && CurrentPlayer <= kMaxPlayers, "current player in the table");
    Check(CurrentPlayer == 0 || PlayerCount == 0 || Players[CurrentPlayer].InUse(),
          "current player in use");
    Check(BestPlayer == 0 ? BestResult == 0
                          : BestPlayer > 0 && BestPlayer <= kMaxPlayers && BestResult > 0 &&
                                Players[BestPlayer].Result == BestResult,
          "best player and result");
    for (int i = 1; i <= std::min<int>(PlayerCount, kMaxPlayers); ++i) {
        const QByteArray stored = bytes.mid((i - 1) * 60, 60).leftJustified(60, '\0');
        Check(EncodeRecord(Players[i]) == stored, "a record goes back to its bytes");
        Check(DisplayName(Players[i].Name).size() <= kNameLength, "shown name length");
    }
    const Long best = BestResult;
    const Integer current = CurrentPlayer;
    LoadPlayers(LoadForm::Reload);
    Check(BestResult == best && CurrentPlayer == current, "a reload of the same file changes none");
    return 0;
}
