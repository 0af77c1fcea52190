// The rules against models on random boards; Start, Stop and turns by mouse releases.
#include <random>

#include "GameDriver.h"
#include "app/Narration.h"
#include "game/LineCheck.h"
#include "game/PathSearch.h"

using namespace qv;
using namespace qvtest;

namespace {

bool OnBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

// The model search: each wave walks the whole list from its start, right, up, left, down.
std::int16_t WaveByWave(int fromX, int fromY, int toX, int toY, Grid& labels) {
    labels.Create(0, 9, 0, 9);
    std::vector<std::pair<int, int>> list{{fromX, fromY}};
    for (std::int16_t w = 1;; ++w) {
        const std::size_t last = list.size() - 1;
        for (std::size_t i = 0; i <= last; ++i) {
            const auto [cx, cy] = list[i];
            for (const auto& [nx, ny] :
                 {std::pair{cx + 1, cy}, {cx, cy - 1}, {cx - 1, cy}, {cx, cy + 1}}) {
                if (nx == toX && ny == toY)
                    return labels(nx, ny) = w;
                if (OnBoard(nx, ny) && labels(nx, ny) == 0 && Board(nx, ny) == 0) {
                    list.emplace_back(nx, ny);
                    labels(nx, ny) = w;
                }
            }
        }
        if (list.size() - 1 == last)
            return 0;
    }
}

// A board of `kinds` kinds, each cell a ball with a chance between low and high.
void RandomBoard(std::mt19937& rng, int kinds, double low, double high) {
    Board.Create(0, 9, 0, 9);
    const double density = std::uniform_real_distribution<double>(low, high)(rng);
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            if (std::uniform_real_distribution<double>(0, 1)(rng) < density)
                Board(x, y) = std::int16_t(1 + rng() % kinds);
}

}  // namespace

class TestTurn : public QObject {
    Q_OBJECT
  private slots:
    // Before any reset: no game runs, no best, no current player for an unused record.
    void initTestCase() {
        GameDriver g(Records({Player("Old", 0, false)}));
        ModalScript script;
        QTest::mouseDClick(g.window.NameWidget(0), Qt::LeftButton);
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(g.window.ResultBox(0).Text() + g.window.ResultBox(1).Text(), "00");
        g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        g.window.ResultBox(0).SetText("5");
        g.ClickStartStop();
        QCOMPARE(g.window.MessagePanel().Text().section("\r\n", 0, 0), "Result not kept:");
    }
    void init() { ResetSharedState(); }

    void pathsMatchTheWaveByWaveSearch() {
        InitSettings();
        std::mt19937 rng(20240611);
        Grid expected;
        for (int round = 0; round < 6000; ++round) {
            RandomBoard(rng, 6, 0.05, 0.85);
            std::vector<CellPos> balls, free;
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    (Board(x, y) ? balls : free).push_back(P(x, y));
            if (balls.empty() || free.empty())
                continue;
            const CellPos f = balls[rng() % balls.size()], t = free[rng() % free.size()];
            const Grid before = Board;
            QCOMPARE(FindPath(f.x, f.y, t.x, t.y), WaveByWave(f.x, f.y, t.x, t.y, expected));
            QCOMPARE(PathGrid, expected);
            QCOMPARE(Board, before);
        }
        Board.Create(0, 9, 0, 9);  // a start or target off the board is refused
        for (CellPos c : {P(0, 5), P(10, 5), P(5, 0), P(5, 10)}) {
            QCOMPARE(FindPath(c.x, c.y, 5, 5), 0);
            QCOMPARE(FindPath(5, 5, c.x, c.y), 0);
        }
    }

