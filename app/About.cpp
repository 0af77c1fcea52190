#include "app/About.h"

#include <QCoreApplication>
#include <QStringList>

#include "platform/Runtime.h"

namespace qv {

QString AboutText() {
    // The blanks inside the lines are part of the text, the trailing ones included. Each
    // paragraph is translated whole, its lines joined by CR LF.
    const QStringList lines = {
        QCoreApplication::translate(
            "About", "   QUILVARO: line up five balls of one colour and clear the board."),
        QString(),
        QCoreApplication::translate("About", "   Rules:"),
        QCoreApplication::translate(
            "About",
            "   Select balls by click,  then  select free place  in  box to move it  there. \r\n"
            "When five (or more) balls one colored in one line occure,  they  disappear \r\n"
            "and bring you five (or more) puncts to your score.  Control new balls that \r\n"
            "will appear at next move in right side of picture."),
        QCoreApplication::translate(
            "About",
            "   To remember your result put yor name in players list or select from list \r\n"
            "befor starting game. "),
        QCoreApplication::translate(
            "About",
            "   To change picture size click  \"Zoom\"  button and select scale is\r\n"
            "needing for."),
        QString(),
        QString(30, QLatin1Char(' ')) +
            QCoreApplication::translate("About", "QUILVARO, a game by Dremwick"),
        QString(34, QLatin1Char(' ')) + QStringLiteral("Dremwick, 2005"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void ShowAbout() {
    vb::MsgBox(AboutText(), vb::MsgIcon::None,
               QCoreApplication::translate("About", "Rules and options."));
}

}  // namespace qv
