// The main window and what it shows: dots erased exactly, balls told apart, names shown as text,
// the layout by its relations at every scale, the keys, Quit and closing, the About box, and the
// title window's hand-over.
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "GameDriver.h"
#include "PlayersFixtures.h"
#include "app/frmLabel.h"
#include "platform/WidgetRuntime.h"
#include "players/PlayersFileLock.h"

using namespace qv;
using namespace qvtest;

class TestWindows : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ResetSharedState();
        SetPlayersFileLockTimeout(0);
    }

    // Six kinds, six colours, none of them the board's or its grid's.
    void theBallsAreSixColoursApart() {
        GameDriver g;
        QSet<QRgb> colours{g.Rgb(BoardBackColor), g.Rgb(GridLineColor)};
        for (int kind = 1; kind <= 6; ++kind)
            colours << g.Ball(kind);
        QCOMPARE(colours.size(), 8);
    }

    // The players and their results shown as text, never as markup, also in the real message box
    // that says a result could not be stored.
    void thePlayersAreShownAsText() {
        const QString bold = "<b>x</b>", image = "<img src=/etc/passwd>";
        GameDriver g(Records({Player(image, 90), Player(bold, 4)}));
        QCOMPARE((QStringList{g.form.Text1Box(0)->displayText(), g.form.Text2(0).Text(),
                              g.form.Text1Box(1)->displayText(), g.form.Text2(1).Text()}),
                 (QStringList{bold, "4", image, "90"}));
        vb::InstallWidgetRuntime();
        QVERIFY(QFile::remove(g.rt.PlayersFile()) && QDir().mkpath(g.rt.PlayersFile()));
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

    // At every scale the window is centred, 5 : 4 and the screen's height over the scale; the
    // board square; everything else right of it and within the window's outer size, by which
    // the columns are measured (give or take a pixel); the preview under the
    // message panel, each half of the height down to Quit, whose bottom is level with the
    // board's; the three next balls side by side in the middle of the preview.
    void theLayoutKeepsItsRelationsAtEveryScale() {
        GameDriver g;
        Form1& f = g.form;
        NextBalls = {1, 2, 3};
        for (float zoom : {1.0f, 1.5f, 2.0f, 2.5f, 3.0f}) {
            Zoom = zoom;
            g.Redraw();
            auto near = [](double a, double b) { return std::abs(a - b) <= 15; };  // a pixel
            const vb::Window& w = f.Window();
            QVERIFY(near(w.Left() * 2 + w.Width(), 15360) && near(w.Top() * 2 + w.Height(), 11520));
            QVERIFY(near(w.Width(), w.Height() * 1.25) && near(w.Height() * zoom, 11520));
            const vb::Control &board = f.Picture1(), &quit = f.Command1(1), &message = f.txtMess(),
                              &preview = f.Picture2();
            QCOMPARE(f.Picture1Box()->size().width(), f.Picture1Box()->size().height());
            for (vb::Control* c : f.Controls()) {
                const auto* w = dynamic_cast<QWidget*>(c);
                QVERIFY(QRect({}, f.frameGeometry().size() + QSize(1, 1)).contains(w->geometry()) &&
                        (w == f.Picture1Box() || w->x() > f.Picture1Box()->geometry().right()));
            }
            QVERIFY(preview.Left() == message.Left() && preview.Width() == message.Width());
            QVERIFY(near(preview.Top(), message.Top() + message.Height()) &&
                    near(preview.Height(), message.Height()) &&
                    near(preview.Top() + preview.Height(), quit.Top()));
            QVERIFY(near(quit.Top() + quit.Height(), board.Top() + board.Height()));
            const QImage& p = f.Picture2Box()->GetCanvas().Image();
            auto ball = [&p](int x) { return p.pixel(x, p.height() / 2) != p.pixel(0, 0); };
            QList<int> centres;  // of the balls along the preview's middle row
            for (int x = 1, from = 0; x < p.width(); ++x)
                if (ball(x) != ball(x - 1))
                    ball(x) ? void(from = x) : centres.append((from + x - 1) / 2);
            QCOMPARE(centres.size(), 3);
            QVERIFY(std::abs(centres[1] * 2 - p.width()) <= 2 &&
                    std::abs(centres[2] + centres[0] - 2 * centres[1]) <= 2);
        }
    }

    // The desktop turns dark while the game runs, and the game starts on a dark desktop: no text
    // of the main window, the player list and a message box is less readable than the least
    // readable on a light desktop (the contrast of WCAG 2, of the palette roles texts use).
    void everyTextIsAsReadableOnADarkDesktop() {
        auto luminance = [](const QColor& c) {
            double sum = 0.05;
            for (auto [v, w] :
                 {std::pair{c.redF(), 0.2126}, {c.greenF(), 0.7152}, {c.blueF(), 0.0722}})
                sum += w * (v <= 0.04 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
            return sum;
        };
        auto contrasts = [&](QWidget* window, QList<double>& found) {
            for (QWidget* w : window->findChildren<QWidget*>()) {
                const QPalette& p = w->palette();
                for (auto [fore, back] : {std::pair{QPalette::WindowText, QPalette::Window},
                                          {QPalette::Text, QPalette::Base},
                                          {QPalette::ButtonText, QPalette::Button}}) {
                    const double a = luminance(p.color(fore)), b = luminance(p.color(back));
                    found << std::max(a, b) / std::min(a, b);
                }
            }
        };
        auto everyWindow = [&](GameDriver& g) {
            QList<double> found;
            contrasts(&g.form, found);
            ModalScript script;
            script.Then([&](vb::Dialog& d) { contrasts(&d, found); });
            g.form.MenuBar()->actions().at(0)->trigger();
            vb::InstallWidgetRuntime();
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    contrasts(box, found), box->accept();
            });
            g.form.MenuBar()->actions().at(2)->trigger();
            return found;
        };
        const QPalette light = QApplication::palette();
        GameDriver g(Records({Player("Ann", 120)}));
        const QList<double> before = everyWindow(g);
        const QColor text(240, 240, 240), face(50, 50, 50);
        QApplication::setPalette(QPalette(text, face, face.lighter(150), QColor(33, 33, 33),
                                          face.lighter(120), text, text, QColor(36, 36, 36), face));
        const QList<double> switched = everyWindow(g);
        GameDriver fresh(Records({Player("Ann", 120)}));
        const QList<double> started = everyWindow(fresh);
        QApplication::setPalette(light);
        auto least = [](const QList<double>& l) { return *std::min_element(l.begin(), l.end()); };
        QVERIFY(least(switched) >= least(before) - 0.005 &&
                least(started) >= least(before) - 0.005);
    }

    void escapeAndQuitEndTheProgramSpaceMinimizesAndRestoresAndCloseEnds() {
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        g.form.Text1Box(0)->setFocus();
        QTest::keyClick(g.form.Text1Box(0), Qt::Key_Escape);  // seen before the focused box
        QCOMPARE(g.rt.endCount, 1);
        QTest::mouseClick(g.form.QuitButton(), Qt::LeftButton);
        QCOMPARE(g.rt.endCount, 2);
        g.form.Picture1Box()->setFocus();
        for (auto [key, state] : {std::pair{Qt::Key_Space, vb::WindowState::Minimized},
                                  {Qt::Key_Space, vb::WindowState::Normal},
                                  {Qt::Key_A, vb::WindowState::Normal}}) {
            QTest::keyClick(g.form.Picture1Box(), key);
            QCOMPARE(g.form.Window().State(), state);
        }
        g.form.close();
        QCOMPARE(g.rt.endCount, 3);
    }

    // The rules in a box of their own, during a game too, its lines broken by CR LF alone.
    void theAboutBoxChangesNothing() {
        GameDriver g;
        g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        const Grid before = Board;
        g.rt.ClearRecords();
        static_cast<vb::MenuAction&>(g.form.mnuAbout()).Action()->trigger();
        QVERIFY(g.rt.events.size() == 1 && g.rt.messages[0].icon == vb::MsgIcon::None);
        const QString& text = g.rt.messages[0].text;
        QVERIFY(text.count("\r\n") > 10 && text.count('\n') == text.count("\r\n"));
        QVERIFY(GameInProgress && Board == before);
    }

    // The title is typed a letter a wait, the waves of dots follow; then the main window is shown
    // and the title hidden, once.
    void theTitleTypesRunsThreeWavesAndHandsOverOnce() {
        TestRuntime rt;
        Form1 form;
        frmLabel title(form);
        QStringList texts;
        vb::CurrentRuntimeHooks().wait = [&, wait = vb::CurrentRuntimeHooks().wait](double s) {
            wait(s);
            texts << (title.Text1()->Visible() ? title.Text1()->Text() : "-");
        };
        title.Show();
        QVERIFY(!form.isVisible());
        // Started once the window system shows the window: a compositor may take a moment.
        QTRY_VERIFY_WITH_TIMEOUT(!title.isVisible(), 10000);
        QVERIFY(form.isVisible() && form.Loaded() && texts.size() > 60);
        const qsizetype typed = texts.indexOf("-") - 1;
        for (qsizetype i = 1; i < typed; ++i)
            QVERIFY(texts[i].size() == i + 1 && texts[i].startsWith(texts[i - 1]));
        QVERIFY(texts[typed].contains("QUILVARO") && texts[typed] == texts[typed - 1]);
        form.hide();  // shown again, nothing runs again
        const qsizetype waits = rt.waits.size();
        title.Show();
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        QVERIFY(rt.waits.size() == std::size_t(waits) && !form.isVisible());
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
