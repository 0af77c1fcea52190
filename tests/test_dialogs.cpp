// The player list, the new player dialog and the zoom dialog, opened from the main window:
// scripted, and through the real modal loops.
#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QTimer>

#include "GameDriver.h"
#include "PlayersFixtures.h"
#include "players/Form2.h"
#include "players/NewPlayer.h"
#include "players/PlayersFileLock.h"
#include "players/frmNewGamer.h"
#include "view/frmZoom.h"

using namespace qv;
using namespace qvtest;

namespace {

Form2& List(vb::Dialog& d) {
    return dynamic_cast<Form2&>(d);
}
QStringList Rows(Form2& list) {
    QStringList rows;
    for (int i = 0; i < list.lstPlayers()->ListCount(); ++i)
        rows << list.lstPlayers()->List(i);
    return rows;
}
void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ResetSharedState();
        SetPlayersFileLockTimeout(0);
    }

    // Tab goes through the controls of each dialog in turn; the list's rows line up.
    void theDialogsTabInTurn() {
        GameDriver g;
        Form2 list(&g.form);
        frmNewGamer welcome(list);
        QVERIFY(QFontInfo(list.lstPlayers()->font()).fixedPitch());
        for (QList<QWidget*> order :
             {QList<QWidget*>{list.lstPlayers(), list.Command1(0), list.Command1(1),
                              list.Command1(2)},
              {welcome.Text1(), welcome.Command1(0), welcome.Command1(1)}}) {
            order[0]->window()->show();
            QApplication::setActiveWindow(order[0]->window());
            order.takeFirst()->setFocus();
            for (QWidget* next : order) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), next);
            }
        }
    }

    // Where results are kept, in a line under the buttons that wraps at the folders, when that is
    // not beside the game (here the file beside it is a folder); once it is again, nothing.
    void theListSaysWhereResultsAreKeptOnlyWhenNotBesideTheGame() {
        GameDriver g;
        Form2 list(&g.form);
        const QSize designed = list.size();
        QVERIFY(QFile::remove(g.rt.PlayersFile()) && QDir().mkpath(g.rt.PlayersFile()));
        ChoosePlayersFile();
        const QString note = PlayersFileNote();
        QVERIFY(note.contains(PlayersFilePath) && PlayersFilePath != g.rt.PlayersFile());
        list.FillPlayerList();
        QLabel* line = list.Note();
        QVERIFY(!line->isHidden() && line->toolTip() == note && line->accessibleName() == note);
        QCOMPARE(line->text().remove(QChar(0x200B)).replace("\n", "\r\n"), note);
        QCOMPARE(line->text().count(QChar(0x200B)), note.count('/'));  // it wraps at the folders
        QVERIFY(line->y() > list.Command1(0)->geometry().bottom() &&
                list.rect().contains(line->geometry()) && list.height() > designed.height());
        QFile::remove(PlayersFilePath);  // never moved, as far as the next start can tell
        QVERIFY(QDir(PlayersFilePath = g.rt.PlayersFile()).removeRecursively());
        ChoosePlayersFile();
        list.FillPlayerList();
        QVERIFY(PlayersFileNote().isEmpty() && line->isHidden() && list.size() == designed);
    }

    void theListShowsTheTableUpToTheFirstFreeRecord_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("rows");  // after the header
        PlayerRecord free = Player("Gone", 1), kim = Player("", 4);
        free.Marker = QString(2, QChar(0));
        kim.Name = "Kim" + QString(1, QChar(0)) + "junk" + QString(43, QChar(0));
        QTest::newRow("two") << Records({Player("Ann", 120), Player("Bob", 0)})
                             << QStringList{"Ann                          120",
                                            "Bob                            0"};
        QTest::newRow("long name") << Records({Player("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", 55)})
                                   << QStringList{"ABCDEFGHIJKLMNOPQRSTUVWXY     55"};
        QTest::newRow("free record") << Records({Player("Ann", 120), free, Player("Cid", 9)})
                                     << QStringList{"Ann                          120"};
        QTest::newRow("no file") << QByteArray() << QStringList();
        // Longer numbers show whole; a line break shows as blanks and a NUL ends the name.
        QTest::newRow("odd names")
            << Records({Player("Max", 12345678), Player("", -5), Player("Ann\r\nLee\t", 3), kim})
            << QStringList{"Max                      12345678", QString(25, ' ') + "     -5",
                           "Ann  Lee                       3", "Kim                            4"};
    }
    void theListShowsTheTableUpToTheFirstFreeRecord() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, rows);
        GameDriver g(file);
        ModalScript script;
        QStringList shown;
        script.Then([&shown](vb::Dialog& d) { shown = Rows(List(d)); });
        g.form.mnuPlayer_Click(1);
        QCOMPARE(shown.mid(1), rows);
        QCOMPARE(script.shown.size(), 1);
    }

    // The list opens on the current player's row (past the last row, the highlight stays as the
    // refill left it), by the menu or a double click on the current name; a row is chosen by
    // Select or a double click, only between games.
    void aPlayerIsChosenBetweenGamesOnly_data() {
        QTest::addColumn<int>("opener");  // the menu, the current name, the best name
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("highlighted");  // -2: not opened
        QTest::addColumn<bool>("inGame");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("act");
        QTest::addColumn<int>("chosen");  // 0: none
        auto row = [](const char* name, int opener, int current, int highlighted, bool inGame,
                      int row, const char* act, int chosen) {
            QTest::newRow(name) << opener << current << highlighted << inGame << row << QString(act)
                                << chosen;
        };
        row("Select", 0, 0, 0, false, 1, "Select", 1);
        row("double click", 1, 1, 1, false, 2, "double click", 2);
        row("Select header", 0, 7, -1, false, 0, "Select", 0);
        row("double click header", 1, 2, 2, false, 0, "double click", 0);
        row("no row", 0, 1, 1, false, -1, "double click", 0);
        row("Select in game", 0, 1, 1, true, 2, "Select", 0);
        row("double click in game", 0, 1, 1, true, 2, "double click", 0);
        row("New in game", 0, 1, 1, true, 2, "New", 0);
        row("Close", 0, 1, 1, false, 2, "Close", 0);
        row("best name", 2, 1, -2, false, 2, "Select", 0);
        row("current name in game", 1, 1, -2, true, 2, "Select", 0);
    }
    void aPlayerIsChosenBetweenGamesOnly() {
        QFETCH(int, current);
        QFETCH(int, row);
        QFETCH(QString, act);
        QFETCH(int, chosen);
        GameDriver g(Records({Player("Ann", 120), Player("Bob", 0)}));
        for (vb::TextControl* box : {&g.form.Text1(0), &g.form.Text2(0), &g.form.Text1(1)})
            box->SetText("before");
        CurrentPlayer = Integer(current);
        ModalScript script;
        int highlighted = -2;
        bool open = true;
        script.Then([&](vb::Dialog& d) {
            QListWidget* view = List(d).lstPlayers();
            highlighted = List(d).lstPlayers()->ListIndex();
            QVERIFY(List(d).lstPlayers()->SetListIndex(row) || row < 0);
            if (act == "double click" && row > 0)
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                                   view->visualItemRect(view->item(row)).center());
            else if (act == "double click")
                List(d).lstPlayers_DblClick();
            else
                Click(List(d).Command1(QStringList{"Select", "New", "Close"}.indexOf(act)));
            QVERIFY(List(d).NewGamer() == nullptr);
            open = d.isVisible();
        });
        QFETCH(bool, inGame);
        QFETCH(int, opener);
        GameInProgress = inGame;
        if (opener)
            QTest::mouseDClick(g.form.Text1Box(opener - 1), Qt::LeftButton);
        else
            static_cast<vb::MenuAction&>(g.form.mnuPlayer()).Action()->trigger();
        QTEST(highlighted, "highlighted");
        QCOMPARE(open, chosen == 0 && act != "Close");
        QCOMPARE(int(CurrentPlayer), chosen ? chosen : current);
        const PlayerRecord& p = Players[chosen ? chosen : 1];
        QCOMPARE(
            (QStringList{g.form.Text1(0).Text(), g.form.Text2(0).Text(), g.form.Text1(1).Text()}),
            (chosen ? QStringList{p.Name.trimmed(), QString::number(p.Result), "before"}
                    : QStringList{"before", "before", "before"}));
        QVERIFY(!chosen || (CurrentName == p.Name && CurrentResult == p.Result));
        QCOMPARE(QFileInfo(g.rt.PlayersFile()).size(), 120);  // nothing written
    }

    // A new player takes the first free record, in a full table the lowest result (the lower
    // record on a tie), keeping its spare bytes; the whole table is written, and the name is
    // shown whole, stored at 50 characters and listed at 25. A name the file cannot hold (a
    // non-ASCII character) is refused on O'k and the box stays open, the name ready to be mended.
    void aNewPlayerTakesARecordAndTheWholeTableIsWritten_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("typed");  // the names given to O'k in turn
        QTest::addColumn<int>("slot");           // 0: nothing added
        PlayerRecord free = Player("Gone", 1), cid = Player("Cid", 10);
        free.Marker = QString(2, QChar(0));
        cid.Spare = {1, 2, 3, 4};
        QByteArray full, ann = Records({Player("Ann", 120)});
        for (int i = 1; i <= kMaxPlayers; ++i)
            full += EncodeRecord(Player(QString("P%1").arg(i), i == 7 || i == 40 ? 10 : 100 + i));
        full.replace(6 * 60 + 54, 4, "\x09\x08\x07\x06");
        const QString zoe = QStringLiteral("Zo\u00eb");
        QTest::newRow("first free")
            << Records({Player("Ann", 90), free, cid}) << QStringList{"Eve"} << 2;
        QTest::newRow("full table") << full << QStringList{"Zed"} << 7;
        QTest::newRow("sixty characters")
            << QByteArray() << QStringList{QString("123456789_").repeated(6)} << 1;
        QTest::newRow("empty") << ann << QStringList{""} << 0;
        QTest::newRow("blanks") << ann << QStringList{"   "} << 2;
        QTest::newRow("line break") << ann << QStringList{"Ann\nLee"} << 2;
        QTest::newRow("refused") << ann << QStringList{zoe} << 0;
        QTest::newRow("mended") << ann << QStringList{zoe, "Zoe"} << 2;
    }
    void aNewPlayerTakesARecordAndTheWholeTableIsWritten() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, typed);
        QFETCH(int, slot);
        GameDriver g(file);
        ModalScript script;
        QStringList rows;
        int highlighted = -1;
        bool open = false;
        script.Then([&](vb::Dialog& d) {
            Click(List(d).Command1(1));
            Click(List(d).Command1(1));
            highlighted = List(d).lstPlayers()->ListIndex();  // the list is active again
            rows = Rows(List(d));
        });
        script.Then([](vb::Dialog& d) {  // Cancel adds nothing
            dynamic_cast<frmNewGamer&>(d).Text1()->setPlainText("Old");
            Click(dynamic_cast<frmNewGamer&>(d).Command1(1));
        });
        script.Then([&](vb::Dialog& d) {
            auto& welcome = dynamic_cast<frmNewGamer&>(d);
            QVERIFY(welcome.Text1()->Text().isEmpty());  // emptied on activation
            for (const QString& name : typed) {
                welcome.Text1()->setPlainText(name);
                Click(welcome.Command1(0));
            }
            open = d.isVisible() && welcome.Text1()->Text() == typed.last();
        });
        g.form.mnuPlayer_Click(1);
        const QString name = QString(typed.last()).replace("\n", "\r\n");
        QVERIFY(script.shown.size() == 3 && open == (!slot && !name.isEmpty()));
        QCOMPARE(g.rt.messages.size(), std::size_t(typed[0].contains(QChar(0xEB))));
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()) == file && !Players[2].InUse(), !slot);
        if (!slot)
            return;
        QVERIFY(CurrentPlayer == slot && CurrentName == name && CurrentResult == 0);
        QCOMPARE(g.form.Text1(0).Text() + g.form.Text2(0).Text(), DisplayName(name) + "0");
        QCOMPARE(highlighted, slot);
        QVERIFY(file.size() < 6000 || rows.size() == 101);  // a full table lists all hundred
        QCOMPARE(rows.value(slot),
                 QString(name).replace("\r\n", "  ").left(25).leftJustified(25) + "      0");
        PlayerRecord added = Player(name, 0);
        std::copy_n(file.constData() + (slot - 1) * 60 + 54, file.size() >= slot * 60 ? 4 : 0,
                    added.Spare.begin());
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()),
                 file.leftJustified(6000, '\0').replace((slot - 1) * 60, 60, EncodeRecord(added)));
    }

    void theRealModalLoopsEndOnHidingAndTheListIsActivatedAgain() {
        GameDriver g(Records({Player("Ann", 120)}));
        QStringList trail;
        QTimer::singleShot(0, &g.form, [&trail] {  // inside the list's modal loop
            auto* list = dynamic_cast<Form2*>(QApplication::activeModalWidget());
            if (list == nullptr)
                return;
            trail << QString::number(list->lstPlayers()->ListIndex());
            QTimer::singleShot(0, list, [&trail] {  // inside the loop of "Welcome!"
                if (auto* dialog = dynamic_cast<frmNewGamer*>(QApplication::activeModalWidget())) {
                    trail << "welcome";
                    QTest::keyClicks(dialog->Text1(), "Bo");
                    Click(dialog->Command1(0));
                }
            });
            Click(list->Command1(1));
            trail << QString::number(list->lstPlayers()->ListIndex());
            Click(list->Command1(2));
        });
        g.form.mnuPlayer_Click(1);
        QCOMPARE(trail, (QStringList{"1", "welcome", "2"}));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // Not saved over a file another copy holds, and held from the reload to the save, which
    // brings what the other copy stored meanwhile.
    void aNewPlayerIsNotSavedOverAFileAnotherCopyHoldsAndHoldsItFromReloadToSave() {
        GameDriver g(Records({Player("Ann", 10)}));
        const QString lock = PlayersFilePath + ".lock";
        const QByteArray before = ReadWholeFile(g.rt.PlayersFile());
        QLockFile other(lock);
        QVERIFY(other.tryLock(0));
        SetPlayersFileLockTimeout(30);
        AddNewPlayer("Bob");
        QVERIFY(ReadWholeFile(g.rt.PlayersFile()) == before && g.rt.messages.size() == 1);
        SetPlayersFileLockTimeout(0);
        other.unlock();
        QVERIFY(WriteWholeFile(g.rt.PlayersFile(), Records({Player("Ann", 77)})));
        // The new name reaches the main window between the reload and the save: at that moment
        // another copy of the game must find the file locked.
        QList<bool> otherGotIt;
        auto watch = QObject::connect(g.form.Text1Box(0), &QLineEdit::textChanged,
                                      [&] { otherGotIt << QLockFile(lock).tryLock(0); });
        AddNewPlayer("Cid");
        QObject::disconnect(watch);
        QVERIFY(otherGotIt == QList<bool>{false} && QLockFile(lock).tryLock(0));
        QCOMPARE(g.form.Text1(1).Text() + g.form.Text2(1).Text(), "Ann77");
        // The player this copy could not store before is stored with the next one.
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()).left(180),
                 Records({Player("Ann", 77), Player("Bob", 0), Player("Cid", 0)}));
    }

    // The zoom dialog: the current scale shown; typing adds nothing and applies nothing, only a
    // choice from the list applies, during a game too: each scale its own size, 1:1 the
    // largest, and the way back restores the layout and the pictures. Hidden, the dialog keeps
    // its list; the close box changes nothing, and the next opening loads it afresh.
    void theZoomDialogAppliesOnlyAChoiceFromTheList() {
        GameDriver g;
        g.Start({1, 2, 3}, {P(2, 3), P(5, 5), P(8, 8)}, {2, 3, 5});
        g.Release(5, 5);
        auto layout = [&g] {
            QList<QRect> r{g.form.geometry()};
            for (vb::Control* c : g.form.Controls())
                r << dynamic_cast<QWidget*>(c)->geometry();
            return r;
        };
        const QList<QRect> before = layout();
        const QImage preview = g.form.Picture2Box()->GetCanvas().Image();
        ModalScript script;
        QList<int> heights;
        int current = 2;  // 1:2
        for (int i : {4, 3, 2, 1, 0, 2}) {
            script.Then([i, &current](vb::Dialog& d) {
                vb::ComboBox* combo = static_cast<frmZoom&>(d).Combo1();
                QVERIFY(combo->count() == 5 &&
                        combo->Text() == combo->itemText(std::exchange(current, i)));
                combo->lineEdit()->setText(combo->itemText(i) + " ");  // typed: nothing
                QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
                QVERIFY(d.isVisible());
                combo->showPopup();
                combo->view()->setCurrentIndex(combo->model()->index(i, 0));
                QTest::keyClick(combo->view(), Qt::Key_Return);
                QVERIFY(!d.isVisible());
            });
            g.form.mnuZoom_Click(2);
            heights << g.form.height();
            QVERIFY(g.DrawnAfresh() && GameInProgress && BallSelected);
        }
        QVERIFY(heights[0] < heights[1] && heights[1] < heights[2] && heights[2] < heights[3] &&
                heights[3] < heights[4]);
        QVERIFY(layout() == before && g.form.Picture2Box()->GetCanvas().Image() == preview);
        QPointer<vb::Dialog> closed;
        script.Then([&closed](vb::Dialog& d) { (closed = &d)->close(); });
        script.Then([&closed](vb::Dialog& d) {
            QVERIFY(closed.isNull() && static_cast<frmZoom&>(d).Combo1()->count() == 5);
        });
        g.form.mnuZoom_Click(2);
        g.form.mnuZoom_Click(2);
        QVERIFY(layout() == before && script.shown.size() == 8);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
