// The marks in the balls: apart in grey at every size, only over the balls and nothing of them
// while off, switched during a game, kept for the user, overridden by the command line.
#include <QSettings>

#include "GameDriver.h"
#include "view/BallMarks.h"
#include "view/frmZoom.h"

using namespace qv;
using namespace qvtest;

// The pixels of a ball's mark on a blank picture, as 'x'; none unless 90 steps of grey apart from
// the ball and narrower than it.
static QString Mark(vb::PictureBox& picture, int kind, int size) {
    picture.Cls();
    picture.SetDrawWidth(size);
    PSetBall(picture, 0.5, 0.5, BallColor(Integer(kind)));
    const QImage& image = picture.GetCanvas().Image();
    QString mark;
    QRect ofMark, ofBall;  // the mark's extent, and the ball's with it
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QRgb c = image.pixel(i % image.width(), i / image.width()),
                   ball = GameDriver::Ball(kind);
        const bool in = c != ball && c != qRgb(255, 255, 255);
        if (in && std::abs(qGray(c) - qGray(ball)) < 90)
            return {};
        mark += in ? 'x' : '.';
        const QRect pixel(i % image.width(), i / image.width(), 1, 1);
        ofMark |= in ? pixel : QRect();
        ofBall |= in || c == ball ? pixel : QRect();
    }
    return ofMark.width() < ofBall.width() && ofMark.height() < ofBall.height() ? mark : QString();
}

class TestMarks : public QObject {
    Q_OBJECT
  private slots:
    // Each kind against the others from the smallest dot marked, through the flash, preview, ball
    // and selected ball sizes of 1:3 and 1:1, to those of 1:1 at scale factor 2.
    void theSixMarksStayApartInGrey() {
        TestRuntime rt;
        vb::PictureBox picture(nullptr);
        picture.SetTwipsGeometry(0, 0, 1800, 1800);
        picture.Scale(0, 0, 1, 1);
        BallMarks = true;
        for (int kind = 1; kind <= 6; ++kind)  // smaller dots stay plain
            QVERIFY(!Mark(picture, kind, 6).contains('x'));
        for (int size : {7, 9, 14, 18, 22, 27, 43, 54, 65, 80, 96}) {
            for (int kind = 1; kind <= 6; ++kind) {
                const QString mark = Mark(picture, kind, size);
                QVERIFY2(mark.count('x') >= 5, qPrintable(QString("%1 %2").arg(kind).arg(size)));
                for (int other = kind + 1; other <= 6; ++other) {
                    const QString second = Mark(picture, other, size);
                    int apart = 0;  // in either mark, not in both
                    for (qsizetype i = 0; i < mark.size(); ++i)
                        apart += mark[i] != second[i];
                    QVERIFY2(apart * 4 >= mark.count('x'), qPrintable(QString::number(size)));
                }
            }
        }
    }

    // A move, new balls growing in, the next balls, a line flashing: at every wait the pictures
    // with marks on are those with marks off but for marks over balls. The check box switches them
    // mid-game, and the board and the preview show at once what the other run showed.
    void marksOffLeaveEveryPictureAsItWas() {
        QList<QImage> frames[2], switched[2];
        for (int on : {0, 1}) {
            ResetSharedState();
            BallMarks = on;
            GameDriver g;
            const QImage &board = g.form.Picture1Box()->GetCanvas().Image(),
                         &preview = g.form.Picture2Box()->GetCanvas().Image();
            g.Start({5, 5, 5}, {{1, 9}, {2, 9}, {3, 9}}, {1, 2, 3});
            Board(4, 9) = Board(6, 6) = Board(7, 7) = Board(8, 8) = 5;
            g.Redraw();
            g.rt.ScriptRandom(GameDriver::CellNumbers(Board, {{9, 1}, {9, 2}, {9, 3}}));
            g.rt.ScriptRandom(GameDriver::KindNumbers({4, 5, 6}));
            g.atWait = [&](double) { frames[on] << board << preview; };
            // Selected, then put back; moved; moved into a line: each stays drawn by its step.
            for (const PointI& c :
                 {PointI{7, 7}, PointI{6, 6}, PointI{6, 4}, PointI{8, 8}, PointI{5, 9}})
                g.Release(c.x, c.y);
            QCOMPARE(g.form.Text2(0).Text(), "5");
            ModalScript script;
            script.Then([on, &g](vb::Dialog& d) {
                QTest::mouseClick(dynamic_cast<frmZoom&>(d).chkMarks(), Qt::LeftButton);
                QVERIFY(BallMarks != on && SavedBallMarks() != on && d.isVisible() &&
                        g.Shown() == '+');
            });
            frames[on] << board << preview;
            g.form.mnuZoom_Click(2);
            switched[on] = {board, preview};
        }
        QVERIFY(frames[0].size() > 20 && frames[0].size() == frames[1].size());
        QVERIFY(switched[0] == frames[1].mid(frames[1].size() - 2) &&
                switched[1] == frames[0].mid(frames[0].size() - 2));
        const QList<QRgb> balls{GameDriver::Ball(1), GameDriver::Ball(2), GameDriver::Ball(3),
                                GameDriver::Ball(4), GameDriver::Ball(5), GameDriver::Ball(6)};
        int marked = 0;
        for (qsizetype i = 0; i < frames[0].size(); ++i) {
            const QImage &off = frames[0][i], &on = frames[1][i];
            for (int p = 0; p < off.width() * off.height(); ++p) {
                const QRgb was = off.pixel(p % off.width(), p / off.width()),
                           is = on.pixel(p % off.width(), p / off.width());
                marked += is != was;
                if (is != was && !(balls.contains(was) && (is == 0xff000000 || is == 0xfffffffe)))
                    QFAIL(qPrintable(QString("picture %1: not a mark over a ball").arg(i)));
            }
        }
        QVERIFY(marked > 0);
    }

    // Off until chosen; the command line's last word counts for the run and keeps nothing.
    void theChoiceIsKeptAndTheCommandLineOverridesIt() {
        TestRuntime rt;
        QTest::failOnWarning(QRegularExpression("could not be kept"));
        QSettings settings("Dremwick", "quilvaro");
        StartBallMarks({});
        QVERIFY(!BallMarks);
        StartBallMarks({"no-marks", "marks"});
        QVERIFY(BallMarks && !SavedBallMarks() && settings.fileName().startsWith(rt.DataDir()));
        SaveBallMarks(true);
        settings.sync();  // written by the game, not through this object
        StartBallMarks({});
        QVERIFY(BallMarks && settings.allKeys() == QStringList{"marks"});
        StartBallMarks({"marks", "no-marks"});
        QVERIFY(!BallMarks && SavedBallMarks());
    }
};

QTEST_MAIN(TestMarks)
#include "test_marks.moc"
