// The game by keys and through a screen reader's eyes. Run by run-atspi: Qt hands accessibility
// events on only through an active bridge.
#include <QAccessible>
#include <QRegularExpression>

#include "GameDriver.h"
#include "app/frmLabel.h"

using namespace qv;
using namespace qvtest;

namespace {

std::vector<std::pair<QAccessible::Event, QObject*>> g_events;
QList<int> g_focused;  // the cells focused, as column * 10 + row
void RecordEvent(QAccessibleEvent* event) {
    g_events.emplace_back(event->type(), event->object());
    if (event->type() == QAccessible::Focus && event->child() >= 0)
        g_focused << (event->child() % 9 + 1) * 10 + event->child() / 9 + 1;
}

constexpr auto Iface = &QAccessible::queryAccessibleInterface;

// The cursor to (x, y) by arrow keys (a key without a step first), a moment for the window, then
// Enter or Return: what a release at the cell does. Each step is a focus event of its cell.
void KeyTo(GameDriver& g, int x, int y) {
    vb::CellPictureBox* board = g.form.Picture1Cells();
    const int steps = std::abs(x - board->CursorX()) + std::abs(y - board->CursorY());
    g_focused.clear();
    QTest::keyClick(board, Qt::Key_A);
    for (int step = 0; step < 16 && (board->CursorX() != x || board->CursorY() != y); ++step)
        QTest::keyClick(board, board->CursorX() < x   ? Qt::Key_Right
                               : board->CursorX() > x ? Qt::Key_Left
                               : board->CursorY() < y ? Qt::Key_Down
                                                      : Qt::Key_Up);
    QCOMPARE(g_focused.size(), steps);
    QVERIFY(g_focused.isEmpty() || g_focused.last() == x * 10 + y);
    QApplication::processEvents();
    QTest::keyClick(board, y % 2 ? Qt::Key_Return : Qt::Key_Enter);
    QApplication::processEvents();
}

}  // namespace

