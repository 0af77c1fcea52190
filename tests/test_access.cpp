// The game without a mouse and through a screen reader's eyes: a whole game played with the arrow
// keys and Enter against the same game by mouse releases, the cursor frame over the picture,
// Space that never presses the focused control, focus back on the board after a dialog, and what
// Qt's accessibility interfaces report: roles and names, the board's 81 cells, focus and text
// events. Run by run-atspi: Qt hands accessibility events on only through an active bridge.
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

// Every accessibility event: its type, object and child.
struct SeenEvent {
    QAccessible::Event type;
    QObject* object;
    int child;
};
std::vector<SeenEvent> g_events;
void RecordEvent(QAccessibleEvent* event) {
    g_events.push_back({event->type(), event->object(), event->child()});
}

QAccessibleInterface* Iface(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

// The cursor to (x, y) by arrow keys, then Enter: what a release at the cell does.
void KeyTo(GameDriver& g, int x, int y) {
    vb::CellPictureBox* board = g.form.Picture1Cells();
    while (board->CursorX() != x || board->CursorY() != y) {
        const int before = board->CursorX() * 10 + board->CursorY();
        QTest::keyClick(board, board->CursorX() < x   ? Qt::Key_Right
                               : board->CursorX() > x ? Qt::Key_Left
                               : board->CursorY() < y ? Qt::Key_Down
                                                      : Qt::Key_Up);
        if (before == board->CursorX() * 10 + board->CursorY())
            QFAIL("the cursor did not move");
    }
    QTest::keyClick(board, y % 2 ? Qt::Key_Return : Qt::Key_Enter);
    QApplication::processEvents();
}

// A fingerprint of both pictures and the texts, taken at each wait and after each action.
QString Frame(GameDriver& g) {
    auto bytes = [](const QImage& i) { return QByteArrayView(i.constBits(), i.sizeInBytes()); };
    return QString("%1 %2 %3 %4 %5")
        .arg(qHash(bytes(g.form.Picture1Cells()->GetCanvas().Image())))
        .arg(qHash(bytes(g.form.Picture2Box()->GetCanvas().Image())))
        .arg(g.form.Text2(0).Text(), g.form.Text3().Text(), g.form.txtMess().Text());
}

// One whole game, every click made by `act`: the player takes a scoring move when there is one,
// else the first ball that can move goes to the last cell it reaches; every third turn another
// ball is selected first and every other turn an unreachable cell is tried.
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
        QStringList byMouse, byKeys;
        QImage lastByMouse;
        {
            GameDriver g;
            byMouse = PlayGame(g, [&](int x, int y, bool) { g.Release(x, y); });
            lastByMouse = g.form.Picture1Cells()->GetCanvas().Image();
        }
        ResetSharedState();
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        QVERIFY(g.form.Picture1Cells()->hasFocus());  // the board has the keys from the start
        // A key that arrives during a turn waits for its end, like a click.
        QList<int> cursorRows;
        bool posted = false;
        byKeys = PlayGame(g, [&](int x, int y, bool move) {
            if (!posted && move) {
                posted = true;
                const std::function<void(double)> atWait = g.atWait;
                g.atWait = [&](double s) {
                    atWait(s);
                    if (cursorRows.isEmpty())
                        QCoreApplication::postEvent(
                            g.form.Picture1Cells(),
                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier));
                    cursorRows << g.form.Picture1Cells()->CursorY();
                };
                KeyTo(g, x, y);
                g.atWait = atWait;
                QVERIFY(cursorRows.size() > 4 && cursorRows.count(y) == cursorRows.size());
                QCOMPARE(g.form.Picture1Cells()->CursorY(), std::max(1, y - 1));
                return;
            }
            KeyTo(g, x, y);
            QCOMPARE(g.form.Picture1Cells()->CursorX() * 10 + g.form.Picture1Cells()->CursorY(),
                     x * 10 + y);
        });
        qDebug() << byMouse.size() << "frames, score" << g.form.Text2(0).Text() << "after"
                 << MoveCount << "moves";
        QVERIFY(byMouse.size() > 60 && !GameInProgress && g.rt.RandomLeft() > 0 &&
                g.form.Text2(0).Text().toInt() > 0);
        QCOMPARE(byKeys, byMouse);
        QCOMPARE(g.form.Picture1Cells()->GetCanvas().Image(), lastByMouse);
    }

    void theCursorIsDrawnOverThePictureOnly_data() {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("kind");  // under the cursor: -1 before Start, 0 none
        QTest::addColumn<bool>("selected");
        for (float zoom : {1.0f, 3.0f}) {
            for (int kind = -1; kind <= 6; ++kind)
                QTest::addRow("1:%g kind %d", zoom, kind) << zoom << kind << false;
            QTest::addRow("1:%g selected", zoom) << zoom << 3 << true;
        }
    }
    void theCursorIsDrawnOverThePictureOnly() {
        QFETCH(float, zoom);
        QFETCH(int, kind);
        QFETCH(bool, selected);
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        if (kind >= 0)
            g.Start({1, 1, 1}, {P(1, 1), P(1, 2), P(1, 3)}, {1, 1, 1});
        Zoom = zoom;
        g.form.Picture1().Cls();
        if (kind > 0)
            Board(4, 4) = Integer(kind);
        g.Redraw();
        vb::CellPictureBox* board = g.form.Picture1Cells();
        if (selected)
            g.Release(4, 4);
        board->SetCursor(4, 4);
        const QImage drawn = board->GetCanvas().Image();
        QVERIFY(board->hasFocus());
        // Along the middle of each side, from just outside the cell inwards: a dark band of at
        // least two pixels, then a light one.
        const QImage shown = board->Painted();
        const QRect cell = board->CellRect(4, 4).translated(-board->contentsRect().topLeft());
        const QPoint mid = cell.center();
        for (const auto& [start, step] : {std::pair{QPoint(cell.left() - 1, mid.y()), QPoint(1, 0)},
                                          {QPoint(cell.right() + 1, mid.y()), QPoint(-1, 0)},
                                          {QPoint(mid.x(), cell.top() - 1), QPoint(0, 1)},
                                          {QPoint(mid.x(), cell.bottom() + 1), QPoint(0, -1)}}) {
            QString bands;
            for (QPoint p = start; p != mid && bands.size() < cell.width() / 4; p += step)
                bands += shown.pixel(p) == qRgb(0, 0, 0)         ? 'd'
                         : shown.pixel(p) == qRgb(255, 255, 255) ? 'l'
                                                                 : '.';
            QVERIFY2(QRegularExpression("^d{2,}l+").match(bands).hasMatch(), qPrintable(bands));
        }
        // Elsewhere the picture shows the image; moving away and losing the focus leave nothing.
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (!cell.adjusted(-2, -2, 2, 2).contains(x, y) &&
                    shown.pixel(x, y) != drawn.pixel(x, y))
                    QFAIL(qPrintable(QString("changed at %1, %2").arg(x).arg(y)));
        QTest::keyClick(board, Qt::Key_Down);
        QTest::keyClick(board, Qt::Key_Down);
        QCOMPARE(board->Painted().copy(cell.adjusted(-2, -2, 2, 2)),
                 drawn.copy(cell.adjusted(-2, -2, 2, 2)));
        g.form.QuitButton()->setFocus();
        QCOMPARE(board->Painted(), drawn);
        QCOMPARE(board->GetCanvas().Image(), drawn);
    }

    void rolesAndNamesOfTheWindowsAndControls() {
        GameDriver g;
        g.Start({1, 5, 6}, {P(1, 1), P(1, 2), P(1, 3)}, {6, 4, 2});
        struct Row {
            QWidget* widget;
            QAccessible::Role role;
            QString name, description;
        };
        const QList<QWidget*> labels = g.form.findChildren<QWidget*>();
        auto label = [&](const QString& text) -> QWidget* {
            for (QWidget* w : labels)
                if (auto* l = qobject_cast<QLabel*>(w); l && l->text() == text)
                    return l;
            return nullptr;
        };
        auto edit = [&](vb::TextControl& t) { return dynamic_cast<QWidget*>(&t); };
        const Row rows[] = {
            {&g.form, QAccessible::Window, "QUILVARO   Dremwick", {}},
            {g.form.Picture1Cells(), QAccessible::Table, "Board", {}},
            {g.form.Picture2Box(), QAccessible::Graphic, "Next balls", "pink, yellow, green"},
            {edit(g.form.Text1(0)), QAccessible::EditableText, "Current player's name", {}},
            {edit(g.form.Text2(0)),
             QAccessible::EditableText,
             "Current player's result or score",
             {}},
            {edit(g.form.Text1(1)), QAccessible::EditableText, "Best player's name", {}},
            {edit(g.form.Text2(1)), QAccessible::EditableText, "Best player's result", {}},
            {edit(g.form.Text3()), QAccessible::EditableText, "Number of moves", {}},
            {edit(g.form.txtMess()), QAccessible::EditableText, "Messages", {}},
            {g.form.QuitButton(), QAccessible::Button, "Quit", {}},
            {label("Result"), QAccessible::StaticText, "Result", {}},
            {label("Top"), QAccessible::StaticText, "Top", {}},
            {label("Moves"), QAccessible::StaticText, "Moves", {}},
        };
        for (const Row& r : rows) {
            QAccessibleInterface* i = Iface(r.widget);
            QVERIFY2(i != nullptr, qPrintable(r.name));
            QCOMPARE(i->role(), r.role);
            QCOMPARE(i->text(QAccessible::Name), r.name);
            if (!r.description.isEmpty())
                QCOMPARE(i->text(QAccessible::Description), r.description);
        }
        // The dialogs are dialogs; a hidden window leaves the application's children.
        ModalScript script;
        QAccessible::Role dialogRole{};
        QStringList dialogNames;  // every control of the player list says what it is
        script.Then([&](vb::Dialog& d) {
            dialogRole = Iface(&d)->role();
            for (int i = 0; i < Iface(&d)->childCount(); ++i)
                if (!Iface(&d)->child(i)->state().invisible)
                    dialogNames << Iface(&d)->child(i)->text(QAccessible::Name);
        });
        g.ClickStartStop();  // the player list opens between games
        g.form.MenuBar()->actions().at(0)->trigger();
        QCOMPARE(dialogRole, QAccessible::Dialog);
        QCOMPARE(dialogNames, (QStringList{"Players", "Select", "New", "Close"}));
        auto windows = [] {
            QStringList names;
            QAccessibleInterface* app = Iface(qApp);
            for (int i = 0; i < app->childCount(); ++i)
                names << app->child(i)->text(QAccessible::Name);
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
        QTest::addColumn<QList<PointI>>("clicks");
        QTest::addColumn<QStringList>("after");  // the board after the clicks
        QTest::addColumn<PointI>("selected");
        QTest::addRow("started") << QList<PointI>{}
                                 << QStringList{"5", "", "", "..4", "", "", "", "", "........1"}
                                 << PointI{};
        QTest::addRow("selected") << QList<PointI>{P(3, 4)}
                                  << QStringList{"5", "", "", "..4", "", "", "", "", "........1"}
                                  << P(3, 4);
        QTest::addRow("reselected and moved")
            << QList<PointI>{P(3, 4), P(1, 1), P(2, 1)}
            << QStringList{".5", "", "", "..4", "", "", "", "", "6..2...31"} << PointI{};
        QTest::addRow("line removed")
            << QList<PointI>{P(5, 8), P(5, 6)}
            << QStringList{"5", "", "", "..4", "", "", "", "", "........1"} << PointI{};
    }
    void theCellsNameWhatLiesThere() {
        QFETCH(QList<PointI>, clicks);
        QFETCH(QStringList, after);
        QFETCH(PointI, selected);
        GameDriver g;
        g.Start({5, 4, 1}, {P(1, 1), P(3, 4), P(9, 9)}, {6, 2, 3});
        if (QTest::currentDataTag() == QString("line removed")) {
            for (int k = 1; k <= 4; ++k)  // four pink balls in row 6, a fifth below the gap
                Board(k, 6) = 6;
            Board(5, 8) = 6;
            g.Redraw();
        }
        g.rt.ScriptRandom(GameDriver::CellNumbers(Board, {P(1, 9), P(4, 9)}));
        g.rt.ScriptRandom({0.99});  // the last free cell
        g.rt.ScriptRandom(GameDriver::KindNumbers({1, 1, 1}));
        for (const PointI& c : clicks)
            g.Release(c.x, c.y);
        if (QTest::currentDataTag() == QString("line removed"))
            QCOMPARE(g.form.Text2(0).Text(), QStringLiteral("5"));
        const QString colours[] = {"", "red", "green", "blue", "yellow", "cyan", "pink"};
        QAccessibleInterface* table = Iface(g.form.Picture1Cells());
        QAccessibleTableInterface* grid = table->tableInterface();
        QVERIFY(grid && grid->rowCount() == 9 && grid->columnCount() == 9);
        QCOMPARE(table->childCount(), 81);
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                const QChar c = x <= after.value(y - 1).size() ? after[y - 1][x - 1] : '.';
                QString want = QString("row %1, column %2: ").arg(y).arg(x);
                want += c == '.' ? "empty" : colours[c.digitValue()] + " ball";
                if (selected == P(x, y))
                    want += ", selected";
                QAccessibleInterface* cell = grid->cellAt(y - 1, x - 1);
                QCOMPARE(cell->text(QAccessible::Name), want);
                QCOMPARE(cell->role(), QAccessible::Cell);
                QCOMPARE(table->child((y - 1) * 9 + x - 1), cell);
                QCOMPARE(table->indexOfChild(cell), (y - 1) * 9 + x - 1);
            }
        }
    }

    void eachCursorStepIsAFocusEvent_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<int>>("cells");  // focused cells, as column * 10 + row
        const int L = Qt::Key_Left, R = Qt::Key_Right, U = Qt::Key_Up, D = Qt::Key_Down;
        QTest::addRow("left to the edge and on")
            << QList<int>{L, L, L, L, L, L} << QList<int>{45, 35, 25, 15};
        QTest::addRow("round a corner") << QList<int>{D, D, D, D, D, R, R, R, R, R, U}
                                        << QList<int>{56, 57, 58, 59, 69, 79, 89, 99, 98};
        QTest::addRow("keys without a step") << QList<int>{Qt::Key_A, Qt::Key_Home} << QList<int>{};
    }
    void eachCursorStepIsAFocusEvent() {
        QFETCH(QList<int>, keys);
        QFETCH(QList<int>, cells);
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        vb::CellPictureBox* board = g.form.Picture1Cells();
        QVERIFY(board->hasFocus());
        g_events.clear();
        for (int key : keys)
            QTest::keyClick(board, Qt::Key(key));
        QList<int> seen;
        for (const SeenEvent& e : g_events)
            if (e.type == QAccessible::Focus && e.object == board)
                seen << (e.child % 9 + 1) * 10 + e.child / 9 + 1;
        QCOMPARE(seen, cells);
        const int last = cells.isEmpty() ? 55 : cells.last();
        QCOMPARE(Iface(board)->focusChild(),
                 Iface(board)->tableInterface()->cellAt(last % 10 - 1, last / 10 - 1));
        QVERIFY(Iface(board)->focusChild()->state().focused);
    }

    void aTurnTellsItsTexts_data() {
        QTest::addColumn<int>("action");  // 0 Start, 1 a move with new balls, 2 Stop
        QTest::addColumn<QStringList>("changed");
        QTest::newRow("Start") << 0 << QStringList{"score", "moves", "messages"};
        QTest::newRow("move") << 1 << QStringList{"moves"};
        QTest::newRow("Stop") << 2 << QStringList{"messages"};
    }
    void aTurnTellsItsTexts() {
        QFETCH(int, action);
        QFETCH(QStringList, changed);
        GameDriver g;
        if (action > 0)
            g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        g.rt.ScriptRandom(GameDriver::CellNumbers(Board, {P(9, 1), P(9, 2), P(9, 3)}));
        g.rt.ScriptRandom(GameDriver::KindNumbers({1, 1, 1}));
        g_events.clear();
        if (action == 0)
            g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        if (action == 1) {
            g.Release(1, 1);
            g.Release(1, 5);
        }
        if (action == 2)
            g.ClickStartStop();
        const std::pair<QString, QObject*> boxes[] = {
            {"score", dynamic_cast<QObject*>(&g.form.Text2(0))},
            {"moves", dynamic_cast<QObject*>(&g.form.Text3())},
            {"messages", dynamic_cast<QObject*>(&g.form.txtMess())}};
        QStringList seen;
        for (const auto& [name, box] : boxes) {
            for (const SeenEvent& e : g_events) {
                if (e.object == box &&
                    (e.type == QAccessible::TextUpdated || e.type == QAccessible::TextInserted)) {
                    seen << name;
                    break;
                }
            }
        }
        QCOMPARE(seen, changed);
    }

    void spaceNeverPressesTheFocusedControl_data() {
        QTest::addColumn<int>("tabs");  // from the board
        QTest::newRow("Quit") << 6;
        QTest::newRow("the board") << 0;
    }
    void spaceNeverPressesTheFocusedControl() {
        QFETCH(int, tabs);
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        const Grid before = Board;
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        QCOMPARE(focused, tabs ? static_cast<QWidget*>(g.form.QuitButton())
                               : static_cast<QWidget*>(g.form.Picture1Cells()));
        QTest::keyClick(focused, Qt::Key_Space);
        QCOMPARE(g.form.Window().State(), vb::WindowState::Minimized);
        QTest::keyClick(focused, Qt::Key_Space);
        QCOMPARE(g.form.Window().State(), vb::WindowState::Normal);
        QVERIFY(g.rt.endCount == 0 && GameInProgress && Board == before);
    }

    void theBoardHasTheKeysAgainAfterADialog_data() {
        QTest::addColumn<int>("menu");  // 0 Player, 1 Zoom
        QTest::newRow("Player") << 0;
        QTest::newRow("Zoom") << 1;
    }
    void theBoardHasTheKeysAgainAfterADialog() {
        QFETCH(int, menu);
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        g.form.QuitButton()->setFocus();
        ModalScript script;
        g.form.MenuBar()->actions().at(menu)->trigger();
        QCOMPARE(script.shown.size(), 1);
        QApplication::setActiveWindow(&g.form);
        QCOMPARE(QApplication::focusWidget(), g.form.Picture1Cells());
    }
};

QTEST_MAIN(TestAccess)
#include "test_access.moc"
