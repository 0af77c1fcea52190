// The zoom dialog: loading and centring, a choice from the list (and nothing else) applies a
// scale, hiding and unloading, and the main window laid out again at the chosen scale.
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
using qvtest::ModalScript;

namespace {

frmZoom& Zoomer(vb::Dialog& d) {
    return dynamic_cast<frmZoom&>(d);
}

// Picks entry `index` as the user does: open the list, move to the entry, press Enter.
void Choose(frmZoom& zoom, int index) {
    zoom.Combo1()->showPopup();
    QAbstractItemView* view = zoom.Combo1()->view();
    view->setCurrentIndex(zoom.Combo1()->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}
ModalScript::Step ChooseStep(int index) {
    return [index](vb::Dialog& d) { Choose(Zoomer(d), index); };
}

bool CentredOnMain(Form1& form, frmZoom& zoom) {
    vb::Window& main = form.Window();
    vb::Window& self = zoom.Geometry();
    return std::abs(self.Top() - (main.Top() + main.Height() / 2 - self.Height() / 2)) <= 15 &&
           std::abs(self.Left() - (main.Left() + main.Width() / 2 - self.Width() / 2)) <= 15;
}

// The width in pixels of the dot of colour `c` at user point (x, y).
int DotWidth(const vb::Canvas& canvas, double x, double y, vb::Color c) {
    const QImage& img = canvas.Image();
    const QRgb rgb = vb::ResolveColor(c).rgb();
    const int row = static_cast<int>(canvas.DeviceY(y));
    int left = static_cast<int>(canvas.DeviceX(x)), right = left;
    if (img.pixel(left, row) != rgb)
        return 0;
    while (left > 0 && img.pixel(left - 1, row) == rgb)
        --left;
    while (right + 1 < img.width() && img.pixel(right + 1, row) == rgb)
        ++right;
    return right - left + 1;
}

// A disc of pen width w is w pixels across, give or take the pixel that rasterising a centre
// between pixel centres adds or loses.
#define QVERIFY_DOT(width, pen) QVERIFY(std::abs((width) - (pen)) <= 1)

}  // namespace

class TestZoom : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void loadsWithTheFiveScalesCentredOnTheMainWindow() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        ModalScript script;
        script.Then([&form](vb::Dialog& d) {
            vb::ComboBox* combo = Zoomer(d).Combo1();
            QStringList entries;
            for (int i = 0; i < combo->count(); ++i)
                entries << combo->itemText(i);
            QCOMPARE(entries, (QStringList{"1:1", "1:1.5", "1:2", "1:2.5", "1:3"}));
            QCOMPARE(combo->Text(), QStringLiteral("1:2"));
            QCOMPARE(combo->currentIndex(), 2);  // the list drops down on it
            QVERIFY(CentredOnMain(form, Zoomer(d)));
        });
        form.mnuZoom_Click(2);
        QCOMPARE(script.shown, QStringList{"Zoom"});
        // A scale that is not in the list leaves the designed text.
        Zoom = 1.75f;
        frmZoom other(&form);
        QCOMPARE(other.Combo1()->Text(), QStringLiteral("Combo1"));
        QCOMPARE(other.Combo1()->currentIndex(), -1);
    }

    void onlyAnExactChoiceFromTheListApplies() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        ModalScript script;
        script.Then([](vb::Dialog& d) {
            QLineEdit* field = Zoomer(d).Combo1()->lineEdit();
            field->selectAll();
            QTest::keyClicks(field, "1:3");
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(d.isVisible());
            QCOMPARE(Zoomer(d).Combo1()->count(), 5);  // nothing added
            field->setText("1:1 ");
            Zoomer(d).Combo1_Click();
            QVERIFY(!d.isVisible());
        });
        form.mnuZoom_Click(2);
        QCOMPARE(Zoom, 2.0f);
        QCOMPARE(form.Window().Height(), 5760.0f);
    }

    void theSameScaleOrTheCloseBoxChangeNothing() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        vb::PictureBox* board = form.Picture1Box();
        board->SetDrawWidth(5);
        board->PSet(4.5, 4.5, vb::RGB(255, 0, 0));
        const QImage marked = board->GetCanvas().Image();
        ModalScript script;
        script.Then(ChooseStep(2));
        script.Then([](vb::Dialog& d) { d.close(); });
        form.mnuZoom_Click(2);
        form.mnuZoom_Click(2);
        QCOMPARE(board->GetCanvas().Image(), marked);
        // A new scale clears the board before it is drawn again.
        script.Then(ChooseStep(4));
        script.Then(ChooseStep(2));
        form.mnuZoom_Click(2);
        form.mnuZoom_Click(2);
        const vb::Canvas& c = board->GetCanvas();
        QCOMPARE(
            c.Image().pixel(static_cast<int>(c.DeviceX(4.5)), static_cast<int>(c.DeviceY(4.5))),
            qRgb(224, 224, 224));
    }

    void aRoundTripDuringAGameRestoresLayoutAndBalls() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        GameInProgress = true;
        Board.Create(0, 9, 0, 9);
        Board(2, 3) = 1;
        Board(5, 5) = 4;
        BallSelected = true;
        SelectedX = SelectedY = 5;
        NextBalls = {2, 3, 5};
        LayoutMainWindow();
        auto snapshot = [&form] {
            QList<QRect> g{form.geometry()};
            for (vb::Control* c : form.Controls())
                g << dynamic_cast<QWidget*>(c)->geometry();
            return g;
        };
        const QList<QRect> layout = snapshot();
        const vb::Canvas& board = form.Picture1Box()->GetCanvas();
        const vb::Canvas& preview = form.Picture2Box()->GetCanvas();
        const QImage boardImage = board.Image(), previewImage = preview.Image();
        const int normal = DotWidth(board, 1.5, 2.5, BallColor(1));
        const int selected = DotWidth(board, 4.5, 4.5, BallColor(4));
        QVERIFY_DOT(normal, 27);
        QVERIFY_DOT(selected, 32);
        QVERIFY_DOT(DotWidth(preview, 1, 2, BallColor(2)), 22);

        ModalScript script;
        script.Then(ChooseStep(0));
        form.mnuZoom_Click(2);
        QCOMPARE(BallSize, 54);
        QCOMPARE(form.Window().Height(), 11520.0f);  // the whole screen
        QCOMPARE(form.Window().Top(), 0.0f);
        QVERIFY_DOT(DotWidth(board, 1.5, 2.5, BallColor(1)), 54);
        QVERIFY_DOT(DotWidth(board, 4.5, 4.5, BallColor(4)), 65);
        QVERIFY_DOT(DotWidth(preview, 3, 2, BallColor(5)), 43);

        script.Then(ChooseStep(2));
        form.mnuZoom_Click(2);
        QCOMPARE(BallSize, 27);
        QCOMPARE(snapshot(), layout);
        QCOMPARE(DotWidth(board, 1.5, 2.5, BallColor(1)), normal);
        QCOMPARE(DotWidth(board, 4.5, 4.5, BallColor(4)), selected);
        QVERIFY(board.Image() == boardImage);
        QVERIFY(preview.Image() == previewImage);
        QVERIFY(GameInProgress && BallSelected && Board(5, 5) == 4);
    }

    void hiddenItStaysLoadedClosedItLoadsAfresh() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        ModalScript script;
        QPointer<vb::Dialog> shown;
        script.Then([&shown](vb::Dialog& d) {
            shown = &d;
            Choose(Zoomer(d), 4);
            QVERIFY(!d.isVisible());
        });
        script.Then([&shown](vb::Dialog& d) {
            QCOMPARE(&d, shown.data());  // the same dialog, the list filled once
            QCOMPARE(Zoomer(d).Combo1()->count(), 5);
            d.close();
        });
        script.Then([&form](vb::Dialog& d) {
            QCOMPARE(Zoomer(d).Combo1()->Text(), QStringLiteral("1:3"));
            QVERIFY(CentredOnMain(form, Zoomer(d)));
            Choose(Zoomer(d), 1);
        });
        form.mnuZoom_Click(2);
        QCOMPARE(BallSize, 18);
        form.mnuZoom_Click(2);
        QVERIFY(shown.isNull());  // unloaded by the close box
        QCOMPARE(Zoom, 3.0f);
        form.mnuZoom_Click(2);
        QCOMPARE(Zoom, 1.5f);
        QCOMPARE(form.Window().Height(), 7680.0f);
    }

    void theMenuCommandRunsTheRealModalLoop() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        QTimer::singleShot(0, &form, [] {
            if (auto* zoom = dynamic_cast<frmZoom*>(QApplication::activeModalWidget()))
                Choose(*zoom, 3);
        });
        static_cast<vb::MenuAction&>(form.mnuZoom()).Action()->trigger();
        QCOMPARE(Zoom, 2.5f);
        QCOMPARE(BallSize, 22);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestZoom)
#include "test_zoom.moc"
