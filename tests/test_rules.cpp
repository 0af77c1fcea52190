// The path search and the line check on hand-built boards where they can go wrong, and on
// thousands of random boards against a literal wave-by-wave search, plain breadth-first distances
// and an independent run finder.
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

// No two neighbours in any direction share a kind.
void FillWithoutNeighbours() {
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            Board(x, y) = static_cast<Integer>((x + 2 * y) % 6 + 1);
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
        rt_ = new TestRuntime;
        form_ = new Form1;
        form_->Show();
    }
    void cleanupTestCase() {
        delete form_;
        delete rt_;
    }

    void pathsOnHandBuiltBoards() {
        SetBoard({"12.......", "3........", ".........", ".........", "....2....", "...313...",
                  "....4....", ".........", "........."});
        // Next to the start: right and up are tried before left and carry 1 as well.
        QCOMPARE(FindPath(5, 5, 4, 5), Integer(1));
        QCOMPARE((QList<int>{PathGrid(4, 5), PathGrid(6, 5), PathGrid(5, 4), PathGrid(5, 6)}),
                 (QList<int>{1, 1, 1, 0}));
        QCOMPARE(FindPath(5, 5, 6, 5), Integer(1));
        QCOMPARE(PathGrid(5, 4), Integer(0));  // found before anything else was labelled
        // Boxed in by balls and edges: nothing at all.
        QCOMPARE(FindPath(1, 1, 9, 9), Integer(0));
        QCOMPARE(FindPath(5, 6, 1, 9), Integer(0));
        QCOMPARE(PathGrid, Grid(0, 9, 0, 9));
        QCOMPARE(FindPath(4, 6, 3, 5), Integer(2));  // diagonal neighbours are two steps apart
        SetBoard({"1........", "22222222.", "111......", "...1.....", "...1.....", "...1.....",
                  "1111.....", ".........", "3........"});
        QCOMPARE(FindPath(1, 1, 4, 3), Integer(15));
        // A closed pocket: only the start's region is labelled, with its distances.
        QCOMPARE(FindPath(1, 9, 2, 5), Integer(0));
        const auto dist = DistancesFrom(Board, 1, 9);
        for (int y = 0; y <= 9; ++y)
            for (int x = 0; x <= 9; ++x)
                QCOMPARE(int(PathGrid(x, y)), x && y && dist[x][y] > 0 ? dist[x][y] : 0);
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
            // Labels below n are the plain distances; cells at distance n may carry n (labelled
            // in the last wave before the target was met); nothing beyond.
            const auto dist = DistancesFrom(Board, fx, fy);
            QCOMPARE(int(n), std::max(dist[tx][ty], 0));
            (n > 0 ? found : refused)++;
            for (int y = 0; y <= 9; ++y) {
                for (int x = 0; x <= 9; ++x) {
                    const int label = PathGrid(x, y), d = x && y ? dist[x][y] : -1;
                    if (d == n && n > 0 && !(x == tx && y == ty)) {
                        QVERIFY(label == 0 || label == n);
                        lastWave += label == n;
                    } else {
                        QCOMPARE(label, d > 0 && (n == 0 || d <= n) ? d : 0);
                    }
                }
            }
        }
        QVERIFY(found > 1000 && refused > 1000 && lastWave > 100);
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
        QVERIFY(!GameOver);
    }

    void aFullBoardEndsTheGameOnlyWithoutALine() {
        FillWithoutNeighbours();
        QCOMPARE(Check(3), std::pair(Integer(0), QStringLiteral("3")));
        QVERIFY(GameOver && LineFlag && CountBalls() == 81);
        for (int x = 1; x <= 9; ++x)
            Board(x, 5) = 6;
        QCOMPARE(Check(3), std::pair(Integer(6), QStringLiteral("12")));
        QVERIFY(!GameOver);
        FillWithoutNeighbours();
        Board(9, 9) = 0;  // 80 balls are not the end
        QCOMPARE(Check(3).first, Integer(0));
        QVERIFY(!GameOver);
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
