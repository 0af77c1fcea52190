// The line check: hand-built boards for the cases where it can go wrong, and thousands of random
// boards against an independent run finder.
#include <QTest>
#include <random>

#include "BoardText.h"
#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/GameState.h"
#include "game/LineCheck.h"

using namespace qv;
using qvtest::SetBoard;

namespace {

struct Expected {
    Grid marks;
    int removed = 0;
    Integer kind = 0;
    int kindsRemoved = 0;
};

// Walks every maximal run of one kind along rows, columns and both diagonals.
Expected FindRuns() {
    Expected e;
    e.marks.Create(0, 9, 0, 9);
    const int directions[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
    auto on = [](int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; };
    for (const auto& d : directions) {
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                const Integer kind = Board(x, y);
                if (kind == 0 || (on(x - d[0], y - d[1]) && Board(x - d[0], y - d[1]) == kind))
                    continue;  // empty, or not the first ball of its run
                int length = 0;
                while (on(x + d[0] * length, y + d[1] * length) &&
                       Board(x + d[0] * length, y + d[1] * length) == kind)
                    ++length;
                if (length >= 5) {
                    for (int k = 0; k < length; ++k)
                        e.marks(x + d[0] * k, y + d[1] * k) = 1;
                }
            }
        }
    }
    bool seen[7] = {};
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            if (e.marks(x, y)) {
                ++e.removed;
                e.kind = Board(x, y);
                e.kindsRemoved += seen[e.kind] ? 0 : 1;
                seen[e.kind] = true;
            }
        }
    }
    return e;
}

}  // namespace

class TestLineCheck : public QObject {
    Q_OBJECT

    qvtest::TestRuntime* rt_ = nullptr;
    Form1* form_ = nullptr;

    vb::TextControl& Score() { return form_->Text2(0); }

    // Runs the check on the board with the score box at `score`; returns the kind.
    Integer Check(const QString& score = QStringLiteral("0")) {
        Score().SetText(score);
        LineLength = 5;
        return CheckLines();
    }

  private slots:
    void initTestCase() {
        rt_ = new qvtest::TestRuntime;
        form_ = new Form1;
        form_->Show();
    }
    void cleanupTestCase() {
        delete form_;
        delete rt_;
    }
    void init() { GameOver = false; }

    void fiveScoreFiveAndFourNothing() {
        SetBoard({".........", ".11111...", ".........", "2222.....", ".........", ".........",
                  ".........", ".........", "........."});
        QCOMPARE(Check(QStringLiteral("12")), Integer(1));
        QCOMPARE(Score().Text(), QStringLiteral("17"));
        QVERIFY(!LineFlag);
        QCOMPARE(
            LineMarks(2, 2) + LineMarks(3, 2) + LineMarks(4, 2) + LineMarks(5, 2) + LineMarks(6, 2),
            5);
        QCOMPARE(qvtest::BoardText(Board), QStringLiteral(".........\n.........\n.........\n"
                                                          "2222.....\n.........\n.........\n"
                                                          ".........\n.........\n........."));
        // Four in a row: nothing changes, the score text included.
        QCOMPARE(Check(QStringLiteral("17")), Integer(0));
        QVERIFY(LineFlag);
        QCOMPARE(Score().Text(), QStringLiteral("17"));
        QCOMPARE(LineMarks, Grid(0, 9, 0, 9));
        QCOMPARE(qvtest::CountBalls(), 4);
    }

    void longRunsCrossesAndTwoKinds() {
        // A column of nine goes whole.
        SetBoard({"....3....", "....3....", "....3....", "....3....", "....3....", "....3....",
                  "....3....", "....3....", "....3...."});
        QCOMPARE(Check(), Integer(3));
        QCOMPARE(Score().Text(), QStringLiteral("9"));
        QCOMPARE(qvtest::CountBalls(), 0);
        // A cross of one kind: 9 balls, the shared one once.
        SetBoard({".........", "....4....", "....4....", "....4....", "..44444..", "....4....",
                  ".........", ".........", "........."});
        QCOMPARE(Check(QStringLiteral("100")), Integer(4));
        QCOMPARE(Score().Text(), QStringLiteral("109"));
        // An L: 5 + 5 sharing the corner.
        SetBoard({"5........", "5........", "5........", "5........", "55555....", ".........",
                  ".........", ".........", "........."});
        QCOMPARE(Check(), Integer(5));
        QCOMPARE(Score().Text(), QStringLiteral("9"));
        // Two kinds: the blue row is found after the red column has started, but the last
        // marked ball in row order is red.
        SetBoard({"1........", "1........", "1.33333..", "1........", "1........", ".........",
                  ".........", ".........", "........."});
        QCOMPARE(Check(), Integer(1));
        QCOMPARE(Score().Text(), QStringLiteral("10"));
        QCOMPARE(qvtest::CountBalls(), 0);
        SetBoard({"1........", "1........", "1........", "1........", "1........", ".........",
                  "..33333..", ".........", "........."});
        QCOMPARE(Check(), Integer(3));
    }

