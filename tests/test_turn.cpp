// Start, Stop and the turn a release on the board starts, driven through the menu and real mouse
// releases: the end of a game and its messages, and one whole game checked after every turn: the
// route the ball takes, the waits with what the screen shows meanwhile, the flashes, the score.
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

// Waits as GameDriver::seen records them; "?" in what is wanted allows either (the grid lines
// redrawn after the ball's last step show with the next repaint), and in what is seen matches both.
QString Travel(int cells) {
    return "0.1+ " + QString("0.02+ ").repeated(4 * cells);
}
const QString kFlashTogether = "0.1? 0.3+ ", kNewBalls = QString("0.1+ ").repeated(6);
QString FlashOneByOne(int balls) {
    return "0.1? " + QString("0.1+ 0.1- ").repeated(balls);
}
bool Matches(const QString& seen, QString wanted) {
    wanted = QRegularExpression::escape(wanted)
                 .replace("\\?", "[-+?]")
                 .replace("\\+", "[+?]")
                 .replace("\\-", "[-?]");
    return QRegularExpression(QRegularExpression::anchoredPattern(wanted)).match(seen).hasMatch();
}

const QString kGameOver = "Game over.";
const QString kNotBad = "Not bad.\r\n\r\nYou've improved \r\n\r\nyour own result!";
const QString kBest = "Congratulations!\r\n\r\nYou result \r\n\r\nis the best!";
const QString kNotKept =
    "Result not kept:\r\nno player chosen.\r\n\r\nChoose or add one\r\nunder Player\r\nbefore "
    "Start.";
const QRgb kWhite = qRgb(255, 255, 255);

std::vector<PointI> Cells(const Grid& board, bool balls) {
    std::vector<PointI> c;
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            if ((board(x, y) > 0) == balls)
                c.push_back(P(x, y));
    return c;
}

}  // namespace

class TestTurn : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void startGrowsThreeBallsAndStopEndsTheGame() {
        GameDriver g;
        g.Release(5, 5);  // before Start: nothing
        const std::vector<PointI> cells{{4, 1}, {9, 9}, {1, 9}};
        QList<QRgb> growth;  // 5 and 10 pixels right of the centre at each wait
        g.atWait = [&](double) {
            const PointI c = cells[std::size_t(growth.size() / 4)];
            growth << g.Pixel(c.x, c.y, 5) << g.Pixel(c.x, c.y, 10);
        };
        g.Start({6, 5, 4}, cells, {3, 2, 1});
        QList<QRgb> expected;  // each ball grows to 14, then 27 pixels
        for (int kind : {6, 5, 4})
            expected << g.Ball(kind) << kWhite << g.Ball(kind) << g.Ball(kind);
        QCOMPARE(growth, expected);
        QCOMPARE(g.DifferencesFromFreshDrawing(Board), 0);
        const vb::Canvas& preview = g.form.Picture2Box()->GetCanvas();
        for (int i = 0; i < 6; ++i) {  // the next balls, 22 pixels across, laid out again too
            if (i == 3)
                g.Redraw();
            const QPoint centre(int(preview.DeviceX(i % 3 + 1)), int(preview.DeviceY(2)));
            QCOMPARE(preview.Image().pixel(centre + QPoint(10, 0)), g.Ball(3 - i % 3));
            QVERIFY(preview.Image().pixel(centre + QPoint(12, 0)) != g.Ball(3 - i % 3));
        }
        QCOMPARE((QStringList{g.form.Text2(0).Text(), g.form.Text3().Text(),
                              g.form.txtMess().Text(), g.form.mnuStart().Caption()}),
                 (QStringList{"0", "1", "\r\n\r\nNext balls :", "&Stop"}));
        QVERIFY(!g.form.mnuPlayer().Enabled() && GameInProgress && !GameOver);

        // A free cell with nothing selected, then releases just off the board (columns 10 and 0)
        // with a ball selected: nothing happens.
        g.atWait = nullptr;
        g.ClearRecords();
        g.Release(5, 5);
        QVERIFY(!BallSelected);
        g.Release(4, 1);
        g.ReleaseAt(9.0, 3.5);
        g.ReleaseAt(-0.1, 3.5);
        QVERIFY(BallSelected && g.seen.isEmpty() && g.rt.events.isEmpty());
        // Stop with a ball selected: the box, the idle menu, an empty preview.
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

