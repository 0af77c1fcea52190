// The line check on hand-built boards for the cases where it can go wrong, and on thousands of
// random boards against an independent run finder.
#include <QTest>
#include <random>

#include "TestBoards.h"
#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/LineCheck.h"

using namespace qv;

namespace {

// No two neighbours in any direction share a kind.
void FillWithoutNeighbours() {
    qvtest::SetBoard({});
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            Board(x, y) = static_cast<Integer>((x + 2 * y) % 6 + 1);
}

}  // namespace

class TestLineCheck : public QObject {
    Q_OBJECT
    qvtest::TestRuntime* rt_ = nullptr;
    Form1* form_ = nullptr;

    // The check from the score `before`; the kind it returns, and the score it leaves.
    std::pair<Integer, QString> Check(int before) {
        form_->Text2(0).SetText(QString::number(before));
        GameOver = false;
        const Integer kind = CheckLines();
        return {kind, form_->Text2(0).Text()};
    }

  private slots:
    void initTestCase() {
        rt_ = new qvtest::TestRuntime;
        form_ = new Form1;
        form_->Show();
        LineLength = 5;
    }
    void cleanupTestCase() {
        delete form_;
        delete rt_;
    }

    void handBuiltBoards_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("removed");
        QTest::newRow("five in a row, four beside")
            << QStringList{".11111...", "2222....."} << 1 << 5;
        QTest::newRow("four, and neighbours of other kinds")
            << QStringList{"1111.....", "112111...", "......111", "11......."} << 0 << 0;
        QTest::newRow("a column of nine") << QStringList(9, "....3....") << 3 << 9;
        QTest::newRow("a cross of one kind")
            << QStringList{".", "....4....", "....4....", "....4....", "..44444..", "....4...."}
            << 4 << 9;
        QTest::newRow("an L touching two edges")
            << QStringList{"5........", "5........", "5........", "5........", "55555...."} << 5
            << 9;
        QTest::newRow("two kinds: the last marked ball in row order is red")
            << QStringList{"1........", "1........", "1.33333..", "1........", "1........"} << 1
            << 10;
        QTest::newRow("two kinds: blue lower down")
            << QStringList{"1........", "1........", "1........", "1........",
                           "1........", ".",         "..33333.."}
            << 3 << 10;
        QTest::newRow("both diagonals, one from the bottom-left corner")
            << QStringList{"....2....", ".....2...", "......2..", ".......2.", "....6...2",
                           "...6.....", "..6......", ".6.......", "6........"}
            << 6 << 10;
    }
    void handBuiltBoards() {
        QFETCH(QStringList, rows);
        QFETCH(int, kind);
        QFETCH(int, removed);
        std::vector<QByteArray> text;
        for (const QString& r : rows)
            text.push_back(r.toLatin1().leftJustified(9, '.'));
        qvtest::SetBoard({});
        for (std::size_t y = 0; y < text.size(); ++y)
            for (int x = 0; x < 9; ++x)
                Board(x + 1, int(y) + 1) = text[y][x] == '.' ? 0 : Integer(text[y][x] - '0');
        const int balls = qvtest::CountBalls();
        const Grid unchanged = Board;
        QCOMPARE(Check(12), std::pair(Integer(kind), QString::number(12 + removed)));
        QCOMPARE(qvtest::CountBalls(), balls - removed);
        QCOMPARE(LineFlag, removed == 0);
        if (removed == 0) {
            QVERIFY(Board == unchanged);
            QVERIFY(LineMarks == Grid(0, 9, 0, 9));
        }
        QVERIFY(!GameOver);
    }

    void fullBoardEndsTheGameOnlyWithoutALine() {
        FillWithoutNeighbours();
        QCOMPARE(Check(3), std::pair(Integer(0), QStringLiteral("3")));
        QVERIFY(GameOver && LineFlag);
        QCOMPARE(qvtest::CountBalls(), 81);
        for (int x = 1; x <= 9; ++x)
            Board(x, 5) = 6;
        QCOMPARE(Check(3), std::pair(Integer(6), QStringLiteral("12")));
        QVERIFY(!GameOver);
        FillWithoutNeighbours();
        Board(9, 9) = 0;  // 80 balls are not the end
        QCOMPARE(Check(3).first, Integer(0));
        QVERIFY(!GameOver);
    }

    void matchesAnIndependentRunFinderOnRandomBoards() {
        std::mt19937 rng(77);
        int withLines = 0, twoKinds = 0, full = 0;
        for (int round = 0; round < 5000; ++round) {
            qvtest::SetBoard({});
            const int kinds = 1 + static_cast<int>(rng() % 4);
            const double density = std::uniform_real_distribution<double>(0.3, 1.0)(rng);
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    if (std::uniform_real_distribution<double>(0, 1)(rng) < density)
                        Board(x, y) = static_cast<Integer>(1 + rng() % kinds);
            const qvtest::Runs e = qvtest::FindRuns(Board);
            const int balls = qvtest::CountBalls();

            QCOMPARE(Check(40), std::pair(e.lastKind, QString::number(40 + e.removed)));
            QVERIFY(LineMarks == e.marks);
            QVERIFY(Board == e.after);
            QCOMPARE(LineFlag, e.removed == 0);
            QCOMPARE(GameOver, balls == 81 && e.removed == 0);
            withLines += e.removed > 0;
            twoKinds += e.kinds > 1;
            full += balls == 81;
        }
        QVERIFY(withLines > 1000 && twoKinds > 100 && full > 50);
    }
};

QTEST_MAIN(TestLineCheck)
#include "test_line_check.moc"
