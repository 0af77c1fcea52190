// Start, Stop and the turn a release on the board starts, driven through the menu and real mouse
// releases: the waits of each kind of turn with what the screen shows meanwhile, the end of a game
// and its messages, and one whole game checked after every turn.
#include <QRegularExpression>
#include <QtEndian>
#include <random>

#include "GameDriver.h"
#include "PlayersFixtures.h"

using namespace qv;
using namespace qvtest;

namespace {

PointI P(int x, int y) {
    return PointI{static_cast<Integer>(x), static_cast<Integer>(y)};
}

// Waits as "seconds" and "+" when the screen showed the board as drawn as the wait began, "-"
// when not yet; "?" in what is wanted allows either (the grid lines redrawn after the ball's last
// step show with the next repaint), and in what is seen matches both.
QString Travel(int cells) {
    return "0.1+ " + QString("0.02+ ").repeated(4 * cells);
}
const QString kFlashTogether = "0.1? 0.3+ ", kNewBalls = QString("0.1+ ").repeated(6);
QString FlashOneByOne(int balls) {
    return "0.1? " + QString("0.1+ 0.1- ").repeated(balls);
}
QString Seen(const GameDriver& g) {
    QString seen;
    for (const SeenWait& w : g.waits)
        seen += QString("%1%2 ").arg(w.seconds).arg(w.shown);
    return seen;
}
bool Matches(const QString& seen, QString wanted) {
    wanted = QRegularExpression::escape(wanted)
                 .replace("\\?", "[-+?]")
                 .replace("\\+", "[+?]")
                 .replace("\\-", "[-?]");
    return QRegularExpression(QRegularExpression::anchoredPattern(wanted)).match(seen).hasMatch();
}
#define QCOMPARE_WAITS(g, wanted) \
    QVERIFY2(Matches(Seen(g), wanted), qPrintable("saw    " + Seen(g) + "\nwanted " + (wanted)))

const QString kGameOver = "Game over.";
const QString kNotBad = "Not bad.\r\n\r\nYou've improved \r\n\r\nyour own result!";
const QString kBest = "Congratulations!\r\n\r\nYou result \r\n\r\nis the best!";
const QRgb kWhite = qRgb(255, 255, 255);

// A game stopped from the menu with the score box showing `score`; the message it ends with.
QString StopAt(GameDriver& g, int score) {
    g.Start({1, 2, 3}, {{1, 1}, {2, 2}, {3, 3}}, {4, 5, 6});
    g.form.Text2(0).SetText(QString::number(score));
    g.ClearRecords();
    g.ClickStartStop();
    return g.rt.events == QStringList{"msgbox STOP: Game over"} ? g.form.txtMess().Text()
                                                                : "no box";
}

}  // namespace

class TestTurn : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void startGrowsThreeBallsAndStopEndsTheGame() {
        GameDriver g;
        const std::vector<PointI> cells{{4, 1}, {9, 9}, {1, 9}};
        QList<QRgb> growth;  // 5 and 10 pixels right of the centre at each wait
        g.atWait = [&](double) {
            const PointI c = cells[std::size_t(growth.size() / 4)];
            growth << g.Pixel(c.x, c.y, 5) << g.Pixel(c.x, c.y, 10);
        };
        g.Start({6, 5, 4}, cells, {3, 2, 1});
        // Each ball grows to 14, then 27 pixels.
        QList<QRgb> expected;
        for (int kind : {6, 5, 4})
            expected << g.Ball(kind) << kWhite << g.Ball(kind) << g.Ball(kind);
        QCOMPARE(growth, expected);
        QCOMPARE(g.DifferencesFromFreshDrawing(Board), 0);
        const vb::Canvas& preview = g.form.Picture2Box()->GetCanvas();
        for (int i = 0; i < 3; ++i) {  // the next balls, 22 pixels across
            const QPoint centre(int(preview.DeviceX(i + 1)), int(preview.DeviceY(2)));
            QCOMPARE(preview.Image().pixel(centre + QPoint(10, 0)), g.Ball(3 - i));
            QVERIFY(preview.Image().pixel(centre + QPoint(12, 0)) != g.Ball(3 - i));
        }
        QCOMPARE((QStringList{g.form.Text2(0).Text(), g.form.Text3().Text(),
                              g.form.txtMess().Text(), g.form.mnuStart().Caption()}),
                 (QStringList{"0", "1", "\r\n\r\nNext balls :", "&Stop"}));
        QVERIFY(!g.form.mnuPlayer().Enabled() && GameInProgress && !GameOver);

