// The game on a dark desktop, and the layout pass, which waits out a minimized window, going by
// what the window system reports rather than by what was asked of it.
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include "GameDriver.h"
#include "ModalScript.h"
#include "PlayersFixtures.h"
#include "app/frmLabel.h"
#include "platform/WidgetRuntime.h"
#include "players/Form2.h"
#include "view/frmZoom.h"

using namespace qv;
using namespace qvtest;

namespace {

// The WCAG 2 contrast ratio of two colours.
double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        double sum = 0;
        for (auto [v, weight] :
             {std::pair{c.red(), 0.2126}, {c.green(), 0.7152}, {c.blue(), 0.0722}})
            sum +=
                weight * (v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4));
        return sum + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// Every text a window paints, as "class 'text' group" and its contrast ratio with the background
// it stands on: the palette roles each kind of widget paints with, in the active and the inactive
// window. A window of its own is measured on its own.
using Contrasts = QList<QPair<QString, double>>;
Contrasts TextContrasts(QWidget* window) {
    static const std::tuple<const char*, QPalette::ColorRole, QPalette::ColorRole> kinds[] = {
        {"QLabel", QPalette::WindowText, QPalette::Window},
        {"QLineEdit", QPalette::Text, QPalette::Base},
        {"QPlainTextEdit", QPalette::Text, QPalette::Base},
        {"QAbstractItemView", QPalette::Text, QPalette::Base},
        {"QAbstractItemView", QPalette::HighlightedText, QPalette::Highlight},  // chosen row
        {"QAbstractButton", QPalette::ButtonText, QPalette::Button},
        {"QComboBox", QPalette::ButtonText, QPalette::Button},
        {"QMenuBar", QPalette::ButtonText, QPalette::Window},
    };
    Contrasts found;
    for (QWidget* w : QList<QWidget*>{window} + window->findChildren<QWidget*>()) {
        const QString text = w->property("text").toString() + w->property("plainText").toString();
        for (const auto& [className, fore, back] : kinds)
            for (auto group : {QPalette::Active, QPalette::Inactive})
                if (w->window() == window && w->inherits(className))
                    found.append({QString("%1 '%2' %3").arg(className, text.left(20)).arg(group),
                                  Contrast(w->palette().color(group, fore),
                                           w->palette().color(group, back))});
    }
    return found;
}

void Menu(GameDriver& g, int index) {  // Player, Zoom, About, Start
    g.form.MenuBar()->actions().at(index)->trigger();
}

// Every window of the game: the main window, the title, the player list and its new player, the
// zoom window with its list open, and a message box.
Contrasts EveryWindow(GameDriver& g) {
    frmLabel title(g.form);
    title.Text1()->SetText("QUILVARO");
    Contrasts found = TextContrasts(&g.form) + TextContrasts(&title);
    ModalScript script;
    script.Then([&](vb::Dialog& list) {
        ModalScript inner;
        inner.Then([&](vb::Dialog& d) { found += TextContrasts(&list) + TextContrasts(&d); });
        static_cast<Form2&>(list).Command1_Click(1);
    });
    script.Then([&](vb::Dialog& d) {
        auto* combo = static_cast<frmZoom&>(d).Combo1();
        combo->showPopup();
        found += TextContrasts(&d) + TextContrasts(combo->view()->window());
        combo->hidePopup();
    });
    Menu(g, 0);
    Menu(g, 1);
    vb::InstallWidgetRuntime();
    QTimer::singleShot(0, [&found] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            found += TextContrasts(box);
            box->accept();
        }
    });
    Menu(g, 2);
    return found;
}

}  // namespace

class TestDesktop : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }
    void cleanup() { QApplication::setPalette(light_); }

    // The desktop turns dark while the game runs, and the game starts on a dark desktop: light
    // texts on dark grey, as a dark colour scheme gives.
    void everyTextIsAsReadableOnADarkDesktop() {
        GameDriver g(Records({Player("Ann", 120)}));
        const Contrasts light = EveryWindow(g);
        const QColor text(240, 240, 240), face(50, 50, 50), base(36, 36, 36);
        QPalette dark(text, face, face.lighter(150), QColor(33, 33, 33), face.lighter(120), text,
                      text, base, face);
        dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
        dark.setColor(QPalette::HighlightedText, text);
        QApplication::setPalette(dark);
        QVERIFY(Contrast(QWidget().palette().color(QPalette::Window), Qt::black) < 2.5);
        const Contrasts switched = EveryWindow(g);
        GameDriver fresh(Records({Player("Ann", 120)}));
        for (const Contrasts& found : {switched, EveryWindow(fresh)}) {
            QCOMPARE(found.size(), light.size());
            for (qsizetype i = 0; i < found.size(); ++i) {
                QCOMPARE(found[i].first, light[i].first);
                QVERIFY2(found[i].second >= std::min(light[i].second, 4.5) - 0.005,
                         qPrintable(QString("%1: %2, light %3")
                                        .arg(found[i].first)
                                        .arg(found[i].second)
                                        .arg(light[i].second)));
            }
        }
    }

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
        holdBack.window = carriedOut ? nullptr : g.form.windowHandle();
        qApp->installEventFilter(&holdBack);
        auto space = [&g] {
            QApplication::setActiveWindow(&g.form);
            QTest::keyClick(g.form.Picture1Box(), Qt::Key_Space);
            QApplication::processEvents();
        };
        space();
        QCOMPARE(g.form.Window().Minimized(), carriedOut);
        // Zoom 1:2.5: the new height runs the pass, which waits while the window is minimized.
        ModalScript script;
        script.Then([](vb::Dialog& d) {
            static_cast<frmZoom&>(d).Combo1()->setCurrentIndex(3);
            static_cast<frmZoom&>(d).Combo1_Click();
        });
        BallSize = 0;
        Menu(g, 1);
        QCOMPARE(BallSize, carriedOut ? 0 : 22);
        // Restored, the window is laid out for the new scale in both cases.
        space();
        QVERIFY(!g.form.Window().Minimized());
        QCOMPARE(BallSize, 22);
        QCOMPARE(g.form.frameGeometry().size(), QSize(384, 307));
    }

  private:
    const QPalette light_ = QApplication::palette();
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
