// The game's players file code alone, adding players and storing results in a loop for
// test_players_stress. Each step goes straight to the pipe, so that no line is lost to a kill:
// "B <n> add <name>" or "B <n> store <player> <result>" when operation n begins, "D <n>" once the
// file holds it, "F <n> <message>" when it failed.
//   players_worker stress DIR SEED FIRST          runs until killed, operations numbered from FIRST
//   players_worker concurrent DIR SEED COUNT TAG  runs COUNT operations, adding at most 40 players
// DIR stands for the program's folder; its QVPlayers.dat may be a link to the file.
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "game/GameState.h"
#include "platform/Runtime.h"
#include "players/NewPlayer.h"
#include "players/PlayersFile.h"
#include "players/PlayersFileLock.h"

using namespace qv;

namespace {

QString g_message;

void Say(const QByteArray& line) {
    const QByteArray out = line + '\n';
    if (::write(1, out.constData(), out.size()) != out.size())
        std::_Exit(3);
}

// The new player dialog's steps. The pause stands for its update of the main window, and widens
// the moment in which the other copy's writes would fall, were the file not locked.
bool AddPlayer(const QString& name) {
    PlayersFileLock lock;
    LoadPlayers(LoadForm::Reload);
    ::usleep(2000);
    CurrentPlayer = NewPlayerSlot();
    Players[CurrentPlayer] =
        PlayerRecord{FixedName(name), 0, Players[CurrentPlayer].Spare, kInUseMarker};
    return SavePlayers();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 5)
        return 2;
    const bool stress = QByteArray(argv[1]) == "stress";
    const QString dir = QString::fromLocal8Bit(argv[2]);
    std::mt19937_64 random(std::strtoull(argv[3], nullptr, 10));
    const long long n = std::strtoll(argv[4], nullptr, 10);
    const QByteArray tag = argc > 5 ? QByteArray(argv[5]) : QByteArray("S");
    vb::RuntimeHooks hooks;
    hooks.appPath = [dir] { return dir; };
    hooks.userDataPath = [dir] { return dir + QStringLiteral("/data"); };
    hooks.msgBox = [](const QString& text, vb::MsgIcon, const QString&) { g_message += text; };
    vb::SetRuntimeHooks(hooks);
    InitSettings();
    ChoosePlayersFile();
    LoadPlayers(LoadForm::StartUp);
    int added = 0;
    for (long long seq = stress ? n : 1; stress || seq <= n; ++seq) {
        std::vector<int> inUse;
        for (int i = 1; i <= kMaxPlayers; ++i)
            if (Players[i].InUse())
                inUse.push_back(i);
        const QByteArray number = QByteArray::number(seq);
        bool ok;
        if (inUse.empty() || ((stress || added < 40) && random() % 10 < 3)) {
            Say("B " + number + " add " + tag + '-' + number);
            ok = AddPlayer(QString::fromLatin1(tag + '-' + number));
            ++added;
        } else {
            CurrentPlayer = static_cast<Integer>(inUse[random() % inUse.size()]);
            CurrentName = Players[CurrentPlayer].Name;
            CurrentResult = static_cast<Long>(random() % 100000);
            Say("B " + number + " store " + QByteArray::number(CurrentPlayer) + ' ' +
                QByteArray::number(CurrentResult));
            ok = StoreCurrentResult();
        }
        Say(ok ? "D " + number : "F " + number + ' ' + g_message.simplified().toUtf8());
        g_message.clear();
    }
    return 0;
}
