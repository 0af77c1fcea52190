#include "game/GameFlow.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <utility>
#include <vector>

#include "game/GameState.h"
#include "game/MainWindowControls.h"
#include "game/NextBalls.h"
#include "platform/Runtime.h"
#include "players/PlayerRecord.h"
#include "players/PlayersFile.h"

namespace qv {

namespace {

// The captions of the start command, which also tell what it does next. They share the main
// window's context with its other menu captions.
QString StartCaption() {
    return QCoreApplication::translate("MainWindow", "&Start");
}
QString StopCaption() {
    return QCoreApplication::translate("MainWindow", "&Stop");
}

void StartGame() {
    MainWindowControls& main = MainControls();
    main.StartStopCommand().SetText(StopCaption());
    main.PlayerCommand().SetEnabled(false);
    GameInProgress = true;
    GameOver = false;
    MoveCount = 0;
    Board.Create(0, BoardWidth, 0, BoardHeight);
    PathGrid.Create(0, BoardWidth, 0, BoardHeight);

    platform::CanvasControl& board = main.BoardPicture();
    board.Clear();
    board.SetPenColor(GridLineColor);
    board.SetBackgroundColor(BoardBackColor);
    board.SetPenWidth(1);
    // The top border line is drawn, the left one is not.
    for (int y = 0; y <= BoardHeight; ++y)
        board.DrawLine(0, y, BoardWidth, y);
    for (int x = 1; x <= BoardWidth; ++x)
        board.DrawLine(x, 0, x, BoardHeight);

    main.ResultBox(0).SetText(QStringLiteral("0"));
    main.MessagePanel().SetText(QCoreApplication::translate("GameFlow", "\r\n\r\nNext balls :"));
    PickNextBalls();
    PlaceNewBalls();
}

void StopGame() {
    MainWindowControls& main = MainControls();
    main.StartStopCommand().SetText(StartCaption());
    main.PlayerCommand().SetEnabled(true);
    GameOver = true;
    EndGame();
}

}  // namespace

void StartOrStopGame() {
    const QString caption = MainControls().StartStopCommand().Text();
    if (caption == StartCaption()) {
        StartGame();
    } else if (caption == StopCaption()) {
        StopGame();
    }
}

void EndGame() {
    MainWindowControls& main = MainControls();
    GameInProgress = false;
    // The result is in the file before the box waits for the player, so that a logout meanwhile
    // loses nothing; what storing it has to say is said after the box, as ever.
    const std::int32_t score = platform::RoundToInt32(main.ResultBox(0).Text().toDouble());
    // A file that holds records but none in use leaves no current player: the result has no
    // record to go to, and the message must not promise otherwise.
    const bool noPlayer = (CurrentPlayer < 1 || CurrentPlayer > kMaxPlayers) && score > 0;
    const std::int32_t previous = CurrentResult;
    struct Held {
        QString text;
        platform::MessageIcon icon;
        QString title;
    };
    std::vector<Held> held;
    if (!noPlayer) {
        CurrentResult = std::max(score, previous);
        const auto say = std::exchange(
            platform::CurrentRuntimeHooks().showMessage,
            [&held](const QString& text, platform::MessageIcon icon, const QString& title) {
                held.push_back({text, icon, title});
            });
        // Reads the current player's record afresh, writes it back when the result beats it,
        // and keeps the result in the table.
        StoreCurrentResult();
        platform::CurrentRuntimeHooks().showMessage = say;
    }
    platform::ShowMessage(QCoreApplication::translate("GameFlow", "Game over"),
                          platform::MessageIcon::Warning,
                          QCoreApplication::translate("GameFlow", "STOP"));
    main.StartStopCommand().SetText(StartCaption());
    main.PlayerCommand().SetEnabled(true);
    main.MessagePanel().SetText(QCoreApplication::translate("GameFlow", "Game over."));
    main.PreviewPicture().Clear();

    if (noPlayer) {
        main.MessagePanel().SetText(QCoreApplication::translate(
            "GameFlow",
            "Result not kept:\r\nno player chosen.\r\n\r\nChoose or add one\r\nunder Player\r\n"
            "before Start."));
        return;
    }
    if (score > previous && previous > 0) {
        main.MessagePanel().SetText(QCoreApplication::translate(
            "GameFlow", "Not bad.\r\n\r\nYou've improved \r\n\r\nyour own result!"));
    }
    for (const Held& h : held)
        platform::ShowMessage(h.text, h.icon, h.title);

    if (CurrentResult > BestResult) {
        BestPlayer = CurrentPlayer;
        BestResult = CurrentResult;
        BestName = CurrentName;
        main.NameBox(1).SetText(DisplayName(BestName));
        main.ResultBox(1).SetText(QString::number(BestResult));
        main.MessagePanel().SetText(QCoreApplication::translate(
            "GameFlow", "Congratulations!\r\n\r\nYou result \r\n\r\nis the best!"));
    }
}

}  // namespace qv
