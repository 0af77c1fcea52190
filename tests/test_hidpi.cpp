// The main window with QT_SCALE_FACTOR=2: the pictures keep their images at device resolution, the
// grid lines and balls are drawn in device pixels, what reaches the screen is that image pixel for
// pixel, and the layout keeps its proportions in logical pixels.
#include <QPixmap>

#include "GameDriver.h"

using namespace qv;
using namespace qvtest;

namespace {

// The widths of the runs of `rgb` along row y of the image.
QList<int> RunsInRow(const QImage& image, int y, QRgb rgb) {
    QList<int> runs{0};
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) == rgb)
            ++runs.last();
        else if (runs.last() > 0)
            runs << 0;
    }
    runs.removeAll(0);
    return runs;
}

}  // namespace

class TestHiDpi : public QObject {
    Q_OBJECT
  private slots:
    void theBoardIsDrawnAtDeviceResolution() {
        ResetSharedState();
        GameDriver g;
        Board(3, 4) = 1;
        g.Redraw();
        for (vb::PictureBox* box : {g.form.Picture1Box(), g.form.Picture2Box()}) {
            QCOMPARE(box->GetCanvas().DevicePixelRatio(), 2.0);
            QCOMPARE(box->GetCanvas().Image().size(), box->contentsRect().size() * 2);
        }
        // The layout of a 1024 x 768 screen at 1:2 in logical pixels; fonts keep their points.
        QCOMPARE(g.form.frameGeometry().size(), QSize(480, 384));
        QCOMPARE(g.form.Picture1Box()->size(), QSize(311, 311));
        QCOMPARE(g.form.QuitButton()->geometry().bottom(),
                 g.form.Picture1Box()->geometry().bottom());
        QCOMPARE(g.form.Text1Box(0)->font().pointSizeF(), 9.0);

        // The board is grey before the first game. Rows and columns through a cell cross the
        // eight inner lines, of two device pixels each, and no line along the edges; a ball of 27
        // logical pixels is 54 device pixels across. The preview is blank.
        const vb::Canvas& canvas = g.form.Picture1Box()->GetCanvas();
        QImage img = canvas.Image();
        QCOMPARE(g.Pixel(1, 1), qRgb(224, 224, 224));
        QCOMPARE(RunsInRow(img, int(canvas.DeviceY(0.5)), g.Rgb(GridLineColor)), QList<int>(8, 2));
        QCOMPARE(RunsInRow(img.transformed(QTransform().rotate(90)), int(canvas.DeviceX(0.5)),
                           g.Rgb(GridLineColor)),
                 QList<int>(8, 2));
        const QImage& preview = g.form.Picture2Box()->GetCanvas().Image();
        QCOMPARE(preview.pixel(preview.width() / 2, preview.height() / 2), g.Rgb(vb::kButtonFace));
        QCOMPARE(RunsInRow(img, int(std::floor(canvas.DeviceY(3.5))), g.Ball(1)), QList<int>{54});

        // The screen shows the image pixel for pixel.
        const QPixmap shot = g.form.Picture1Box()->grab();
        const QRect contents = g.form.Picture1Box()->contentsRect();
        QImage shown = shot.toImage().copy(QRect(contents.topLeft() * 2, contents.size() * 2));
        shown.setDevicePixelRatio(2.0);
        QVERIFY(shown.convertToFormat(QImage::Format_RGB32) ==
                img.convertToFormat(QImage::Format_RGB32));

        // A dot of the board's colour leaves nothing of the ball at device level.
        g.form.Picture1().SetDrawWidth(BallSize);
        g.form.Picture1().PSet(2.5, 3.5, BoardBackColor);
        QCOMPARE(RunsInRow(canvas.Image(), int(std::floor(canvas.DeviceY(3.5))), g.Ball(1)),
                 QList<int>{});
    }
};

int main(int argc, char* argv[]) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hidpi.moc"
