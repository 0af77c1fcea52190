#include "game/GameState.h"

#include "platform/Runtime.h"

namespace qv {

Grid Board;
Grid PathGrid;
Grid LineMarks;

std::int16_t BoardWidth = 0;
std::int16_t BoardHeight = 0;
PackedColor GridLineColor = 0;
PackedColor BoardBackColor = 0;
std::int16_t BallSize = 0;
std::int16_t LineLength = 0;
std::int16_t MoveCount = 0;

std::int16_t CurrentPlayer = 0;
std::int16_t BestPlayer = 0;
bool GameOver = false;
bool GameInProgress = false;
bool BallSelected = false;
bool NoLineFound = false;
std::int16_t SelectedX = 0;
std::int16_t SelectedY = 0;

std::array<CellPos, 3> PreviewPoints{};
std::array<std::int16_t, 3> NextBalls{};

std::int32_t BestResult = 0;
std::int32_t CurrentResult = 0;
QString BestName;
QString CurrentName;

std::array<PlayerRecord, kMaxPlayers + 1> Players;
QString PlayersFilePath;
std::int16_t PlayersFileRecordCount = 0;

float Zoom = 0;
bool BallMarks = false;

void InitSettings() {
    BoardWidth = 9;
    BoardHeight = 9;
    Board.Create(1, 9, 1, 9);
    PathGrid.Create(1, BoardWidth, 1, BoardHeight);
    Zoom = 2.0f;
    GridLineColor = platform::kSystemWorkspace;
    BoardBackColor = platform::PackRgb(255, 255, 255);
    LineLength = 5;
    // The players file lives beside the program (the separator is the platform's own).
    PlayersFilePath = platform::ProgramDir() + QStringLiteral("/QVPlayers.dat");
}

void ResetSharedState() {
    Board = Grid();
    PathGrid = Grid();
    LineMarks = Grid();
    BoardWidth = BoardHeight = 0;
    GridLineColor = BoardBackColor = 0;
    BallSize = LineLength = MoveCount = 0;
    CurrentPlayer = BestPlayer = 0;
    GameOver = GameInProgress = BallSelected = NoLineFound = false;
    SelectedX = SelectedY = 0;
    PreviewPoints = {};
    NextBalls = {};
    BestResult = CurrentResult = 0;
    BestName.clear();
    CurrentName.clear();
    Players.fill(PlayerRecord{});
    PlayersFilePath.clear();
    PlayersFileRecordCount = 0;
    Zoom = 0;
    BallMarks = false;
}

}  // namespace qv
