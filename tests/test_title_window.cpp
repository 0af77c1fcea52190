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

class TestTitleWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void sizedFromTheScreen() {
        qvtest::TestRuntime rt;
        Form1 form;
        frmLabel title(form);
        title.Form_Load();
        vb::Window& w = title.Window();
        QCOMPARE(QRectF(w.Left(), w.Top(), w.Width(), w.Height()), QRectF(4080, 2880, 7200, 5760));
        QCOMPARE(title.Text1()->Width(), w.Width());
        QCOMPARE(title.Text1()->Height(), w.Height());
    }

    void typesTheTitleRunsThreeWavesAndHandsOverOnce() {
        qvtest::TestRuntime rt;
        Form1 form;
        frmLabel title(form);
        // What the window showed at each wait.
        QStringList texts;
        std::vector<QImage> frames;
        auto wait = vb::CurrentRuntimeHooks().wait;
        vb::CurrentRuntimeHooks().wait = [&](double s) {
            wait(s);
            texts << (title.Text1()->Visible() ? title.Text1()->Text() : QStringLiteral("-"));
            frames.push_back(title.Surface()->GetCanvas().Image());
        };
        title.Show();
        QVERIFY(!form.isVisible());
        // Started from the show, by a queued call; each round returns at once.
        for (int i = 0; i < 50 && title.isVisible(); ++i)
            QCoreApplication::processEvents();

        std::vector<double> expected(30, 0.03);
        expected.push_back(0.5);
        expected.insert(expected.end(), 36, 0.02);
        expected.insert(expected.end(), {0.5, 0.5, 0.5});
        QCOMPARE(rt.waits, expected);
        QVERIFY(!title.isVisible());
        QVERIFY(form.isVisible() && form.Loaded());
        QCOMPARE(title.Text1()->Text(), QString());
        QVERIFY(!title.Text1()->Visible());

        const QString full = QStringLiteral("\r\n\r\n\r\nQUILVARO\r\nDremwick\r\n2005");
        for (int i = 0; i < 30; ++i)
            QCOMPARE(texts[i], full.left(i + 1));
        QCOMPARE(texts[30], full);
        QCOMPARE(texts[31], QStringLiteral("-"));

        const vb::Canvas& map = title.Surface()->GetCanvas();
        QCOMPARE(map.ScaleWidth(), 6.0);
        auto pixel = [&map](const QImage& img, double x, double y, int dx = 0) {
            return img.pixel(static_cast<int>(map.DeviceX(x)) + dx,
                             static_cast<int>(map.DeviceY(y)));
        };
        // The width of the dot of cell (column, row), in the ball colour of its column.
        auto dot = [&](const QImage& img, int column, int row) {
            const QRgb rgb = vb::ResolveColor(BallColor(static_cast<vb::Integer>(column))).rgb();
            int n = 0;
            for (int dx = -40; dx <= 40; ++dx)
                n += pixel(img, column - 0.5, row - 0.5, dx) == rgb;
            return n;
        };
        const QRgb face = vb::ResolveColor(vb::kButtonFace).rgb();
        const QRgb cover = qRgb(224, 224, 224);
        // Wave 1, one 48-pixel dot per wait, row by row.
        QVERIFY(std::abs(dot(frames[31], 1, 1) - 48) <= 1);
        QCOMPARE(pixel(frames[31], 1.5, 0.5), face);
        QVERIFY(std::abs(dot(frames[36], 6, 1) - 48) <= 1);
        QCOMPARE(pixel(frames[36], 0.5, 1.5), face);
        QVERIFY(std::abs(dot(frames[37], 1, 2) - 48) <= 1);
        // Waves 2 and 3: 32 and 16 pixels in every cell at once, over the covered wave before.
        for (int row = 1; row <= 6; ++row) {
            for (int column = 1; column <= 6; ++column) {
                QVERIFY(std::abs(dot(frames[67], column, row) - 32) <= 1);
                QCOMPARE(pixel(frames[67], column - 0.5, row - 0.5, 20), cover);
                QVERIFY(std::abs(dot(frames[68], column, row) - 16) <= 1);
                QCOMPARE(pixel(frames[68], column - 0.5, row - 0.5, 12), cover);
                QCOMPARE(pixel(frames[69], column - 0.5, row - 0.5), cover);
            }
        }

        // Shown again, nothing runs again.
        form.hide();
        title.Show();
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(rt.waits.size(), expected.size());
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestTitleWindow)
#include "test_title_window.moc"
