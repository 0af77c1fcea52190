#include "players/PlayerListRows.h"

#include <QCoreApplication>
#include <algorithm>

namespace qv {

namespace {

bool IsControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

}  // namespace

QString PlayerListHeader() {
    // The two words are spaced out so that the result column ends under the end of the second.
    const QString player = QCoreApplication::translate("PlayersListWindow", "PLAYER");
    const QString result = QCoreApplication::translate("PlayersListWindow", "RESULT");
    const qsizetype gap = kListNameWidth + kListResultWidth - player.size() - result.size();
    return player + QString(std::max<qsizetype>(gap, 1), QLatin1Char(' ')) + result;
}

QString FormatResult(std::int32_t result) {
    return QString::number(result).rightJustified(kListResultWidth, QLatin1Char(' '),
                                                  /*truncate=*/false);
}

QString PlayerListRow(const PlayerRecord& record) {
    QString name = record.Name.left(kListNameWidth);
    const qsizetype nul = name.indexOf(QChar(0));
    if (nul >= 0)
        name.truncate(nul);
    for (QChar& c : name) {
        if (IsControl(c))
            c = QLatin1Char(' ');
    }
    return name.leftJustified(kListNameWidth, QLatin1Char(' ')) + FormatResult(record.Result);
}

}  // namespace qv
