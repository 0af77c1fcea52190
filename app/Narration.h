// What a command on the board or the start command did, in words for a screen reader. The words
// are read off the game's state before and after the handler ran: the rules run once, as always.
#pragma once

#include <QString>
#include <array>

#include "game/Grid.h"
#include "platform/Types.h"

namespace qv {

class MainWindowControls;

// What a player can know of the game at one moment.
struct GameView {
    Grid board;
    Grid removed;  // the balls the last line check took away
    bool inProgress = false;
    bool over = false;
    bool selected = false;
    std::int16_t selectedX = 0;
    std::int16_t selectedY = 0;
    std::int16_t moves = 0;
    std::array<std::int16_t, 3> next{};
    QString score;
    QString message;
};
GameView SeeGame(MainWindowControls& main);

// A click or Enter on cell (x, y): the selection, or the move with the lines it cleared, the new
// balls, the lines they cleared, the next balls and the end of the game.
QString DescribeBoardCommand(const GameView& before, const GameView& after, int x, int y);
// The start/stop command: the first balls and the next ones, or the result.
QString DescribeStartStop(const GameView& before, const GameView& after);

// What the board's keys tell on demand, read off the game as it stands.
QString DescribeNext(const GameView& now);
// The score, the moves, the player's own best result and the best of all.
QString DescribeScore(MainWindowControls& main);
QString DescribeSelected(const GameView& now);
// The balls of row y or of column x, each with where it lies.
QString DescribeRow(const GameView& now, int y);
QString DescribeColumn(const GameView& now, int x);
QString DescribeFree(const GameView& now);

}  // namespace qv
