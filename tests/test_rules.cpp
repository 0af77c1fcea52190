// The path search on thousands of random boards against a literal wave-by-wave search, and the
// line check on hand-built boards where it can go wrong and on thousands of random boards against
// an independent run finder.
#include <QTest>
#include <random>

#include "TestBoards.h"
#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/LineCheck.h"
#include "game/PathSearch.h"

using namespace qv;
using namespace qvtest;

namespace {

// The search as first written: every wave walks the whole list again from its first entry.
Integer WaveByWave(int fromX, int fromY, int toX, int toY, Grid& labels) {
    labels.Create(0, 9, 0, 9);
    std::vector<std::pair<int, int>> list{{fromX, fromY}};
    for (Integer w = 1;; ++w) {
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

}  // namespace

class TestRules : public QObject {
    Q_OBJECT
    TestRuntime* rt_ = nullptr;
    Form1* form_ = nullptr;

    // The line check from the score `before`: the kind it returns and the score it leaves.
    std::pair<Integer, QString> Check(int before) {
        form_->Text2(0).SetText(QString::number(before));
        GameOver = false;
        const Integer kind = CheckLines();
        return {kind, form_->Text2(0).Text()};
    }

  private slots:
    void initTestCase() {
        // Every shared value starts as zero, empty or false when the program loads.
        QVERIFY(Board == Grid() && PathGrid == Grid() && LineMarks == Grid());
        const auto zero = [](auto... values) { return ((values == 0) && ...); };
        QVERIFY(zero(BoardWidth, BoardHeight, GridLineColor, BoardBackColor, BallSize, LineLength,
                     MoveCount, CurrentPlayer, BestPlayer, GameOver, GameInProgress, BallSelected,
                     LineFlag, SelectedX, SelectedY, BestResult, CurrentResult, PlayersFileNo,
                     PlayerCount, Zoom));
        QVERIFY(PreviewPoints == decltype(PreviewPoints){} && NextBalls == decltype(NextBalls){});
        QVERIFY(BestName.isEmpty() && CurrentName.isEmpty() && PlayersFilePath.isEmpty());
        rt_ = new TestRuntime;
        form_ = new Form1;
        form_->Show();
    }
    void cleanupTestCase() {
        delete form_;
        delete rt_;
    }

    void pathsMatchTheWaveByWaveSearchOnRandomBoards() {
        std::mt19937 rng(20240611);
        Grid expected;
        int found = 0, refused = 0, lastWave = 0;
        for (int round = 0; round < 6000; ++round) {
            SetBoard({});
            const double density = std::uniform_real_distribution<double>(0.05, 0.85)(rng);
            std::vector<std::pair<int, int>> balls, free;
            for (int y = 1; y <= 9; ++y) {
                for (int x = 1; x <= 9; ++x) {
                    const bool ball = std::uniform_real_distribution<double>(0, 1)(rng) < density;
                    Board(x, y) = ball ? Integer(1 + rng() % 6) : Integer(0);
                    (ball ? balls : free).emplace_back(x, y);
                }
            }
            if (balls.empty() || free.empty())
                continue;
            const auto [fx, fy] = balls[rng() % balls.size()];
            const auto [tx, ty] = free[rng() % free.size()];
            const Grid before = Board;
            const Integer n = FindPath(Integer(fx), Integer(fy), Integer(tx), Integer(ty));
            QCOMPARE(n, WaveByWave(fx, fy, tx, ty, expected));
            QVERIFY(PathGrid == expected && Board == before);
            // Cells of the target's distance labelled in the last wave, before it was met.
            (n > 0 ? found : refused)++;
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    lastWave += n > 0 && PathGrid(x, y) == n && !(x == tx && y == ty);
        }
        QVERIFY(found > 1000 && refused > 1000 && lastWave > 100);
    }

    void pathsToOrFromOffTheBoardAreRefused_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        for (const QPoint off : {QPoint(0, 5), QPoint(10, 5), QPoint(5, 0), QPoint(5, 10)}) {
            QTest::addRow("from %d,%d", off.x(), off.y()) << off << QPoint(5, 5);
            QTest::addRow("to %d,%d", off.x(), off.y()) << QPoint(5, 5) << off;
        }
    }
    void pathsToOrFromOffTheBoardAreRefused() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        SetBoard({});
        QCOMPARE(FindPath(Integer(from.x()), Integer(from.y()), Integer(to.x()), Integer(to.y())),
                 Integer(0));
    }

