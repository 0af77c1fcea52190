#include "game/GameState.h"

#include "platform/Runtime.h"

namespace qv {

Grid Board;
Grid PathGrid;
Grid LineMarks;

Integer BoardWidth = 0;
Integer BoardHeight = 0;
Color GridLineColor = 0;
Color BoardBackColor = 0;
Integer BallSize = 0;
Integer LineLength = 0;
Integer MoveCount = 0;

Integer CurrentPlayer = 0;
Integer BestPlayer = 0;
bool GameOver = false;
bool GameInProgress = false;
bool BallSelected = false;
bool LineFlag = false;
Integer SelectedX = 0;
Integer SelectedY = 0;

std::array<PointI, 3> PreviewPoints{};
std::array<Integer, 3> NextBalls{};

Long BestResult = 0;
Long CurrentResult = 0;
QString BestName;
QString CurrentName;

std::array<PlayerRecord, kMaxPlayers + 1> Players;
QString PlayersFilePath;
Integer PlayerCount = 0;

Single Zoom = 0;
bool BallMarks = false;

void InitSettings() {
    BoardWidth = 9;
    BoardHeight = 9;
    Board.Create(1, 9, 1, 9);
    PathGrid.Create(1, BoardWidth, 1, BoardHeight);
    Zoom = 2.0f;
    GridLineColor = vb::kAppWorkspace;
    BoardBackColor = vb::RGB(255, 255, 255);
    LineLength = 5;
    // The players file lives beside the program (the separator is the platform's own).
    PlayersFilePath = vb::AppPath() + QStringLiteral("/") + QStringLiteral("QVPlayers.dat");
}

void ResetSharedState() {
    Board = Grid();
    PathGrid = Grid();
    LineMarks = Grid();
    BoardWidth = BoardHeight = 0;
    GridLineColor = BoardBackColor = 0;
    BallSize = LineLength = MoveCount = 0;
    CurrentPlayer = BestPlayer = 0;
    GameOver = GameInProgress = BallSelected = LineFlag = false;
    SelectedX = SelectedY = 0;
    PreviewPoints = {};
    NextBalls = {};
    BestResult = CurrentResult = 0;
    BestName.clear();
    CurrentName.clear();
    Players.fill(PlayerRecord{});
    PlayersFilePath.clear();
    PlayerCount = 0;
    Zoom = 0;
    BallMarks = false;
}

}  // namespace qv
