// The persistent picture: dots, lines, user scale and the exact erasing the game relies on.
#include <QTest>

#include "platform/Canvas.h"

using vb::Canvas;
using vb::RGB;

namespace {

int CountPixels(const QImage& image, QRgb rgb) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == rgb;
    }
    return n;
}

bool AllPixels(const QImage& image, QRgb rgb) {
    return CountPixels(image, rgb) == image.width() * image.height();
}

}  // namespace

class TestCanvas : public QObject {
    Q_OBJECT
  private slots:
    void dotIsAFilledDiscOfThePenWidth() {
        Canvas c;
        c.SetSize(QSize(200, 200));
        c.Scale(0, 0, 200, 200);
        c.SetBackColor(RGB(255, 255, 255));
        for (int width : {1, 2, 14, 27, 54, 65}) {
            c.Cls();
            c.SetDrawWidth(width);
            c.PSet(100.3, 99.7, RGB(255, 0, 50));
            const int n = CountPixels(c.Image(), qRgb(255, 0, 50));
            const double area = 3.14159265 * width * width / 4;
            QVERIFY2(n >= area * 0.8 - 2 && n <= area * 1.2 + 2,
                     qPrintable(QStringLiteral("width %1: %2 pixels").arg(width).arg(n)));
            // Round: as wide as it is high, and about the pen width across.
            int minX = 200, maxX = -1, minY = 200, maxY = -1;
            for (int y = 0; y < 200; ++y) {
                for (int x = 0; x < 200; ++x) {
                    if (c.Image().pixel(x, y) == qRgb(255, 0, 50)) {
                        minX = std::min(minX, x), maxX = std::max(maxX, x);
                        minY = std::min(minY, y), maxY = std::max(maxY, y);
                    }
                }
            }
            QVERIFY(std::abs((maxX - minX) - (maxY - minY)) <= 1);
            QVERIFY(std::abs((maxX - minX + 1) - width) <= 1);
        }
    }

    void backgroundDotOfSameOrLargerWidthErasesCompletely() {
        // The ball sizes of every scale, the enlarged selection and the flash dots, at many
        // sub-pixel positions: what remains must be the background, exactly.
        const int widths[] = {54, 65, 43, 36, 29, 27, 32, 22, 26, 18, 14, 11, 9};
        for (qreal dpr : {1.0, 1.5, 2.0}) {
            Canvas c;
            c.SetSize(QSize(311, 311), dpr);
            c.Scale(0, 0, 9, 9);
            c.SetBackColor(RGB(255, 255, 255));
            for (int w : widths) {
                for (int extra : {0, 1, 7}) {
                    for (double x = 0.5; x < 9; x += 0.25) {
                        const double y = 9 - x + 0.125 * extra;
                        c.SetDrawWidth(w);
                        c.PSet(x, y, RGB(0, 0, 230));
                        c.SetDrawWidth(w + extra);
                        c.PSet(x, y, RGB(255, 255, 255));
                    }
                }
            }
            QVERIFY2(AllPixels(c.Image(), qRgb(255, 255, 255)), qPrintable(QString::number(dpr)));
        }
    }

    void smallerEraserLeavesARing() {
        Canvas c;
        c.SetSize(QSize(100, 100));
        c.Scale(0, 0, 9, 9);
        c.SetBackColor(RGB(255, 255, 255));
        c.SetDrawWidth(27);
        c.PSet(4.5, 4.5, RGB(0, 0, 230));
        c.SetDrawWidth(14);
        c.PSet(4.5, 4.5, RGB(255, 255, 255));
        QVERIFY(CountPixels(c.Image(), qRgb(0, 0, 230)) > 0);
    }