    // Returns the kind of the last ball removed in row order.
    void linesMatchTheRunThroughEveryBall() {
        GameDriver g;  // the score is a text of its window
        std::mt19937 rng(77);
        for (int round = 0; round < 5000; ++round) {
            RandomBoard(rng, 1 + int(rng() % 4), 0.3, 1.0);
            Grid marks(0, 9, 0, 9), after = Board;
            int removed = 0, kind = 0;
            for (int y = 1; y <= 9; ++y) {
                for (int x = 1; x <= 9; ++x) {
                    for (const auto& [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
                        int run = 1;
                        for (int s : {1, -1})
                            for (int k = s; OnBoard(x + k * dx, y + k * dy) &&
                                            Board(x + k * dx, y + k * dy) == Board(x, y);
                                 k += s)
                                ++run;
                        marks(x, y) = marks(x, y) || (Board(x, y) && run >= 5);
                    }
                    if (marks(x, y))
                        ++removed, kind = std::exchange(after(x, y), 0);
                }
            }
            const int balls = CountBalls();
            g.window.ResultBox(0).SetText("40");
            GameOver = false;
            QCOMPARE(CheckLines(), std::int16_t(kind));
            QCOMPARE(g.window.ResultBox(0).Text(), QString::number(40 + removed));
            QCOMPARE(LineMarks, marks);
            QCOMPARE(Board, after);
            QCOMPARE(NoLineFound, removed == 0);
            QCOMPARE(GameOver, balls == 81 && removed == 0);
        }
    }

    void theRecordedGameByMouse() {
        GameDriver g;
        auto release = [&g](CellPos c, QChar button) {
            g.Release(c.x, c.y,
                      button == 'r'   ? Qt::RightButton
                      : button == 'm' ? Qt::MiddleButton
                                      : Qt::LeftButton);
        };
        const QStringList trace = ReadTrace();
        QCOMPARE(Replay(g, trace, release), trace);
    }

    // Releases before Start, off the board, on the preview, on a free cell, none selected: nothing.
    void startAndStop() {
        GameDriver g;
        MainWindow& w = g.window;
        g.Release(5, 5);
        QTest::mouseRelease(w.PreviewWidget(), Qt::LeftButton);
        g.Start({6, 5, 4}, {P(4, 1), P(9, 9), P(1, 9)}, {3, 2, 1});
        QCOMPARE(g.rt.events.first(), "randomize");  // the release before it did nothing
        g.rt.ClearRecords();
        g.Release(5, 5);
        QVERIFY(!w.PlayerCommand().Enabled());
        for (double x : {4.0, 9.5, 0.4})  // the ball at (4, 1), then columns 10 and 0
            g.Release(x, 1);
        QCOMPARE(g.rt.events, QStringList());
        QCOMPARE(g.State(), "balls 3 moves 1 selected 1 playing 1 over 0 drawn 1");
        w.ResultBox(0).SetText("5");
        g.ClickStartStop();
        QCOMPARE(g.rt.messages.at(0).icon, platform::MessageIcon::Warning);
        const QString said = w.MessagePanel().Text();
        g.rt.ClearRecords();
        g.Start({1, 1, 1}, {P(5, 5), P(5, 6), P(5, 7)}, {2, 2, 2});
        QCOMPARE(g.State(), "balls 3 moves 1 selected 0 playing 1 over 0 drawn 1");
        QCOMPARE(w.ResultBox(0).Text(), "0");
        QVERIFY(w.MessagePanel().Text() != said);
        g.Release(5, 6);  // nothing left of the stopped game
        QCOMPARE(g.State(), "balls 3 moves 1 selected 1 playing 1 over 0 drawn 1");
    }

    // No turn runs inside another, and no input is lost.
    void inputWhileABallTravelsWaitsForTheTurnsEnd() {
        GameDriver g;
        g.Start({1, 2, 3}, {P(1, 1), P(5, 5), P(9, 9)}, {4, 5, 6});
        for (const auto& next : {std::vector{1, 2, 3}, {4, 5, 6}}) {  // new balls fill row 1
            g.rt.ScriptRandom({0, 0, 0});
            g.Kinds(next);
        }
        auto* board = g.window.BoardWidget();
        int running = 0, turnsAtOnce = 0;
        auto counted = [&](auto handler) {
            return [&, handler](auto... a) {
                turnsAtOnce = std::max(turnsAtOnce, ++running);
                handler(a...);
                --running;
            };
        };
        board->onRelease = counted(board->onRelease);
        board->onKeyDown = counted(board->onKeyDown);
        g.atWait = [&](double) {  // the ball at (9, 9) chosen, moved up by keys
            const QPointF at = board->PositionOf(8.5, 8.5);
            QCoreApplication::postEvent(
                board, new QMouseEvent(QEvent::MouseButtonRelease, at, board->mapToGlobal(at),
                                       Qt::LeftButton, {}, {}));
            for (int key : {Qt::Key_Up, Qt::Key_Return})
                QCoreApplication::postEvent(board, new QKeyEvent(QEvent::KeyPress, key, {}));
            g.atWait = nullptr;
        };
        g.Release(1, 1);
        g.Release(1, 3);
        QCOMPARE(turnsAtOnce, 1);
        QCOMPARE(Board(9, 8), 3);
        QCOMPARE(g.State(), "balls 9 moves 3 selected 0 playing 1 over 0 drawn 1");
    }

    void theEndMessagesAndTheStoredResults_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("message");  // its first line
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("best");
        const PlayerRecord ann = Player("Ann", 50);
        auto bob = [ann](int result) {  // Bob, the current player, below Ann
            PlayerRecord bob = Player("Bob", result);
            bob.Spare = {9, 8, 7, 6};  // only the result changes
            return Records({ann, bob});
        };
        const QString over = "Game over.", better = "Not bad.", best = "Congratulations!";
        QTest::newRow("equal to the own") << bob(30) << 30 << over << bob(30) << "Ann50";
        QTest::newRow("better") << bob(30) << 40 << better << bob(40) << "Ann50";
        QTest::newRow("equal to the best") << bob(30) << 50 << better << bob(50) << "Ann50";
        QTest::newRow("the best") << bob(30) << 60 << best << bob(60) << "Bob60";
        // Kept above a stored 0, but "Not bad." needs an earlier result.
        QTest::newRow("the first") << Records({ann, Player("Cid", 0)}) << 20 << over
                                   << Records({ann, Player("Cid", 20)}) << "Ann50";
        QByteArray full;  // the current player is the hundredth
        for (int i = 1; i <= kMaxPlayers; ++i)
            full += EncodeRecord(Player(QString("P%1").arg(i), i < kMaxPlayers ? 2 : 1));
        QTest::newRow("the hundredth")
            << full << 3 << best
            << QByteArray(full).replace(99 * 60, 60, EncodeRecord(Player("P100", 3))) << "P1003";
        const QByteArray none = Records({Player("Old", 70, false)});  // no current player
        QTest::newRow("no player") << none << 80 << "Result not kept:" << none << "Old70";
        QTest::newRow("no player, no score") << none << 0 << over << none << "Old70";
    }
    void theEndMessagesAndTheStoredResults() {
        QFETCH(QByteArray, file);
        QFETCH(int, score);
        GameDriver g(file);
        g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        g.window.ResultBox(0).SetText(QString::number(score));
        g.rt.ClearRecords();
        QByteArray atTheBox;  // stored before "Game over" waits for the player
        g.rt.onMessage = [&](const Message&) { atTheBox = ReadWholeFile(g.rt.PlayersFile()); };
        g.ClickStartStop();
        QCOMPARE(g.rt.events.size(), 1);  // the message, nothing else
        QTEST(g.window.MessagePanel().Text().section("\r\n", 0, 0), "message");
        QTEST(atTheBox, "stored");
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()), atTheBox);
        QTEST(g.window.NameBox(1).Text() + g.window.ResultBox(1).Text(), "best");
    }

    // When the next three find no room, or take the last three cells without a line.
    void aFullBoardEndsTheGameInTheSameTurn_data() {
        QTest::addColumn<QList<QPoint>>("free");
        QTest::addColumn<int>("waits");
        QTest::addColumn<QString>("state");
        QTest::newRow("no room") << QList<QPoint>{{9, 9}, {1, 1}} << 5
                                 << "balls 79 moves 1 selected 0 playing 0 over 1 drawn 1";
        QTest::newRow("filled") << QList<QPoint>{{9, 9}, {1, 1}, {2, 9}} << 11
                                << "balls 81 moves 2 selected 0 playing 0 over 1 drawn 1";
    }
    void aFullBoardEndsTheGameInTheSameTurn() {
        QFETCH(QList<QPoint>, free);
        GameDriver g;
        const QString start = g.window.StartStopCommand().Text();
        g.Start({1, 2, 3}, {P(5, 1), P(6, 1), P(7, 1)}, {4, 5, 6});
        for (int y = 1; y <= 9; ++y)  // no two neighbours alike
            for (int x = 1; x <= 9; ++x)
                Board(x, y) = std::int16_t((x + 2 * y) % 6 + 1);
        for (const QPoint& c : free)
            Board(c.x(), c.y()) = 0;
        g.Redraw();
        Grid after = Board;
        std::swap(after(9, 8), after(9, 9));
        g.Drops(after, {P(1, 1), P(2, 9), P(9, 8)});
        g.Kinds({1, 2, 3});  // 4, 5, 6 dropped: still no line
        g.rt.ClearRecords();
        g.Release(9, 8);
        g.Release(9, 9);
        QTEST(int(g.rt.events.filter("wait").size()), "waits");
        QCOMPARE(g.rt.messages.size(), 1u);
        QCOMPARE(g.rt.RandomLeft(), free.size() == 3 ? 0u : 6u);
        QTEST(g.State(), "state");
        QVERIFY(g.window.PlayerCommand().Enabled());
        QCOMPARE(g.window.StartStopCommand().Text(), start);
    }

    // Also new balls the board no longer shows (a line at once).
    void aTurnIsToldInOrder_data() {
        QTest::addColumn<int>("target");  // where in row 1 the red ball at (1, 1) goes
        QTest::addColumn<int>("ending");  // 0 no move, 1 a move, 2 a move that ends the game
        QTest::addColumn<QString>("said");
        const QString moved =
            "Moved to row 1, column 3. New balls: green at row 1, column 1; blue "
            "at row 5, column 5; yellow at row 9, column 9. Line cleared: +5 "
            "points, score 15. ";
        QTest::newRow("moved") << 3 << 1 << moved + "Next: red, red, red.";
        QTest::newRow("game over") << 3 << 2 << moved + "Game over.";
        QTest::newRow("walled off") << 4 << 0 << "No way there.";
        QTest::newRow("reselected") << 1 << 0 << "red ball still selected.";
        QTest::newRow("off the board") << 0 << 0 << "";
    }
    void aTurnIsToldInOrder() {
        QFETCH(int, target);
        QFETCH(int, ending);
        InitSettings();
        GameView b;
        b.board.Create(0, 9, 0, 9);
        b.removed = b.board;
        b.board(1, 1) = 1, b.next = {2, 3, 4}, b.score = "10";
        b.inProgress = b.selected = true, b.selectedX = b.selectedY = 1;
        GameView a = b;
        if (ending > 0) {  // green where red was; blue makes a line, gone with it
            a.board(3, 1) = 1, a.board(1, 1) = 2, a.board(9, 9) = 4, a.removed(5, 5) = 1;
            a.selected = false, a.inProgress = ending == 1, a.moves = 1, a.next = {1, 1, 1};
            a.score = "15", a.message = "Game\r\n over. ";
        }
        QTEST(DescribeBoardCommand(b, a, target, 1), "said");
    }
};

QTEST_MAIN(TestTurn)
#include "test_turn.moc"