    void linesOnHandBuiltBoards_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("removed");
        QTest::newRow("five in a row, four beside") << QStringList{".11111...", "2222"} << 1 << 5;
        QTest::newRow("fours, and neighbours of other kinds")
            << QStringList{"1111.....", "112111...", "......111", "11......."} << 0 << 0;
        QTest::newRow("a column of nine") << QStringList(9, "....3....") << 3 << 9;
        QTest::newRow("a cross of one kind scores 9")
            << QStringList{"", "....4", "....4", "....4", "..44444", "....4"} << 4 << 9;
        QTest::newRow("an L touching two edges")
            << QStringList{"5", "5", "5", "5", "55555"} << 5 << 9;
        QTest::newRow("two kinds: the last marked ball in row order is red")
            << QStringList{"1", "1", "1.33333", "1", "1"} << 1 << 10;
        QTest::newRow("two kinds: blue lower down")
            << QStringList{"1", "1", "1", "1", "1", "", "..33333"} << 3 << 10;
        QTest::newRow("both diagonals, one from the bottom-left corner")
            << QStringList{"....2", ".....2", "......2", ".......2", "....6...2",
                           "...6",  "..6",    ".6",      "6"}
            << 6 << 10;
        // No two neighbours alike: a full board ends the game, one free cell does not.
        const QStringList full{"456123456", "612345612", "234561234", "456123456", "612345612",
                               "234561234", "456123456", "612345612", "234561234"};
        QTest::newRow("a full board without a line") << full << 0 << 0;
        QTest::newRow("80 balls") << full.mid(0, 8) + QStringList{"23456123."} << 0 << 0;
    }
    void linesOnHandBuiltBoards() {
        QFETCH(QStringList, rows);
        QFETCH(int, kind);
        QFETCH(int, removed);
        SetBoard(rows);
        const Grid before = Board;
        QCOMPARE(Check(12), std::pair(Integer(kind), QString::number(12 + removed)));
        QCOMPARE(CountBalls(), CountBalls(before) - removed);
        QCOMPARE(LineFlag, removed == 0);
        QVERIFY(removed > 0 || (Board == before && LineMarks == Grid(0, 9, 0, 9)));
        QCOMPARE(GameOver, CountBalls() == 81);
    }

    void linesMatchAnIndependentRunFinderOnRandomBoards() {
        std::mt19937 rng(77);
        int withLines = 0, twoKinds = 0, full = 0;
        for (int round = 0; round < 5000; ++round) {
            SetBoard({});
            const int kinds = 1 + static_cast<int>(rng() % 4);
            const double density = std::uniform_real_distribution<double>(0.3, 1.0)(rng);
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    if (std::uniform_real_distribution<double>(0, 1)(rng) < density)
                        Board(x, y) = static_cast<Integer>(1 + rng() % kinds);
            const Runs e = FindRuns(Board);
            const int balls = CountBalls();
            QCOMPARE(Check(40), std::pair(e.lastKind, QString::number(40 + e.removed)));
            QVERIFY(LineMarks == e.marks && Board == e.after);
            QCOMPARE(LineFlag, e.removed == 0);
            QCOMPARE(GameOver, balls == 81 && e.removed == 0);
            withLines += e.removed > 0;
            twoKinds += e.kinds > 1;
            full += balls == 81;
        }
        QVERIFY(withLines > 1000 && twoKinds > 100 && full > 50);
    }
};

QTEST_MAIN(TestRules)
#include "test_rules.moc"
