// The game by keys and through a screen reader's eyes (run-atspi gives Qt the bridge it needs).
#include <QAccessible>
#include <QComboBox>

#include "GameDriver.h"
#include "app/TitleWindow.h"
#include "platform/Accessibility.h"
#include "players/NewPlayerWindow.h"
#include "players/PlayersListWindow.h"
#include "view/ZoomWindow.h"

using namespace qv;
using namespace qvtest;
using namespace platform;

namespace {

QSet<QObject*> g_told;  // whatever told a change of its text
QSet<int> g_renamed;    // the cells that told a change of their name
QList<int> g_focused;   // the cells focused, as column * 10 + row; a menu command as -1 - index
void RecordEvent(QAccessibleEvent* event) {
    if (event->type() == QAccessible::TextUpdated || event->type() == QAccessible::TextInserted)
        g_told << event->object();
    if (event->type() == QAccessible::NameChanged)
        g_renamed << event->child();
    auto* widget = qobject_cast<QWidget*>(event->object());  // a reader heeds what has the focus
    if (event->type() == QAccessible::Focus && event->child() >= 0 && widget->hasFocus())
        g_focused << (qobject_cast<QMenuBar*>(event->object())
                          ? -1 - event->child()
                          : (event->child() % 9 + 1) * 10 + event->child() / 9 + 1);
}

constexpr auto Iface = &QAccessible::queryAccessibleInterface;

struct ActiveGame : GameDriver {  // the main window with the keys
    ActiveGame() { QApplication::setActiveWindow(&window); }
};

QString Said(GameDriver& g) {  // the last message spoken
    return LastAnnouncement(&g.window);
}

// The cursor to (x, y) by arrow keys, each step a focus event of its cell; then Enter or Return.
void KeyTo(GameDriver& g, int x, int y) {
    auto* board = g.window.BoardWidget();
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
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 20000);
    }
    void init() { ResetSharedState(); }

    // The focused cell is the cursor's; boxes and cells tell a change when, and only when, made.
    void theRecordedGameByKeys() {
        ActiveGame g;
        auto* board = g.window.BoardWidget();
        QVERIFY(board->hasFocus());
        const QList<TextControl*> boxes{&g.window.ResultBox(0), &g.window.MovesBox(),
                                        &g.window.MessagePanel()};
        const QStringList trace = ReadTrace();
        auto texts = [&] {  // of the boxes, then of the cells
            QStringList texts;
            for (TextControl* box : boxes)
                texts << box->Text();
            for (int i = 0; i < 81; ++i)
                texts << Iface(board)->child(i)->text(QAccessible::Name);
            return texts;
        };
        auto act = [&](CellPos c, QChar) {
            const QStringList before = texts();
            g_told.clear(), g_renamed.clear();
            KeyTo(g, c.x, c.y);
            const QStringList after = texts();
            if (after[0] != before[0])  // a line cleared
                QVERIFY2(Said(g).contains("score " + after[0] + "."), qPrintable(Said(g)));
            for (int i = 0; i < after.size(); ++i)
                QCOMPARE(i < 3 ? g_told.contains(dynamic_cast<QObject*>(boxes[i]))
                               : g_renamed.contains(i - 3),
                         after[i] != before[i]);
            QVERIFY(Iface(board)->focusChild()->state().focused);
            QCOMPARE(Iface(board)->focusChild(), Iface(board)->tableInterface()->cellAt(
                                                     board->CursorY() - 1, board->CursorX() - 1));
        };
        QCOMPARE(Replay(g, trace, act), trace);
    }

    // The menu bar takes the keys, its first command current; Alt inside Alt+S does not.
    void theMenuBarTakesTheKeys_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("lone Alt") << Qt::Key_Alt;
        QTest::newRow("F10") << Qt::Key_F10;
        QTest::newRow("Alt inside Alt+S") << Qt::Key_S;
    }
    void theMenuBarTakesTheKeys() {
        QFETCH(Qt::Key, key);
        ActiveGame g;
        auto* bar = g.window.MenuBar();
        auto* board = g.window.BoardWidget();
        if (key == Qt::Key_S) {  // Start, then a lone Alt as ever
            g.rt.ScriptRandom(std::vector<double>(9, 0.5));
            QTest::keyPress(board, key, Qt::AltModifier);
            QTest::keyClick(board, Qt::Key_Alt);
            QTest::keyRelease(board, key);
            QCOMPARE(QApplication::focusWidget(), board);
            key = Qt::Key_Alt;
        }
        g_focused.clear();
        QTest::keyClick(board, key);
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), bar);
        QCOMPARE(g_focused, QList<int>{-1});  // told to a screen reader
        QTest::keyClick(bar, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), board);
        QCOMPARE(g.rt.endCount, 0);
    }

    // Each menu command, and F1, shows its window; then the board's cell has the focus again.
    void theCommandsGiveTheKeysBack_data() {
        QTest::addColumn<int>("command");  // in the menu bar; -1 F1
        QTest::addColumn<QString>("window");
        QTest::newRow("Player") << 0 << "Players List";
        QTest::newRow("Zoom") << 1 << "Zoom";
        QTest::newRow("About") << 2 << "Rules and options.";
        QTest::newRow("F1") << -1 << "Keys";
    }
    void theCommandsGiveTheKeysBack() {
        QFETCH(int, command);
        ActiveGame g;
        ModalScript script;
        g_focused.clear();
        if (command < 0)
            QTest::keyClick(g.window.BoardWidget(), Qt::Key_F1);
        else
            g.window.MenuBar()->actions().at(command)->trigger();
        for (const Message& m : g.rt.messages)
            script.shown << m.title;
        QTEST(script.shown.join(','), "window");
        QCOMPARE(QApplication::focusWidget(), g.window.BoardWidget());
        QCOMPARE(g_focused, QList<int>{55});
        QCOMPARE(Said(g), QString());  // nothing said but the cell
    }

    // After each click every cell names its ball, the selected one marked so.
    void theCellsNameWhatLiesThere() {
        GameDriver g;
        g.Start({5, 4, 1}, {P(1, 1), P(3, 4), P(9, 9)}, {6, 2, 3});
        g.Drops(Board, {P(1, 9), P(4, 9)});
        g.rt.ScriptRandom({0.99});  // the last free cell
        g.Kinds({1, 1, 1});
        const QString colours[] = {"", "red", "green", "blue", "yellow", "cyan", "pink"};
        auto* table = Iface(g.window.BoardWidget());
        auto* grid = table->tableInterface();
        for (auto [click, selected] :
             {std::pair{P(3, 4), P(3, 4)}, {P(1, 1), P(1, 1)}, {P(2, 1), CellPos{}}}) {
            g.Release(click.x, click.y);
            for (int y = 1; y <= 9; ++y) {
                for (int x = 1; x <= 9; ++x) {
                    QString want = QString("row %1, column %2: ").arg(y).arg(x);
                    want += Board(x, y) ? colours[Board(x, y)] + " ball" : "empty";
                    want += selected == P(x, y) ? ", selected" : "";
                    auto* cell = grid->cellAt(y - 1, x - 1);
                    QCOMPARE(cell->text(QAccessible::Name), want);
                    const QPoint middle = cell->rect().center();
                    QCOMPARE(table->childAt(middle.x(), middle.y()), cell);
                    auto* place = cell->tableCellInterface();
                    QCOMPARE(QPoint(place->columnIndex(), place->rowIndex()), QPoint(x - 1, y - 1));
                    QCOMPARE(QSize(place->columnExtent(), place->rowExtent()), QSize(1, 1));
                    QVERIFY(!place->isSelected());  // the name says it, once
                }
            }
        }
    }

    // Each object a reader reaches is the child its parent names, the spoken messages last in
    // their window; every window has a title, every control that takes the keys a name.
    void theTreeAnswersAlikeEveryWay() {
        ActiveGame g;
        g.Start({1, 2, 3}, {P(1, 5), P(5, 2), P(3, 3)}, {4, 5, 6});
        auto* app = Iface(qApp);
        const int shown = app->childCount();
        ZoomWindow zoom(&g.window);
        zoom.show();
        QCOMPARE(app->childCount(), shown + 1);
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            for (int i = 0; i < node->childCount(); ++i) {
                auto* child = node->child(i);
                QVERIFY2(child, qPrintable(node->text(QAccessible::Name)));
                QCOMPARE(node->indexOfChild(child), i);
                if (node != app)  // a window's parent is the window it belongs to
                    QCOMPARE(child->parent(), node);
                walk(child);
            }
            QCOMPARE(node->child(node->childCount()), nullptr);
        };
        walk(app);
        for (Control* c : g.window.Controls())  // the game's boxes only show
            if (auto* w = dynamic_cast<QWidget*>(c); dynamic_cast<TextControl*>(c))
                QVERIFY2(Iface(w)->state().readOnly, qPrintable(w->accessibleName()));
        auto* window = Iface(&g.window);
        auto* said = window->child(window->childCount() - 1);
        QCOMPARE(said->child(0)->child(0)->text(QAccessible::Name), Said(g));
        zoom.hide();
        QCOMPARE(app->childCount(), shown);
        PlayersListWindow list(&g.window);
        NewPlayerWindow welcome(list);
        TitleWindow title(g.window);
        for (QWidget* window : QWidgetList{&g.window, &list, &welcome, &zoom, &title}) {
            QVERIFY(!Iface(window)->text(QAccessible::Name).isEmpty());
            for (QWidget* w : window->findChildren<QWidget*>())
                if (w->isVisibleTo(window) && w->focusPolicy() != Qt::NoFocus &&
                    !qobject_cast<QComboBox*>(w->parent()))  // the combo box's own text box
                    QVERIFY2(!Iface(w)->text(QAccessible::Name).trimmed().isEmpty(),
                             w->metaObject()->className());
        }
    }

    // The move that fills the board is told before the "Game over" box, the result after it.
    void theLastMoveIsToldBeforeTheGameOverBox() {
        ActiveGame g;
        g.Start({1, 1, 1}, {P(1, 1), P(2, 1), P(3, 1)}, {4, 5, 6});
        for (int y = 1; y <= 9; ++y)  // no five alike in any line
            for (int x = 1; x <= 9; ++x)
                Board(x, y) = y > 1 || x > 3 ? (x + 2 * y) % 6 + 1 : 0;
        g.Redraw();
        Grid after = Board;
        after(4, 1) = 0;
        after(3, 1) = 1;
        g.Drops(after, {P(1, 1), P(2, 1), P(4, 1)});
        g.Kinds({1, 2, 3});
        QString atBox;
        g.rt.onMessage = [&](const Message&) { atBox = Said(g); };
        g.Release(4, 1);
        g.Release(3, 1);
        QCOMPARE(g.rt.messages.back().title, "STOP");
        QVERIFY2(atBox.startsWith("Moved to row 1, column 3. New balls: yellow at row 1"),
                 qPrintable(atBox));
        QCOMPARE(Said(g), "Game over.");
    }

    // The board's letters tell and leave the cursor, by the key's place in a Cyrillic layout.
    void theLettersTellInAnyLayout() {
        ActiveGame g;
        g_renamed.clear();
        g.Start({1, 2, 3}, {P(1, 5), P(9, 5), P(3, 3)}, {1, 5, 6});
        QCOMPARE(g_renamed, QSet<int>({36, 44, 20}));  // the new balls' cells told
        QCOMPARE(Said(g),
                 "Game started. New balls: blue at row 3, column 3; red at row 5, column 1; green "
                 "at row 5, column 9. Next: red, cyan, pink.");
        auto* board = g.window.BoardWidget();
        g.window.NameBox(1).SetText("Ann"), g.window.ResultBox(1).SetText("120");  // the best
        g.Release(1, 5);
        for (auto [key, scan, said] :
             {std::tuple{Qt::Key_F, 41, "Free cells: 78."},
              {Qt::Key(0x422), 57, "Next: red, cyan, pink."},
              {Qt::Key_R, 27, "Row 5: selected red in column 1, green in column 9."},
              {Qt::Key_C, 54, "Column 1: selected red in row 5."},
              {Qt::Key_B, 56, "Selected: red ball at row 5, column 1."},
              {Qt::Key_S, 39, "Score 0, moves 1. Your best: 0. Best of all: 120, Ann."}}) {
            QKeyEvent press(QEvent::KeyPress, key, {}, scan, 0, 0, QString(QChar(key)).toLower());
            QApplication::sendEvent(board, &press);
            QCOMPARE(Said(g), said);
        }
        QCOMPARE(board->CursorX() * 10 + board->CursorY(), 15);
        auto* next = Iface(g.window.PreviewWidget());
        QCOMPARE(next->text(QAccessible::Name) + ": " + next->text(QAccessible::Description),
                 "Next balls: red, cyan, pink");
        for (auto [key, at] : {std::pair{Qt::Key_End, 95},
                               {Qt::Key_Home, 15},
                               {Qt::Key_PageUp, 11},
                               {Qt::Key_PageDown, 19}}) {
            QTest::keyClick(board, key);
            QCOMPARE(board->CursorX() * 10 + board->CursorY(), at);
        }
        g.ClickStartStop();
        QCOMPARE(Said(g), "Game over.");
    }

    void theCursorIsDrawnOverThePictureOnly_data() {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("kind");  // under the cursor: -1 before Start, 0 none, 7 selected
        for (float zoom : {1.0f, 2.0f, 3.0f})
            for (int kind : {-1, 0, 1, 7})
                QTest::addRow("1:%g kind %d", zoom, kind) << zoom << kind;
    }
    // The frame shows from a key on the board to the next click, on the cell's edges, never a ball.
    void theCursorIsDrawnOverThePictureOnly() {
        QFETCH(float, zoom);
        QFETCH(int, kind);
        ActiveGame g;
        if (kind >= 0)
            g.Start({1, 1, 1}, {P(1, 1), P(1, 2), P(1, 3)}, {1, 1, 1});
        Zoom = zoom;
        g.window.BoardPicture().Clear();
        if (kind > 0)
            Board(4, 4) = std::int16_t(kind == 7 ? 3 : kind);
        g.Redraw();
        auto* board = g.window.BoardWidget();
        board->SetCursor(2, 4);
        QCOMPARE(board->Painted(), board->GetCanvas().Image());  // no frame before a key
        QTest::keyClick(board, Qt::Key_Right);
        if (kind == 7) {
            g.Release(4, 4);
            QCOMPARE(board->Painted(), board->GetCanvas().Image());
            QTest::keyClick(board, Qt::Key_Up);
        }
        QTest::keyClick(board, kind == 7 ? Qt::Key_Down : Qt::Key_Right);
        const QImage drawn = board->GetCanvas().Image(), shown = board->Painted();
        const QRect cell = board->CellRect(4, 4).translated(-board->contentsRect().topLeft());
        const int reach = cell.width() / 9 + 3;
        const QRect frame = cell.adjusted(-reach, -reach, reach, reach);
        const QList<QRgb> balls{Ball(1), Ball(2), Ball(3), Ball(4), Ball(5), Ball(6)};
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != drawn.pixel(x, y) &&
                    (!frame.contains(x, y) || balls.contains(drawn.pixel(x, y))))
                    QFAIL(qPrintable(QString("changed at %1, %2").arg(x).arg(y)));
        for (QPoint p : {QPoint(cell.left() - 1, cell.center().y()),
                         QPoint(cell.center().x(), cell.bottom() + 1)})
            QCOMPARE(shown.pixel(p), qRgb(0, 0, 0));
        g.window.QuitButtonWidget()->setFocus();  // with the focus elsewhere, no cursor
        QCOMPARE(board->Painted(), drawn);
        QCOMPARE(board->GetCanvas().Image(), drawn);
        board->setFocus(Qt::TabFocusReason);  // reached by the keys: the frame shows
        QVERIFY(board->Painted() != drawn);
    }
};

QTEST_MAIN(TestAccess)
#include "test_access.moc"
