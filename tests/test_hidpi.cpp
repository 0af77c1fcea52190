// The main window with QT_SCALE_FACTOR=2 on two screens of 2 and 3 device pixels a logical pixel:
// the pictures are drawn at device resolution and shown pixel for pixel, the layout keeps its
// proportions, a ball never outgrows its cell, and a move to the other screen draws afresh.
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>

#include "GameDriver.h"

using namespace qv;
using namespace qvtest;

namespace {

// The widths of the runs of `rgb` from (x, y) in steps of (dx, dy) to the edge of the image.
QList<int> RunWidths(const QImage& image, int x, int y, int dx, int dy, QRgb rgb) {
    QList<int> runs{0};
    for (; x < image.width() && y < image.height(); x += dx, y += dy) {
        if (image.pixel(x, y) == rgb)
            ++runs.last();
        else if (runs.last() > 0)
            runs << 0;
    }
    runs.removeAll(0);
    return runs;
}

// Both pictures at `density`; through a cell the eight inner grid lines of `density` device pixels
// and none along the top and left edges, and the red ball of (3, 4) 27 logical pixels across.
void ExpectBoardAt(GameDriver& g, int density) {
    for (vb::PictureBox* box : {g.form.Picture1Box(), g.form.Picture2Box()}) {
        QCOMPARE(box->GetCanvas().DevicePixelRatio(), density);
        QCOMPARE(box->GetCanvas().Image().size(), box->contentsRect().size() * density);
    }
    const vb::Canvas& canvas = g.form.Picture1Box()->GetCanvas();
    const QImage& img = canvas.Image();
    const QRgb grid = g.Rgb(GridLineColor);
    const int row = int(canvas.DeviceY(0.5)), column = int(canvas.DeviceX(0.5));
    QCOMPARE(RunWidths(img, 0, row, 1, 0, grid).mid(0, 8), QList<int>(8, density));
    QCOMPARE(RunWidths(img, column, 0, 0, 1, grid).mid(0, 8), QList<int>(8, density));
    QVERIFY(img.pixel(0, row) != grid && img.pixel(column, 0) != grid);
    QCOMPARE(RunWidths(img, 0, int(std::floor(canvas.DeviceY(3.5))), 1, 0, g.Ball(1)),
             QList<int>{27 * density});
}

}  // namespace

class TestHiDpi : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void theBoardIsDrawnAtTheDensityOfItsScreen() {
        GameDriver g;
        Board(3, 4) = 1;
        g.Redraw();
        ExpectBoardAt(g, 2);
        // The layout of a 1024 x 768 screen at 1:2 in logical pixels; fonts keep their points.
        QCOMPARE(g.form.frameGeometry().size(), QSize(480, 384));
        QCOMPARE(g.form.Picture1Box()->size(), QSize(311, 311));
        QCOMPARE(g.form.Text1Box(0)->font().pointSizeF(), 9.0);
        // Grey before the first game, and a blank preview.
        const QImage& preview = g.form.Picture2Box()->GetCanvas().Image();
        QCOMPARE(g.Pixel(1, 1), qRgb(224, 224, 224));
        QCOMPARE(preview.pixel(preview.width() / 2, preview.height() / 2), g.Rgb(vb::kButtonFace));
        // The screen shows the image pixel for pixel, with the board's cursor over it.
        const QRect contents = g.form.Picture1Box()->contentsRect();
        QImage shown = g.form.Picture1Box()->grab().toImage().copy(
            QRect(contents.topLeft() * 2, contents.size() * 2));
        shown.setDevicePixelRatio(2.0);
        QVERIFY(shown.convertToFormat(QImage::Format_RGB32) ==
                g.form.Picture1Box()->Painted().convertToFormat(QImage::Format_RGB32));

        // A screen wide enough that the centred window lands on the dense screen: the layout
        // pass moves the window there and draws at its density right away.
        vb::SetScreenOverride(vb::ScreenOverride{5120, 768, 96.0});
        g.Redraw();
        QCOMPARE(g.form.screen()->name(), QStringLiteral("dense"));
        ExpectBoardAt(g, 3);
        // Moved back by the window system, without a resize: the next paint finds the pictures
        // at the old density, starts them afresh and has the window lay out and draw again.
        vb::SetScreenOverride(vb::ScreenOverride{1024, 768, 96.0});
        BallSize = 0;
        g.form.move(100, 100);
        g.form.Picture1Box()->update();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QVERIFY(g.form.screen()->name() == "normal" && BallSize == 27);
        ExpectBoardAt(g, 2);
    }

    // A 1920 x 1080 screen at scale factor 2 is 960 x 540 logical pixels: its cells are smaller
    // than the balls of every scale. A 3840 x 2160 one is 1920 x 1080: the designed balls fit.
    void aBallNeverOutgrowsItsCell_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("designed");
        QTest::addColumn<bool>("fits");
        for (float zoom : {1.0f, 1.5f, 2.0f, 2.5f, 3.0f}) {
            const int designed = vb::CInt(54 / zoom);
            QTest::addRow("540 at 1:%g", double(zoom)) << 540 << zoom << designed << false;
            QTest::addRow("1080 at 1:%g", double(zoom)) << 1080 << zoom << designed << true;
        }
    }

    void aBallNeverOutgrowsItsCell() {
        QFETCH(int, height);
        QFETCH(int, designed);
        GameDriver g;
        vb::SetScreenOverride(vb::ScreenOverride{height * 16 / 9, height, 96.0});
        QFETCH(float, zoom);
        Zoom = zoom;
        // A ball in column 8 beside the selected one in column 9, at the board's right edge.
        Board(8, 5) = 1;
        Board(SelectedX = 9, SelectedY = 5) = 3;
        BallSelected = true;
        g.Redraw();
        vb::SetScreenOverride(vb::ScreenOverride{});
        const vb::Canvas& canvas = g.form.Picture1Box()->GetCanvas();
        const int row = int(std::floor(canvas.DeviceY(4.5)));
        const double cell = canvas.DeviceX(1) - canvas.DeviceX(0);
        const int selected = vb::CInt(BallSize * 1.2);
        // Both whole, the selected one drawn last and at the edge, and not wider than a cell.
        QCOMPARE(RunWidths(canvas.Image(), 0, row, 1, 0, g.Ball(1)), QList<int>{2 * BallSize});
        QCOMPARE(RunWidths(canvas.Image(), 0, row, 1, 0, g.Ball(3)), QList<int>{2 * selected});
        QVERIFY2(2 * selected <= cell, qPrintable(QString("%1 in %2").arg(selected).arg(cell)));
        // The designed width where it fits, else the largest that fits.
        QFETCH(bool, fits);
        QVERIFY(fits ? BallSize == designed
                     : BallSize < designed && 2 * vb::CInt((BallSize + 1) * 1.2) > cell);
    }
};

int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    QFile config(dir.filePath("screens.json"));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    config.write(R"({"screens": [
        {"name": "normal", "x": 0, "y": 0, "width": 2048, "height": 1536,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "dense", "x": 2048, "y": 0, "width": 3072, "height": 2304,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.5}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hidpi.moc"
