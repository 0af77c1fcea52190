// libFuzzer target: any bytes as the players file, loaded as the game loads it at start-up and
// when a new player is added. Besides the sanitizers' checks, each run checks what must hold for
// every file: the record count, the current and best players within the table, and every record
// that was read going back to exactly the bytes it came from.
#include <stdlib.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
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

void RemoveFolder() {
    if (g_file.isEmpty())
        return;
    QFile::remove(g_file);
    QFile::remove(g_file + QStringLiteral(".lock"));
    ::rmdir(QFile::encodeName(g_file.section(QLatin1Char('/'), 0, -2)).constData());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // In memory where there is a memory file system: every load locks the file, and a lock
    // file is flushed to the disk when it is taken.
    char shm[] = "/dev/shm/quilvaro-fuzz-XXXXXX";
    char tmp[] = "/tmp/quilvaro-fuzz-XXXXXX";
    char* folder = ::mkdtemp(shm);
    if (folder == nullptr)
        folder = ::mkdtemp(tmp);
    if (folder == nullptr)
        std::abort();
    g_file = QString::fromLocal8Bit(folder) + QStringLiteral("/QVPlayers.dat");
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile f(g_file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            std::abort();
    }
    ResetSharedState();
    PlayersFilePath = g_file;
    LoadPlayers(LoadForm::StartUp);

    const double exact = static_cast<double>(size) / kRecordLength;
    Check(PlayerCount == static_cast<Integer>(std::min(vb::RoundHalfEven(exact), 32767.0)),
          "record count");
    Check(CurrentPlayer >= 0 && CurrentPlayer <= kMaxPlayers, "current player in the table");
    Check(BestPlayer >= 0 && BestPlayer <= kMaxPlayers, "best player in the table");
    Check(BestResult >= 0, "best result never below 0");
    if (BestPlayer > 0)
        Check(Players[BestPlayer].Result == BestResult && BestResult > 0, "best player's result");
    if (CurrentPlayer > 0 && PlayerCount > 0)
        Check(Players[CurrentPlayer].InUse(), "current player in use");
    const int read = std::min<int>(PlayerCount, kMaxPlayers);
    for (int i = 1; i <= read; ++i) {
        QByteArray stored = bytes.mid((i - 1) * kRecordLength, kRecordLength);
        stored.append(QByteArray(kRecordLength - stored.size(), '\0'));
        Check(EncodeRecord(Players[i]) == stored, "a record goes back to its bytes");
        Check(Players[i].Name.size() == kNameLength, "name field length");
        Check(DisplayName(Players[i].Name).size() <= kNameLength, "shown name length");
    }

    // The new player dialog's reload: the best can only rise, the current player stays.
    const Long best = BestResult;
    const Integer current = CurrentPlayer;
    LoadPlayers(LoadForm::Reload);
    Check(BestResult == best && CurrentPlayer == current, "reload of the same file");
    return 0;
}
