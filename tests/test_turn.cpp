// Start, Stop and the turns a release on the board starts, through the menu and real mouse
// releases: the recorded whole game, the end of a game with its messages and stored results, and
// a full board that ends the game in the turn that fills it.
#include "GameDriver.h"
#include "PlayersFixtures.h"

using namespace qv;
using namespace qvtest;

class TestTurn : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    // After a change the trace must follow, QUILVARO_RECORD_TRACE=file writes there what this
    // game showed, to be reviewed before it takes the place of game.trace.
    void theRecordedGameByMouse() {
        GameDriver g;
        const QStringList trace = ReadTrace();
        const QStringList seen = Replay(g, trace, [&g](PointI c, QChar button) {
            g.Release(c.x, c.y,
                      button == 'r'   ? Qt::RightButton
                      : button == 'm' ? Qt::MiddleButton
                                      : Qt::LeftButton);
        });
        QFile record(qEnvironmentVariable("QUILVARO_RECORD_TRACE"));
        if (!record.fileName().isEmpty() && record.open(QIODevice::WriteOnly))
            record.write((seen.join('\n') + '\n').toUtf8());
        QVERIFY(trace.size() > 40);
        QCOMPARE(seen, trace);
    }

    // Releases before Start, off the board, or on a free cell with nothing selected do nothing;
    // Stop ends the game with a ball selected, and the next Start begins afresh.
    void startAndStop() {
        GameDriver g;
        g.Release(5, 5);
        QVERIFY(g.rt.events.isEmpty());
        g.Start({6, 5, 4}, {P(4, 1), P(9, 9), P(1, 9)}, {3, 2, 1});
        QVERIFY(!g.form.mnuPlayer().Enabled() && GameInProgress && !GameOver);
        g.rt.ClearRecords();
        g.Release(5, 5);
        QVERIFY(!BallSelected);
        g.Release(4, 1);
        g.Release(9.5, 4);  // columns 10 and 0
        g.Release(0.4, 4);
        QVERIFY(BallSelected && g.rt.events.isEmpty() && CountBalls() == 3);
        g.ClickStartStop();
        QCOMPARE(g.rt.messages.at(0).icon, vb::MsgIcon::Exclamation);
        QVERIFY(g.form.mnuPlayer().Enabled() && !GameInProgress && GameOver);
        QImage blank = g.form.Picture2Box()->GetCanvas().Image();
        blank.fill(blank.pixel(0, 0));
        QCOMPARE(g.form.Picture2Box()->GetCanvas().Image(), blank);  // nothing announced
        g.Start({1, 1, 1}, {P(5, 5), P(5, 6), P(5, 7)}, {2, 2, 2});
        QVERIFY(CountBalls() == 3 && MoveCount == 1 && !BallSelected);
        QVERIFY(g.DrawnAfresh());
    }

    void theEndMessagesAndTheStoredResults_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("message");  // its first line
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("best");
        const PlayerRecord ann = Player("Ann", 50);
        auto annAndBob = [ann](int result) {  // Bob, the current player, below Ann, the best
            PlayerRecord bob = Player("Bob", result);
            bob.Spare = {9, 8, 7, 6};  // only the result changes
            return Records({ann, bob});
        };
        const QString over = "Game over.", better = "Not bad.", best = "Congratulations!";
        QTest::newRow("equal to the own")
            << annAndBob(30) << 30 << over << annAndBob(30) << "Ann50";
        QTest::newRow("better") << annAndBob(30) << 40 << better << annAndBob(40) << "Ann50";
        QTest::newRow("equal to the best")
            << annAndBob(30) << 50 << better << annAndBob(50) << "Ann50";
        QTest::newRow("the best") << annAndBob(30) << 60 << best << annAndBob(60) << "Bob60";
        // A first result above a stored 0 is kept, but "Not bad." needs an earlier result.
        QTest::newRow("the first") << Records({ann, Player("Cid", 0)}) << 20 << over
                                   << Records({ann, Player("Cid", 20)}) << "Ann50";
        PlayerRecord old = Player("Old", 70);
        old.Marker = QString(2, QChar(0));  // no record in use, so no current player
        QTest::newRow("no player")
            << Records({old}) << 80 << "Result not kept:" << Records({old}) << "Old70";
        QTest::newRow("no player, no score")
            << Records({old}) << 0 << over << Records({old}) << "Old70";
    }
    void theEndMessagesAndTheStoredResults() {
        QFETCH(QByteArray, file);
        QFETCH(int, score);
        GameDriver g(file);
        g.Start({1, 2, 3}, {P(1, 1), P(2, 2), P(3, 3)}, {4, 5, 6});
        g.form.Text2(0).SetText(QString::number(score));
        g.rt.ClearRecords();
        g.ClickStartStop();
        QVERIFY(g.rt.events.size() == 1 && g.rt.messages.size() == 1);
        QTEST(g.form.txtMess().Text().section("\r\n", 0, 0), "message");
        QTEST(ReadWholeFile(g.rt.PlayersFile()), "stored");
        QTEST(g.form.Text1(1).Text() + g.form.Text2(1).Text(), "best");
    }

    // A full board ends the game in the turn that fills it: when the next three find no room, or
    // when they take the last three cells without a line.
    void aFullBoardEndsTheGameInTheSameTurn_data() {
        QTest::addColumn<QList<QPoint>>("free");
        QTest::addColumn<int>("waits");
        QTest::addColumn<int>("balls");
        QTest::newRow("no room") << QList<QPoint>{{9, 9}, {1, 1}} << 5 << 79;
        QTest::newRow("filled") << QList<QPoint>{{9, 9}, {1, 1}, {2, 1}} << 11 << 81;
    }
    void aFullBoardEndsTheGameInTheSameTurn() {
        QFETCH(QList<QPoint>, free);
        QFETCH(int, balls);
        GameDriver g;
        g.Start({1, 2, 3}, {P(1, 1), P(2, 1), P(3, 1)}, {4, 5, 6});
        for (int y = 1; y <= 9; ++y)  // no two neighbours alike
            for (int x = 1; x <= 9; ++x)
                Board(x, y) = static_cast<Integer>((x + 2 * y) % 6 + 1);
        for (const QPoint& c : free)
            Board(c.x(), c.y()) = 0;
        g.Redraw();
        Grid after = Board;
        std::swap(after(9, 8), after(9, 9));
        if (free.size() == 3) {  // kinds 4, 5, 6 on (1, 1), (2, 1), (9, 8): still no line
            g.rt.ScriptRandom(GameDriver::CellNumbers(after, {P(1, 1), P(2, 1), P(9, 8)}));
            g.rt.ScriptRandom(GameDriver::KindNumbers({1, 2, 3}));
        }
        g.rt.ClearRecords();
        g.Release(9, 8);
        g.Release(9, 9);
        QTEST(int(g.rt.waits.size()), "waits");
        QVERIFY(g.rt.messages.size() == 1 && g.rt.RandomLeft() == 0);
        QVERIFY(!GameInProgress && GameOver && g.form.mnuPlayer().Enabled());
        QCOMPARE(CountBalls(), balls);
        g.rt.ClearRecords();
        g.Release(9, 7);  // the board is dead until the next Start
        g.Release(9, 8);
        QVERIFY(g.rt.events.isEmpty() && !BallSelected);
    }
};

QTEST_MAIN(TestTurn)
#include "test_turn.moc"
