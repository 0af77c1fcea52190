// The main window: its layout at every scale on every screen, the keys, Quit and closing.

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "GameDriver.h"
#include "app/TitleWindow.h"
#include "platform/WidgetRuntime.h"

using namespace qv;
using namespace qvtest;
using namespace platform;

class TestWindows : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }
    void cleanup() { QVERIFY(!HasMainControls()); }  // a closed window is let go

    // The layout's relations, give or take a pixel, at every scale on small and large screens.
    void theLayoutKeepsItsRelationsAtEveryScale() {
        GameDriver g;
        MainWindow& f = g.window;
        NextBalls = {1, 2, 3};
        Board(1, 1) = Board(2, 9) = 2;
        Board(8, 5) = 1;
        Board(SelectedX = 9, SelectedY = 5) = 3;
        BallSelected = true;
        for (const auto& [width, height] :
             {std::pair{1024, 768}, {960, 540}, {800, 600}, {1920, 1080}}) {
            SetScreenOverride(ScreenOverride{width, height, 96.0});
            for (float zoom : {1.0f, 1.5f, 2.0f, 2.5f, 3.0f}) {
                Zoom = zoom;
                f.BoardPicture().SetBackgroundColor(BoardBackColor);  // as in a game
                f.BoardPicture().Clear();                             // as a new scale does
                f.BoardWidget()->onDensityChange();
                auto near = [](double a, double b) { return std::abs(a - b) <= 15; };  // a pixel
                const Window& w = f.Window();
                const Control &board = f.BoardPicture(), &message = f.MessagePanel();
                bool inside = true, right = true, apart = true, fits = true;
                QList<QRect> placed;
                for (Control* c : f.Controls()) {
                    const auto* widget = dynamic_cast<QWidget*>(c);
                    const QRect r = widget->geometry();
                    fits &= widget->fontMetrics().height() <= r.height();
                    inside &= QRect({}, f.frameGeometry().size() + QSize(1, 1)).contains(r);
                    right &= c == &board || r.x() > f.BoardWidget()->geometry().right();
                    for (const QRect& other : placed)
                        apart &= !r.intersects(other);
                    placed << r;
                }
                // A ball along a picture's middle row: doubled centre, width.
                auto ball = [](const QImage& image, int kind) {
                    int first = -1, last = -1;
                    for (int x = 0; x < image.width(); ++x)
                        if (image.pixel(x, image.height() / 2) == Ball(kind))
                            last = x, first = first < 0 ? x : first;
                    return QPoint(first + last, last - first + 1);
                };
                const QImage &p = f.PreviewWidget()->GetCanvas().Image(),
                             &b = f.BoardWidget()->GetCanvas().Image();
                const QPoint middle = ball(p, 2);
                const int size = ball(b, 1).y();
                const auto* text = f.findChild<QPlainTextEdit*>();
                const std::pair<const char*, bool> checks[] = {
                    {"centred across", near(w.Left() * 2 + w.Width(), width * 15)},
                    {"centred down", near(w.Top() * 2 + w.Height(), height * 15)},
                    {"5:4", near(w.Width(), w.Height() * 1.25)},
                    {"height", near(w.Height() * zoom, height * 15)},
                    {"a square board", f.BoardWidget()->width() == f.BoardWidget()->height()},
                    {"a margin left of the board", board.Left() > 15},
                    {"messages to edge", near(message.Left() + message.Width(), w.Width())},
                    {"texts fit", fits},
                    {"in the window", inside},
                    {"right of the board", right},
                    {"apart", apart},
                    {"next ball centred", std::abs(middle.x() - p.width()) <= 2},
                    {"preview smaller", middle.y() < size},
                    {"the board drawn afresh", g.DrawnAfresh()},
                    {"greeting shown", text->toPlainText().contains("Start")},
                    {"greeting whole",
                     text->document()->size().height() * text->fontMetrics().lineSpacing() <=
                         text->viewport()->height()},
                };
                const QString at = QString(" on %1x%2 at 1:%3").arg(width).arg(height).arg(zoom);
                for (const auto& [what, ok] : checks)
                    QVERIFY2(ok, qPrintable(what + at));
            }
        }
    }

    // Centred; the title typed letter by letter, waves of dots, each smaller, then the game with
    // the loading's message over it.
    void theTitleAnimatesThenHandsOverToTheGame() {
        TestRuntime rt;
        QVERIFY(QDir().mkpath(rt.PlayersFile()));  // a message to say
        MainWindow main;
        bool over = false;
        rt.onMessage = [&](const Message&) { over = main.isVisible(); };
        TitleWindow title(main);
        QStringList seen;
        QString typed;
        int inked = 0;  // ink at the last wait
        CurrentRuntimeHooks().wait = [&](double s) {
            const QImage& image = title.Surface()->GetCanvas().Image();
            const int w = image.width(), h = image.height();
            int ink = 0;
            QSet<int> cells;  // with a dot in its column's colour
            for (int i = 0; i < w * h; ++i) {
                const int cell = i / w * 6 / h * 6 + i % w * 6 / w;
                if (image.pixel(i % w, i / w) == Ball(cell % 6 + 1))
                    ++ink, cells << cell;
            }
            const QString text = title.NameBox()->isVisible() ? title.NameBox()->Text() : "";
            const int was = std::exchange(inked, ink);
            seen << QString("%1 ").arg(s) + (!text.isEmpty()
                                                 ? text.chopped(1) == typed ? "letter" : text
                                             : ink == 0  ? "none"
                                             : ink > was ? "more"
                                                         : QString("less in %1").arg(cells.size()));
            typed = text.isEmpty() ? typed : text;
        };
        title.Show();
        const Window& w = title.Window();
        QCOMPARE(QList({w.Left() * 2 + w.Width(), w.Top() * 2 + w.Height(), w.Height() * 2,
                        w.Width() * 8}),
                 QList<float>({1024 * 15, 768 * 15, 768 * 15, 768 * 75}));
        QCOMPARE(title.NameBox()->geometry(), title.rect());
        QVERIFY(QTest::qWaitForWindowExposed(&title));
        QApplication::processEvents();
        QStringList want = QStringList(typed.size(), "0.03 letter") << "0.5 " + typed;
        want << QStringList(36, "0.02 more") << QStringList(2, "0.5 less in 36") << "0.5 none";
        QCOMPARE(seen, want);
        QVERIFY(typed.endsWith("2005"));
        QApplication::processEvents();
        QCOMPARE(rt.messages.size(), 1u);
        QCOMPARE(QList({main.isVisible(), title.isVisible(), title.NameBox()->isHidden(), over}),
                 QList({true, false, true, true}));
        QStringList sizes;  // the icon at each size drawn for it
        LoadWindowIcon();
        for (const QSize& size : QApplication::windowIcon().availableSizes())
            sizes << QString("%1.png").arg(size.width());
        sizes.sort();
        QCOMPARE(sizes, QDir(QFINDTESTDATA("../data/icons")).entryList({"*.png"}));
    }

    void escapeQuitAndCloseEndTheProgramSpaceMinimizes() {
        GameDriver g;
        MainWindow& f = g.window;
        QApplication::setActiveWindow(&f);
        QList<QObject*> walked{f.BoardWidget()};  // Tab: the names, the results, the moves, Quit
        const QString shown = f.NameBox(0).Text() + f.ResultBox(0).Text() + f.MovesBox().Text();
        for (f.BoardWidget()->setFocus(); walked.size() < 8; walked << QApplication::focusWidget())
            for (Qt::Key key : {Qt::Key_7, Qt::Key_Tab})  // typed in vain
                QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(f.NameBox(0).Text() + f.ResultBox(0).Text() + f.MovesBox().Text(), shown);
        auto box = [](TextControl& t) { return dynamic_cast<QObject*>(&t); };
        QCOMPARE(walked, QObjectList({f.BoardWidget(), f.NameWidget(0), f.NameWidget(1),
                                      box(f.ResultBox(0)), box(f.ResultBox(1)), box(f.MovesBox()),
                                      f.QuitButtonWidget(), f.BoardWidget()}));
        f.NameWidget(0)->setFocus();
        QTest::keyClick(f.NameWidget(0), Qt::Key_Escape);  // seen before the focused box
        QCOMPARE(g.rt.endCount, 1);
        QTest::mouseClick(f.QuitButtonWidget(), Qt::LeftButton);
        QCOMPARE(g.rt.endCount, 2);
        f.QuitButtonWidget()->setFocus();  // the Space that minimizes does not press it
        for (auto [key, state] : {std::pair{Qt::Key_Space, WindowState::Minimized},
                                  {Qt::Key_Space, WindowState::Normal},
                                  {Qt::Key_A, WindowState::Normal}}) {
            QTest::keyClick(f.QuitButtonWidget(), key);
            QCOMPARE(f.Window().State(), state);
        }
        f.close();
        f.close();
        QCOMPARE(g.rt.endCount, 3);
    }

    // Names are text, never markup (an image tag could load any file), in a real message box too.
    void thePlayersAreShownAsText() {
        const QString bold = "<b>x</b>", image = "<img src=/etc/passwd>";
        GameDriver g(Records({Player(image, 90), Player(bold, 4)}));
        QCOMPARE(g.window.NameWidget(0)->displayText() + g.window.NameWidget(1)->displayText(),
                 bold + image);
        InstallWidgetRuntime();
        QVERIFY(QFile::remove(g.rt.PlayersFile()));
        QVERIFY(QDir().mkpath(g.rt.PlayersFile()));  // a folder: the result cannot be stored
        QStringList plain;
        QTimer::singleShot(0, [&plain] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (QLabel* label : box ? box->findChildren<QLabel*>() : QList<QLabel*>())
                if (label->textFormat() == Qt::PlainText)
                    plain << label->text();
            if (box)
                box->accept();
        });
        CurrentResult = 10;
        QVERIFY(!StoreCurrentResult());
        QVERIFY2(plain.filter("Player: " + bold).size() == 1, qPrintable(plain.join('\n')));
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
