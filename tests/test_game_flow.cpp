// Start and Stop from the menu, and the end of a game: its message box, the menu, the result
// comparison and what the players file keeps.
#include <QTest>

#include "GameDriver.h"
#include "players/PlayerRecord.h"

using namespace qv;
using qvtest::GameDriver;

namespace {

const QString kGameOver = QStringLiteral("Game over.");
const QString kNotBad = QStringLiteral("Not bad.\r\n\r\nYou've improved \r\n\r\nyour own result!");
const QString kBest = QStringLiteral("Congratulations!\r\n\r\nYou result \r\n\r\nis the best!");

QByteArray Records(std::initializer_list<std::pair<const char*, int>> players, bool inUse = true) {
    QByteArray bytes;
    for (const auto& [name, result] : players) {
        PlayerRecord r;
        r.Name = FixedName(QString::fromLatin1(name));
        r.Result = result;
        r.Marker = inUse ? kInUseMarker : r.Marker;
        bytes += EncodeRecord(r);
    }
    return bytes;
}

QByteArray FileOf(GameDriver& g) {
    QFile f(g.rt.PlayersFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A game stopped from the menu with the score box showing `score`; the message it ends with.
QString StopAt(GameDriver& g, int score) {
    g.Start({1, 2, 3}, {{1, 1}, {2, 2}, {3, 3}}, {4, 5, 6});
    g.form.Text2(0).SetText(QString::number(score));
    g.ClearRecords();
    g.ClickStartStop();
    return g.rt.events == QStringList{"msgbox STOP: Game over"} ? g.form.txtMess().Text()
                                                                : "no box";
}

}  // namespace

class TestGameFlow : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void startDropsThreeGrowingBallsAndStopEndsTheGame() {
        GameDriver g;
        const QRgb white = GameDriver::Rgb(vb::RGB(255, 255, 255));
        const std::vector<PointI> cells{{4, 1}, {9, 9}, {1, 9}};
        QList<QRgb> growth;  // 5 and 10 pixels right of the centre at each wait
        g.atWait = [&](double) {
            const PointI c = cells[std::size_t(growth.size() / 4)];
            growth << g.Pixel(c.x, c.y, 5) << g.Pixel(c.x, c.y, 10);
        };
        g.Start({6, 5, 4}, cells, {3, 2, 1});
        // The preview's kinds are drawn first; then each ball grows to 14, then 27 pixels.
        QCOMPARE(g.rt.events.mid(0, 4),
                 (QStringList{"randomize", "rnd 0.916667", "rnd 0.75", "rnd 0.583333"}));
        QList<QRgb> expected;
        for (int kind : {6, 5, 4})
            expected << GameDriver::Ball(kind) << white << GameDriver::Ball(kind)
                     << GameDriver::Ball(kind);
        QCOMPARE(growth, expected);
        QCOMPARE(g.DifferencesFromFreshDrawing(Board), 0);
        const vb::Canvas& preview = g.form.Picture2Box()->GetCanvas();
        for (int i = 0; i < 3; ++i) {  // the next balls, 22 pixels across
            const QPoint centre(int(preview.DeviceX(i + 1)), int(preview.DeviceY(2)));
            QCOMPARE(preview.Image().pixel(centre + QPoint(10, 0)), GameDriver::Ball(3 - i));
            QVERIFY(preview.Image().pixel(centre + QPoint(12, 0)) != GameDriver::Ball(3 - i));
        }
        QCOMPARE((QStringList{g.form.Text2(0).Text(), g.form.Text3().Text(),
                              g.form.txtMess().Text(), g.form.mnuStart().Caption()}),
                 (QStringList{"0", "1", "\r\n\r\nNext balls :", "&Stop"}));
        QVERIFY(!g.form.mnuPlayer().Enabled() && GameInProgress && !GameOver);

        // Stop at once: the box, the idle menu, an empty preview, nothing stored.
        g.atWait = nullptr;
        g.ClearRecords();
        g.ClickStartStop();
        QCOMPARE(g.rt.events, QStringList{"msgbox STOP: Game over"});
        QCOMPARE(g.rt.messages[0].icon, vb::MsgIcon::Exclamation);
        QCOMPARE((QStringList{g.form.Text2(0).Text(), g.form.txtMess().Text(),
                              g.form.mnuStart().Caption()}),
                 (QStringList{"0", kGameOver, "&Start"}));
        QVERIFY(g.form.mnuPlayer().Enabled() && !GameInProgress && GameOver);
        QCOMPARE(preview.Image().pixel(int(preview.DeviceX(1)), int(preview.DeviceY(2))),
                 GameDriver::Rgb(vb::kButtonFace));
        QCOMPARE(FileOf(g), QByteArray());

        // The next Start clears the old position; a caption other than the two does nothing.
        g.Start({1, 1, 1}, {{5, 5}, {5, 6}, {5, 7}}, {2, 2, 2});
        QCOMPARE(qvtest::CountBalls(), 3);
        QCOMPARE(g.DifferencesFromFreshDrawing(Board), 0);
        g.form.mnuStart().SetCaption(QStringLiteral("&stop"));
        g.ClickStartStop();
        QVERIFY(GameInProgress);
    }

    void endMessagesAndStoredResults() {
        {
            // Bob, the current player (30), below Ann, the best (50).
            GameDriver g(Records({{"Ann", 50}, {"Bob", 30}}));
            QCOMPARE(StopAt(g, 30), kGameOver);  // equal: nothing improves, nothing is written
            QCOMPARE(FileOf(g), Records({{"Ann", 50}, {"Bob", 30}}));
            QCOMPARE(StopAt(g, 40), kNotBad);
            QCOMPARE(FileOf(g), Records({{"Ann", 50}, {"Bob", 40}}));
            QCOMPARE(g.form.Text1(1).Text(), QStringLiteral("Ann"));
            QCOMPARE(StopAt(g, 60), kBest);
            QCOMPARE(FileOf(g), Records({{"Ann", 50}, {"Bob", 60}}));
            QCOMPARE((QStringList{g.form.Text1(1).Text(), g.form.Text2(1).Text()}),
                     (QStringList{"Bob", "60"}));
            QCOMPARE(QList<int>({BestPlayer, BestResult, Players[2].Result}),
                     QList<int>({2, 60, 60}));
        }
        {
            // A first result above a stored 0 is kept, but "Not bad." needs an earlier result.
            ResetSharedState();
            GameDriver g(Records({{"Ann", 50}, {"Cid", 0}}));
            QCOMPARE(StopAt(g, 20), kGameOver);
            QCOMPARE(FileOf(g), Records({{"Ann", 50}, {"Cid", 20}}));
        }
        {
            // Records but none in use, so no current player: everything but the file update.
            ResetSharedState();
            GameDriver g(Records({{"Old", 70}}, false));
            QCOMPARE(CurrentPlayer, Integer(0));
            QCOMPARE(StopAt(g, 80), kBest);
            QCOMPARE(FileOf(g), Records({{"Old", 70}}, false));
            QCOMPARE((QStringList{g.form.Text1(1).Text(), g.form.Text2(1).Text()}),
                     (QStringList{"", "80"}));
        }
    }
};

QTEST_MAIN(TestGameFlow)
#include "test_game_flow.moc"
