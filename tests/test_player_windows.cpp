// The player list and the new player dialog: the rows, choosing a player between games, adding
// players (the slot choice and the file after), scripted and through the real modal loop.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTest>
#include <QTimer>

#include "ModalScript.h"
#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/GameState.h"
#include "players/Form2.h"
#include "players/NewPlayer.h"
#include "players/PlayerListRows.h"
#include "players/PlayersFileLock.h"
#include "players/frmNewGamer.h"

using namespace qv;
using qvtest::ModalScript;

namespace {

const QString kHeader = QStringLiteral("PLAYER                    RESULT");

PlayerRecord Player(const QString& name, std::int32_t result) {
    PlayerRecord r;
    r.Name = FixedName(name);
    r.Result = result;
    r.Marker = kInUseMarker;
    return r;
}

void WriteTable(const QString& path, const std::vector<PlayerRecord>& records) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const auto& r : records)
        f.write(EncodeRecord(r));
}

QByteArray Record(const QString& path, int n) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().mid((n - 1) * 60, 60) : QByteArray();
}

Form2& List(vb::Dialog& d) {
    return dynamic_cast<Form2&>(d);
}
frmNewGamer& Welcome(vb::Dialog& d) {
    return dynamic_cast<frmNewGamer&>(d);
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

// Steps: "New" on the list (then the list closes), and typing a name into "Welcome!" + O'k.
ModalScript::Step PressNew() {
    return [](vb::Dialog& d) {
        Click(List(d).Command1(1));
        d.Hide();
    };
}
ModalScript::Step TypeAndConfirm(const QString& name) {
    return [name](vb::Dialog& d) {
        QTest::keyClicks(Welcome(d).Text1(), name);
        Click(Welcome(d).Command1(0));
    };
}

}  // namespace

