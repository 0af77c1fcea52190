// The marks in the balls: shapes, only over balls, switched in a game, kept, command line.
#include "GameDriver.h"
#include "view/BallMarks.h"
#include "view/ZoomWindow.h"

using namespace qv;
using namespace qvtest;
using namespace platform;

// The mark seen in a ball `size` pixels wide (unlike a plain ball 2 pixels narrower), or its fault.
static QString Seen(CanvasWidget& picture, int kind, int size) {
    const auto draw = [&](int width, bool marks) {
        BallMarks = marks;
        picture.Clear();
        picture.SetPenWidth(width);
        DrawBallDot(picture, 0.5, 0.5, BallColor(std::int16_t(kind)));
        return picture.GetCanvas().Image().copy();
    };
    const QImage inner = draw(size - 2, false), plain = draw(size, false), shown = draw(size, true);
    if (shown == plain)
        return "plain";
    const QRgb ball = Ball(kind), white = qRgb(255, 255, 255);
    const int centre = int(picture.GetCanvas().DeviceX(0.5)), w = shown.width();
    QPolygon mark;
    for (int i = 0; i < w * shown.height(); ++i) {
        const QRgb c = shown.pixel(i % w, i / w), under = inner.pixel(i % w, i / w);
        if (under == white && plain.pixel(i % w, i / w) != white && qGray(c) > 60)
            return "no dark rim";
        if (under == ball && c != ball && std::abs(qGray(c) - qGray(ball)) < 90)
            return "a mark near the ball in grey";
        if (under == ball && c != ball)
            mark << QPoint(i % w - centre, i / w - centre);
    }
    const QRect box = mark.boundingRect();
    const bool middle = mark.contains(QPoint());
    double span = 0;  // from end to end, across or on the slant
    for (const QPoint& p : mark)
        for (const QPoint& q : mark)
            span = std::max(span, std::hypot(p.x() - q.x(), p.y() - q.y()) + 1);
    if (span * 5 < size * 3)
        return QString("a mark %1 wide").arg(span);
    int top = 0, bottom = 0, left = 0;
    QSet<int> quarters;  // and 4 + quarter off the diagonals
    for (const QPoint& p : mark) {
        top += p.y() == box.top(), bottom += p.y() == box.bottom(), left += p.x() == box.left();
        quarters << (p.x() > 0) * 2 + (p.y() > 0) +
                        4 * (std::abs(std::abs(p.x()) - std::abs(p.y())) * 5 > box.width());
    }
    if (box.height() * 3 <= box.width() || box.width() * 3 <= box.height())
        return box.height() < box.width() ? "—" : "|";
    if (top * 3 <= box.width() && bottom * 5 >= box.width() * 4)
        return "△";
    if (!middle && top * 2 >= box.width() && left * 2 >= box.height())
        return "□";
    if (quarters == QSet<int>{0, 1, 2, 3})
        return "×";
    return middle && mark.size() * 5 >= box.width() * box.height() * 3 ? "●" : "?";
}

class TestMarks : public QObject {
    Q_OBJECT
  private slots:
    // Each colour's mark has its shape at every ball size drawn; smaller dots stay plain.
    void eachColourHasItsShape() {
        TestRuntime rt;
        CanvasWidget picture(nullptr);
        picture.SetTwipsGeometry(0, 0, 1800, 1800);
        picture.SetUserScale(0, 0, 1, 1);
        const QStringList shapes{"—", "×", "|", "●", "□", "△"};
        for (int size : {8, 9, 14, 18, 22, 27, 43, 54, 65, 80, 96})
            for (int kind = 1; kind <= 6; ++kind)
                QCOMPARE(QString("%1 at %2").arg(Seen(picture, kind, size)).arg(size),
                         QString("%1 at %2").arg(size < 9 ? "plain" : shapes[kind - 1]).arg(size));
    }

    // At every wait of a turn, marks change only pixels of balls; switched, they show at once.
    void marksOffLeaveEveryPictureAsItWas() {
        QList<QImage> frames[2], switched[2];
        for (int on : {0, 1}) {
            ResetSharedState();
            BallMarks = on;
            GameDriver g;
            const QImage &board = g.window.BoardWidget()->GetCanvas().Image(),
                         &preview = g.window.PreviewWidget()->GetCanvas().Image();
            g.Start({5, 5, 5}, {{1, 9}, {2, 9}, {3, 9}}, {1, 2, 3});
            Board(4, 9) = Board(6, 6) = Board(7, 7) = Board(8, 8) = 5;
            g.Redraw();
            g.Drops(Board, {{9, 1}, {9, 2}, {9, 3}});
            g.Kinds({4, 5, 6});
            g.atWait = [&](double) { frames[on] << board << preview; };
            // Selected, then put back; moved; moved into a line: each stays drawn by its step.
            for (const CellPos& c :
                 {CellPos{7, 7}, CellPos{6, 6}, CellPos{6, 4}, CellPos{8, 8}, CellPos{5, 9}})
                g.Release(c.x, c.y);
            QCOMPARE(g.window.ResultBox(0).Text(), "5");
            ModalScript script;
            script.Then([on, &g](Dialog& d) {
                QTest::mouseClick(dynamic_cast<ZoomWindow&>(d).MarksCheckBox(), Qt::LeftButton);
                QCOMPARE((QList<bool>{BallMarks, SavedBallMarks(), d.isVisible()}),
                         (QList<bool>{!on, !on, true}));  // switched, kept, still open
                QCOMPARE(g.Shown(), '+');
            });
            frames[on] << board << preview;
            g.window.OnZoomCommand();
            switched[on] = {board, preview};
        }
        QVERIFY(frames[0].size() > 20);
        QCOMPARE(frames[0].size(), frames[1].size());
        QCOMPARE(switched[0], frames[1].mid(frames[1].size() - 2));  // switched on
        QCOMPARE(switched[1], frames[0].mid(frames[0].size() - 2));  // switched off
        QList<QRgb> balls;
        for (int kind = 1; kind <= 6; ++kind)
            balls << Ball(kind);
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

    // The command line's last word counts for the run and changes no choice kept.
    void theCommandLineOverridesTheChoice() {
        TestRuntime rt;
        for (bool kept : {false, true}) {
            SaveBallMarks(kept);
            for (const QStringList& words :
                 {QStringList{"marks", "no-marks"}, {"no-marks", "marks"}}) {
                StartBallMarks(words);
                QCOMPARE((QList<bool>{BallMarks, SavedBallMarks()}),
                         (QList<bool>{words.last() == "marks", kept}));
            }
        }
    }
};

QTEST_MAIN(TestMarks)
#include "test_marks.moc"
