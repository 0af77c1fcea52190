// The main window: the balls told apart, the layout by its relations at every scale, the keys,
// Quit and closing.

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "GameDriver.h"
#include "PlayersFixtures.h"
#include "app/frmLabel.h"
#include "platform/WidgetRuntime.h"

using namespace qv;
using namespace qvtest;

class TestWindows : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    // At every scale the window is centred, 5 : 4 and the screen's height over the scale; the
    // board square; everything else right of it and within the window's outer size, by which
    // the columns are measured (give or take a pixel); the preview under the message panel, each
    // half of the height down to Quit, whose bottom is level with the board's; the three next
    // balls side by side in the middle of the preview; a ball and the selected one, grown, inside
    // their cells, also on a screen too small for the balls of the scale (960 x 540, as a
    // 1920 x 1080 one at a scale factor of 2), which are then made smaller.
    void theLayoutKeepsItsRelationsAtEveryScale() {
        GameDriver g;
        // Six kinds, six colours and names, none the board's colour, its grid's or black.
        QSet<QRgb> colours{g.Rgb(BoardBackColor), g.Rgb(GridLineColor), qRgb(0, 0, 0)};
        QSet<QString> names{""};
        for (int kind = 1; kind <= 6; ++kind)
            colours << g.Ball(kind), names << BallColorName(Integer(kind));
        QVERIFY(colours.size() == 9 && names.size() == 7);
        Form1& f = g.form;
        QImage blank = f.Picture2Box()->GetCanvas().Image().copy();  // no next balls yet
        blank.fill(blank.pixel(0, 0));
        QCOMPARE(f.Picture2Box()->GetCanvas().Image(), blank);
        NextBalls = {1, 2, 3};
        Board(1, 1) = Board(2, 9) = 2;
        Board(8, 5) = 1;
        Board(SelectedX = 9, SelectedY = 5) = 3;
        BallSelected = true;
        for (const auto& [width, height] : {std::pair{1024, 768}, {960, 540}}) {
            vb::SetScreenOverride(vb::ScreenOverride{width, height, 96.0});
            int largest = 0;
            for (float zoom : {1.0f, 1.5f, 2.0f, 2.5f, 3.0f}) {
                Zoom = zoom;
                f.Picture1().SetBackColor(BoardBackColor);  // as in a game
                f.Picture1().Cls();                         // as a new scale does
                g.Redraw();
                auto near = [](double a, double b) { return std::abs(a - b) <= 15; };  // a pixel
                const vb::Window& w = f.Window();
                QVERIFY(near(w.Left() * 2 + w.Width(), width * 15) &&
                        near(w.Top() * 2 + w.Height(), height * 15));
                QVERIFY(near(w.Width(), w.Height() * 1.25) && near(w.Height() * zoom, height * 15));
                const vb::Control &board = f.Picture1(), &quit = f.Command1(1),
                                  &message = f.txtMess(), &preview = f.Picture2();
                QVERIFY(f.Picture1Box()->width() == f.Picture1Box()->height() &&
                        f.Picture1Box()->x() > 0 && f.Picture1Box()->y() > 0 && g.DrawnAfresh());
                QVERIFY(near(message.Left() + message.Width(), w.Width()));
                QList<QRect> placed;
                for (vb::Control* c : f.Controls()) {
                    const QWidget* widget = dynamic_cast<QWidget*>(c);
                    const QRect r = widget->geometry();
                    QVERIFY(widget->fontMetrics().height() <= r.height());  // the text fits
                    QVERIFY(QRect({}, f.frameGeometry().size() + QSize(1, 1)).contains(r) &&
                            (c == &board || r.x() > f.Picture1Box()->geometry().right()));
                    for (const QRect& other : placed)
                        QVERIFY(!r.intersects(other));
                    placed << r;
                }
                QVERIFY(preview.Left() == message.Left() && preview.Width() == message.Width());
                QVERIFY(near(preview.Top(), message.Top() + message.Height()) &&
                        near(preview.Height(), message.Height()) &&
                        near(preview.Top() + preview.Height(), quit.Top()));
                QVERIFY(near(quit.Top() + quit.Height(), board.Top() + board.Height()) &&
                        std::abs(quit.Left() * 2 + quit.Width() - message.Left() * 2 -
                                 message.Width()) <= 60);  // centred under it, give or take
                // Where a ball's colour runs along the middle row of a picture: its doubled centre
                // and its width.
                auto ball = [](const QImage& image, int kind) {
                    int first = -1, last = -1;
                    for (int x = 0; x < image.width(); ++x)
                        if (image.pixel(x, image.height() / 2) == GameDriver::Ball(kind))
                            last = x, first = first < 0 ? x : first;
                    return QPoint(first + last, last - first + 1);
                };
                const QImage &p = f.Picture2Box()->GetCanvas().Image(),
                             &b = f.Picture1Box()->GetCanvas().Image();
                const QPoint left = ball(p, 1), middle = ball(p, 2), right = ball(p, 3);
                const int size = ball(b, 1).y(), grown = ball(b, 3).y();
                QVERIFY(std::abs(middle.x() - p.width()) <= 2 &&
                        std::abs(left.x() + right.x() - 2 * middle.x()) <= 4);
                QVERIFY(grown > size && grown <= b.width() / 9.0 && middle.y() < size &&
                        2 * middle.y() > size);
                largest = largest ? largest : size;
                QVERIFY(height == 540 || std::abs(size * zoom - largest) <= zoom);
            }
        }
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

    // The players are shown as text, never as markup (an image tag could load any file), also in
    // the real message box that says a result could not be stored.
    void thePlayersAreShownAsText() {
        const QString bold = "<b>x</b>", image = "<img src=/etc/passwd>";
        GameDriver g(Records({Player(image, 90), Player(bold, 4)}));
        QCOMPARE(g.form.Text1Box(0)->displayText() + g.form.Text1Box(1)->displayText(),
                 bold + image);
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

    // The title hands over to the main window once; what loading the players file has to say
    // is said over the main window after that, not over the title.
    void aStartUpMessageIsSaidOverTheMainWindowAfterTheTitle() {
        TestRuntime rt;
        Form1 form;
        frmLabel title(form);
        QVERIFY(WriteWholeFile(rt.PlayersFile(), QByteArray("no players here\r\n").repeated(9)));
        bool overMain = false;
        rt.onMessage = [&](const Message&) { overMain = form.isVisible() && !title.isVisible(); };
        title.Show();
        QTRY_VERIFY_WITH_TIMEOUT(!title.isVisible(), 10000);
        QVERIFY(form.isVisible() && form.Loaded());
        QTRY_VERIFY(rt.messages.size() == 1 && overMain);
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
