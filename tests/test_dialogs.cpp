// The player list, the new player dialog and the zoom dialog, opened from the main window.
#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "GameDriver.h"
#include "players/NewPlayer.h"
#include "players/NewPlayerWindow.h"
#include "players/PlayersListWindow.h"
#include "view/ZoomWindow.h"

using namespace qv;
using namespace qvtest;
using namespace platform;

struct Choice {
    int opener;                // the menu, the current name, the best name
    int current, highlighted;  // -2: not opened
    bool inGame;
    int row;
    QString act;
    int chosen;  // 0: none
};
Q_DECLARE_METATYPE(Choice)

namespace {

PlayersListWindow& List(Dialog& d) {
    return dynamic_cast<PlayersListWindow&>(d);
}
QStringList Rows(PlayersListWindow& list) {
    QStringList rows;
    for (int i = 0; i < list.PlayerList()->RowCount(); ++i)
        rows << list.PlayerList()->RowText(i);
    return rows;
}
void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    // Here the file beside the game is a folder; the window grows to show the note.
    void listSaysWhereResultsAreKept() {
        GameDriver g;
        PlayersListWindow list(&g.window);
        const QSize designed = list.size();
        QVERIFY(QFile::remove(g.rt.PlayersFile()));
        QVERIFY(QDir().mkpath(g.rt.PlayersFile()));
        ChoosePlayersFile();
        list.FillPlayerList();
        const QLabel& note = *list.Note();
        QVERIFY(!note.isHidden());
        QVERIFY(LaidOut(list));
        QVERIFY(note.y() > list.Button(0)->geometry().bottom());
        QCOMPARE(note.textFormat(), Qt::PlainText);
        QVERIFY(note.minimumSizeHint().width() <= note.width());
        QString shown = note.text();
        for (const QString& said :
             {shown.remove(QChar(0x200B)), note.toolTip(), note.accessibleName()})
            QVERIFY2(said.contains(PlayersFilePath), qPrintable(said));
        QFile::remove(PlayersFilePath);
        QVERIFY(QDir(PlayersFilePath = g.rt.PlayersFile()).removeRecursively());
        ChoosePlayersFile();
        list.FillPlayerList();
        QVERIFY(list.Note()->isHidden());
        QCOMPARE(list.size(), designed);
    }