class TestPlayerWindows : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void rowFormat() {
        QCOMPARE(PlayerListHeader(), kHeader);
        QCOMPARE(PlayerListRow(Player("", -5)), QString(25, ' ') + "     -5");
        // Longer numbers are shown whole: the row grows.
        QCOMPARE(PlayerListRow(Player("Max", 12345678)), "Max" + QString(22, ' ') + "12345678");
        // A line break shows as blanks, a NUL ends the name; the row stays one 32-character line.
        QCOMPARE(PlayerListRow(Player("Ann\r\nLee\t", 3)),
                 "Ann  Lee " + QString(16, ' ') + "      3");
        PlayerRecord r = Player("", 4);
        r.Name = "Kim" + QString(1, QChar(0)) + "junk" + QString(43, QChar(0));
        QCOMPARE(PlayerListRow(r), "Kim" + QString(22, ' ') + "      4");
    }

    void theListShowsTheTableUpToTheFirstFreeRecord() {
        qvtest::TestRuntime rt;
        PlayerRecord free = Player("Gone", 1);
        free.Marker = QString(2, QChar(0));
        const struct {
            std::vector<PlayerRecord> table;
            QStringList rows;
        } cases[] = {
            {{Player("Ann", 120), Player("Bob", 0)},
             {kHeader, "Ann                          120", "Bob                            0"}},
            {{Player("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", 55)},
             {kHeader, "ABCDEFGHIJKLMNOPQRSTUVWXY     55"}},
            {{Player("Ann", 120), free, Player("Cid", 9)},
             {kHeader, "Ann                          120"}},
            {{}, {kHeader}},
        };
        for (const auto& c : cases) {
            ResetSharedState();
            WriteTable(rt.PlayersFile(), c.table);
            Form1 form;
            form.Show();
            ModalScript script;
            QStringList rows;
            script.Then([&rows](vb::Dialog& d) { rows = Rows(List(d)); });
            form.mnuPlayer_Click(1);
            QCOMPARE(rows, c.rows);
            QCOMPARE(script.shown, QStringList{"Players List"});
        }
    }

    void theCurrentPlayerIsHighlightedErrorsIgnored() {
        qvtest::TestRuntime rt;
        WriteTable(rt.PlayersFile(), {Player("Ann", 120), Player("Bob", 0)});
        Form1 form;
        form.Show();
        ModalScript script;
        QList<int> seen;
        for (int i = 0; i < 3; ++i)
            script.Then([&seen](vb::Dialog& d) { seen << List(d).lstPlayers()->ListIndex(); });
        form.mnuPlayer_Click(1);  // record 2, the last in use, is current
        CurrentPlayer = 0;        // the header
        form.mnuPlayer_Click(1);
        CurrentPlayer = 7;  // past the last row: the highlight stays as the refill left it
        form.mnuPlayer_Click(1);
        QCOMPARE(seen, (QList<int>{2, 0, -1}));
    }

    void selectAndDoubleClickChooseBetweenGamesOnly() {
        qvtest::TestRuntime rt;
        WriteTable(rt.PlayersFile(), {Player("Ann", 120), Player("Bob", 0)});
        Form1 form;
        form.Show();
        form.Text1(1).SetText("untouched");
        ModalScript script;
        // During a game, and on the header, nothing is chosen; Close always works.
        script.Then([](vb::Dialog& d) {
            Form2& list = List(d);
            QVERIFY(list.lstPlayers()->SetListIndex(0));
            Click(list.Command1(0));
            QVERIFY(list.lstPlayers()->SetListIndex(-1));
            list.lstPlayers_DblClick();
            GameInProgress = true;
            QVERIFY(list.lstPlayers()->SetListIndex(1));
            Click(list.Command1(0));
            list.lstPlayers_DblClick();
            Click(list.Command1(1));
            QVERIFY(list.isVisible());
            QCOMPARE(list.NewGamer(), nullptr);
            Click(list.Command1(2));
            QVERIFY(!list.isVisible());
            GameInProgress = false;
        });
        form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 2);
        // Select row 1.
        script.Then([](vb::Dialog& d) {
            QVERIFY(List(d).lstPlayers()->SetListIndex(1));
            Click(List(d).Command1(0));
            QVERIFY(!d.isVisible());
        });
        form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 1);
        QCOMPARE(CurrentName, FixedName("Ann"));
        QCOMPARE(CurrentResult, 120);
        QCOMPARE(form.Text1(0).Text(), QStringLiteral("Ann"));
        QCOMPARE(form.Text2(0).Text(), QStringLiteral("120"));
        QCOMPARE(form.Text1(1).Text(), QStringLiteral("untouched"));
        // A double click on Bob's row, opened by a double click on the current name.
        int highlighted = -1;
        script.Then([&highlighted](vb::Dialog& d) {
            QListWidget* view = List(d).lstPlayers();
            highlighted = List(d).lstPlayers()->ListIndex();
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                               view->visualItemRect(view->item(2)).center());
        });
        QTest::mouseDClick(form.Text1Box(0), Qt::LeftButton);
        QCOMPARE(highlighted, 1);
        QCOMPARE(CurrentPlayer, 2);
        QCOMPARE(form.Text2(0).Text(), QStringLiteral("0"));
        QCOMPARE(QFileInfo(rt.PlayersFile()).size(), 120);  // nothing written
        QCOMPARE(script.unscripted, 0);
    }

    void onlyTheCurrentNameOpensTheListAndOnlyBetweenGames() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        ModalScript script;
        QTest::mouseDClick(form.Text1Box(1), Qt::LeftButton);
        GameInProgress = true;
        QTest::mouseDClick(form.Text1Box(0), Qt::LeftButton);
        QVERIFY(script.shown.isEmpty());
        GameInProgress = false;
        QTest::mouseDClick(form.Text1Box(0), Qt::LeftButton);
        static_cast<vb::MenuAction&>(form.mnuPlayer()).Action()->trigger();
        QCOMPARE(script.shown, (QStringList{"Players List", "Players List"}));
    }

    void aNewPlayerTakesTheFirstFreeRecordAndTheFileIsWrittenWhole() {
        qvtest::TestRuntime rt;
        std::vector<PlayerRecord> table = {Player("Ann", 10), Player("Bob", 90), Player("Cid", 10),
                                           Player("Dee", 10)};
        table[2].Spare = {1, 2, 3, 4};
        WriteTable(rt.PlayersFile(), table);
        Form1 form;
        form.Show();
        ModalScript script;
        int highlightedAfter = -1;
        QString lastRow;
        script.Then([&](vb::Dialog& d) {
            Click(List(d).Command1(1));
            // "Welcome!" has closed over the list: the list is active again.
            highlightedAfter = List(d).lstPlayers()->ListIndex();
            lastRow = Rows(List(d)).last();
            d.Hide();
        });
        script.Then(TypeAndConfirm("Eve"));
        form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 5);
        QCOMPARE(CurrentName, QStringLiteral("Eve"));
        QCOMPARE(CurrentResult, 0);
        QCOMPARE(form.Text1(0).Text() + form.Text2(0).Text(), QStringLiteral("Eve0"));
        QCOMPARE(form.Text1(1).Text() + form.Text2(1).Text(), QStringLiteral("Bob90"));
        QCOMPARE(highlightedAfter, 5);
        QCOMPARE(lastRow, "Eve" + QString(22, ' ') + "      0");
        QCOMPARE(QFileInfo(rt.PlayersFile()).size(), 6000);
        QCOMPARE(Record(rt.PlayersFile(), 5), EncodeRecord(Player("Eve", 0)));
        QCOMPARE(Record(rt.PlayersFile(), 3), EncodeRecord(table[2]));  // Spare unchanged
        QCOMPARE(Record(rt.PlayersFile(), 6), QByteArray(60, '\0'));
        QCOMPARE(Record(rt.PlayersFile(), 100), QByteArray(60, '\0'));
    }

    void aNewPlayerIsNotSavedOverAFileAnotherCopyHolds() {
        qvtest::TestRuntime rt;
        WriteTable(rt.PlayersFile(), {Player("Ann", 10)});
        Form1 form;
        form.Show();
        const QByteArray before = Record(rt.PlayersFile(), 1);
        // Another copy of the game holds the file from its reload to its save.
        QLockFile other(PlayersFilePath + QStringLiteral(".lock"));
        QVERIFY(other.tryLock(0));
        const int timeout = PlayersFileLockTimeout();
        SetPlayersFileLockTimeout(30);
        AddNewPlayer(QStringLiteral("Bob"));
        SetPlayersFileLockTimeout(timeout);
        QCOMPARE(QFileInfo(rt.PlayersFile()).size(), 60);
        QCOMPARE(Record(rt.PlayersFile(), 1), before);
        QCOMPARE(rt.messages.size(), std::size_t(1));
        other.unlock();
        // Once the other copy is done, the next new player is stored, and with it the one this
        // session could not store before.
        AddNewPlayer(QStringLiteral("Cid"));
        QCOMPARE(QFileInfo(rt.PlayersFile()).size(), 6000);
        QCOMPARE(Record(rt.PlayersFile(), 1), before);
        QCOMPARE(Record(rt.PlayersFile(), 2), EncodeRecord(Player("Bob", 0)));
        QCOMPARE(Record(rt.PlayersFile(), 3), EncodeRecord(Player("Cid", 0)));
    }

    void theFileStaysLockedFromTheReloadToTheSave() {
        qvtest::TestRuntime rt;
        WriteTable(rt.PlayersFile(), {Player("Ann", 10)});
        Form1 form;
        form.Show();
        // Between the reload and the save the new name reaches the main window: at that moment
        // another copy of the game must find the file locked.
        int tries = 0, refused = 0;
        QObject::connect(form.Text1Box(0), &QLineEdit::textChanged, [&] {
            QLockFile other(PlayersFilePath + QStringLiteral(".lock"));
            ++tries;
            refused += other.tryLock(0) ? 0 : 1;
        });
        AddNewPlayer(QStringLiteral("Bob"));
        QCOMPARE(tries, 1);
        QCOMPARE(refused, 1);
        QLockFile after(PlayersFilePath + QStringLiteral(".lock"));
        QVERIFY(after.tryLock(0));  // and it is free again afterwards
    }

    void aFullTableGivesUpItsLowestResultLowestRecordOnATie() {
        qvtest::TestRuntime rt;
        std::vector<PlayerRecord> table;
        for (int i = 1; i <= kMaxPlayers; ++i)
            table.push_back(Player(QStringLiteral("P%1").arg(i), i == 7 || i == 40 ? 10 : 100 + i));
        table[6].Spare = {9, 8, 7, 6};
        WriteTable(rt.PlayersFile(), table);
        Form1 form;
        form.Show();
        ModalScript script;
        script.Then(PressNew());
        script.Then(TypeAndConfirm("Zed"));
        form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 7);
        PlayerRecord replaced = Player("Zed", 0);
        replaced.Spare = {9, 8, 7, 6};
        table[6] = replaced;
        for (int n = 1; n <= kMaxPlayers; ++n)
            QCOMPARE(Record(rt.PlayersFile(), n), EncodeRecord(table[n - 1]));
        QCOMPARE(QFileInfo(rt.PlayersFile()).size(), 6000);
    }

    void theSlotRule() {
        Players[1] = Player("A", 5);
        Players[3] = Player("C", 5);
        QCOMPARE(NewPlayerSlot(), 2);  // the first free record, with players after it
        for (int i = 1; i <= kMaxPlayers; ++i)
            Players[i] = Player("X", 50);
        QCOMPARE(NewPlayerSlot(), 1);  // all equal: record 1
        Players[99].Result = -3;
        Players[55].Result = -3;
        QCOMPARE(NewPlayerSlot(), 55);
    }

    void aSixtyCharacterNameIsShownWholeStoredAtFiftyListedAtTwentyFive() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        const QString name = QStringLiteral("123456789_").repeated(6);
        ModalScript script;
        QString row;
        script.Then([&row](vb::Dialog& d) {
            Click(List(d).Command1(1));
            row = List(d).lstPlayers()->List(1);
        });
        script.Then(TypeAndConfirm(name));
        form.mnuPlayer_Click(1);
        QCOMPARE(form.Text1(0).Text(), name);
        QCOMPARE(CurrentName, name);
        QCOMPARE(Record(rt.PlayersFile(), 1).left(50), name.left(50).toLatin1());
        QCOMPARE(row, name.left(25) + "      0");
    }

    void anEmptyBoxOrCancelAddsNothing() {
        qvtest::TestRuntime rt;
        WriteTable(rt.PlayersFile(), {Player("Ann", 120)});
        Form1 form;
        form.Show();
        ModalScript script;
        script.Then([](vb::Dialog& d) {
            Click(List(d).Command1(1));
            Click(List(d).Command1(1));
        });
        script.Then([](vb::Dialog& d) { Click(Welcome(d).Command1(0)); });
        script.Then([](vb::Dialog& d) {
            QVERIFY(Welcome(d).Text1()->Text().isEmpty());  // emptied on activation
            QTest::keyClicks(Welcome(d).Text1(), "Bob");
            Click(Welcome(d).Command1(1));
        });
        form.mnuPlayer_Click(1);
        QCOMPARE(script.StepsLeft(), 0u);
        QCOMPARE(QFileInfo(rt.PlayersFile()).size(), 60);
        QCOMPARE(CurrentPlayer, 1);
        QCOMPARE(form.Text1(0).Text(), QStringLiteral("Ann"));
    }

    void namesAreTakenAsTypedAndEnterStartsANewLine() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        ModalScript script;
        QStringList rows;
        script.Then([&rows](vb::Dialog& d) {
            for (int i = 0; i < 3; ++i)
                Click(List(d).Command1(1));
            rows = Rows(List(d));
        });
        script.Then(TypeAndConfirm("   "));
        script.Then([](vb::Dialog& d) {
            frmNewGamer& dialog = Welcome(d);
            // Tab order: the name, O'k, Cancel. Enter and Escape press no button.
            QCOMPARE(dialog.focusWidget(), dialog.Text1());
            QTest::keyClick(dialog.Text1(), Qt::Key_Tab);
            QCOMPARE(dialog.focusWidget(), dialog.Command1(0));
            QTest::keyClick(dialog.Command1(0), Qt::Key_Tab);
            QCOMPARE(dialog.focusWidget(), dialog.Command1(1));
            QTest::keyClick(dialog.Command1(1), Qt::Key_Return);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::keyClicks(dialog.Text1(), "Ann");
            QTest::keyClick(dialog.Text1(), Qt::Key_Return);
            QTest::keyClick(dialog.Text1(), Qt::Key_Escape);
            QTest::keyClicks(dialog.Text1(), "Lee");
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.Text1()->Text(), QStringLiteral("Ann\r\nLee"));
            Click(dialog.Command1(0));
        });
        script.Then(TypeAndConfirm("   "));
        form.mnuPlayer_Click(1);
        QCOMPARE(Players[1].Name, QString(50, ' '));
        QCOMPARE(Record(rt.PlayersFile(), 2).left(8), QByteArray("Ann\r\nLee"));
        QCOMPARE(Players[3].Name, QString(50, ' '));  // the same name twice: two players
        QCOMPARE(CurrentPlayer, 3);
        QCOMPARE(form.Text1(0).Text(), QString());
        QCOMPARE(rows, (QStringList{kHeader, QString(25, ' ') + "      0",
                                    "Ann  Lee" + QString(17, ' ') + "      0",
                                    QString(25, ' ') + "      0"}));
    }

    void theRealModalLoopEndsOnHidingAndTheListIsActivatedAgain() {
        qvtest::TestRuntime rt;
        WriteTable(rt.PlayersFile(), {Player("Ann", 120)});
        Form1 form;
        form.Show();
        QStringList trail;
        QTimer::singleShot(0, &form, [&trail] {  // inside the list's modal loop
            auto* list = dynamic_cast<Form2*>(QApplication::activeModalWidget());
            if (list == nullptr)
                return;
            trail << QString::number(list->lstPlayers()->ListIndex());
            QTimer::singleShot(0, list, [&trail] {  // inside the loop of "Welcome!"
                auto* dialog = dynamic_cast<frmNewGamer*>(QApplication::activeModalWidget());
                if (dialog == nullptr)
                    return;
                trail << "welcome";
                QTest::keyClicks(dialog->Text1(), "Bo");
                Click(dialog->Command1(0));
            });
            Click(list->Command1(1));
            trail << QString::number(list->lstPlayers()->ListIndex());
            Click(list->Command1(2));
        });
        form.mnuPlayer_Click(1);
        QCOMPARE(trail, (QStringList{"1", "welcome", "2"}));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestPlayerWindows)
#include "test_player_windows.moc"
