// A copy of the game's players file code that does nothing but add players and finish games, for
// the stress and concurrency tests. It tells what it does on standard output, one line per step,
// written straight to the pipe so that a line is never lost when the process is killed:
//
//   B <n> add <name>        operation n starts: a new player as the new player dialog adds one
//   B <n> store <k> <r>     operation n starts: a game of player k ends with result r
//   D <n>                   operation n is finished (the file holds its result)
//   F <n> <message>         operation n failed and said so
//
//   players_worker stress DIR SEED FIRST          runs until killed; operations numbered from FIRST
//   players_worker concurrent DIR SEED COUNT TAG  runs COUNT operations, adding at most 40 players
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "game/GameState.h"
#include "platform/Runtime.h"
#include "players/PlayerRecord.h"
#include "players/PlayersFile.h"
#include "players/PlayersFileLock.h"

using namespace qv;

namespace {

QString g_message;

void Say(const QByteArray& line) {
    QByteArray out = line + '\n';
    const char* p = out.constData();
    qint64 left = out.size();
    while (left > 0) {
        const ssize_t n = ::write(1, p, left);
        if (n <= 0)
            std::_Exit(3);
        p += n;
        left -= n;
    }
}

void Finish(long long n, bool ok) {
    if (ok) {
        Say("D " + QByteArray::number(n));
    } else {
        QString text = g_message;
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), ' ');
        Say("F " + QByteArray::number(n) + ' ' + text.toUtf8());
    }
    g_message.clear();
}

// The new player dialog's "O'k": under the lock, reload the table, fill the first free slot (or
// the one with the lowest result when all are taken) and save.
bool AddPlayer(const QString& name) {
    PlayersFileLock lock;
    LoadPlayers(LoadForm::Reload);
    // The dialog updates the main window between its reload and its save; a short pause widens
    // that moment, so that the other copy's writes would fall into it were the file not locked.
    ::usleep(2000);
    int slot = 1;
    while (slot <= kMaxPlayers && Players[slot].InUse())
        ++slot;
    if (slot > kMaxPlayers) {
        slot = 1;
        for (int i = 2; i <= kMaxPlayers; ++i) {
            if (Players[i].Result < Players[slot].Result)
                slot = i;
        }
    }
    CurrentName = name;
    CurrentResult = 0;
    CurrentPlayer = static_cast<Integer>(slot);
    Players[slot].Name = FixedName(name);
    Players[slot].Result = 0;
    Players[slot].Marker = kInUseMarker;
    return SavePlayers();
}

bool FinishGame(int player, Long result) {
    CurrentPlayer = static_cast<Integer>(player);
    CurrentName = Players[player].Name;
    CurrentResult = result;
    return StoreCurrentResult();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: players_worker stress|concurrent DIR SEED N [TAG]\n");
        return 2;
    }
    const QByteArray mode = argv[1];
    const QString dir = QString::fromLocal8Bit(argv[2]);
    std::mt19937_64 random(std::strtoull(argv[3], nullptr, 10));
    const long long n = std::strtoll(argv[4], nullptr, 10);
    const QByteArray tag = argc > 5 ? QByteArray(argv[5]) : QByteArray("S");
    const bool stress = mode == "stress";

    vb::RuntimeHooks hooks;
    hooks.appPath = [dir] { return dir; };
    hooks.userDataPath = [dir] { return dir + QStringLiteral("/data"); };
    hooks.msgBox = [](const QString& text, vb::MsgIcon, const QString&) { g_message += text; };
    vb::SetRuntimeHooks(hooks);
    InitSettings();
    PlayersFilePath = dir + QStringLiteral("/QVPlayers.dat");
    LoadPlayers(LoadForm::StartUp);

    int added = 0;
    long long seq = stress ? n : 1;
    for (long long done = 0; stress || done < n; ++done, ++seq) {
        std::vector<int> inUse;
        for (int i = 1; i <= kMaxPlayers; ++i) {
            if (Players[i].InUse())
                inUse.push_back(i);
        }
        const bool mayAdd = stress || added < 40;
        const bool add = inUse.empty() || (mayAdd && random() % 10 < 3);
        if (add) {
            const QByteArray name = tag + '-' + QByteArray::number(seq);
            Say("B " + QByteArray::number(seq) + " add " + name);
            Finish(seq, AddPlayer(QString::fromLatin1(name)));
            ++added;
        } else {
            const int k = inUse[random() % inUse.size()];
            const Long result = static_cast<Long>(random() % 100000);
            Say("B " + QByteArray::number(seq) + " store " + QByteArray::number(k) + ' ' +
                QByteArray::number(result));
            Finish(seq, FinishGame(k, result));
        }
    }
    return 0;
}
