// The main window: loading, the layout pass against the designed numbers, keys, Quit and closing,
// and the board's pixels.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/GameState.h"
#include "platform/SystemColors.h"
#include "view/Layout.h"

using namespace qv;

namespace {

// Twips read back are whole pixels of 15 twips: a designed value is met within one pixel.
bool Near(double actual, double designed) {
    return std::abs(actual - designed) <= 15.0;
}

#define QCOMPARE_TWIPS(actual, designed) \
    QVERIFY2(Near((actual), (designed)), \
             qPrintable(                 \
                 QStringLiteral("%1 is %2, designed %3").arg(#actual).arg(actual).arg(designed)))

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void opensWithTheGreetingAndThePlayers() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        QCOMPARE(form.windowTitle(), QStringLiteral("QUILVARO   Dremwick"));
        QCOMPARE(
            form.txtMess().Text(),
            QStringLiteral("Hello player!\r\n\r\nLet's begin.\r\n\r\nPress \"Start\" button."));
        QCOMPARE(form.Text1(0).Text(), QString());
        QCOMPARE(form.Text2(0).Text(), QStringLiteral("0"));
        QCOMPARE(form.Text1(1).Text(), QString());
        QCOMPARE(form.Text2(1).Text(), QStringLiteral("0"));
        QCOMPARE(form.Text3().Text(), QStringLiteral("0"));
        QVERIFY(QFile::exists(rt.PlayersFile()));
        QVERIFY(!GameInProgress);
        QStringList captions;
        for (QAction* a : form.MenuBar()->actions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"&Player", "&Zoom", "&About", "&Start"}));
        for (QAction* a : form.MenuBar()->actions())
            QVERIFY(a->menu() == nullptr);
    }

