// What the game says after a turn, read off its state before and after: the new balls where the
// board no longer shows them (the cell the moved ball left, a line they completed at once).
#include <QTest>

#include "app/Narration.h"
#include "game/GameState.h"

using namespace qv;

class TestNarration : public QObject {
    Q_OBJECT
  private slots:
    void aTurnIsToldInOrder_data() {
        QTest::addColumn<int>("target");  // the column of row 1 the red ball at (1, 1) goes to
        QTest::addColumn<int>("ending");  // 0 no move, 1 a move, 2 a move that ends the game
        QTest::addColumn<QString>("said");
        const QString moved =
            "Moved to row 1, column 3. New balls: green at row 1, column 1; blue "
            "at row 5, column 5; yellow at row 9, column 9. Line cleared: +5 "
            "points, score 5. ";
        QTest::newRow("moved") << 3 << 1 << moved + "Next: red, red, red.";
        QTest::newRow("game over") << 3 << 2 << moved + "Game over.";
        QTest::newRow("walled off") << 4 << 0 << "No way there.";
        QTest::newRow("reselected") << 1 << 0 << "red ball still selected.";
    }
    void aTurnIsToldInOrder() {
        QFETCH(int, target);
        QFETCH(int, ending);
        InitSettings();
        GameView b;
        b.board.Create(0, 9, 0, 9);
        b.removed = b.board;
        b.board(1, 1) = 1, b.next = {2, 3, 4}, b.score = "0";
        b.inProgress = b.selected = true, b.selectedX = b.selectedY = 1;
        GameView a = b;
        if (ending > 0) {  // green falls where red was, blue completes a line and goes with it
            a.board(3, 1) = 1, a.board(1, 1) = 2, a.board(9, 9) = 4, a.removed(5, 5) = 1;
            a.selected = false, a.inProgress = ending == 1, a.moves = 1, a.next = {1, 1, 1};
            a.score = "5", a.message = "Game over.";
        }
        QTEST(DescribeBoardCommand(b, a, target, 1), "said");
    }
};

QTEST_MAIN(TestNarration)
#include "test_narration.moc"
