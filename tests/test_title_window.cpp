// The title window: its size, the typing, the three waves of dots and the hand-over to the main
// window, started once when the window is first shown.
#include <QApplication>
#include <QTest>

#include "TestRuntime.h"
#include "app/Form1.h"
#include "app/frmLabel.h"
#include "game/GameState.h"
#include "platform/SystemColors.h"
#include "view/BallColor.h"

using namespace qv;

namespace {

const QString kTitle = QStringLiteral("\r\n\r\n\r\nQUILVARO\r\nDremwick\r\n2005");

// What the title window showed at one wait.
struct Frame {
    double seconds;
    QString text;
    bool textVisible;
    QImage surface;
};

// Lets queued calls and window-system events run until `done` holds (each round returns at once).
template <class F>
bool ProcessUntil(F done) {
    for (int i = 0; i < 50 && !done(); ++i)
        QCoreApplication::processEvents();
    return done();
}

// Pixels of a recorded surface image; `map` gives the surface's user coordinates (6 x 6 units).
QRgb PixelAt(const QImage& img, const vb::Canvas& map, double x, double y, int dx = 0) {
    return img.pixel(static_cast<int>(map.DeviceX(x)) + dx, static_cast<int>(map.DeviceY(y)));
}

QRgb Rgb(vb::Color c) {
    return vb::ResolveColor(c).rgb();
}

// The width of the dot at the centre of cell (column, row) in that column's ball colour.
int DotWidth(const QImage& img, const vb::Canvas& map, int column, int row) {
    const QRgb rgb = Rgb(BallColor(static_cast<vb::Integer>(column)));
    const int y = static_cast<int>(map.DeviceY(row - 0.5));
    const int centre = static_cast<int>(map.DeviceX(column - 0.5));
    if (img.pixel(centre, y) != rgb)
        return 0;
    int left = centre, right = centre;
    while (left > 0 && img.pixel(left - 1, y) == rgb)
        --left;
    while (right + 1 < img.width() && img.pixel(right + 1, y) == rgb)
        ++right;
    return right - left + 1;
}

}  // namespace

class TestTitleWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void theTitleWindowSizesItselfFromTheScreen() {
        qvtest::TestRuntime rt;
        Form1 form;
        frmLabel title(form);
        title.Form_Load();
        QCOMPARE(title.windowTitle(), QStringLiteral("Dremwick Label"));
        QCOMPARE(title.Window().Width(), 7200.0f);
        QCOMPARE(title.Window().Height(), 5760.0f);
        QCOMPARE(title.Window().Left(), 4080.0f);
        QCOMPARE(title.Window().Top(), 2880.0f);
        vb::MultiLineTextBox* text = title.Text1();
        QCOMPARE(text->Left(), 0.0f);
        QCOMPARE(text->Top(), 0.0f);
        QCOMPARE(text->Width(), title.Window().Width());
        QCOMPARE(text->Height(), title.Window().Height());
        QCOMPARE(text->palette().color(QPalette::Base), QColor(224, 224, 224));
        QCOMPARE(text->palette().color(QPalette::Text), QColor(128, 128, 128));
        QCOMPARE(text->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
        QVERIFY(text->font().bold());
        QCOMPARE(text->font().pointSizeF(), 24.0);
        QCOMPARE(text->font().family(), title.font().family());
    }