        // Stop with a ball selected: the box, the idle menu, an empty preview.
        g.atWait = nullptr;
        g.Release(4, 1);
        g.ClickStartStop();
        QCOMPARE(g.rt.messages.at(0).icon, vb::MsgIcon::Exclamation);
        QVERIFY(g.form.mnuStart().Caption() == "&Start" && g.form.mnuPlayer().Enabled());
        QVERIFY(!GameInProgress && GameOver);
        QCOMPARE(preview.Image().pixel(int(preview.DeviceX(1)), int(preview.DeviceY(2))),
                 g.Rgb(vb::kButtonFace));

        // The next Start clears the old position, count and selection; a caption other than the two
        // does nothing.
        g.Start({1, 1, 1}, {{5, 5}, {5, 6}, {5, 7}}, {2, 2, 2});
        QVERIFY(CountBalls() == 3 && MoveCount == 1 && !BallSelected);
        QCOMPARE(g.DifferencesFromFreshDrawing(Board), 0);
        g.form.mnuStart().SetCaption("&stop");
        g.ClickStartStop();
        QVERIFY(GameInProgress);
    }

    void theEndMessagesAndTheStoredResults() {
        {
            // Bob, the current player (30), below Ann, the best (50).
            PlayerRecord bob = Player("Bob", 30);
            bob.Spare = {9, 8, 7, 6};
            GameDriver g(Records({Player("Ann", 50), bob}));
            QCOMPARE(StopAt(g, 30), kGameOver);  // equal: nothing improves, nothing is written
            QCOMPARE(ReadWholeFile(g.rt.PlayersFile()), Records({Player("Ann", 50), bob}));
            QCOMPARE(StopAt(g, 40), kNotBad);
            QCOMPARE(StopAt(g, 50), kNotBad);  // equal to the best: Ann stays the best
            QCOMPARE(g.form.Text1(1).Text(), QStringLiteral("Ann"));
            QCOMPARE(StopAt(g, 60), kBest);
            bob.Result = 60;  // only the result changes
            QCOMPARE(ReadWholeFile(g.rt.PlayersFile()), Records({Player("Ann", 50), bob}));
            QCOMPARE(g.form.Text1(1).Text() + g.form.Text2(1).Text(), QStringLiteral("Bob60"));
        }
        {
            // A first result above a stored 0 is kept, but "Not bad." needs an earlier result.
            ResetSharedState();
            GameDriver g(Records({Player("Ann", 50), Player("Cid", 0)}));
            QCOMPARE(StopAt(g, 20), kGameOver);
            QCOMPARE(ReadWholeFile(g.rt.PlayersFile()),
                     Records({Player("Ann", 50), Player("Cid", 20)}));
        }
        // No record in use, so no current player: nothing is kept, and the message says so.
        ResetSharedState();
        PlayerRecord old = Player("Old", 70);
        old.Marker = QString(2, QChar(0));
        GameDriver g(Records({old}));
        QVERIFY(StopAt(g, 80).startsWith("Result not kept:\r\nno player chosen."));
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()), Records({old}));
        QCOMPARE(g.form.Text1(1).Text() + g.form.Text2(1).Text(), QStringLiteral("Old70"));
    }

    void selectionFollowsTheLastBallReleasedOn() {
        GameDriver g;
        g.Release(5, 5);  // before Start: nothing
        QVERIFY(!BallSelected);
        g.Start({1, 2, 3}, {P(2, 2), P(7, 7), P(9, 1)}, {4, 5, 6});
        g.ClearRecords();
        g.Release(4, 4);  // a free cell, nothing selected
        QVERIFY(!BallSelected);
        g.Release(2, 2, Qt::RightButton);
        QCOMPARE(g.Pixel(2, 2, 15), g.Ball(1));  // enlarged to 32 pixels
        g.Release(7, 7, Qt::MiddleButton);
        QCOMPARE(g.Pixel(2, 2, 15), kWhite);  // 27 again
        g.Release(7, 7);
        QCOMPARE(QList<int>({BallSelected, SelectedX, SelectedY}), QList<int>({true, 7, 7}));
        QCOMPARE(g.DifferencesFromFreshDrawing(Board), 0);
        // Off the board: the right edge is column 10. (Cells out of reach: the whole game.)
        g.ReleaseAt(9.0, 3.5);
        g.ReleaseAt(-0.1, 3.5);
        QVERIFY(BallSelected && g.waits.empty() && g.rt.events.isEmpty());
    }

    // The route is traced back from the target, taking at each cell the first neighbour one step
    // nearer to the start in the order right, up, left, down. Each row has two such neighbours
    // at many cells, so any other order puts the ball elsewhere at some sub-step.
    void theBallTravelsTheRouteTracedBackRightUpLeftDown_data() {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("target");
        QTest::newRow("start up and right of the target") << QPoint(8, 2) << QPoint(3, 7);
        QTest::newRow("start up and left") << QPoint(2, 2) << QPoint(6, 5);
        QTest::newRow("start down and left") << QPoint(2, 8) << QPoint(6, 4);
        QTest::newRow("start down and right") << QPoint(8, 8) << QPoint(4, 5);
    }
    void theBallTravelsTheRouteTracedBackRightUpLeftDown() {
        QFETCH(QPoint, start);
        QFETCH(QPoint, target);
        const PointI from = P(start.x(), start.y()), to = P(target.x(), target.y());
        GameDriver g;
        g.Start({3, 1, 1}, {from, P(9, 9), P(1, 9)}, {1, 2, 2});
        Grid after = Board;
        std::swap(after(from.x, from.y), after(to.x, to.y));
        g.rt.ScriptRandom(GameDriver::CellNumbers(after, {P(1, 1), P(2, 1), P(3, 1)}));
        g.rt.ScriptRandom(GameDriver::KindNumbers({1, 1, 1}));
        const auto dist = DistancesFrom(Board, from.x, from.y);
        QList<QPointF> route{QPointF(to.x, to.y)};
        for (int k = dist[to.x][to.y] - 1; k >= 0; --k) {
            const QPointF c = route.first();
            for (const QPointF d : {QPointF(1, 0), QPointF(0, -1), QPointF(-1, 0), QPointF(0, 1)}) {
                const int x = int(c.x() + d.x()), y = int(c.y() + d.y());
                if (OnBoard(x, y) && (dist[x][y] == k || (k == 0 && x == from.x && y == from.y))) {
                    route.prepend(QPointF(x, y));
                    break;
                }
            }
        }
        QList<QPointF> expected, seen;  // the sub-steps' centres where the ball shows
        for (int i = 0; i + 1 < route.size(); ++i)
            for (int s = 1; s <= 4; ++s)
                expected << route[i] + (route[i + 1] - route[i]) * s / 4.0 - QPointF(0.5, 0.5);
        const vb::Canvas& c = g.form.Picture1Box()->GetCanvas();
        g.atWait = [&](double seconds) {
            const QPointF p = expected.value(seen.size());
            if (seconds == 0.02)
                seen << (c.Image().pixel(int(c.DeviceX(p.x())), int(c.DeviceY(p.y()))) == g.Ball(3)
                             ? p
                             : QPointF(-1, -1));
        };
        g.Release(from.x, from.y);
        g.Release(to.x, to.y);
        QCOMPARE(seen, expected);
    }

    // A full board ends the game in the turn that fills it: when the next three find no room, or
    // when they take the last three cells without a line.
    void aFullBoardEndsTheGameInTheSameTurn_data() {
        QTest::addColumn<QList<QPoint>>("free");
        QTest::addColumn<int>("waits");
        QTest::addColumn<int>("balls");
        QTest::newRow("two cells left: no room") << QList<QPoint>{{9, 9}, {1, 1}} << 5 << 79;
        QTest::newRow("three cells left: the new balls fill the board")
            << QList<QPoint>{{9, 9}, {1, 1}, {2, 1}} << 11 << 81;
    }
    void aFullBoardEndsTheGameInTheSameTurn() {
        QFETCH(QList<QPoint>, free);
        QFETCH(int, waits);
        QFETCH(int, balls);
        GameDriver g;
        g.Start({1, 2, 3}, {P(1, 1), P(2, 1), P(3, 1)}, {4, 5, 6});
        for (int y = 1; y <= 9; ++y)  // no two neighbours alike
            for (int x = 1; x <= 9; ++x)
                Board(x, y) = static_cast<Integer>((x + 2 * y) % 6 + 1);
        for (const QPoint& c : free)
            Board(c.x(), c.y()) = 0;
        g.Redraw();
        Grid after = Board;
        std::swap(after(9, 8), after(9, 9));
        if (free.size() == 3) {  // kinds 4, 5, 6 on (1, 1), (2, 1), (9, 8): still no line
            g.rt.ScriptRandom(GameDriver::CellNumbers(after, {P(1, 1), P(2, 1), P(9, 8)}));
            g.rt.ScriptRandom(GameDriver::KindNumbers({1, 2, 3}));
        }
        g.ClearRecords();
        g.Release(9, 8);
        g.Release(9, 9);
        QCOMPARE(int(g.waits.size()), waits);
        QCOMPARE(g.rt.events.last(), QStringLiteral("msgbox STOP: Game over"));
        QVERIFY(!GameInProgress && GameOver && g.rt.RandomLeft() == 0);
        QCOMPARE(CountBalls(), balls);
        g.ClearRecords();
        g.Release(9, 7);  // the board is dead until the next Start
        g.Release(9, 8);
        QVERIFY(g.waits.empty() && !BallSelected);
    }

    void aWholeGameFromStartToGameOver() {
        GameDriver g;
        std::mt19937 rng(4711);
        auto random = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
        int colours = 3;  // few colours early for many lines, all six later to fill the board
        auto kinds = [&] {
            return std::array{1 + int(random(colours)), 1 + int(random(colours)),
                              1 + int(random(colours))};
        };
        auto cells = [](const Grid& b, bool balls) {
            std::vector<PointI> c;
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    if ((b(x, y) > 0) == balls)
                        c.push_back(P(x, y));
            return c;
        };
        std::array<int, 3> next = kinds();
        const std::vector<PointI> first{P(1 + random(9), 1), P(1 + random(9), 5),
                                        P(1 + random(9), 9)};
        Grid model(0, 9, 0, 9);
        for (std::size_t i = 0; i < 3; ++i)
            model(first[i].x, first[i].y) = Integer(next[i]);
        const std::array<int, 3> announced = kinds();
        g.Start(next, first, announced);
        next = announced;

        int score = 0, moves = 1, scoring = 0, newBallLines = 0, turns = 0, reselected = 0,
            refused = 0;
        for (; GameInProgress && turns < 200; ++turns) {
            const bool early = turns < 40;
            colours = early ? 3 : 6;
            // Early the player takes a move that scores when there is one, later one that does not.
            struct Move {
                PointI from, to;
                int n;
                Runs runs;
            };
            std::vector<Move> scores, plain;
            for (const PointI& from : cells(model, true)) {
                const auto dist = DistancesFrom(model, from.x, from.y);
                for (const PointI& to : cells(model, false)) {
                    Grid moved = model;
                    std::swap(moved(from.x, from.y), moved(to.x, to.y));
                    if (dist[to.x][to.y] > 0) {
                        const Move m{from, to, dist[to.x][to.y], FindRuns(moved)};
                        (m.runs.removed > 0 ? scores : plain).push_back(m);
                    }
                }
            }
            const Move m = (early && !scores.empty()) || plain.empty()
                               ? scores[random(scores.size())]
                               : plain[random(plain.size())];
            Grid moved = model;
            std::swap(moved(m.from.x, m.from.y), moved(m.to.x, m.to.y));
            QString waits = Travel(m.n);
            QStringList flashes;  // the half-size dots of the flash, wait by wait
            auto dots = [](const Runs& runs) {
                QStringList d;
                for (int y = 1; y <= 9; ++y)
                    for (int x = 1; x <= 9; ++x)
                        if (runs.marks(x, y))
                            d << QString("%1,%2").arg(x).arg(y);
                return d;
            };
            int flashFrom = 1 + 4 * m.n, flashKind = m.runs.lastKind, randomizes = 0;
            bool ends = false;
            if (m.runs.removed > 0) {
                model = m.runs.after;
                score += m.runs.removed;
                ++scoring;
                waits += kFlashTogether;
                flashes << dots(m.runs).join(' ');
            } else if (cells(moved, false).size() < 3) {
                model = moved;
                ends = true;
            } else {
                // New balls at random; early on, half of them on a cell that completes a line.
                Grid placed = moved;
                std::vector<PointI> drops;
                for (std::size_t k = 0; k < 3; ++k) {
                    std::vector<PointI> options = cells(placed, false), completing;
                    for (const PointI& c : options) {
                        Grid t = placed;
                        t(c.x, c.y) = Integer(next[k]);
                        if (FindRuns(t).removed > 0)
                            completing.push_back(c);
                    }
                    if (early && !completing.empty() && random(2) == 0)
                        options = completing;
                    drops.push_back(options[random(options.size())]);
                    placed(drops.back().x, drops.back().y) = Integer(next[k]);
                }
                g.rt.ScriptRandom(GameDriver::CellNumbers(moved, drops));
                g.rt.ScriptRandom(GameDriver::KindNumbers(next = kinds()));
                const Runs runs = FindRuns(placed);
                model = runs.after;
                score += runs.removed;
                newBallLines += runs.removed > 0;
                ++moves;
                randomizes = 4;
                waits += kNewBalls + (runs.removed ? FlashOneByOne(runs.removed) : "");
                flashFrom += 6;
                flashKind = runs.lastKind;
                flashes = dots(runs);
                ends = runs.removed == 0 && CountBalls(placed) == 81;
            }

            g.ClearRecords();
            QStringList shown;
            g.atWait = [&](double) {
                QStringList d;
                for (int y = 1; int(g.waits.size()) > flashFrom && y <= 9; ++y)
                    for (int x = 1; x <= 9; ++x)
                        if (g.Pixel(x, y) == g.Ball(flashKind) && g.Pixel(x, y, 10) == kWhite)
                            d << QString("%1,%2").arg(x).arg(y);
                if (!d.isEmpty())
                    shown << d.join(' ');
            };
            const std::vector<PointI> others = cells(Board, true);
            if (turns % 3 == 0 && others.size() > 1) {  // another ball first: it shrinks back
                const PointI o = others[random(others.size())];
                reselected += !(o == m.from);
                g.Release(o.x, o.y);
            }
            g.Release(m.from.x, m.from.y);
            const auto dist = DistancesFrom(Board, m.from.x, m.from.y);
            for (const PointI& c : cells(Board, false)) {
                if (turns % 2 == 0 && dist[c.x][c.y] < 0) {  // out of reach: nothing happens
                    g.Release(c.x, c.y);
                    ++refused;
                    break;
                }
            }
            g.Release(m.to.x, m.to.y);

            QCOMPARE(shown, flashes);
            if (!ends)
                QCOMPARE(g.rt.events.filter("randomize").size(), randomizes);
            QVERIFY(Board == model);
            QCOMPARE_WAITS(g, waits);
            QCOMPARE(g.form.Text2(0).Text(), QString::number(score));
            QCOMPARE(QList<int>({MoveCount, g.form.Text3().Text().toInt()}),
                     QList<int>({moves, moves}));
            QCOMPARE(g.rt.RandomLeft(), std::size_t(0));
            QCOMPARE(g.DifferencesFromFreshDrawing(Board), 0);
            QVERIFY(g.Shown() != '-');
            QCOMPARE(GameInProgress, !ends);
            QCOMPARE(g.rt.messages.size(), std::size_t(ends));
        }
        qDebug() << turns << "turns," << scoring << "scoring moves," << newBallLines
                 << "lines of new balls," << reselected << "reselections," << refused
                 << "refused targets, score" << score;
        QVERIFY(!GameInProgress && scoring >= 3 && newBallLines >= 1 && reselected >= 5 &&
                refused >= 2);
        QCOMPARE(g.rt.events.last(), QStringLiteral("msgbox STOP: Game over"));
        QCOMPARE(g.form.txtMess().Text(), kBest);
        const QByteArray record = ReadWholeFile(g.rt.PlayersFile());
        QCOMPARE(record.size(), 60);
        QCOMPARE(qFromLittleEndian<qint32>(record.constData() + 50), score);
    }
};

QTEST_MAIN(TestTurn)
#include "test_turn.moc"
