// The path search: hand-built positions where it can go wrong, and thousands of random boards
// checked against a literal wave-by-wave search and an independent breadth-first distance.
#include <QTest>
#include <array>
#include <deque>
#include <random>
#include <vector>

#include "BoardText.h"
#include "game/GameState.h"
#include "game/PathSearch.h"

using namespace qv;
using qvtest::SetBoard;

namespace {

// The search as first written: every wave walks the whole discovery list from its first entry,
// and the list is grown one entry at a time.
Integer WaveByWave(Integer fromX, Integer fromY, Integer toX, Integer toY, Grid& labels) {
    labels.Create(0, 9, 0, 9);
    std::vector<PointI> list{PointI{fromX, fromY}};
    const int dx[4] = {1, 0, -1, 0};
    const int dy[4] = {0, -1, 0, 1};
    Integer w = 0;
    for (;;) {
        const std::size_t last = list.size() - 1;
        for (std::size_t i = 0; i <= last; ++i) {
            const PointI c = list[i];
            for (int d = 0; d < 4; ++d) {
                const int nx = c.x + dx[d], ny = c.y + dy[d];
                if (nx == toX && ny == toY) {
                    labels(nx, ny) = static_cast<Integer>(w + 1);
                    return static_cast<Integer>(w + 1);
                }
                if (nx >= 1 && nx <= 9 && ny >= 1 && ny <= 9 && labels(nx, ny) == 0 &&
                    Board(nx, ny) == 0) {
                    list.push_back(PointI{static_cast<Integer>(nx), static_cast<Integer>(ny)});
                    labels(nx, ny) = static_cast<Integer>(w + 1);
                }
            }
        }
        ++w;
        if (list.size() - 1 == last)
            return 0;
    }
}

// Plain distances over free cells from (fromX, fromY); -1 where unreachable.
std::array<std::array<int, 10>, 10> Distances(int fromX, int fromY) {
    std::array<std::array<int, 10>, 10> dist;
    for (auto& column : dist)
        column.fill(-1);
    std::deque<std::pair<int, int>> queue{{fromX, fromY}};
    dist[fromX][fromY] = 0;
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
            if (nx < 1 || nx > 9 || ny < 1 || ny > 9 || dist[nx][ny] >= 0 || Board(nx, ny) != 0)
                continue;
            dist[nx][ny] = dist[x][y] + 1;
            queue.push_back({nx, ny});
        }
    }
    return dist;
}

QString Labels() {
    QStringList rows;
    for (int y = 0; y <= 9; ++y) {
        QString row;
        for (int x = 0; x <= 9; ++x)
            row += QString::number(PathGrid(x, y)).rightJustified(3);
        rows << row;
    }
    return rows.join('\n');
}

}  // namespace

