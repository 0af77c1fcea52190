#include "app/About.h"

#include <QStringList>

#include "platform/Runtime.h"

namespace qv {

QString AboutText() {
    // The blanks inside the lines are part of the text, the trailing ones included.
    const QStringList lines = {
        QStringLiteral("   QUILVARO: line up five balls of one colour and clear the board."),
        QString(),
        QStringLiteral("   Rules:"),
        QStringLiteral("   Select balls by click,  then  select free place  in  box to move it  "
                       "there. "),
        QStringLiteral("When five (or more) balls one colored in one line occure,  they  "
                       "disappear "),
        QStringLiteral("and bring you five (or more) puncts to your score.  Control new balls "
                       "that "),
        QStringLiteral("will appear at next move in right side of picture."),
        QStringLiteral("   To remember your result put yor name in players list or select from "
                       "list "),
        QStringLiteral("befor starting game. "),
        QStringLiteral("   To change picture size click  \"Zoom\"  button and select scale is"),
        QStringLiteral("needing for."),
        QString(),
        QString(30, QLatin1Char(' ')) + QStringLiteral("QUILVARO, a game by Dremwick"),
        QString(34, QLatin1Char(' ')) + QStringLiteral("Dremwick, 2005"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void ShowAbout() {
    vb::MsgBox(AboutText(), vb::MsgIcon::None, QStringLiteral("Rules and options."));
}

}  // namespace qv
