// The game on the desktop around it: the layout pass, which waits out a minimized window, going by
// what the window system reports rather than by what was asked of it.
#include <QWindow>

#include "GameDriver.h"
#include "ModalScript.h"
#include "view/frmZoom.h"

using namespace qv;
using namespace qvtest;

class TestDesktop : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void theLayoutWaitsOnlyWhileTheWindowSystemShowsTheWindowMinimized_data() {
        QTest::addColumn<bool>("carriedOut");
        QTest::newRow("minimized") << true;
        QTest::newRow("no window manager to minimize it") << false;
    }

    void theLayoutWaitsOnlyWhileTheWindowSystemShowsTheWindowMinimized() {
        QFETCH(bool, carriedOut);
        GameDriver g;
        // Without a window manager a request to minimize is never carried out, and nothing
        // reports a change of state: the report is held back.
        struct HoldBack : QObject {
            QWindow* window = nullptr;
            bool eventFilter(QObject* watched, QEvent* event) override {
                return watched == window && event->type() == QEvent::WindowStateChange;
            }
        } holdBack;
        if (!carriedOut) {
            holdBack.window = g.form.windowHandle();
            qApp->installEventFilter(&holdBack);
        }
        auto space = [&g] {
            QApplication::setActiveWindow(&g.form);
            g.form.Picture1Box()->setFocus();
            QTest::keyClick(g.form.Picture1Box(), Qt::Key_Space);
            QApplication::processEvents();
        };
        space();
        QCOMPARE(g.form.Window().Minimized(), carriedOut);

        // Zoom 1:2.5: the new height runs the pass, which waits while the window is minimized.
        ModalScript script;
        script.Then([](vb::Dialog& d) {
            auto& zoom = static_cast<frmZoom&>(d);
            zoom.Combo1()->setCurrentIndex(3);
            zoom.Combo1_Click();
        });
        BallSize = 0;
        static_cast<vb::MenuAction&>(g.form.mnuZoom()).Action()->trigger();
        QCOMPARE(BallSize, carriedOut ? 0 : 22);
        // Restored, the window is laid out for the new scale in both cases.
        space();
        QVERIFY(!g.form.Window().Minimized());
        QCOMPARE(BallSize, 22);
        QCOMPARE(g.form.frameGeometry().size(), QSize(384, 307));
        QCOMPARE(g.form.QuitButton()->geometry().bottom(),
                 g.form.Picture1Box()->geometry().bottom());
        qApp->removeEventFilter(&holdBack);
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
