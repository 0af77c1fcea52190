#include "app/Narration.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <utility>
#include <vector>

#include "game/GameState.h"
#include "game/MainWindowControls.h"
#include "players/PlayerRecord.h"
#include "view/BallColor.h"

namespace qv {

namespace {

QString Cell(int x, int y) {
    return QCoreApplication::translate("Narration", "row %1, column %2").arg(y).arg(x);
}

// The balls that came down in this turn, in the order they fell (the order of the preview before
// the turn). A ball that a line took away at once is among them too, in the colour the preview
// announced. The player's ball went from `from` to `to`: its old cell may take a new ball.
QString NewBalls(const GameView& before, const GameView& after, std::pair<int, int> from,
                 std::pair<int, int> to) {
    std::vector<std::pair<int, int>> cells;  // (x, y), in scan order
    for (int y = 1; y <= BoardHeight; ++y)
        for (int x = 1; x <= BoardWidth; ++x)
            if (std::pair(x, y) != to && (before.board(x, y) == 0 || std::pair(x, y) == from) &&
                (after.board(x, y) > 0 || after.removed(x, y) == 1))
                cells.emplace_back(x, y);
    QStringList said;
    std::vector<bool> used(cells.size(), false);
    // Each announced colour takes the first cell that shows it, then one that a line emptied.
    for (const std::int16_t kind : before.next) {
        for (int pass = 0; pass < 2; ++pass) {
            bool found = false;
            for (std::size_t i = 0; i < cells.size() && !found; ++i) {
                const auto [x, y] = cells[i];
                const bool match = pass == 0 ? after.board(x, y) == kind : after.board(x, y) == 0;
                if (!used[i] && match) {
                    used[i] = true;
                    found = true;
                    said << QCoreApplication::translate("Narration", "%1 at %2")
                                .arg(BallColorName(kind), Cell(x, y));
                }
            }
            if (found)
                break;
        }
    }
    // Whatever the preview did not account for (the first balls of a game), as the board shows it.
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const auto [x, y] = cells[i];
        if (!used[i] && after.board(x, y) > 0)
            said << QCoreApplication::translate("Narration", "%1 at %2")
                        .arg(BallColorName(after.board(x, y)), Cell(x, y));
    }
    return said.isEmpty() ? QString()
                          : QCoreApplication::translate("Narration", "New balls: %1.")
                                .arg(said.join(QStringLiteral("; ")));
}

QString Cleared(const GameView& before, const GameView& after) {
    const int points = after.score.toInt() - before.score.toInt();
    return QCoreApplication::translate("Narration", "Line cleared: +%1 points, score %2.")
        .arg(points)
        .arg(after.score);
}

QString Next(const GameView& after) {
    QStringList colours;
    for (const std::int16_t kind : after.next)
        colours << BallColorName(kind);
    return QCoreApplication::translate("Narration", "Next: %1.")
        .arg(colours.join(QStringLiteral(", ")));
}

// The message panel's text as one line.
QString Result(const GameView& after) {
    QString text = after.message;
    text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    return text.trimmed();
}

}  // namespace

GameView SeeGame(MainWindowControls& main) {
    GameView v;
    v.board = Board;
    v.removed = LineMarks;
    v.inProgress = GameInProgress;
    v.over = GameOver;
    v.selected = BallSelected;
    v.selectedX = SelectedX;
    v.selectedY = SelectedY;
    v.moves = MoveCount;
    v.next = NextBalls;
    v.score = main.ResultBox(0).Text();
    v.message = main.MessagePanel().Text();
    return v;
}

QString DescribeBoardCommand(const GameView& before, const GameView& after, int x, int y) {
    if (!before.inProgress)
        return QCoreApplication::translate("Narration", "No game. Start one from the menu.");
    if (!before.board.Contains(x, y) || x < 1 || y < 1)
        return {};
    if (before.over)
        return Result(after);
    if (const std::int16_t kind = before.board(x, y); kind > 0) {
        const bool again = before.selected && before.selectedX == x && before.selectedY == y;
        return (again ? QCoreApplication::translate("Narration", "%1 ball still selected.")
                      : QCoreApplication::translate("Narration", "%1 ball selected."))
            .arg(BallColorName(kind));
    }
    if (!before.selected)
        return QCoreApplication::translate("Narration", "No ball selected.");
    if (after.selected)
        return QCoreApplication::translate("Narration", "No way there.");

    QStringList parts{QCoreApplication::translate("Narration", "Moved to %1.").arg(Cell(x, y))};
    const bool placed = after.moves != before.moves;
    if (placed)
        parts << NewBalls(before, after, {before.selectedX, before.selectedY}, {x, y});
    if (after.score != before.score)
        parts << Cleared(before, after);
    if (after.inProgress)
        parts << Next(after);
    else
        parts << Result(after);
    parts.removeAll(QString());
    return parts.join(QLatin1Char(' '));
}

