#include "game/GameFlow.h"

#include <QCoreApplication>
#include <QString>

#include "game/GameState.h"
#include "game/MainWindow.h"
#include "game/NextBalls.h"
#include "platform/Runtime.h"
#include "players/PlayerRecord.h"
#include "players/PlayersFile.h"

namespace qv {

namespace {

// The captions of the start command, which also tell what it does next. They share the main
// window's context with its other menu captions.
QString StartCaption() {
    return QCoreApplication::translate("Form1", "&Start");
}
QString StopCaption() {
    return QCoreApplication::translate("Form1", "&Stop");
}

void StartGame() {
    MainWindowControls& form = MainWindow();
    form.mnuStart().SetCaption(StopCaption());
    form.mnuPlayer().SetEnabled(false);
    GameInProgress = true;
    GameOver = false;
    MoveCount = 0;
    Board.Create(0, BoardWidth, 0, BoardHeight);
    PathGrid.Create(0, BoardWidth, 0, BoardHeight);

    vb::Picture& board = form.Picture1();
    board.Cls();
    board.SetForeColor(GridLineColor);
    board.SetBackColor(BoardBackColor);
    board.SetDrawWidth(1);
    // The top border line is drawn, the left one is not.
    for (int y = 0; y <= BoardHeight; ++y)
        board.Line(0, y, BoardWidth, y);
    for (int x = 1; x <= BoardWidth; ++x)
        board.Line(x, 0, x, BoardHeight);

    form.Text2(0).SetText(QStringLiteral("0"));
    form.txtMess().SetText(QCoreApplication::translate("GameFlow", "\r\n\r\nNext balls :"));
    PickNextBalls();
    PlaceNewBalls();
}

void StopGame() {
    MainWindowControls& form = MainWindow();
    form.mnuStart().SetCaption(StartCaption());
    form.mnuPlayer().SetEnabled(true);
    GameOver = true;
    EndGame();
}

}  // namespace

void mnuStart_Click(Integer Index) {
    (void)Index;
    const QString caption = MainWindow().mnuStart().Caption();
    if (caption == StartCaption()) {
        StartGame();
    } else if (caption == StopCaption()) {
        StopGame();
    }
}

void EndGame() {
    MainWindowControls& form = MainWindow();
    GameInProgress = false;
    vb::MsgBox(QCoreApplication::translate("GameFlow", "Game over"), vb::MsgIcon::Exclamation,
               QCoreApplication::translate("GameFlow", "STOP"));
    form.mnuStart().SetCaption(StartCaption());
    form.mnuPlayer().SetEnabled(true);
    form.txtMess().SetText(QCoreApplication::translate("GameFlow", "Game over."));
    form.Picture2().Cls();

    const Long score = vb::CLng(form.Text2(0).Text().toDouble());
    if ((CurrentPlayer < 1 || CurrentPlayer > kMaxPlayers) && score > 0) {
        // A file that holds records but none in use leaves no current player: the result has no
        // record to go to, and the message must not promise otherwise.
        form.txtMess().SetText(QCoreApplication::translate(
            "GameFlow",
            "Result not kept:\r\nno player chosen.\r\n\r\nChoose or add one\r\nunder Player\r\n"
            "before Start."));
        return;
    }
    if (score > CurrentResult) {
        const Long previous = CurrentResult;
        CurrentResult = score;
        if (previous > 0) {
            form.txtMess().SetText(QCoreApplication::translate(
                "GameFlow", "Not bad.\r\n\r\nYou've improved \r\n\r\nyour own result!"));
        }
    }

    // Reads the current player's record afresh, writes it back when the result beats it, and
    // keeps the result in the table.
    StoreCurrentResult();

    if (CurrentResult > BestResult) {
        BestPlayer = CurrentPlayer;
        BestResult = CurrentResult;
        BestName = CurrentName;
        form.Text1(1).SetText(DisplayName(BestName));
        form.Text2(1).SetText(QString::number(BestResult));
        form.txtMess().SetText(QCoreApplication::translate(
            "GameFlow", "Congratulations!\r\n\r\nYou result \r\n\r\nis the best!"));
    }
}

}  // namespace qv