    void theEndMessagesAndTheStoredResults_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("best");
        const PlayerRecord ann = Player("Ann", 50);
        auto annAndBob = [ann](int result) {  // Bob, the current player, below Ann, the best
            PlayerRecord bob = Player("Bob", result);
            bob.Spare = {9, 8, 7, 6};  // only the result changes
            return Records({ann, bob});
        };
        QTest::newRow("equal to the own")
            << annAndBob(30) << 30 << kGameOver << annAndBob(30) << "Ann50";
        QTest::newRow("better") << annAndBob(30) << 40 << kNotBad << annAndBob(40) << "Ann50";
        QTest::newRow("equal to the best")
            << annAndBob(30) << 50 << kNotBad << annAndBob(50) << "Ann50";
        QTest::newRow("the best") << annAndBob(30) << 60 << kBest << annAndBob(60) << "Bob60";
        // A first result above a stored 0 is kept, but "Not bad." needs an earlier result.
        QTest::newRow("the first") << Records({ann, Player("Cid", 0)}) << 20 << kGameOver
                                   << Records({ann, Player("Cid", 20)}) << "Ann50";
        PlayerRecord old = Player("Old", 70);
        old.Marker = QString(2, QChar(0));  // no record in use, so no current player
        QTest::newRow("no player") << Records({old}) << 80 << kNotKept << Records({old}) << "Old70";
        QTest::newRow("no player, no score")
            << Records({old}) << 0 << kGameOver << Records({old}) << "Old70";
    }
    void theEndMessagesAndTheStoredResults() {
        QFETCH(QByteArray, file);
        QFETCH(int, score);
        GameDriver g(file);
        g.Start({1, 2, 3}, {{1, 1}, {2, 2}, {3, 3}}, {4, 5, 6});
        g.form.Text2(0).SetText(QString::number(score));
        g.ClearRecords();
        g.ClickStartStop();
        QCOMPARE(g.rt.events, QStringList{"msgbox STOP: Game over"});
        QTEST(g.form.txtMess().Text(), "message");
        QTEST(ReadWholeFile(g.rt.PlayersFile()), "stored");
        QTEST(g.form.Text1(1).Text() + g.form.Text2(1).Text(), "best");
    }

    // A full board ends the game in the turn that fills it: when the next three find no room, or
    // when they take the last three cells without a line.
    void aFullBoardEndsTheGameInTheSameTurn_data() {
        QTest::addColumn<QList<QPoint>>("free");
        QTest::addColumn<int>("waits");
        QTest::addColumn<int>("balls");
        QTest::newRow("no room") << QList<QPoint>{{9, 9}, {1, 1}} << 5 << 79;
        QTest::newRow("filled") << QList<QPoint>{{9, 9}, {1, 1}, {2, 1}} << 11 << 81;
    }
    void aFullBoardEndsTheGameInTheSameTurn() {
        QFETCH(QList<QPoint>, free);
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
        QTEST(int(g.rt.waits.size()), "waits");
        QCOMPARE(g.rt.events.last(), QStringLiteral("msgbox STOP: Game over"));
        QVERIFY(!GameInProgress && GameOver && g.rt.RandomLeft() == 0);
        QVERIFY(g.form.mnuStart().Caption() == "&Start" && g.form.mnuPlayer().Enabled());
        QCOMPARE(CountBalls(), balls);
        g.ClearRecords();
        g.Release(9, 7);  // the board is dead until the next Start
        g.Release(9, 8);
        QVERIFY(g.rt.waits.empty() && g.rt.events.isEmpty() && !BallSelected);
    }

    // Every turn is worked out here on a board of our own and compared with what the game shows.
    // The route is traced back from the target, taking at each cell the first neighbour one step
    // nearer to the start in the order right, up, left, down; the ball must show at each sub-step.
    void aWholeGameFromStartToGameOver_data() {
        QTest::addColumn<unsigned>("seed");  // games with lines along every edge among them
        for (unsigned seed : {4711u, 1u, 2u, 3u})
            QTest::addRow("%u", seed) << seed;
    }
    void aWholeGameFromStartToGameOver() {
        QFETCH(unsigned, seed);
        GameDriver g;
        std::mt19937 rng(seed);
        auto random = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
        int colours = 3;  // few colours early for many lines, all six later to fill the board
        auto kinds = [&] {
            return std::array{1 + int(random(colours)), 1 + int(random(colours)),
                              1 + int(random(colours))};
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
            for (const PointI& from : Cells(model, true)) {
                const auto dist = DistancesFrom(model, from.x, from.y);
                for (const PointI& to : Cells(model, false)) {
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
            const auto dist = DistancesFrom(model, m.from.x, m.from.y);
            QList<QPointF> route{QPointF(m.to.x, m.to.y)}, steps, shownSteps;
            for (int k = m.n - 1; k > 0; --k) {
                for (const QPointF d :
                     {QPointF(1, 0), QPointF(0, -1), QPointF(-1, 0), QPointF(0, 1)}) {
                    const QPointF c = route.first() + d;
                    if (OnBoard(int(c.x()), int(c.y())) && dist[int(c.x())][int(c.y())] == k) {
                        route.prepend(c);
                        break;
                    }
                }
            }
            route.prepend(QPointF(m.from.x, m.from.y));
            for (int i = 0; i + 1 < route.size(); ++i) {
                for (int s = 1; s <= 4; ++s)
                    steps << route[i] + (route[i + 1] - route[i]) * s / 4.0;
            }

            const int kind = model(m.from.x, m.from.y);
            Grid moved = model;
            std::swap(moved(m.from.x, m.from.y), moved(m.to.x, m.to.y));
            QString waits = Travel(m.n);
            QStringList flashes;  // the half-size dots of the flash, wait by wait
            auto dots = [](const Runs& runs) {
                QStringList d;
                for (const PointI& c : Cells(runs.marks, true))
                    d << QString("%1,%2").arg(c.x).arg(c.y);
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
            } else if (Cells(moved, false).size() < 3) {
                model = moved;
                ends = true;
            } else {
                // New balls at random; early on, half of them on a cell that completes a line.
                Grid placed = moved;
                std::vector<PointI> drops;
                for (std::size_t k = 0; k < 3; ++k) {
                    std::vector<PointI> options = Cells(placed, false), completing;
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
            g.atWait = [&](double seconds) {
                const QPointF p = steps.value(shownSteps.size());
                if (seconds == 0.02)
                    shownSteps << (g.Pixel(p.x(), p.y()) == g.Ball(kind) ? p : QPointF());
                QStringList d;
                for (int y = 1; int(g.rt.waits.size()) >= flashFrom && y <= 9; ++y)
                    for (int x = 1; x <= 9; ++x)
                        if (g.Pixel(x, y) == g.Ball(flashKind) && g.Pixel(x, y, 10) == kWhite)
                            d << QString("%1,%2").arg(x).arg(y);
                if (!d.isEmpty())
                    shown << d.join(' ');
            };
            const std::vector<PointI> others = Cells(Board, true);
            if (turns % 3 == 0 && others.size() > 1) {
                // Another ball first, by the right button: it shrinks back when the next is chosen.
                const PointI o = others[random(others.size())];
                reselected += !(o == m.from);
                g.Release(o.x, o.y, Qt::RightButton);
                g.Release(m.from.x, m.from.y, Qt::MiddleButton);
                QCOMPARE(g.DifferencesFromFreshDrawing(Board), 0);
            } else {
                g.Release(m.from.x, m.from.y);
            }
            for (const PointI& c : Cells(Board, false)) {
                if (turns % 2 == 0 && dist[c.x][c.y] < 0) {  // out of reach: nothing happens
                    g.Release(c.x, c.y);
                    ++refused;
                    break;
                }
            }
            g.Release(m.to.x, m.to.y);

            QCOMPARE(shownSteps, steps);
            QCOMPARE(shown, flashes);
            if (!ends)
                QCOMPARE(g.rt.events.filter("randomize").size(), randomizes);
            QVERIFY(Board == model);
            QVERIFY2(Matches(g.seen, waits), qPrintable("saw    " + g.seen + "\nwanted " + waits));
            QCOMPARE(g.form.Text2(0).Text(), QString::number(score));
            QCOMPARE(QList<int>({MoveCount, g.form.Text3().Text().toInt()}),
                     QList<int>({moves, moves}));
            QCOMPARE(g.rt.RandomLeft(), std::size_t(0));
            QCOMPARE(g.DifferencesFromFreshDrawing(Board), 0);
            QVERIFY(g.Shown() != '-');
            QCOMPARE(GameInProgress, !ends);
            QCOMPARE(g.rt.messages.size(), std::size_t(ends));
        }
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
