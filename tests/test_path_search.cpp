// The path search on hand-built positions where it can go wrong, and on thousands of random
// boards against a literal wave-by-wave search and plain breadth-first distances.
#include <QTest>
#include <random>
#include <vector>

#include "TestBoards.h"
#include "game/PathSearch.h"

using namespace qv;
using qvtest::SetBoard;

namespace {

// The search as first written: every wave walks the whole list again from its first entry.
Integer WaveByWave(int fromX, int fromY, int toX, int toY, Grid& labels) {
    labels.Create(0, 9, 0, 9);
    std::vector<std::pair<int, int>> list{{fromX, fromY}};
    for (Integer w = 0;; ++w) {
        const std::size_t last = list.size() - 1;
        for (std::size_t i = 0; i <= last; ++i) {
            const auto [cx, cy] = list[i];
            for (const auto& [nx, ny] :
                 {std::pair{cx + 1, cy}, {cx, cy - 1}, {cx - 1, cy}, {cx, cy + 1}}) {
                if (nx == toX && ny == toY)
                    return labels(nx, ny) = static_cast<Integer>(w + 1);
                if (qvtest::OnBoard(nx, ny) && labels(nx, ny) == 0 && Board(nx, ny) == 0) {
                    list.emplace_back(nx, ny);
                    labels(nx, ny) = static_cast<Integer>(w + 1);
                }
            }
        }
        if (list.size() - 1 == last)
            return 0;
    }
}

}  // namespace

class TestPathSearch : public QObject {
    Q_OBJECT
  private slots:
    void handBuiltPositions() {
        SetBoard({"12.......", "3........", ".........", ".........", "....2....", "...313...",
                  "....4....", ".........", "........."});
        // Target next to the start: right and up are tried before left and carry 1 as well.
        QCOMPARE(FindPath(5, 5, 4, 5), Integer(1));
        QCOMPARE((QList<int>{PathGrid(4, 5), PathGrid(6, 5), PathGrid(5, 4), PathGrid(5, 6)}),
                 (QList<int>{1, 1, 1, 0}));
        QCOMPARE(FindPath(5, 5, 6, 5), Integer(1));
        QCOMPARE(PathGrid(5, 4), Integer(0));  // found before anything else was labelled
        // Boxed in by balls and edges: nothing at all.
        QCOMPARE(FindPath(1, 1, 9, 9), Integer(0));
        QCOMPARE(FindPath(5, 6, 1, 9), Integer(0));
        QCOMPARE(PathGrid, Grid(0, 9, 0, 9));
        // Steps are orthogonal: a diagonal neighbour is two away, around a wall further.
        QCOMPARE(FindPath(4, 6, 3, 5), Integer(2));
        SetBoard({"1........", "22222222.", "111......", "...1.....", "...1.....", "...1.....",
                  "1111.....", ".........", "3........"});
        QCOMPARE(FindPath(1, 1, 4, 3), Integer(15));
        // A closed pocket: only the start's region is labelled, with its distances.
        QCOMPARE(FindPath(1, 9, 2, 5), Integer(0));
        const auto dist = qvtest::DistancesFrom(Board, 1, 9);
        for (int y = 0; y <= 9; ++y)
            for (int x = 0; x <= 9; ++x)
                QCOMPARE(int(PathGrid(x, y)), x && y && dist[x][y] > 0 ? dist[x][y] : 0);
    }

    void matchesTheWaveByWaveSearchOnRandomBoards() {
        std::mt19937 rng(20240611);
        Grid expected;
        int found = 0, refused = 0, lastWaveLabels = 0;
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
            QVERIFY(PathGrid == expected);
            QVERIFY(Board == before);

            // Plain distances: labels below n are the distances, cells at distance n may carry
            // n (labelled in the last wave before the target was met), nothing beyond.
            const auto dist = qvtest::DistancesFrom(Board, fx, fy);
            QCOMPARE(int(n), std::max(dist[tx][ty], 0));
            (n > 0 ? found : refused)++;
            for (int y = 0; y <= 9; ++y) {
                for (int x = 0; x <= 9; ++x) {
                    const int label = PathGrid(x, y), d = x && y ? dist[x][y] : -1;
                    if (d == n && n > 0 && !(x == tx && y == ty)) {
                        QVERIFY(label == 0 || label == n);
                        lastWaveLabels += label == n;
                    } else {
                        QCOMPARE(label, d > 0 && (n == 0 || d <= n) ? d : 0);
                    }
                }
            }
        }
        QVERIFY(found > 1000 && refused > 1000 && lastWaveLabels > 100);
    }
};

QTEST_GUILESS_MAIN(TestPathSearch)
#include "test_path_search.moc"
