// The main window with QT_SCALE_FACTOR=2 on two screens of 2 and 3 device pixels a logical pixel:
// the pictures are drawn at device resolution and shown pixel for pixel, and a ball never outgrows
// its cell.
#include <QScreen>
#include <QTemporaryDir>

#include "GameDriver.h"

using namespace qv;
using namespace qvtest;

namespace {

// The widths of the runs of `rgb` along row y of the board picture.
QList<int> Runs(GameDriver& g, int y, QRgb rgb) {
    const QImage& image = g.form.Picture1Box()->GetCanvas().Image();
    QList<int> runs{0};
    for (int x = 0; x < image.width(); ++x)
        image.pixel(x, y) == rgb ? void(++runs.last()) : runs.last() ? runs.append(0) : void();
    runs.removeAll(0);
    return runs;
}

// Both pictures at `density`; along the middle of the first row of cells, the eight inner grid
// lines `density` device pixels wide (the right edge is the toolkit's), and the ball of (3, 1) as
// wide as its size says.
void ExpectBoardAt(GameDriver& g, int density) {
    for (vb::PictureBox* box : {g.form.Picture1Box(), g.form.Picture2Box()})
        QCOMPARE(box->GetCanvas().Image().size(), box->contentsRect().size() * density);
    const int middle = g.form.Picture1Box()->GetCanvas().Image().height() / 18;
    QCOMPARE(Runs(g, middle, g.Rgb(GridLineColor)).mid(0, 8), QList<int>(8, density));
    QCOMPARE(Runs(g, middle, g.Ball(1)), QList<int>{BallSize * density});
}

}  // namespace

class TestHiDpi : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void theBoardIsDrawnAtTheDensityOfItsScreen() {
        GameDriver g;
        g.Start({1, 2, 3}, {P(3, 1), P(1, 3), P(3, 3)}, {4, 5, 6});
        ExpectBoardAt(g, 2);
        // The screen shows the image pixel for pixel, with the board's cursor over it.
        const QRect contents = g.form.Picture1Box()->contentsRect();
        QImage shown = g.form.Picture1Box()->grab().toImage().copy(
            QRect(contents.topLeft() * 2, contents.size() * 2));
        shown.setDevicePixelRatio(2.0);
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 g.form.Picture1Box()->Painted().convertToFormat(QImage::Format_RGB32));
        // A screen wide enough that the centred window lands on the dense screen: the layout
        // pass moves the window there and draws at its density right away.
        vb::SetScreenOverride(vb::ScreenOverride{5120, 768, 96.0});
        g.Redraw();
        QCOMPARE(g.form.screen()->name(), QStringLiteral("dense"));
        ExpectBoardAt(g, 3);
    }

    // A 1920 x 1080 screen at scale factor 2 is 960 x 540 logical pixels: its cells are smaller
    // than the balls of every scale. A 3840 x 2160 one is 1920 x 1080: the balls fit as they are.
    void aBallNeverOutgrowsItsCell_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("zoom");
        for (float zoom : {1.0f, 1.5f, 2.0f, 2.5f, 3.0f})
            for (int height : {540, 1080})
                QTest::addRow("%d at 1:%g", height, double(zoom)) << height << zoom;
    }
    void aBallNeverOutgrowsItsCell() {
        QFETCH(int, height);
        QFETCH(float, zoom);
        GameDriver g;
        vb::SetScreenOverride(vb::ScreenOverride{height * 16 / 9, height, 96.0});
        // A ball in column 8 beside the selected one in column 9, at the board's right edge.
        Board(8, 5) = 1;
        Board(SelectedX = 9, SelectedY = 5) = 3;
        BallSelected = true;
        const double fitting = (Zoom = 1.0f, g.Redraw(), BallSize);  // the largest ball
        Zoom = zoom;
        g.Redraw();
        vb::SetScreenOverride(vb::ScreenOverride{});
        const int row = g.form.Picture1Box()->GetCanvas().Image().height() * 9 / 18;
        const double cell = g.form.Picture1Box()->GetCanvas().Image().width() / 9.0;
        const QList<int> ball = Runs(g, row, g.Ball(1)), selected = Runs(g, row, g.Ball(3));
        // Both whole, the selected one grown, drawn last and at the edge, not wider than a cell;
        // where the screen has room, the ball is its scale's own, 1:1's scaled down.
        QVERIFY(ball.size() == 1 && selected.size() == 1 && selected[0] > ball[0]);
        QVERIFY2(selected[0] <= cell, qPrintable(QString("%1 in %2").arg(selected[0]).arg(cell)));
        QVERIFY(height == 540 || std::abs(ball[0] / 2.0 - fitting / zoom) <= 1);
        QVERIFY(height == 1080 || vb::CInt((ball[0] / 2 + 1) * 1.2) * 2 > cell);
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