    void theAnimationRunsOnceWhenShownAndHandsOver() {
        qvtest::TestRuntime rt;
        Form1 form;
        frmLabel title(form);
        std::vector<Frame> frames;
        auto recordWait = vb::CurrentRuntimeHooks().wait;
        vb::CurrentRuntimeHooks().wait = [&](double s) {
            recordWait(s);
            frames.push_back({s, title.Text1()->Text(), title.Text1()->Visible(),
                              title.Surface()->GetCanvas().Image()});
        };
        title.Show();
        QVERIFY(title.isVisible());
        QVERIFY(!form.isVisible());
        QVERIFY(ProcessUntil([&] { return !title.isVisible(); }));

        // The waits, in order: typing, a pause, wave 1 dot by dot, two short shows, the end.
        std::vector<double> expected(30, 0.03);
        expected.push_back(0.5);
        expected.insert(expected.end(), 36, 0.02);
        expected.insert(expected.end(), {0.5, 0.5, 0.5});
        QCOMPARE(rt.waits, expected);

        // The hand-over.
        QVERIFY(form.isVisible());
        QVERIFY(form.Loaded());
        QCOMPARE(form.txtMess().Text().left(13), QStringLiteral("Hello player!"));
        QVERIFY(!title.isVisible());
        QCOMPARE(title.Text1()->Text(), QString());
        QVERIFY(!title.Text1()->Visible());
        QCOMPARE(title.Surface()->ScaleWidth(), 6.0);

        // The title is typed letter by letter, on the fourth line.
        for (int i = 0; i < 30; ++i) {
            QCOMPARE(frames[i].text, kTitle.left(i + 1));
            QVERIFY(frames[i].textVisible);
        }
        QCOMPARE(frames[30].text, kTitle);

        // Shown again, nothing runs again.
        form.hide();
        title.Show();
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(rt.waits.size(), expected.size());
        QVERIFY(!form.isVisible());
    }

    void threeWavesOfDotsInTheBallColours() {
        qvtest::TestRuntime rt;
        Form1 form;
        frmLabel title(form);
        std::vector<Frame> frames;
        auto recordWait = vb::CurrentRuntimeHooks().wait;
        vb::CurrentRuntimeHooks().wait = [&](double s) {
            recordWait(s);
            frames.push_back({s, title.Text1()->Text(), title.Text1()->Visible(),
                              title.Surface()->GetCanvas().Image()});
        };
        title.Show();
        QVERIFY(ProcessUntil([&] { return !title.isVisible(); }));
        QCOMPARE(frames.size(), 70u);
        const vb::Canvas& map = title.Surface()->GetCanvas();
        const QRgb cover = qRgb(224, 224, 224);
        const QRgb face = Rgb(vb::kButtonFace);

        // Wave 1, row by row, one dot per wait: the first dot top left in colour 1, the sixth top
        // right in colour 6, the seventh opens row 2.
        const QImage& first = frames[31].surface;
        QCOMPARE(PixelAt(first, map, 0.5, 0.5), Rgb(BallColor(1)));
        QCOMPARE(PixelAt(first, map, 1.5, 0.5), face);
        QVERIFY(std::abs(DotWidth(first, map, 1, 1) - 48) <= 1);
        const QImage& sixth = frames[36].surface;
        QCOMPARE(PixelAt(sixth, map, 5.5, 0.5), Rgb(BallColor(6)));
        QCOMPARE(PixelAt(sixth, map, 0.5, 1.5), face);
        QCOMPARE(PixelAt(frames[37].surface, map, 0.5, 1.5), Rgb(BallColor(1)));
        const QImage& last = frames[66].surface;
        for (int row = 1; row <= 6; ++row) {
            for (int column = 1; column <= 6; ++column)
                QVERIFY(std::abs(DotWidth(last, map, column, row) - 48) <= 1);
        }

        // Wave 2: 32 pixels, every cell at once, over the covered first wave.
        QCOMPARE(frames[67].seconds, 0.5);
        const QImage& second = frames[67].surface;
        for (int row = 1; row <= 6; ++row) {
            for (int column = 1; column <= 6; ++column) {
                QVERIFY(std::abs(DotWidth(second, map, column, row) - 32) <= 1);
                QCOMPARE(PixelAt(second, map, column - 0.5, row - 0.5, 20), cover);
            }
        }
        // Wave 3: 16 pixels, over the covered second wave.
        const QImage& third = frames[68].surface;
        for (int row = 1; row <= 6; ++row) {
            for (int column = 1; column <= 6; ++column) {
                QVERIFY(std::abs(DotWidth(third, map, column, row) - 16) <= 1);
                QCOMPARE(PixelAt(third, map, column - 0.5, row - 0.5, 12), cover);
            }
        }
        // Before the hand-over every dot is covered.
        const QImage& end = frames[69].surface;
        for (int row = 1; row <= 6; ++row) {
            for (int column = 1; column <= 6; ++column)
                QCOMPARE(PixelAt(end, map, column - 0.5, row - 0.5), cover);
        }
        QVERIFY(!frames[31].textVisible);
    }
};

QTEST_MAIN(TestTitleWindow)
#include "test_title_window.moc"
