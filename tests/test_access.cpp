// The game by keys and through a screen reader's eyes. Run by run-atspi: Qt hands accessibility
// events on only through an active bridge.
#include <QAccessible>
#include <QLabel>
#include <QRegularExpression>
#include <random>

#include "GameDriver.h"
#include "ModalScript.h"
#include "app/frmLabel.h"

using namespace qv;
using namespace qvtest;

namespace {

PointI P(int x, int y) {
    return PointI{static_cast<Integer>(x), static_cast<Integer>(y)};
}

struct SeenEvent {
    QAccessible::Event type;
    QObject* object;
    int child;
};
std::vector<SeenEvent> g_events;
void RecordEvent(QAccessibleEvent* event) {
    g_events.push_back({event->type(), event->object(), event->child()});
}

constexpr auto Iface = &QAccessible::queryAccessibleInterface;

// The cursor to (x, y) by arrow keys, then Enter or Return: what a release at the cell does.
void KeyTo(GameDriver& g, int x, int y) {
    vb::CellPictureBox* board = g.form.Picture1Cells();
    for (int step = 0; step < 16 && (board->CursorX() != x || board->CursorY() != y); ++step)
        QTest::keyClick(board, board->CursorX() < x   ? Qt::Key_Right
                               : board->CursorX() > x ? Qt::Key_Left
                               : board->CursorY() < y ? Qt::Key_Down
                                                      : Qt::Key_Up);
    QTest::keyClick(board, y % 2 ? Qt::Key_Return : Qt::Key_Enter);
    QApplication::processEvents();
}

// A fingerprint of both pictures and the texts.
QString Frame(GameDriver& g) {
    auto bytes = [](const QImage& i) { return QByteArrayView(i.constBits(), i.sizeInBytes()); };
    return QString("%1 %2 %3 %4 %5")
        .arg(qHash(bytes(g.form.Picture1Cells()->GetCanvas().Image())))
        .arg(qHash(bytes(g.form.Picture2Box()->GetCanvas().Image())))
        .arg(g.form.Text2(0).Text(), g.form.Text3().Text(), g.form.txtMess().Text());
}

// One whole game, every click made by `act`, a frame taken at each wait and after each turn: a
// scoring move when there is one, else the first ball that can move goes to the last cell it
// reaches; every third turn another ball is selected first, every other an unreachable cell tried.
QStringList PlayGame(GameDriver& g, const std::function<void(int, int, bool)>& act) {
    std::mt19937 rng(1234);
    std::vector<double> numbers(3000);
    for (double& n : numbers)
        n = std::uniform_real_distribution<double>(0, 0.5)(rng);  // three colours: lines form
    g.rt.ScriptRandom(numbers);
    QStringList frames;
    g.atWait = [&](double) { frames << Frame(g); };
    g.ClickStartStop();
    for (int turn = 0; GameInProgress && turn < 100; ++turn) {
        std::vector<PointI> balls;
        for (int y = 1; y <= 9; ++y)
            for (int x = 1; x <= 9; ++x)
                if (Board(x, y) > 0)
                    balls.push_back(P(x, y));
        PointI from{}, to{}, refused{};
        bool scores = false;
        for (const PointI& b : balls) {
            const auto dist = DistancesFrom(Board, b.x, b.y);
            for (int y = 1; y <= 9; ++y) {
                for (int x = 1; x <= 9; ++x) {
                    Grid moved = Board;
                    std::swap(moved(b.x, b.y), moved(x, y));
                    const bool line = dist[x][y] > 0 && FindRuns(moved).removed > 0;
                    if (dist[x][y] > 0 && !scores && (line || from.x == 0 || from == b))
                        from = b, to = P(x, y), scores = line;
                    if (dist[x][y] < 0 && Board(x, y) == 0 && from == b)
                        refused = P(x, y);
                }
            }
        }
        if (turn % 3 == 0)
            act(balls.back().x, balls.back().y, false);
        act(from.x, from.y, false);
        if (turn % 2 == 0 && refused.x > 0)
            act(refused.x, refused.y, false);
        act(to.x, to.y, true);
        frames << Frame(g);
    }
    g.atWait = nullptr;
    return frames;
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

    void aWholeGameFromTheKeyboardIsTheGameByMouse() {
        QStringList byMouse;
        QImage lastByMouse;
        {
            GameDriver g;
            byMouse = PlayGame(g, [&](int x, int y, bool) { g.Release(x, y); });
            lastByMouse = g.form.Picture1Cells()->GetCanvas().Image();
        }
        ResetSharedState();
        GameDriver g;
        vb::CellPictureBox* board = g.form.Picture1Cells();
        QApplication::setActiveWindow(&g.form);
        QVERIFY(board->hasFocus());  // the board has the keys from the start
        // A key pressed during the first move waits for its end, like a click.
        QList<int> cursorRows;
        const QStringList byKeys = PlayGame(g, [&](int x, int y, bool move) {
            if (move && cursorRows.isEmpty()) {
                const std::function<void(double)> atWait = g.atWait;
                g.atWait = [&](double s) {
                    atWait(s);
                    if (cursorRows.isEmpty())
                        QCoreApplication::postEvent(
                            board, new QKeyEvent(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier));
                    cursorRows << board->CursorY();
                };
                KeyTo(g, x, y);
                g.atWait = atWait;
                QVERIFY(cursorRows.size() > 4 && cursorRows.count(y) == cursorRows.size());
                QCOMPARE(board->CursorY(), std::max(1, y - 1));
                return;
            }
            KeyTo(g, x, y);
            QCOMPARE(board->CursorX() * 10 + board->CursorY(), x * 10 + y);
        });
        QVERIFY(byMouse.size() > 60 && !GameInProgress && g.rt.RandomLeft() > 0 &&
                g.form.Text2(0).Text().toInt() > 0);
        QCOMPARE(byKeys, byMouse);
        QCOMPARE(board->GetCanvas().Image(), lastByMouse);
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
        // least two pixels, then a light one.
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
        // Elsewhere the picture shows the image; moving away and losing the focus leave nothing.
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (!frame.contains(x, y) && shown.pixel(x, y) != drawn.pixel(x, y))
                    QFAIL(qPrintable(QString("changed at %1, %2").arg(x).arg(y)));
        QTest::keyClick(board, Qt::Key_Down);
        QTest::keyClick(board, Qt::Key_Down);
        QCOMPARE(board->Painted().copy(frame), drawn.copy(frame));
        g.form.QuitButton()->setFocus();
        QCOMPARE(board->Painted(), drawn);
        QCOMPARE(board->GetCanvas().Image(), drawn);
    }

    void rolesAndNamesOfTheWindowsAndControls() {
        GameDriver g;
        g.Start({1, 5, 6}, {P(1, 1), P(1, 2), P(1, 3)}, {6, 4, 2});
        auto label = [&](const QString& text) -> QObject* {
            for (QLabel* l : g.form.findChildren<QLabel*>())
                if (l->text() == text)
                    return l;
            return nullptr;
        };
        auto edit = [](vb::TextControl& t) { return dynamic_cast<QObject*>(&t); };
        const QAccessible::Role E = QAccessible::EditableText, S = QAccessible::StaticText;
        const std::tuple<QObject*, QAccessible::Role, QString> rows[] = {
            {&g.form, QAccessible::Window, "QUILVARO   Dremwick"},
            {g.form.Picture1Cells(), QAccessible::Table, "Board"},
            {g.form.Picture2Box(), QAccessible::Graphic, "Next balls"},
            {edit(g.form.Text1(0)), E, "Current player's name"},
            {edit(g.form.Text2(0)), E, "Current player's result or score"},
            {edit(g.form.Text1(1)), E, "Best player's name"},
            {edit(g.form.Text2(1)), E, "Best player's result"},
            {edit(g.form.Text3()), E, "Number of moves"},
            {edit(g.form.txtMess()), E, "Messages"},
            {g.form.QuitButton(), QAccessible::Button, "Quit"},
            {label("Result"), S, "Result"},
            {label("Top"), S, "Top"},
            {label("Moves"), S, "Moves"},
        };
        for (const auto& [object, role, name] : rows) {
            QVERIFY2(Iface(object) != nullptr, qPrintable(name));
            QCOMPARE(Iface(object)->role(), role);
            QCOMPARE(Iface(object)->text(QAccessible::Name), name);
        }
        QCOMPARE(Iface(g.form.Picture2Box())->text(QAccessible::Description),
                 "pink, yellow, green");
        // The dialogs are dialogs, every control of the player list says what it is, and a
        // hidden window leaves the application's children.
        ModalScript script;
        QStringList dialog;
        script.Then([&](vb::Dialog& d) {
            dialog << QString::number(Iface(&d)->role());
            for (int i = 0; i < Iface(&d)->childCount(); ++i)
                if (!Iface(&d)->child(i)->state().invisible)
                    dialog << Iface(&d)->child(i)->text(QAccessible::Name);
        });
        g.ClickStartStop();  // the player list opens between games
        g.form.MenuBar()->actions().at(0)->trigger();
        QCOMPARE(dialog, (QStringList{QString::number(QAccessible::Dialog), "Players", "Select",
                                      "New", "Close"}));
        auto windows = [] {
            QStringList names;
            for (int i = 0; i < Iface(qApp)->childCount(); ++i)
                names << Iface(qApp)->child(i)->text(QAccessible::Name);
            return names;
        };
        QCOMPARE(windows(), QStringList{"QUILVARO   Dremwick"});
        frmLabel title(g.form);
        title.show();
        QCOMPARE(Iface(&title)->role(), QAccessible::Window);
        QCOMPARE(windows().size(), 2);
        title.hide();
        QCOMPARE(windows(), QStringList{"QUILVARO   Dremwick"});
    }

    void theCellsNameWhatLiesThere_data() {
        QTest::addColumn<bool>("pinkRow");  // four pink balls in row 6, a fifth below the gap
        QTest::addColumn<QList<PointI>>("clicks");
        QTest::addColumn<QString>("after");  // the board's rows after the clicks
        QTest::addColumn<PointI>("selected");
        QTest::addRow("selected") << false << QList<PointI>{P(3, 4)} << "5|||..4|||||........1"
                                  << P(3, 4);
        QTest::addRow("reselected and moved") << false << QList<PointI>{P(3, 4), P(1, 1), P(2, 1)}
                                              << ".5|||..4|||||6..2...31" << PointI{};
        QTest::addRow("line removed")
            << true << QList<PointI>{P(5, 8), P(5, 6)} << "5|||..4|||||........1" << PointI{};
    }
    void theCellsNameWhatLiesThere() {
        QFETCH(bool, pinkRow);
        QFETCH(QList<PointI>, clicks);
        QFETCH(QString, after);
        QFETCH(PointI, selected);
        GameDriver g;
        g.Start({5, 4, 1}, {P(1, 1), P(3, 4), P(9, 9)}, {6, 2, 3});
        for (int k = 1; pinkRow && k <= 5; ++k)
            Board(k, k < 5 ? 6 : 8) = 6;
        g.Redraw();
        g.rt.ScriptRandom(GameDriver::CellNumbers(Board, {P(1, 9), P(4, 9)}));
        g.rt.ScriptRandom({0.99});  // the last free cell
        g.rt.ScriptRandom(GameDriver::KindNumbers({1, 1, 1}));
        for (const PointI& c : clicks)
            g.Release(c.x, c.y);
        QCOMPARE(g.form.Text2(0).Text(), pinkRow ? "5" : "0");
        const QStringList rows = after.split('|');
        const QString colours[] = {"", "red", "green", "blue", "yellow", "cyan", "pink"};
        QAccessibleInterface* table = Iface(g.form.Picture1Cells());
        QAccessibleTableInterface* grid = table->tableInterface();
        QVERIFY(grid && grid->rowCount() == 9 && grid->columnCount() == 9);
        QCOMPARE(table->childCount(), 81);
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                const QChar c = rows[y - 1].leftJustified(9, '.')[x - 1];
                QString want = QString("row %1, column %2: ").arg(y).arg(x);
                want += c == '.' ? "empty" : colours[c.digitValue()] + " ball";
                if (selected == P(x, y))
                    want += ", selected";
                QAccessibleInterface* cell = grid->cellAt(y - 1, x - 1);
                QCOMPARE(cell->text(QAccessible::Name), want);
                QCOMPARE(cell->role(), QAccessible::ListItem);
                QCOMPARE(table->child((y - 1) * 9 + x - 1), cell);
                QCOMPARE(table->indexOfChild(cell), (y - 1) * 9 + x - 1);
            }
        }
    }

    void eachCursorStepIsAFocusEvent_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<int>>("cells");  // focused cells, as column * 10 + row
        // Keys without a step lead each row: taken for any arrow, they would shift one of them.
        const int L = Qt::Key_Left, R = Qt::Key_Right, U = Qt::Key_Up, D = Qt::Key_Down,
                  A = Qt::Key_A, H = Qt::Key_Home;
        QTest::addRow("left to the edge and on")
            << QList<int>{A, H, L, L, L, L, L, L} << QList<int>{45, 35, 25, 15};
        QTest::addRow("round a corner") << QList<int>{A, H, D, D, D, D, D, R, R, R, R, R, U}
                                        << QList<int>{56, 57, 58, 59, 69, 79, 89, 99, 98};
    }
    void eachCursorStepIsAFocusEvent() {
        QFETCH(QList<int>, keys);
        QFETCH(QList<int>, cells);
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        vb::CellPictureBox* board = g.form.Picture1Cells();
        g_events.clear();
        for (int key : keys)
            QTest::keyClick(board, Qt::Key(key));
        QList<int> seen;
        for (const SeenEvent& e : g_events)
            if (e.type == QAccessible::Focus && e.object == board)
                seen << (e.child % 9 + 1) * 10 + e.child / 9 + 1;
        QCOMPARE(seen, cells);
        QCOMPARE(Iface(board)->focusChild(), Iface(board)->tableInterface()->cellAt(
                                                 cells.last() % 10 - 1, cells.last() / 10 - 1));
        QVERIFY(Iface(board)->focusChild()->state().focused);
    }

    void aTurnTellsItsTexts() {
        GameDriver g;
        const QMap<QObject*, QString> boxes{
            {dynamic_cast<QObject*>(&g.form.Text2(0)), "score"},
            {dynamic_cast<QObject*>(&g.form.Text3()), "moves"},
            {dynamic_cast<QObject*>(&g.form.txtMess()), "messages"}};
        auto told = [&] {
            QStringList seen;
            for (const SeenEvent& e : std::exchange(g_events, {}))
                if ((e.type == QAccessible::TextUpdated || e.type == QAccessible::TextInserted) &&
                    boxes.contains(e.object) && !seen.contains(boxes[e.object]))
                    seen << boxes[e.object];
            seen.sort();
            return seen.join(' ');
        };
        g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        QCOMPARE(told(), "messages moves score");
        g.rt.ScriptRandom(GameDriver::CellNumbers(Board, {P(9, 1), P(9, 2), P(9, 3)}));
        g.rt.ScriptRandom(GameDriver::KindNumbers({1, 1, 1}));
        g.Release(1, 1);
        g.Release(1, 5);  // new balls, no line
        QCOMPARE(told(), "moves");
        g.ClickStartStop();
        QCOMPARE(told(), "messages");
    }

    // Space with Quit focused only minimizes and restores; a dialog hands the keys to the board.
    void keysWithQuitFocused() {
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        const Grid before = Board;
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), g.form.QuitButton());
        QTest::keyClick(g.form.QuitButton(), Qt::Key_Space);
        QCOMPARE(g.form.Window().State(), vb::WindowState::Minimized);
        QTest::keyClick(g.form.QuitButton(), Qt::Key_Space);
        QCOMPARE(g.form.Window().State(), vb::WindowState::Normal);
        QVERIFY(g.rt.endCount == 0 && GameInProgress && Board == before);
        g.ClickStartStop();        // the player list opens between games
        for (int menu : {0, 1}) {  // Player, Zoom
            ModalScript script;
            g.form.QuitButton()->setFocus();
            g.form.MenuBar()->actions().at(menu)->trigger();
            QCOMPARE(script.shown.size(), 1);
            QApplication::setActiveWindow(&g.form);
            QCOMPARE(QApplication::focusWidget(), g.form.Picture1Cells());
        }
    }
};

QTEST_MAIN(TestAccess)
#include "test_access.moc"
