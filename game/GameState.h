// The game's shared state. Every module reads and writes these variables directly; the running
// score is not among them: it is the number shown in the current player's result box.
#pragma once

#include <QString>
#include <array>

#include "game/Grid.h"
#include "platform/Types.h"
#include "players/PlayerRecord.h"

namespace qv {

using platform::PackedColor;

struct CellPos {
    std::int16_t x = 0;
    std::int16_t y = 0;
    bool operator==(const CellPos&) const = default;
};

extern Grid Board;      // 0 free, 1..6 a ball kind; (column, row)
extern Grid PathGrid;   // distance labels of the last path search
extern Grid LineMarks;  // 1 at every cell of the lines the last check removed

extern std::int16_t BoardWidth;
extern std::int16_t BoardHeight;
extern PackedColor GridLineColor;
extern PackedColor BoardBackColor;
extern std::int16_t BallSize;  // pen width of a normal ball, pixels
extern std::int16_t LineLength;
extern std::int16_t MoveCount;

extern std::int16_t CurrentPlayer;  // 1..100, 0: none
extern std::int16_t BestPlayer;
extern bool GameOver;
extern bool GameInProgress;
extern bool BallSelected;
extern bool NoLineFound;  // the last line check found no line
extern std::int16_t SelectedX;
extern std::int16_t SelectedY;

extern std::array<CellPos, 3> PreviewPoints;
extern std::array<std::int16_t, 3> NextBalls;

extern std::int32_t BestResult;
extern std::int32_t CurrentResult;
extern QString BestName;
extern QString CurrentName;

// Players(1) .. Players(100); element 0 is unused so that record numbers index the table.
extern std::array<PlayerRecord, kMaxPlayers + 1> Players;
extern QString PlayersFilePath;
extern std::int16_t PlayersFileRecordCount;

extern float Zoom;
// A mark of its colour's own shape in every ball (see view/BallMarks.h): the player's choice, set
// at start-up and in the Zoom window.
extern bool BallMarks;

// The fixed settings, set once when the main window loads.
void InitSettings();

// Puts every shared variable back to its state at program load (zero, empty, false).
void ResetSharedState();

}  // namespace qv
