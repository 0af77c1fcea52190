// The main window on a high-density screen: the game runs with QT_SCALE_FACTOR=2 on two offscreen
// screens, a primary one (2 device pixels a logical pixel) and a denser one beside it (3). The
// pictures keep their images at device resolution, what reaches the screen is that image pixel
// for pixel, the layout keeps its proportions in logical pixels, and moving to the denser screen
// redraws the board afresh at the new resolution.
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cmath>

#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/GameState.h"
#include "platform/SystemColors.h"
#include "view/BallColor.h"
#include "view/Layout.h"

using namespace qv;

namespace {

// Runs the events queued so far (no real time passes).
void RunQueued() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The widths of the runs of `rgb` along row y of the image.
QList<int> RunsInRow(const QImage& image, int y, QRgb rgb) {
    QList<int> runs;
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) == rgb) {
            ++run;
        } else if (run > 0) {
            runs << run;
            run = 0;
        }
    }
    if (run > 0)
        runs << run;
    return runs;
}

int CountPixels(const QImage& image, QRgb rgb) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == rgb;
    }
    return n;
}

// Puts two balls on the board and draws them as the layout pass does.
void PlaceBalls() {
    Board(3, 4) = 1;
    Board(7, 2) = 6;
    LayoutMainWindow();
}

}  // namespace