    void playerAddedMeanwhileKept() {
        GameDriver g(Records({Player("Ann", 90)}));
        const QByteArray two = Records({Player("Ann", 90), Player("Dan", 97)});
        QVERIFY(WriteWholeFile(g.rt.PlayersFile(), two));
        AddNewPlayer("Eve");
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()).left(180), two + Records({Player("Eve", 0)}));
        QCOMPARE(g.window.NameBox(1).Text() + g.window.ResultBox(1).Text(),
                 "Dan97");  // the best now
    }

    // The list opens on the current player's row and stops at the first free record; Esc closes it
    // as Close does.
    void chosenBetweenGamesOnly_data() {
        QTest::addColumn<Choice>("c");
        QTest::newRow("Select") << Choice{0, 0, 0, false, 1, "Select", 1};
        QTest::newRow("double click") << Choice{1, 1, 1, false, 2, "double click", 2};
        QTest::newRow("Select header") << Choice{0, 7, -1, false, 0, "Select", 0};
        QTest::newRow("double click header") << Choice{1, 2, 2, false, 0, "double click", 0};
        QTest::newRow("Select in game") << Choice{0, 1, 1, true, 2, "Select", 0};
        QTest::newRow("double click in game") << Choice{0, 1, 1, true, 2, "double click", 0};
        QTest::newRow("New in game") << Choice{0, 1, 1, true, 2, "New", 0};
        QTest::newRow("Close") << Choice{0, 1, 1, false, 2, "Close", 0};
        QTest::newRow("Esc") << Choice{0, 1, 1, false, 2, "Esc", 0};
        QTest::newRow("best name") << Choice{2, 1, -2, false, 2, "Select", 0};
        QTest::newRow("current name in game") << Choice{1, 1, -2, true, 2, "Select", 0};
    }
    void chosenBetweenGamesOnly() {
        QFETCH(Choice, c);
        const auto& [opener, current, wanted, inGame, row, act, chosen] = c;
        GameDriver g(Records(
            {Player("Ann", 120), Player("Bob", 0), Player("Gone", 1, false), Player("Cid", 9)}));
        MainWindow& w = g.window;
        for (TextControl* box : {&w.NameBox(0), &w.ResultBox(0), &w.NameBox(1)})
            box->SetText("before");
        CurrentPlayer = std::int16_t(current);
        ModalScript script;
        int highlighted = -2;
        bool open = true;
        script.Then([&](Dialog& d) {
            auto* view = List(d).PlayerList();
            highlighted = view->HighlightedRow();
            const QStringList rows = Rows(List(d));
            QCOMPARE(rows.size(), 3);
            QCOMPARE(rows[0].size(), rows[1].size());  // the header as wide
            QVERIFY(!view->SetHighlightedRow(3));      // past the last row
            QVERIFY(view->SetHighlightedRow(row));
            if (act == "double click" && row > 0)
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                                   view->visualItemRect(view->item(row)).center());
            else if (act == "double click")
                List(d).OnListDoubleClicked();
            else if (act == "Esc")
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                Click(List(d).Button(QStringList{"Select", "New", "Close"}.indexOf(act)));
            QVERIFY(List(d).NewPlayer() == nullptr);
            open = d.isVisible();
        });
        GameInProgress = inGame;
        if (opener)
            QTest::mouseDClick(w.NameWidget(opener - 1), Qt::LeftButton);
        else
            static_cast<MenuAction&>(w.PlayerCommand()).Action()->trigger();
        QCOMPARE(highlighted, wanted);
        QCOMPARE(open, chosen == 0 && act != "Close" && act != "Esc");
        QCOMPARE(int(CurrentPlayer), chosen ? chosen : current);
        const QString shown = QStringList{"beforebefore", "Ann120", "Bob0"}[chosen];
        QCOMPARE(w.NameBox(0).Text() + w.ResultBox(0).Text(), shown);
        QCOMPARE(w.NameBox(1).Text(), "before");  // the best unchanged
        if (chosen)
            QCOMPARE(DisplayName(CurrentName) + QString::number(CurrentResult), shown);
        QCOMPARE(QFileInfo(g.rt.PlayersFile()).size(), 240);  // nothing written
    }

    // The first free record, in a full table the lowest result (the lower on a tie), its spare
    // bytes kept. A name the file cannot hold is refused; the box stays open.
    void newPlayerTakesARecord_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");  // the name given to O'k
        QTest::addColumn<int>("slot");       // 0: nothing added
        PlayerRecord free = Player("Gone", 1, false), cid = Player("Cid", 10);
        cid.Spare = {1, 2, 3, 4};
        const QByteArray ann = Records({Player("Ann", 120)});
        auto full = [](QList<int> weakest) {
            QByteArray full;
            for (int i = 1; i <= kMaxPlayers; ++i)
                full += EncodeRecord(
                    Player(QString("P%1").arg(i), weakest.contains(i) ? -10 : 100 + i));
            return full.replace(6 * 60 + 54, 4, "\x09\x08\x07\x06");
        };
        QTest::newRow("first free") << Records({Player("Ann", 90), free, cid}) << "Eve" << 2;
        QTest::newRow("full table, a tie") << full({7, 40}) << "Zed" << 7;
        for (int weakest : {1, 2, kMaxPlayers})
            QTest::addRow("full table, %d", weakest) << full({weakest}) << "Zed" << weakest;
        QTest::newRow("the last free") << full({3}).left(99 * 60) << "Zed" << 100;
        QTest::newRow("sixty characters") << QByteArray() << QString("123456789_").repeated(6) << 1;
        QTest::newRow("empty") << ann << "" << 0;
        QTest::newRow("blanks") << ann << "   " << 2;
        QTest::newRow("line break") << ann << "Ann\nLee" << 2;
        QTest::newRow("refused") << ann << QString("Zo\u00eb") << 0;
        QTest::newRow("Cancel") << ann << "Cancel" << 0;
    }
    void newPlayerTakesARecord() {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(int, slot);
        GameDriver g(file);
        ModalScript script;
        QStringList rows;
        int highlighted = -1;
        bool open = false;
        script.Then([&](Dialog& d) {
            Click(List(d).Button(1));
            highlighted = List(d).PlayerList()->HighlightedRow();
            rows = Rows(List(d));
        });
        script.Then([&](Dialog& d) {
            auto& welcome = dynamic_cast<NewPlayerWindow&>(d);
            QVERIFY(LaidOut(d));
            QTest::keyClick(welcome.NameBox(), Qt::Key_Tab);  // leaves the name box
            QVERIFY(welcome.NameBox()->Text().isEmpty());
            welcome.NameBox()->setPlainText(typed);
            Click(welcome.Button(typed == "Cancel"));
            open = d.isVisible() && welcome.NameBox()->Text() == typed;
        });
        g.window.OnPlayerCommand();
        const QString name = QString(typed).remove(QLatin1Char('\n'));
        QCOMPARE(script.shown.size(), 2);
        QCOMPARE(open, !slot && !name.isEmpty() && name != "Cancel");  // refused
        QCOMPARE(g.rt.messages.size(), std::size_t(typed.contains(QChar(0xEB))));
        if (!slot) {
            QCOMPARE(ReadWholeFile(g.rt.PlayersFile()), file);
            QVERIFY(!Players[2].InUse());
            return;
        }
        QCOMPARE(int(CurrentPlayer), slot);
        QCOMPARE(CurrentName, name);
        QCOMPARE(g.window.NameBox(0).Text() + g.window.ResultBox(0).Text(),
                 DisplayName(name) + "0");
        QCOMPARE(highlighted, slot);
        QCOMPARE(rows.size() == 101, file.size() >= 99 * 60);  // a full table: all hundred
        QCOMPARE(rows.value(slot).left(3), name.left(3));
        PlayerRecord added = Player(name, 0);
        std::copy_n(file.constData() + (slot - 1) * 60 + 54, file.size() >= slot * 60 ? 4 : 0,
                    added.Spare.begin());
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()),
                 file.leftJustified(6000, '\0').replace((slot - 1) * 60, 60, EncodeRecord(added)));
        CurrentResult = 5;
        QVERIFY(StoreCurrentResult());
    }

    // During a game too: each scale its own size, the board drawn afresh; the way back restores the
    // layout and the preview.
    void zoomAppliesAChoice() {
        GameDriver g;
        MainWindow& w = g.window;
        g.Start({1, 2, 3}, {P(1, 1), P(5, 5), P(9, 9)}, {2, 3, 5});
        g.Release(5, 5);
        auto layout = [&w] { return QList{w.rect(), w.BoardWidget()->geometry()}; };
        const QList<QRect> before = layout();
        const QImage preview = w.PreviewWidget()->GetCanvas().Image();
        QList<int> heights;
        int current = 2, closed = 0;  // 1:2
        // There the compositor places and activates the windows.
        const bool wayland = QGuiApplication::platformName() == "wayland";
        auto choose = [&](int i) {
            auto* zoom = dynamic_cast<ZoomWindow*>(QApplication::activeModalWidget());
            auto* combo = zoom->ScaleBox();
            QCOMPARE(combo->Text(), combo->itemText(std::exchange(current, i)));
            QVERIFY(LaidOut(*zoom));
            const Window &main = w.Window(), &self = zoom->Geometry();
            const double dx = self.Left() * 2 + self.Width() - main.Left() * 2 - main.Width(),
                         dy = self.Top() * 2 + self.Height() - main.Top() * 2 - main.Height();
            QVERIFY2(wayland || std::abs(dx) + std::abs(dy) <= 30, "not centred on the game");
            combo->showPopup();
            combo->view()->setCurrentIndex(combo->model()->index(i, 0));
            QTest::keyClick(combo->view(), Qt::Key_Return);
            closed += QApplication::activeModalWidget() == nullptr;
        };
        for (int i : {4, 3, 2, 1, 0, 2}) {
            QTimer::singleShot(0, [&] {  // in the dialog's real modal loop
                choose(i);
                if (QWidget* left = QApplication::activeModalWidget())
                    left->close();
            });
            w.OnZoomCommand();
            heights << w.height();
            QCOMPARE(g.State(), "balls 3 moves 1 selected 1 playing 1 over 0 drawn 1");
        }
        QCOMPARE(closed, 6);
        QVERIFY2(std::is_sorted(heights.begin(), heights.end() - 1) && heights[0] < heights[4],
                 qPrintable(QDebug::toString(heights)));
        QCOMPARE(layout(), before);
        QCOMPARE(w.PreviewWidget()->GetCanvas().Image(), preview);
        if (!wayland)
            QCOMPARE(QApplication::activeWindow(), &w);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
