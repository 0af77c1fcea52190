// The path search and the line check on thousands of random boards, each against a plain
// implementation of its own: a wave-by-wave search and a count of the run through every ball.
#include <random>

#include "GameDriver.h"
#include "game/LineCheck.h"
#include "game/PathSearch.h"

using namespace qv;
using namespace qvtest;

namespace {

bool OnBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

// The search as designed: every wave walks the whole list again from its first entry, looking
// right, up, left and down.
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

// A board of `kinds` kinds where each cell holds a ball with a chance between low and high.
void RandomBoard(std::mt19937& rng, int kinds, double low, double high) {
    Board.Create(0, 9, 0, 9);
    const double density = std::uniform_real_distribution<double>(low, high)(rng);
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            if (std::uniform_real_distribution<double>(0, 1)(rng) < density)
                Board(x, y) = static_cast<Integer>(1 + rng() % kinds);
}

}  // namespace

class TestRules : public QObject {
    Q_OBJECT
    TestRuntime* rt_ = nullptr;
    Form1* form_ = nullptr;

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

    void pathsMatchTheWaveByWaveSearch() {
        std::mt19937 rng(20240611);
        Grid expected;
        int found = 0, refused = 0, lastWave = 0;
        for (int round = 0; round < 6000; ++round) {
            RandomBoard(rng, 6, 0.05, 0.85);
            std::vector<std::pair<int, int>> balls, free;
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    (Board(x, y) ? balls : free).emplace_back(x, y);
            if (balls.empty() || free.empty())
                continue;
            const auto [fx, fy] = balls[rng() % balls.size()];
            const auto [tx, ty] = free[rng() % free.size()];
            const Grid before = Board;
            const Integer n = FindPath(Integer(fx), Integer(fy), Integer(tx), Integer(ty));
            QCOMPARE(n, WaveByWave(fx, fy, tx, ty, expected));
            QVERIFY(PathGrid == expected && Board == before);
            (n > 0 ? found : refused)++;
            // Cells of the target's distance labelled in the last wave, before it was met.
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    lastWave += n > 0 && PathGrid(x, y) == n && !(x == tx && y == ty);
        }
        QVERIFY(found > 1000 && refused > 1000 && lastWave > 100);
        // A start or target off the board is refused, on any side.
        Board.Create(0, 9, 0, 9);
        for (const auto& [x, y] : {std::pair{0, 5}, {10, 5}, {5, 0}, {5, 10}}) {
            QCOMPARE(FindPath(Integer(x), Integer(y), 5, 5), Integer(0));
            QCOMPARE(FindPath(5, 5, Integer(x), Integer(y)), Integer(0));
        }
    }

    // A ball goes when the run of its kind through it, along any of the four lines, is five or
    // longer; the score grows by one a ball; the kind of the last one in row order is returned.
    void linesMatchTheRunThroughEveryBall() {
        std::mt19937 rng(77);
        int withLines = 0, full = 0;
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
            form_->Text2(0).SetText("40");
            GameOver = false;
            QCOMPARE(CheckLines(), Integer(kind));
            QCOMPARE(form_->Text2(0).Text(), QString::number(40 + removed));
            QVERIFY(LineMarks == marks && Board == after);
            QCOMPARE(LineFlag, removed == 0);
            QCOMPARE(GameOver, balls == 81 && removed == 0);
            withLines += removed > 0;
            full += balls == 81;
        }
        QVERIFY(withLines > 1000 && full > 50);
    }
};

QTEST_MAIN(TestRules)
#include "test_rules.moc"