    void diagonalsEdgesAndNeighbours() {
        // Rising to the right (from the bottom-left corner) and falling to the right.
        SetBoard({"....2....", ".....2...", "......2..", ".......2.", "....6...2", "...6.....",
                  "..6......", ".6.......", "6........"});
        QCOMPARE(Check(), Integer(6));
        QCOMPARE(Score().Text(), QStringLiteral("10"));
        QCOMPARE(qvtest::CountBalls(), 0);
        // Runs end at the edges: no wrapping from one row into the next.
        SetBoard({"......111", "11.......", ".........", ".........", ".........", ".........",
                  ".........", ".........", "........."});
        QCOMPARE(Check(), Integer(0));
        // Other kinds interrupt a run; an edge-touching run still counts.
        SetBoard({"112111...", "....44444", ".........", ".........", ".........", ".........",
                  ".........", ".........", "........."});
        QCOMPARE(Check(), Integer(4));
        QCOMPARE(qvtest::BoardText(Board).left(9), QStringLiteral("112111..."));
    }

    void fullBoardEndsTheGameOnlyWithoutALine() {
        // No two neighbours in any direction share a kind.
        auto fill = [] {
            SetBoard({});
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    Board(x, y) = static_cast<Integer>((x + 2 * y) % 6 + 1);
        };
        fill();
        QCOMPARE(Check(QStringLiteral("3")), Integer(0));
        QVERIFY(GameOver);
        QVERIFY(LineFlag);
        QCOMPARE(Score().Text(), QStringLiteral("3"));
        QCOMPARE(qvtest::CountBalls(), 81);

        GameOver = false;
        fill();
        for (int x = 1; x <= 9; ++x)
            Board(x, 5) = 6;
        QCOMPARE(Check(QStringLiteral("3")), Integer(6));
        QVERIFY(!GameOver);
        QCOMPARE(Score().Text(), QStringLiteral("12"));
        QCOMPARE(qvtest::CountBalls(), 72);

        // 80 balls without a line is not the end.
        fill();
        Board(9, 9) = 0;
        QCOMPARE(Check(), Integer(0));
        QVERIFY(!GameOver);
    }

    void matchesAnIndependentRunFinderOnRandomBoards() {
        std::mt19937 rng(77);
        int withLines = 0, twoKinds = 0, full = 0;
        for (int round = 0; round < 5000; ++round) {
            SetBoard({});
            const int kinds = 1 + static_cast<int>(rng() % 4);
            const double density = std::uniform_real_distribution<double>(0.3, 1.0)(rng);
            for (int y = 1; y <= 9; ++y) {
                for (int x = 1; x <= 9; ++x) {
                    if (std::uniform_real_distribution<double>(0, 1)(rng) < density)
                        Board(x, y) = static_cast<Integer>(1 + rng() % kinds);
                }
            }
            const Expected e = FindRuns();
            Grid after = Board;
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    if (e.marks(x, y))
                        after(x, y) = 0;
            const int balls = qvtest::CountBalls();
            GameOver = false;

            const Integer kind = Check(QStringLiteral("40"));
            QCOMPARE(kind, e.kind);
            QVERIFY(LineMarks == e.marks);
            QVERIFY(Board == after);
            QCOMPARE(LineFlag, e.removed == 0);
            QCOMPARE(Score().Text(), QString::number(40 + e.removed));
            QCOMPARE(GameOver, balls == 81 && e.removed == 0);

            withLines += e.removed > 0;
            twoKinds += e.kindsRemoved > 1;
            full += balls == 81;
        }
        // The boards covered lines, lines of several kinds at once and full boards.
        QVERIFY(withLines > 1000);
        QVERIFY(twoKinds > 100);
        QVERIFY(full > 50);
    }
};

QTEST_MAIN(TestLineCheck)
#include "test_line_check.moc"