QString DescribeStartStop(const GameView& before, const GameView& after) {
    if (!before.inProgress && after.inProgress) {
        // The first balls fall on an empty board; nothing was announced for them.
        GameView empty;
        empty.board.Create(0, BoardWidth, 0, BoardHeight);
        GameView started = after;
        started.removed = empty.board;  // no line checked in this game (maybe none ever)
        return QStringList{QCoreApplication::translate("Narration", "Game started."),
                           NewBalls(empty, started, {}, {}), Next(after)}
            .join(QLatin1Char(' '));
    }
    if (before.inProgress && !after.inProgress)
        return Result(after);
    return {};
}

QString DescribeNext(const GameView& now) {
    if (!now.inProgress)
        return QCoreApplication::translate("Narration", "No game. Start one from the menu.");
    return Next(now);
}

QString DescribeScore(MainWindowControls& main) {
    // The best of all without a name while nobody has a result.
    const QString best = main.NameBox(1).Text().isEmpty()
                             ? main.ResultBox(1).Text()
                             : QCoreApplication::translate("Narration", "%1, %2")
                                   .arg(main.ResultBox(1).Text(), main.NameBox(1).Text());
    return QCoreApplication::translate("Narration",
                                       "Score %1, moves %2. Your best: %3. Best of all: %4.")
        .arg(main.ResultBox(0).Text(), main.MovesBox().Text(), QString::number(CurrentResult),
             best);
}

QString DescribeSelected(const GameView& now) {
    if (!now.selected)
        return QCoreApplication::translate("Narration", "No ball selected.");
    return QCoreApplication::translate("Narration", "Selected: %1 ball at %2.")
        .arg(BallColorName(now.board(now.selectedX, now.selectedY)),
             Cell(now.selectedX, now.selectedY));
}

namespace {

// The balls of one line of cells, `across` true for a row.
QString DescribeLine(const GameView& now, bool across, int n) {
    QStringList balls;
    for (int k = 1; k <= (across ? BoardWidth : BoardHeight); ++k) {
        const int x = across ? k : n, y = across ? n : k;
        const std::int16_t kind = now.board(x, y);
        if (kind <= 0)
            continue;
        QString colour = BallColorName(kind);
        if (now.selected && now.selectedX == x && now.selectedY == y)
            colour = QCoreApplication::translate("Narration", "selected %1").arg(colour);
        balls << (across ? QCoreApplication::translate("Narration", "%1 in column %2")
                         : QCoreApplication::translate("Narration", "%1 in row %2"))
                     .arg(colour)
                     .arg(k);
    }
    if (balls.isEmpty())
        return across ? QCoreApplication::translate("Narration", "Row %1: empty.").arg(n)
                      : QCoreApplication::translate("Narration", "Column %1: empty.").arg(n);
    return (across ? QCoreApplication::translate("Narration", "Row %1: %2.")
                   : QCoreApplication::translate("Narration", "Column %1: %2."))
        .arg(n)
        .arg(balls.join(QStringLiteral(", ")));
}

}  // namespace

QString DescribeRow(const GameView& now, int y) {
    return DescribeLine(now, true, y);
}

QString DescribeColumn(const GameView& now, int x) {
    return DescribeLine(now, false, x);
}

QString DescribeFree(const GameView& now) {
    int free = 0;
    for (int y = 1; y <= BoardHeight; ++y)
        for (int x = 1; x <= BoardWidth; ++x)
            free += now.board(x, y) <= 0 ? 1 : 0;
    return QCoreApplication::translate("Narration", "Free cells: %1.").arg(free);
}

}  // namespace qv
