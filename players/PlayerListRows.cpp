#include "players/PlayerListRows.h"

namespace qv {

namespace {

bool IsControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

}  // namespace

QString PlayerListHeader() {
    return QStringLiteral("PLAYER") + QString(20, QLatin1Char(' ')) + QStringLiteral("RESULT");
}

QString FormatResult(vb::Long result) {
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