class TestHiDpi : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void picturesKeepTheirImagesAtDeviceResolution() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        QCOMPARE(form.devicePixelRatioF(), 2.0);
        for (vb::PictureBox* box : {form.Picture1Box(), form.Picture2Box()}) {
            const vb::Canvas& canvas = box->GetCanvas();
            QCOMPARE(canvas.DevicePixelRatio(), 2.0);
            QCOMPARE(canvas.LogicalSize(), box->contentsRect().size());
            QCOMPARE(canvas.Image().size(), box->contentsRect().size() * 2);
            QCOMPARE(canvas.Image().devicePixelRatio(), 2.0);
        }
    }

    void layoutKeepsItsProportionsInLogicalPixels() {
        // The same numbers as on a screen of normal density: 1:2 of a 1024 x 768 screen.
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        QCOMPARE(form.frameGeometry().size(), QSize(480, 384));
        QCOMPARE(form.Picture1Box()->width(), form.Picture1Box()->height());
        QCOMPARE(form.Picture1Box()->height(), qRound(0.81 * 384));
        QCOMPARE(BallSize, 27);
        const QRect quit = form.QuitButton()->geometry();
        const QRect board = form.Picture1Box()->geometry();
        QCOMPARE(quit.bottom(), board.bottom());
        // Fonts keep their point sizes; Qt draws them at the device's resolution.
        QCOMPARE(form.Text1Box(0)->font().pointSizeF(), 9.0);
    }

    void gridLinesAndBallsAreDrawnInDevicePixels() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        PlaceBalls();
        const vb::Canvas& canvas = form.Picture1Box()->GetCanvas();
        const QImage& img = canvas.Image();
        const QRgb line = vb::ResolveColor(GridLineColor).rgb();

        // A row through the middle of a cell crosses the eight inner lines, each one a logical
        // pixel wide: two device pixels, starting where the cell boundary falls in device pixels.
        const int row = static_cast<int>(canvas.DeviceY(0.5));
        QCOMPARE(RunsInRow(img, row, line).mid(0, 8), QList<int>(8, 2));
        for (int k = 1; k <= 8; ++k) {
            const int x = static_cast<int>(std::floor(canvas.DeviceX(k)));
            QCOMPARE(img.pixel(x, row), line);
            QCOMPARE(img.pixel(x + 1, row), line);
            QVERIFY(img.pixel(x - 1, row) != line);
        }

        // A ball of 27 logical pixels is 54 device pixels across.
        const QRgb red = vb::ResolveColor(BallColor(1)).rgb();
        const int centreRow = static_cast<int>(std::floor(canvas.DeviceY(3.5)));
        QCOMPARE(RunsInRow(img, centreRow, red), QList<int>{54});
        const double area = 3.14159265 * 54 * 54 / 4;
        const int n = CountPixels(img, red);
        QVERIFY2(std::abs(n - area) < 0.03 * area, qPrintable(QString::number(n)));

        // Erasing with a dot of the board's colour leaves nothing of the ball at device level.
        form.Picture1().SetDrawWidth(BallSize);
        form.Picture1().PSet(2.5, 3.5, BoardBackColor);
        QCOMPARE(CountPixels(img, red), 0);
    }

    void whatReachesTheScreenIsTheImagePixelForPixel() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        PlaceBalls();
        vb::PictureBox* box = form.Picture1Box();
        const QPixmap shot = box->grab();
        QCOMPARE(shot.devicePixelRatio(), 2.0);
        const QRect contents = box->contentsRect();
        QImage shown = shot.toImage()
                           .copy(QRect(contents.topLeft() * 2, contents.size() * 2))
                           .convertToFormat(QImage::Format_RGB32);
        QImage kept = box->GetCanvas().Image().convertToFormat(QImage::Format_RGB32);
        shown.setDevicePixelRatio(1.0);
        kept.setDevicePixelRatio(1.0);
        QCOMPARE(shown.size(), kept.size());
        QVERIFY2(shown == kept, "the picture is not shown pixel for pixel");
    }

    void changingScreensRedrawsTheBoardAtTheNewDensity() {
        QScreen* normal = nullptr;
        QScreen* dense = nullptr;
        for (QScreen* screen : QGuiApplication::screens())
            (screen->name() == QLatin1String("dense") ? dense : normal) = screen;
        QVERIFY(normal != nullptr && dense != nullptr);
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        PlaceBalls();
        QCOMPARE(form.Picture1Box()->GetCanvas().DevicePixelRatio(), 2.0);

        // A screen wide enough that the centred window lands on the dense screen: the layout
        // pass moves the window there and draws at the new density right away.
        vb::SetScreenOverride(vb::ScreenOverride{5120, 768, 96.0});
        LayoutMainWindow();
        RunQueued();
        QCOMPARE(form.screen(), dense);
        ExpectCrispBoard(form, 3);

        // Moved back by the window system, without a resize: the next paint finds the pictures
        // at the old density, starts them afresh and has the window lay out and draw again
        // (the layout pass sets the ball size again).
        vb::SetScreenOverride(vb::ScreenOverride{1024, 768, 96.0});
        BallSize = 0;
        form.move(100, 100);
        form.Picture1Box()->update();
        RunQueued();
        QCOMPARE(form.screen(), normal);
        QCOMPARE(BallSize, 27);
        ExpectCrispBoard(form, 2);
    }

  private:
    // The grid, a red and a pink ball and the preview, all drawn at the given density.
    static void ExpectCrispBoard(Form1& form, int density) {
        for (vb::PictureBox* box : {form.Picture1Box(), form.Picture2Box()}) {
            QCOMPARE(box->GetCanvas().DevicePixelRatio(), density);
            QCOMPARE(box->GetCanvas().Image().size(), box->contentsRect().size() * density);
        }
        const vb::Canvas& canvas = form.Picture1Box()->GetCanvas();
        const QImage& img = canvas.Image();
        const QRgb line = vb::ResolveColor(GridLineColor).rgb();
        const QList<int> runs = RunsInRow(img, static_cast<int>(canvas.DeviceY(0.5)), line);
        QCOMPARE(runs.mid(0, 8), QList<int>(8, density));
        const QRgb red = vb::ResolveColor(BallColor(1)).rgb();
        const QRgb pink = vb::ResolveColor(BallColor(6)).rgb();
        QCOMPARE(RunsInRow(img, static_cast<int>(std::floor(canvas.DeviceY(3.5))), red),
                 QList<int>{27 * density});
        QCOMPARE(RunsInRow(img, static_cast<int>(std::floor(canvas.DeviceY(1.5))), pink),
                 QList<int>{27 * density});
    }
};

int main(int argc, char* argv[]) {
    // Two screens side by side; Qt's own scale factor doubles both.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [
        {"name": "normal", "x": 0, "y": 0, "width": 2048, "height": 1536,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "dense", "x": 2048, "y": 0, "width": 3072, "height": 2304,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.5}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hidpi.moc"
