#include "app/About.h"

#include <QCoreApplication>
#include <QKeySequence>
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
    platform::ShowMessage(AboutText(), platform::MessageIcon::None,
                          QCoreApplication::translate("About", "Rules and options."));
}

QString MenuKey(const char* caption) {
    return QKeySequence::mnemonic(QCoreApplication::translate("MainWindow", caption))
        .toString(QKeySequence::NativeText);
}

QString KeysText() {
    QStringList text{
        QCoreApplication::translate("Keys", "%1: start or stop a game.").arg(MenuKey("&Start")),
        QCoreApplication::translate("Keys", "%1: the players list. %2: the scale. %3: the rules.")
            .arg(MenuKey("&Player"), MenuKey("&Zoom"), MenuKey("&About")),
    };
    const char* const lines[] = {
        QT_TRANSLATE_NOOP("Keys", "Alt alone or F10: the menu bar; Esc leaves it."),
        QT_TRANSLATE_NOOP("Keys", "On the board:"),
        QT_TRANSLATE_NOOP("Keys", "Arrows: move the cursor one cell."),
        QT_TRANSLATE_NOOP("Keys", "Home, End: to the ends of the row."),
        QT_TRANSLATE_NOOP("Keys", "Page Up, Page Down: to the ends of the column."),
        QT_TRANSLATE_NOOP("Keys",
                          "Enter: select the ball under the cursor, or move the selected ball "
                          "there."),
        QT_TRANSLATE_NOOP("Keys", "N: the next balls."),
        QT_TRANSLATE_NOOP("Keys", "S: the score, the moves and the best results."),
        QT_TRANSLATE_NOOP("Keys", "B: where the selected ball is."),
        QT_TRANSLATE_NOOP("Keys", "R: the balls in the cursor's row. C: in its column."),
        QT_TRANSLATE_NOOP("Keys", "F: how many cells are free."),
        QT_TRANSLATE_NOOP("Keys", "Tab: the names, the results, the moves and Quit."),
        QT_TRANSLATE_NOOP("Keys", "Space: minimize the window, or restore it."),
        QT_TRANSLATE_NOOP("Keys", "Esc: end the program at once; a game in progress is not kept."),
        QT_TRANSLATE_NOOP("Keys", "F1: this list."),
    };
    for (const char* line : lines)
        text << QCoreApplication::translate("Keys", line);
    return text.join(QStringLiteral("\r\n"));
}

void ShowKeys() {
    platform::ShowMessage(KeysText(), platform::MessageIcon::None,
                          QCoreApplication::translate("Keys", "Keys"));
}

}  // namespace qv