class TestAccess : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QAccessible::installUpdateHandler(RecordEvent);
        // The bridge switches itself on once it reached the accessibility bus (see run-atspi).
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 20000);
    }
    void init() {
        ResetSharedState();
        g_events.clear();
    }

    // The board has the keys from the start, and the game played by keys is the game by mouse.
    // After every key the cells name what lies there, the focused cell is the cursor's, and the
    // score, the move count and the messages tell a screen reader when, and only when, they
    // change.
    void theRecordedGameByKeys() {
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        vb::CellPictureBox* board = g.form.Picture1Cells();
        QVERIFY(board->hasFocus());
        QAccessibleTableInterface* grid = Iface(board)->tableInterface();
        QVERIFY(grid && grid->rowCount() == 9 && grid->columnCount() == 9);
        QCOMPARE(Iface(board)->childCount(), 81);
        const QString colours[] = {"", "red", "green", "blue", "yellow", "cyan", "pink"};
        const QList<vb::TextControl*> boxes{&g.form.Text2(0), &g.form.Text3(), &g.form.txtMess()};
        const QStringList trace = ReadTrace();
        QCOMPARE(Replay(g, trace,
                        [&](PointI c, QChar) {
                            QStringList before, changed, told;
                            for (vb::TextControl* box : boxes)
                                before << box->Text();
                            g_events.clear();
                            KeyTo(g, c.x, c.y);
                            for (qsizetype i = 0; i < boxes.size(); ++i) {
                                if (boxes[i]->Text() != before[i])
                                    changed << QString::number(i);
                                for (const auto& [type, object] : g_events)
                                    if (object == dynamic_cast<QObject*>(boxes[i]) &&
                                        (type == QAccessible::TextUpdated ||
                                         type == QAccessible::TextInserted) &&
                                        !told.contains(QString::number(i)))
                                        told << QString::number(i);
                            }
                            QCOMPARE(told, changed);
                            for (int y = 1; y <= 9; ++y) {
                                for (int x = 1; x <= 9; ++x) {
                                    QString want = QString("row %1, column %2: ").arg(y).arg(x);
                                    want += Board(x, y) ? colours[Board(x, y)] + " ball" : "empty";
                                    if (BallSelected && SelectedX == x && SelectedY == y)
                                        want += ", selected";
                                    QAccessibleInterface* cell = grid->cellAt(y - 1, x - 1);
                                    QCOMPARE(cell->text(QAccessible::Name), want);
                                    QCOMPARE(Iface(board)->child((y - 1) * 9 + x - 1), cell);
                                }
                            }
                            QVERIFY(Iface(board)->focusChild()->state().focused);
                            QCOMPARE(Iface(board)->focusChild(),
                                     grid->cellAt(board->CursorY() - 1, board->CursorX() - 1));
                        }),
                 trace);
    }

    // A key pressed during a move is handled after the turn, as a click is.
    void aKeyDuringATurnWaitsForItsEnd() {
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        g.rt.ScriptRandom(GameDriver::CellNumbers(Board, {P(9, 1), P(9, 2), P(9, 3)}));
        g.rt.ScriptRandom(GameDriver::KindNumbers({1, 1, 1}));
        vb::CellPictureBox* board = g.form.Picture1Cells();
        KeyTo(g, 1, 1);
        QSet<int> rows;
        g.atWait = [&](double) {
            if (rows.isEmpty())
                QCoreApplication::postEvent(board, new QKeyEvent(QEvent::KeyPress, Qt::Key_Up, {}));
            rows << board->CursorY();
        };
        KeyTo(g, 1, 5);
        QVERIFY(rows == QSet<int>{5} && board->CursorY() == 4 && MoveCount == 2);
    }

    void theCursorIsDrawnOverThePictureOnly_data() {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("kind");  // under the cursor: -1 before Start, 0 none, 7 selected
        for (float zoom : {1.0f, 3.0f})
            for (int kind = -1; kind <= 7; ++kind)
                QTest::addRow("1:%g kind %d", zoom, kind) << zoom << kind;
    }
    void theCursorIsDrawnOverThePictureOnly() {
        QFETCH(float, zoom);
        QFETCH(int, kind);
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        if (kind >= 0)
            g.Start({1, 1, 1}, {P(1, 1), P(1, 2), P(1, 3)}, {1, 1, 1});
        Zoom = zoom;
        g.form.Picture1().Cls();
        if (kind > 0)
            Board(4, 4) = Integer(kind == 7 ? 3 : kind);
        g.Redraw();
        vb::CellPictureBox* board = g.form.Picture1Cells();
        if (kind == 7)
            g.Release(4, 4);
        board->SetCursor(4, 4);
        const QImage drawn = board->GetCanvas().Image(), shown = board->Painted();
        // Along the middle of each side, from just outside the cell inwards: a dark band of at
        // least two pixels, then a light one; elsewhere the picture shows the image.
        const QRect cell = board->CellRect(4, 4).translated(-board->contentsRect().topLeft());
        const QRect frame = cell.adjusted(-2, -2, 2, 2);
        const QPoint mid = cell.center();
        for (QPoint p : {QPoint(cell.left() - 1, mid.y()), QPoint(cell.right() + 1, mid.y()),
                         QPoint(mid.x(), cell.top() - 1), QPoint(mid.x(), cell.bottom() + 1)}) {
            const QPoint step((mid.x() > p.x()) - (mid.x() < p.x()),
                              (mid.y() > p.y()) - (mid.y() < p.y()));
            QString bands;
            for (; p != mid && bands.size() < cell.width() / 4; p += step)
                bands += shown.pixel(p) == qRgb(0, 0, 0)         ? 'd'
                         : shown.pixel(p) == qRgb(255, 255, 255) ? 'l'
                                                                 : '.';
            QVERIFY2(QRegularExpression("^d{2,}l+").match(bands).hasMatch(), qPrintable(bands));
        }
        QImage outside = shown;
        QPainter(&outside).drawImage(frame, drawn, frame);
        QCOMPARE(outside, drawn);
        // Moved away, and with the focus elsewhere, the cursor leaves nothing behind.
        QTest::keyClick(board, Qt::Key_Down);
        QTest::keyClick(board, Qt::Key_Down);
        QCOMPARE(board->Painted().copy(frame), drawn.copy(frame));
        g.form.QuitButton()->setFocus();
        QVERIFY(board->Painted() == drawn && board->GetCanvas().Image() == drawn);
    }

    // Every control a screen reader meets in a window has a name of its own; a dialog is a dialog,
    // and hands the keys back to the board when it closes; a hidden window leaves the application's
    // windows.
    void everyControlHasANameAndTheBoardTheKeysAgain() {
        GameDriver g;
        g.Start({1, 5, 6}, {P(1, 1), P(1, 2), P(1, 3)}, {6, 4, 2});
        QCOMPARE(Iface(g.form.Picture2Box())->text(QAccessible::Description),
                 "pink, yellow, green");
        std::function<QStringList(QAccessibleInterface*)> names = [&](QAccessibleInterface* i) {
            QStringList found;
            for (int k = 0; k < i->childCount(); ++k) {
                QAccessibleInterface* c = i->child(k);
                const QString name = c->text(QAccessible::Name);
                if (c->role() == QAccessible::Client)  // a plain container
                    found << names(c);
                else if (!c->state().invisible && c->role() != QAccessible::MenuBar)
                    found << (name.isEmpty() ? "unnamed" : name);
            }
            return found;
        };
        QStringList main = names(Iface(&g.form));
        QVERIFY2(main.size() >= 12 && !main.contains("unnamed") && main.removeDuplicates() == 0,
                 qPrintable(main.join(", ")));
        g.ClickStartStop();  // the player list and the zoom window, between games
        QApplication::setActiveWindow(&g.form);
        for (int menu : {0, 1}) {
            ModalScript script;
            script.Then([&](vb::Dialog& d) {
                QVERIFY(Iface(&d)->role() == QAccessible::Dialog &&
                        !names(Iface(&d)).contains("unnamed"));
            });
            g.form.QuitButton()->setFocus();
            g.form.MenuBar()->actions().at(menu)->trigger();
            QApplication::setActiveWindow(&g.form);
            QCOMPARE(QApplication::focusWidget(), g.form.Picture1Cells());
        }
        frmLabel title(g.form);
        title.show();
        QCOMPARE(Iface(qApp)->childCount(), 2);
        title.hide();
        QCOMPARE(Iface(qApp)->childCount(), 1);
    }
};

QTEST_MAIN(TestAccess)
#include "test_access.moc"
