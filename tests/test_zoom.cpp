// The zoom dialog: loading, the choice of a scale from the list (and nothing else), hiding and
// unloading, and the main window laid out again at the chosen scale.
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "ModalScript.h"
#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/GameState.h"
#include "platform/SystemColors.h"
#include "view/BallColor.h"
#include "view/Layout.h"
#include "view/frmZoom.h"

using namespace qv;

namespace {

frmZoom& AsZoom(vb::Dialog& d) {
    auto* zoom = dynamic_cast<frmZoom*>(&d);
    if (zoom == nullptr)
        qFatal("expected the zoom dialog, got \"%s\"", qPrintable(d.windowTitle()));
    return *zoom;
}

// Picks entry `index` from the drop-down list, as the user does: open the list, move to the
// entry, press Enter.
void Choose(frmZoom& zoom, int index) {
    vb::ComboBox* combo = zoom.Combo1();
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

qvtest::ModalScript::Step ChooseStep(int index) {
    return [index](vb::Dialog& d) { Choose(AsZoom(d), index); };
}

// A dot drawn with pen width w is w pixels across, give or take the one pixel that rasterising a
// disc whose centre falls between pixel centres adds or loses.
#define QVERIFY_DOT(width, pen)              \
    QVERIFY2(std::abs((width) - (pen)) <= 1, \
             qPrintable(QStringLiteral("%1 pixels for a pen of %2").arg(width).arg(pen)))

struct Geometry {
    QRect window;
    std::vector<QRect> controls;
    std::vector<double> fontSizes;
    int ballSize;
    QImage board;
    QImage preview;
    bool operator==(const Geometry&) const = default;
};

Geometry Snapshot(Form1& form) {
    Geometry g;
    g.window = form.geometry();
    for (vb::Control* c : form.Controls()) {
        auto* w = dynamic_cast<QWidget*>(c);
        g.controls.push_back(w->geometry());
        g.fontSizes.push_back(w->font().pointSizeF());
    }
    g.ballSize = BallSize;
    g.board = form.Picture1Box()->GetCanvas().Image();
    g.preview = form.Picture2Box()->GetCanvas().Image();
    return g;
}

// The width in pixels of the dot of colour `c` centred at user point (x, y).
int DotWidth(const vb::Canvas& canvas, double x, double y, vb::Color c) {
    const QImage& img = canvas.Image();
    const QRgb rgb = vb::ResolveColor(c).rgb();
    const int row = static_cast<int>(canvas.DeviceY(y));
    const int centre = static_cast<int>(canvas.DeviceX(x));
    if (img.pixel(centre, row) != rgb)
        return 0;
    int left = centre, right = centre;
    while (left > 0 && img.pixel(left - 1, row) == rgb)
        --left;
    while (right + 1 < img.width() && img.pixel(right + 1, row) == rgb)
        ++right;
    return right - left + 1;
}

}  // namespace

class TestZoom : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void theDialogLoadsWithTheFiveScalesCentredOnTheMainWindow() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        qvtest::ModalScript script;
        script.Then([&form](vb::Dialog& d) {
            frmZoom& zoom = AsZoom(d);
            QCOMPARE(zoom.windowTitle(), QStringLiteral("Zoom"));
            QCOMPARE(zoom.size(), QSize(139, 43));  // 2085 x 645 twips
            vb::ComboBox* combo = zoom.Combo1();
            QCOMPARE(combo->geometry(), QRect(8, 8, 105, 24));
            QVERIFY(combo->isEditable());
            QVERIFY(combo->font().bold());
            QCOMPARE(combo->font().pointSizeF(), 9.75);
            QStringList entries;
            for (int i = 0; i < combo->count(); ++i)
                entries << combo->itemText(i);
            QCOMPARE(entries, (QStringList{"1:1", "1:1.5", "1:2", "1:2.5", "1:3"}));
            QCOMPARE(combo->Text(), QStringLiteral("1:2"));
            // The list drops down on the entry in force.
            QCOMPARE(combo->currentIndex(), 2);
            // Centred on the main window, outer sizes.
            vb::Window& main = form.Window();
            vb::Window& self = zoom.Geometry();
            QVERIFY(std::abs(self.Top() - (main.Top() + main.Height() / 2 - self.Height() / 2)) <=
                    15);
            QVERIFY(std::abs(self.Left() - (main.Left() + main.Width() / 2 - self.Width() / 2)) <=
                    15);
            d.close();
        });
        form.mnuZoom_Click(2);
        QCOMPARE(script.shown, QStringList{"Zoom"});
        QCOMPARE(Zoom, 2.0f);
    }

    void aScaleOutsideTheListLeavesTheDesignedText() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        Zoom = 1.75f;
        frmZoom zoom(&form);
        QCOMPARE(zoom.Combo1()->Text(), QStringLiteral("Combo1"));
        QCOMPARE(zoom.Combo1()->currentIndex(), -1);
        QCOMPARE(zoom.Combo1()->count(), 5);
        Zoom = 2.5f;
        frmZoom again(&form);
        QCOMPARE(again.Combo1()->Text(), QStringLiteral("1:2.5"));
    }

    void typedTextIsNoChoice() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        const Geometry before = Snapshot(form);
        qvtest::ModalScript script;
        script.Then([](vb::Dialog& d) {
            frmZoom& zoom = AsZoom(d);
            QLineEdit* field = zoom.Combo1()->lineEdit();
            field->selectAll();
            QTest::keyClicks(field, QStringLiteral("1:3"));
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(zoom.Combo1()->Text(), QStringLiteral("1:3"));
            QCOMPARE(zoom.Combo1()->count(), 5);  // nothing added to the list
            QVERIFY(zoom.isVisible());
            zoom.Combo1_Click();  // a text that matches no entry exactly
            QVERIFY(!zoom.isVisible());
        });
        script.Then([](vb::Dialog& d) {
            frmZoom& zoom = AsZoom(d);
            zoom.Combo1()->SetText(QStringLiteral("1:1 "));
            zoom.Combo1_Click();
        });
        script.Then([](vb::Dialog& d) {
            frmZoom& zoom = AsZoom(d);
            zoom.Combo1()->SetText(QStringLiteral("1:3"));
            zoom.Combo1_Click();
        });
        Zoom = 2.0f;
        form.mnuZoom_Click(2);
        // The typed "1:3" was the text when Combo1_Click ran: it matched.
        QCOMPARE(Zoom, 3.0f);
        Zoom = 2.0f;
        form.Window().SetHeight(11520 / 2);
        form.mnuZoom_Click(2);
        QCOMPARE(Zoom, 2.0f);  // "1:1 " is not "1:1"
        form.mnuZoom_Click(2);
        QCOMPARE(Zoom, 3.0f);
        QVERIFY(Snapshot(form).window != before.window);
    }

    void choosingAScaleAppliesItAtOnceAndHidesTheDialog() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        qvtest::ModalScript script;
        bool hidden = false;
        script.Then([&hidden](vb::Dialog& d) {
            Choose(AsZoom(d), 0);
            hidden = !d.isVisible();
        });
        form.mnuZoom_Click(2);
        QVERIFY(hidden);
        QCOMPARE(Zoom, 1.0f);
        QCOMPARE(BallSize, 54);
        QCOMPARE(form.Window().Height(), 11520.0f);
        QCOMPARE(form.Window().Width(), 14400.0f);
        QCOMPARE(form.Window().Top(), 0.0f);
        QCOMPARE(form.Window().Left(), 480.0f);
        QCOMPARE(form.Text1Box(0)->font().pointSizeF(), 18.0);
        QCOMPARE(script.shown, QStringList{"Zoom"});
    }

    void theSameScaleNeitherClearsNorRedraws() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        vb::PictureBox* board = form.Picture1Box();
        board->SetDrawWidth(5);
        board->PSet(4.5, 4.5, vb::RGB(255, 0, 0));
        const QImage marked = board->GetCanvas().Image();
        qvtest::ModalScript script;
        script.Then(ChooseStep(2));  // "1:2", in force
        form.mnuZoom_Click(2);
        QCOMPARE(board->GetCanvas().Image(), marked);
        // The close box changes nothing either.
        script.Then([](vb::Dialog& d) { d.close(); });
        form.mnuZoom_Click(2);
        QCOMPARE(board->GetCanvas().Image(), marked);
        // A new scale clears the board: the mark is gone after a round trip.
        script.Then(ChooseStep(4));
        script.Then(ChooseStep(2));
        form.mnuZoom_Click(2);
        form.mnuZoom_Click(2);
        QVERIFY(board->GetCanvas().Image() != marked);
        const vb::Canvas& canvas = board->GetCanvas();
        QCOMPARE(canvas.Image().pixel(static_cast<int>(canvas.DeviceX(4.5)),
                                      static_cast<int>(canvas.DeviceY(4.5))),
                 qRgb(224, 224, 224));
    }

    void aRoundTripDuringAGameRestoresLayoutAndBalls() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        // A game in progress with a selected ball and three balls announced.
        GameInProgress = true;
        Board.Create(0, 9, 0, 9);
        Board(2, 3) = 1;
        Board(5, 5) = 4;
        Board(9, 9) = 6;
        BallSelected = true;
        SelectedX = 5;
        SelectedY = 5;
        NextBalls = {2, 3, 5};
        LayoutMainWindow();
        const Geometry atHalf = Snapshot(form);
        const int selectedWidth = DotWidth(form.Picture1Box()->GetCanvas(), 4.5, 4.5, BallColor(4));
        const vb::Canvas& board = form.Picture1Box()->GetCanvas();
        const vb::Canvas& preview = form.Picture2Box()->GetCanvas();
        QVERIFY_DOT(DotWidth(board, 1.5, 2.5, BallColor(1)), 27);
        QVERIFY_DOT(DotWidth(board, 4.5, 4.5, BallColor(4)), 32);
        QVERIFY_DOT(DotWidth(preview, 1, 2, BallColor(2)), 22);

        qvtest::ModalScript script;
        script.Then(ChooseStep(0));
        form.mnuZoom_Click(2);
        QCOMPARE(BallSize, 54);
        QCOMPARE(form.Window().Height(), 11520.0f);
        QVERIFY_DOT(DotWidth(board, 1.5, 2.5, BallColor(1)), 54);
        QVERIFY_DOT(DotWidth(board, 4.5, 4.5, BallColor(4)), 65);
        QVERIFY_DOT(DotWidth(board, 8.5, 8.5, BallColor(6)), 54);
        QVERIFY_DOT(DotWidth(preview, 3, 2, BallColor(5)), 43);

        script.Then(ChooseStep(2));
        form.mnuZoom_Click(2);
        const Geometry back = Snapshot(form);
        QCOMPARE(back.window, atHalf.window);
        QCOMPARE(back.controls, atHalf.controls);
        QCOMPARE(back.fontSizes, atHalf.fontSizes);
        QCOMPARE(back.ballSize, 27);
        QCOMPARE(DotWidth(board, 4.5, 4.5, BallColor(4)), selectedWidth);
        QVERIFY(back.board == atHalf.board);
        QVERIFY(back.preview == atHalf.preview);
        // The game itself is untouched.
        QVERIFY(GameInProgress);
        QCOMPARE(Board(5, 5), 4);
        QVERIFY(BallSelected);
    }

    void hiddenItStaysLoadedClosedItLoadsAfresh() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        qvtest::ModalScript script;
        QPointer<vb::Dialog> first;
        script.Then([&first](vb::Dialog& d) {
            first = &d;
            Choose(AsZoom(d), 4);
        });
        form.mnuZoom_Click(2);
        QCOMPARE(Zoom, 3.0f);
        QCOMPARE(BallSize, 18);
        QVERIFY(!first.isNull());
        const QPoint placed = first->pos();

        // Shown again as it was: the same dialog, the list filled once.
        QPointer<vb::Dialog> second;
        script.Then([&second](vb::Dialog& d) {
            second = &d;
            QCOMPARE(AsZoom(d).Combo1()->count(), 5);
            QCOMPARE(AsZoom(d).Combo1()->Text(), QStringLiteral("1:3"));
            d.close();
        });
        form.mnuZoom_Click(2);
        QVERIFY(second.isNull());  // unloaded by the close box
        QCOMPARE(Zoom, 3.0f);

        // Loaded afresh: the text from Zoom, centred on the main window again.
        script.Then([&form, placed](vb::Dialog& d) {
            frmZoom& zoom = AsZoom(d);
            QCOMPARE(zoom.Combo1()->count(), 5);
            QCOMPARE(zoom.Combo1()->Text(), QStringLiteral("1:3"));
            QCOMPARE(zoom.pos(), placed);
            vb::Window& main = form.Window();
            QVERIFY(std::abs(zoom.Geometry().Top() - (main.Top() + main.Height() / 2 -
                                                      zoom.Geometry().Height() / 2)) <= 15);
            Choose(zoom, 1);
        });
        form.mnuZoom_Click(2);
        QCOMPARE(Zoom, 1.5f);
        QCOMPARE(BallSize, 36);
        QCOMPARE(form.Window().Height(), 7680.0f);
    }

    void theMenuCommandRunsTheRealModalLoop() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        QString seen;
        QTimer::singleShot(0, &form, [&seen] {
            auto* zoom = dynamic_cast<frmZoom*>(QApplication::activeModalWidget());
            if (zoom == nullptr)
                return;
            seen = zoom->Combo1()->Text();
            Choose(*zoom, 3);
        });
        static_cast<vb::MenuAction&>(form.mnuZoom()).Action()->trigger();
        QCOMPARE(seen, QStringLiteral("1:2"));
        QCOMPARE(Zoom, 2.5f);
        QCOMPARE(BallSize, 22);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestZoom)
#include "test_zoom.moc"