    void layoutForA1024By768ScreenAtOneToTwo() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        vb::Window& w = form.Window();
        QCOMPARE_TWIPS(w.Width(), 7200);
        QCOMPARE_TWIPS(w.Height(), 5760);
        QCOMPARE_TWIPS(w.Left(), 4080);
        QCOMPARE_TWIPS(w.Top(), 2880);
        vb::Picture& board = form.Picture1();
        QCOMPARE_TWIPS(board.Width(), 4665.6);
        QCOMPARE_TWIPS(board.Height(), 4665.6);
        QCOMPARE(board.Width(), board.Height());
        QCOMPARE_TWIPS(board.Left(), 72);
        QCOMPARE_TWIPS(board.Top(), 57.6);
        QCOMPARE(board.ScaleWidth(), 9.0);
        const double A = (w.Width() - board.Width() - board.Left()) / 2;
        QCOMPARE_TWIPS(A, 1231.2);
        QCOMPARE_TWIPS(form.Label1(0).Left(), 4737.6);
        QCOMPARE_TWIPS(form.Label1(1).Left(), 4737.6 + 1231.2);
        // The Quit button's bottom is level with the board's bottom (4723.2).
        QCOMPARE_TWIPS(form.Command1(1).Top() + form.Command1(1).Height(), 4723.2);
        QCOMPARE_TWIPS(form.Command1(1).Height(), 750);
        QCOMPARE_TWIPS(form.Text1(0).Height(), 225);
        // The message panel and the preview share the height down to the Quit button.
        const double panelTop = form.txtMess().Top();
        const double share = form.Command1(1).Top() - panelTop;
        QCOMPARE_TWIPS(form.txtMess().Height(), share / 2);
        QCOMPARE_TWIPS(form.Picture2().Top(), panelTop + form.txtMess().Height());
        QCOMPARE_TWIPS(form.Picture2().Top() + form.Picture2().Height(), form.Command1(1).Top());
        // "Moves" stands 50 / Zoom twips lower than the move count.
        QCOMPARE_TWIPS(form.Label2().Top() - form.Text3().Top(), 25);
        QCOMPARE(BallSize, 27);
        QCOMPARE(PreviewPoints[0], (PointI{1, 2}));
        QCOMPARE(PreviewPoints[2], (PointI{3, 2}));
        QCOMPARE(form.Picture2().ScaleWidth(), 4.0);
    }

    void ballSizeAndWindowOfEveryScale() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        const struct {
            float zoom;
            int ball;
            double height;
        } steps[] = {
            {1, 54, 11520}, {1.5, 36, 7680}, {2, 27, 5760}, {2.5, 22, 4608}, {3, 18, 3840}};
        for (const auto& s : steps) {
            Zoom = s.zoom;
            LayoutMainWindow();
            QCOMPARE(BallSize, s.ball);
            QCOMPARE_TWIPS(form.Window().Height(), s.height);
            QCOMPARE_TWIPS(form.Window().Width(), s.height * 1.25);
            QCOMPARE_TWIPS(form.Window().Left(), (15360 - s.height * 1.25) / 2);
            QCOMPARE_TWIPS(form.Window().Top(), (11520 - s.height) / 2);
            QCOMPARE(form.Picture1().Width(), form.Picture1().Height());
            QCOMPARE_TWIPS(form.Command1(1).Top() + form.Command1(1).Height(),
                           form.Picture1().Top() + form.Picture1().Height());
        }
    }

    void emptyBoardShowsGreyBackgroundAndTheInnerGrid() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        const QImage& img = form.Picture1Box()->GetCanvas().Image();
        const QRgb grey = qRgb(224, 224, 224);
        const QRgb line = vb::ResolveColor(vb::kAppWorkspace).rgb();
        const auto& canvas = form.Picture1Box()->GetCanvas();
        for (int k = 1; k <= 8; ++k) {
            const int pos = static_cast<int>(std::floor(canvas.DeviceY(k)));
            QCOMPARE(img.pixel(img.width() / 2 + 3, pos), line);
            QCOMPARE(
                img.pixel(static_cast<int>(std::floor(canvas.DeviceX(k))), img.height() / 2 + 3),
                line);
        }
        // No line along the top and left edges, and the cells are grey.
        QCOMPARE(img.pixel(img.width() / 2 + 3, 0), grey);
        QCOMPARE(img.pixel(0, img.height() / 2 + 3), grey);
        QCOMPARE(
            img.pixel(static_cast<int>(canvas.DeviceX(0.5)), static_cast<int>(canvas.DeviceY(0.5))),
            grey);
        // The preview is blank before the first game.
        const QImage& preview = form.Picture2Box()->GetCanvas().Image();
        QCOMPARE(preview.pixel(preview.width() / 2, preview.height() / 2),
                 vb::ResolveColor(vb::kButtonFace).rgb());
    }

    void escapeQuitAndCloseEndTheProgram() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        QTest::keyClick(form.Text1Box(0), Qt::Key_Escape);
        QCOMPARE(rt.endCount, 1);
        QTest::mouseClick(form.QuitButton(), Qt::LeftButton);
        QCOMPARE(rt.endCount, 2);
        form.close();
        QCOMPARE(rt.endCount, 3);
    }

    void spaceMinimizesAndRestoresAndRestoringLaysOutAgain() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        QTest::keyClick(form.Picture1Box(), Qt::Key_Space);
        QCOMPARE(form.Window().State(), vb::WindowState::Minimized);
        // Minimised: the pass does nothing at all.
        BallSize = 0;
        LayoutMainWindow();
        QCOMPARE(BallSize, 0);
        QTest::keyClick(form.Picture1Box(), Qt::Key_Space);
        QCOMPARE(form.Window().State(), vb::WindowState::Normal);
        QCOMPARE(BallSize, 27);
        // Other keys do nothing, and keys are not taken from the focused control.
        QTest::keyClick(form.Picture1Box(), Qt::Key_A);
        QCOMPARE(form.Window().State(), vb::WindowState::Normal);
        QCOMPARE(rt.endCount, 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