class TestPathSearch : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void neighbourTargetIsOneStepAndEarlierNeighboursAreLabelled() {
        SetBoard({".........", ".........", ".........", ".........", "....1....", ".........",
                  ".........", ".........", "........."});
        // Right and up are tried before left: they carry 1 too; down is never reached.
        QCOMPARE(FindPath(5, 5, 4, 5), Integer(1));
        QCOMPARE(PathGrid(4, 5), Integer(1));
        QCOMPARE(PathGrid(6, 5), Integer(1));
        QCOMPARE(PathGrid(5, 4), Integer(1));
        QCOMPARE(PathGrid(5, 6), Integer(0));
        QCOMPARE(PathGrid(5, 5), Integer(0));
        // Target to the right: nothing else is labelled.
        QCOMPARE(FindPath(5, 5, 6, 5), Integer(1));
        QCOMPARE(PathGrid(5, 4) + PathGrid(4, 5) + PathGrid(5, 6), 0);
    }

    void boxedInStartFindsNothing() {
        SetBoard({"12.......", "3........", ".........", ".........", "....2....", "...313...",
                  "....4....", ".........", "........."});
        QCOMPARE(FindPath(1, 1, 9, 9), Integer(0));  // corner: two balls and the edges
        QCOMPARE(FindPath(5, 6, 1, 9), Integer(0));  // four balls around it
        for (int y = 0; y <= 9; ++y)
            for (int x = 0; x <= 9; ++x)
                QCOMPARE(PathGrid(x, y), Integer(0));
    }

    void walledOffTargetLeavesTheStartRegionsDistances() {
        SetBoard({"...1.....", "...1.....", "...1.....", "1111.....", ".........", ".........",
                  ".........", ".........", "2........"});
        QCOMPARE(FindPath(1, 9, 2, 2), Integer(0));  // the top-left pocket is closed
        const auto dist = Distances(1, 9);
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                const int expected = dist[x][y] < 0 ? 0 : dist[x][y];
                QCOMPARE(PathGrid(x, y), Integer(expected));
            }
        }
        QCOMPARE(PathGrid(1, 1), Integer(0));
        QCOMPARE(PathGrid(5, 1), Integer(12));
    }

    void pathsCountOrthogonalSteps() {
        SetBoard({".........", ".........", ".........", ".........", "....1....", ".........",
                  ".........", ".........", "........."});
        QCOMPARE(FindPath(5, 5, 6, 6), Integer(2));  // diagonal neighbour
        QCOMPARE(FindPath(5, 5, 9, 9), Integer(8));
        // Around a wall: down column 1 is shut, the way leads round the end of the wall.
        SetBoard({"1........", "22222222.", ".........", ".........", ".........", ".........",
                  ".........", ".........", "........."});
        QCOMPARE(FindPath(1, 1, 1, 3), Integer(18));
        QCOMPARE(PathGrid(9, 2), Integer(9));
    }

    void aClosedPocketIsReachedOnlyFromABallBesideIt() {
        SetBoard({".........", ".........", ".........", "...111...", "...1.1...", "...1.1...",
                  "....1....", ".........", "........."});
        QCOMPARE(FindPath(4, 4, 5, 5), Integer(0));  // the corner of the wall does not touch it
        QCOMPARE(FindPath(4, 5, 5, 5), Integer(1));  // a ball beside it: one step
        QCOMPARE(FindPath(6, 6, 5, 6), Integer(1));
    }

    void matchesTheWaveByWaveSearchOnRandomBoards() {
        std::mt19937 rng(20240611);
        Grid expected;
        int found = 0, refused = 0, finalWaveLabels = 0;
        for (int round = 0; round < 6000; ++round) {
            qvtest::SetBoard({});
            const double density = std::uniform_real_distribution<double>(0.05, 0.85)(rng);
            std::vector<PointI> balls, free;
            for (int y = 1; y <= 9; ++y) {
                for (int x = 1; x <= 9; ++x) {
                    const bool ball = std::uniform_real_distribution<double>(0, 1)(rng) < density;
                    Board(x, y) = ball ? Integer(1 + rng() % 6) : Integer(0);
                    (ball ? balls : free)
                        .push_back(PointI{static_cast<Integer>(x), static_cast<Integer>(y)});
                }
            }
            if (balls.empty() || free.empty())
                continue;
            const PointI from = balls[rng() % balls.size()];
            const PointI to = free[rng() % free.size()];
            const Grid boardBefore = Board;

            const Integer n = FindPath(from.x, from.y, to.x, to.y);
            const Integer reference = WaveByWave(from.x, from.y, to.x, to.y, expected);
            QCOMPARE(n, reference);
            QVERIFY2(PathGrid == expected, qPrintable(qvtest::BoardText(Board) + "\n" + Labels()));
            QVERIFY(Board == boardBefore);

            // Against plain distances: every label below n is the distance, the labels of the
            // last wave are n or not yet written, and nothing beyond is labelled.
            const auto dist = Distances(from.x, from.y);
            QCOMPARE(int(n), std::max(dist[to.x][to.y], 0));
            (n > 0 ? found : refused)++;
            for (int y = 0; y <= 9; ++y) {
                for (int x = 0; x <= 9; ++x) {
                    const int label = PathGrid(x, y);
                    const bool edge = x == 0 || y == 0;
                    const int d = edge ? -1 : dist[x][y];
                    if (edge || d <= 0) {
                        QCOMPARE(label, 0);
                    } else if (n == 0 || d < n) {
                        QCOMPARE(label, d);
                    } else if (d == n && !(x == to.x && y == to.y)) {
                        QVERIFY(label == 0 || label == n);
                        finalWaveLabels += label == n;
                    } else if (d > n) {
                        QCOMPARE(label, 0);
                    }
                }
            }
            // A route can always be traced back from the target to a neighbour of the start.
            if (n >= 2) {
                PointI at = to;
                for (int k = n; k >= 2; --k) {
                    bool stepped = false;
                    for (const auto& [dx, dy] : {std::pair{1, 0}, {0, -1}, {-1, 0}, {0, 1}}) {
                        const int nx = at.x + dx, ny = at.y + dy;
                        if (nx >= 1 && nx <= 9 && ny >= 1 && ny <= 9 && PathGrid(nx, ny) == k - 1) {
                            at = PointI{static_cast<Integer>(nx), static_cast<Integer>(ny)};
                            stepped = true;
                            break;
                        }
                    }
                    QVERIFY(stepped);
                }
                QCOMPARE(std::abs(at.x - from.x) + std::abs(at.y - from.y), 1);
            }
        }
        // The boards covered both outcomes and labels written in the last wave.
        QVERIFY(found > 1000);
        QVERIFY(refused > 1000);
        QVERIFY(finalWaveLabels > 100);
    }
};

QTEST_GUILESS_MAIN(TestPathSearch)
#include "test_path_search.moc"