    void linesFollowTheUserScaleAndSkipTheirEndPoint() {
        Canvas c;
        c.SetSize(QSize(90, 90));
        c.Scale(0, 0, 9, 9);
        c.SetBackColor(RGB(255, 255, 255));
        c.SetForeColor(RGB(0, 0, 0));
        c.SetDrawWidth(1);
        c.Line(0, 3, 9, 3);  // row 30, all 90 pixels
        c.Line(4, 0, 4, 9);  // column 40
        c.Line(0, 9, 9, 9);  // on the bottom edge: falls outside
        const QImage& img = c.Image();
        for (int x = 0; x < 90; ++x)
            QCOMPARE(img.pixel(x, 30), qRgb(0, 0, 0));
        for (int y = 0; y < 90; ++y)
            QCOMPARE(img.pixel(40, y), qRgb(0, 0, 0));
        QCOMPARE(CountPixels(img, qRgb(0, 0, 0)), 90 + 90 - 1);
        c.Cls();
        c.Line(1, 1, 3, 1);  // pixels 10..29, not 30
        QCOMPARE(img.pixel(10, 10), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(29, 10), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(30, 10), qRgb(255, 255, 255));
    }

    void settingTheBackgroundRepaintsAndGrowingKeepsTheDrawing() {
        Canvas c;
        c.SetSize(QSize(40, 40));
        c.Scale(0, 0, 4, 4);
        c.SetBackColor(RGB(224, 224, 224));
        QVERIFY(AllPixels(c.Image(), qRgb(224, 224, 224)));
        c.SetDrawWidth(5);
        c.PSet(1, 1, RGB(255, 0, 0));
        c.SetSize(QSize(80, 60));
        QCOMPARE(c.Image().pixel(10, 10), qRgb(255, 0, 0));
        QCOMPARE(c.Image().pixel(70, 50), qRgb(224, 224, 224));
        QCOMPARE(c.ScaleWidth(), 4.0);  // the user scale stretches over the new size
        QCOMPARE(c.DeviceX(4), 80.0);
        c.SetBackColor(RGB(255, 255, 255));
        QVERIFY(AllPixels(c.Image(), qRgb(255, 255, 255)));
    }

    void onlyChangedPixelsAreRepaintedAndCopiesKeepTheirPixels() {
        Canvas c;
        c.SetSize(QSize(90, 90));
        c.Scale(0, 0, 9, 9);
        c.SetBackColor(RGB(255, 255, 255));
        c.SetForeColor(RGB(0, 0, 0));
        c.Line(0, 3, 9, 3);
        c.TakeDirty();
        const QImage before = c.Image();
        // The grid drawn again over itself changes nothing and asks for no repaint.
        c.Line(0, 3, 9, 3);
        QVERIFY(c.TakeDirty().isEmpty());
        c.SetDrawWidth(9);
        c.PSet(4.5, 3, RGB(255, 255, 255));
        c.SetDrawWidth(1);
        c.Line(0, 3, 9, 3);
        // Only the stretch the white dot had cut out of the line is repainted.
        const QRect d = c.TakeDirty();
        QCOMPARE(d.top(), 30);
        QCOMPARE(d.height(), 1);
        QVERIFY(d.width() <= 10 && d.left() >= 40);
        // A copy taken before keeps what it showed.
        c.Cls();
        QCOMPARE(before.pixel(0, 30), qRgb(0, 0, 0));
        QCOMPARE(c.Image().pixel(0, 30), qRgb(255, 255, 255));
    }

    void highDensityImageHasDevicePixels() {
        Canvas c;
        c.SetSize(QSize(100, 100), 2.0);
        QCOMPARE(c.Image().size(), QSize(200, 200));
        c.Scale(0, 0, 10, 10);
        c.SetBackColor(RGB(255, 255, 255));
        c.SetDrawWidth(10);
        c.PSet(5, 5, RGB(0, 0, 0));
        // A 10-pixel dot covers about 20 device pixels across.
        int across = 0;
        for (int x = 0; x < 200; ++x)
            across += c.Image().pixel(x, 100) == qRgb(0, 0, 0);
        QVERIFY(across >= 19 && across <= 21);
        QCOMPARE(c.UserX(50), 5.0);
    }
};

QTEST_APPLESS_MAIN(TestCanvas)
#include "test_canvas.moc"
