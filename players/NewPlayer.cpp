#include "players/NewPlayer.h"

#include <QCoreApplication>
#include <QStringList>

#include "game/GameState.h"
#include "game/MainWindowControls.h"
#include "players/PlayersFile.h"
#include "players/PlayersFileLock.h"

namespace qv {

std::int16_t NewPlayerSlot() {
    int i = 1;
    while (i <= kMaxPlayers && Players[i].InUse())
        ++i;
    if (i <= kMaxPlayers)
        return static_cast<std::int16_t>(i);
    // The table is full: the weakest player makes room. Only a strictly lower result moves the
    // choice on, so the lowest record wins a tie.
    int slot = 1;
    for (int k = 2; k <= kMaxPlayers; ++k) {
        if (Players[k].Result < Players[slot].Result)
            slot = k;
    }
    return static_cast<std::int16_t>(slot);
}

QString NameRefusal(const QString& name) {
    const QStringList missing = NotIn1251(name);
    if (missing.isEmpty())
        return QString();
    // A character that shows nothing (a direction mark, a space of another width, half a pair of
    // UTF-16 units) goes by its code.
    QStringList shown;
    for (const QString& c : missing) {
        const char32_t code = c.size() == 2 ? QChar::surrogateToUcs4(c[0], c[1]) : c[0].unicode();
        const bool visible = QChar::isPrint(code) && !QChar::isSpace(code) && !QChar::isMark(code);
        shown << (visible ? c
                          : QStringLiteral("U+%1")
                                .arg(static_cast<uint>(code), 4, 16, QLatin1Char('0'))
                                .toUpper());
    }
    return QCoreApplication::translate("NewPlayerWindow",
                                       "The players file cannot hold these characters of the "
                                       "name:\r\n\r\n%1\r\n\r\nPlease change them and try again.")
        .arg(shown.join(QLatin1Char(' ')));
}

void AddNewPlayer(const QString& name) {
    // From the reload to the save no other copy of the game may store a result: the table saved
    // here is the one just read, and a result stored meanwhile would be overwritten by it.
    PlayersFileLock lock;
    LoadPlayers(LoadMode::Reload);

    CurrentName = name;
    CurrentResult = 0;

    MainWindowControls& main = MainControls();
    main.NameBox(0).SetText(DisplayName(CurrentName));
    main.ResultBox(0).SetText(QStringLiteral("0"));
    main.NameBox(1).SetText(DisplayName(BestName));
    main.ResultBox(1).SetText(QString::number(BestResult));

    CurrentPlayer = NewPlayerSlot();
    PlayerRecord& record = Players[CurrentPlayer];
    record.Name = FixedName(CurrentName);
    record.Result = CurrentResult;
    record.Marker = kInUseMarker;

    // A table that could not be written has been reported to the player; the new player still
    // plays in this session.
    SavePlayers();
}

}  // namespace qv
