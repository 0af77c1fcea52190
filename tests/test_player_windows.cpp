// The player list and the new player dialog: the rows of the list, choosing a player between
// games, adding players (the slot choice and what the file holds after), and the modal display
// of both windows, scripted and through the real modal loop.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include "ModalScript.h"
#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/GameState.h"
#include "players/Form2.h"
#include "players/NewPlayer.h"
#include "players/PlayerListRows.h"
#include "players/frmNewGamer.h"

using namespace qv;

namespace {

PlayerRecord Player(const QString& name, std::int32_t result) {
    PlayerRecord r;
    r.Name = FixedName(name);
    r.Result = result;
    r.Marker = kInUseMarker;
    return r;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QByteArray Records(const std::vector<PlayerRecord>& records) {
    QByteArray bytes;
    for (const auto& r : records)
        bytes += EncodeRecord(r);
    return bytes;
}

QByteArray RecordOf(const QByteArray& file, int n) {
    return file.mid((n - 1) * kRecordLength, kRecordLength);
}

QStringList Rows(const vb::ListBox& list) {
    QStringList rows;
    for (int i = 0; i < list.ListCount(); ++i)
        rows << list.List(i);
    return rows;
}

const QString kHeader = QStringLiteral("PLAYER                    RESULT");

Form2& AsList(vb::Dialog& d) {
    auto* list = dynamic_cast<Form2*>(&d);
    if (list == nullptr)
        qFatal("expected the player list, got \"%s\"", qPrintable(d.windowTitle()));
    return *list;
}

frmNewGamer& AsNewGamer(vb::Dialog& d) {
    auto* dialog = dynamic_cast<frmNewGamer*>(&d);
    if (dialog == nullptr)
        qFatal("expected the new player dialog, got \"%s\"", qPrintable(d.windowTitle()));
    return *dialog;
}

// The "Welcome!" step that types `name` and presses O'k.
qvtest::ModalScript::Step TypeAndConfirm(const QString& name) {
    return [name](vb::Dialog& d) {
        frmNewGamer& dialog = AsNewGamer(d);
        dialog.Text1()->insertPlainText(name);
        QTest::mouseClick(dialog.Command1(0), Qt::LeftButton);
    };
}

// A full table: results 100 + record number unless given.
std::vector<PlayerRecord> FullTable(const std::map<int, std::int32_t>& results = {}) {
    std::vector<PlayerRecord> table;
    for (int i = 1; i <= kMaxPlayers; ++i) {
        auto it = results.find(i);
        table.push_back(
            Player(QStringLiteral("Player %1").arg(i), it != results.end() ? it->second : 100 + i));
    }
    return table;
}

}  // namespace

class TestPlayerWindows : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    // --- The rows ---

    void rowsAreThirtyTwoCharactersWide() {
        QCOMPARE(PlayerListHeader(), kHeader);
        QCOMPARE(PlayerListHeader().size(), 32);
        QCOMPARE(PlayerListRow(Player("Ann", 120)),
                 QStringLiteral("Ann") + QString(22, ' ') + QStringLiteral("    120"));
        QCOMPARE(PlayerListRow(Player("Bob", 0)),
                 QStringLiteral("Bob") + QString(22, ' ') + QStringLiteral("      0"));
        QCOMPARE(PlayerListRow(Player("", -5)), QString(25, ' ') + QStringLiteral("     -5"));
        QCOMPARE(PlayerListRow(Player("Max", 9999999)).size(), 32);
        // A longer number is shown whole; the row grows.
        QCOMPARE(PlayerListRow(Player("Max", 12345678)),
                 QStringLiteral("Max") + QString(22, ' ') + QStringLiteral("12345678"));
        QCOMPARE(PlayerListRow(Player("Min", INT32_MIN)).right(11), QStringLiteral("-2147483648"));
        // 30 characters: the first 25 are listed.
        QCOMPARE(PlayerListRow(Player("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", 7)),
                 QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY      7"));
    }

    void controlCharactersInANameKeepTheRowOnOneLine() {
        // A line break typed into a name shows as blanks; a NUL ends the name.
        QCOMPARE(PlayerListRow(Player("Ann\r\nLee", 3)),
                 QStringLiteral("Ann  Lee") + QString(17, ' ') + QStringLiteral("      3"));
        PlayerRecord r = Player("", 4);
        r.Name = QStringLiteral("Kim") + QChar(0) + QStringLiteral("junk") +
                 QString(kNameLength - 8, QChar(0));
        QCOMPARE(PlayerListRow(r), QStringLiteral("Kim") + QString(22, ' ') + "      4");
        r.Name = FixedName(QStringLiteral("Tab\there") + QChar(0x7F) + QChar(0x98));
        QCOMPARE(PlayerListRow(r).left(11), QStringLiteral("Tab here   "));
        QCOMPARE(PlayerListRow(r).size(), 32);
    }

    void theListShowsTheTableUpToTheFirstFreeRecord() {
        qvtest::TestRuntime rt;
        struct Case {
            const char* what;
            std::vector<PlayerRecord> records;
            QStringList rows;
        };
        PlayerRecord free;
        free.Name = FixedName(QStringLiteral("Gone"));
        const std::vector<Case> cases = {
            {"Ann and Bob",
             {Player("Ann", 120), Player("Bob", 0)},
             {kHeader, "Ann                          120", "Bob                            0"}},
            {"a 30-character name",
             {Player("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", 55)},
             {kHeader, "ABCDEFGHIJKLMNOPQRSTUVWXY     55"}},
            {"a free record 2 before record 3",
             {Player("Ann", 120), free, Player("Cid", 9)},
             {kHeader, "Ann                          120"}},
            {"no player at all", {}, {kHeader}},
        };
        for (const Case& c : cases) {
            ResetSharedState();
            WriteFile(rt.PlayersFile(), Records(c.records));
            Form1 form;
            form.Show();
            qvtest::ModalScript script;
            QStringList rows;
            script.Then([&rows](vb::Dialog& d) {
                rows = Rows(*AsList(d).lstPlayers());
                d.Hide();
            });
            form.mnuPlayer_Click(1);
            QVERIFY2(rows == c.rows, c.what);
            for (const QString& row : rows)
                QCOMPARE(row.size(), 32);
            QCOMPARE(script.shown, QStringList{"Players List"});
        }
    }

    void theListWindowAsDesigned() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        Form2 list(&form);
        QCOMPARE(list.windowTitle(), QStringLiteral("Players List"));
        QCOMPARE(list.size(), QSize(283, 210));  // 4245 x 3150 twips
        QCOMPARE(list.lstPlayers()->geometry(), QRect(0, 0, 281, 180));
        QVERIFY(list.lstPlayers()->font().fixedPitch());
        QCOMPARE(list.lstPlayers()->font().pointSizeF(), 9.75);
        QVERIFY(!list.lstPlayers()->font().bold());
        const char* captions[] = {"S&elect", "&New", "&Close"};
        for (int i = 0; i < 3; ++i) {
            vb::CommandButton* b = list.Command1(i);
            QCOMPARE(b->text(), QString::fromLatin1(captions[i]));
            QCOMPARE(b->geometry(), QRect(96 * i, 184, 89, 25));
            QVERIFY(b->font().bold());
            QCOMPARE(b->font().pointSizeF(), 8.25);
            QVERIFY(!b->isDefault() && !b->autoDefault());
        }
    }

    // --- Highlight and choice ---

    void theCurrentPlayersRowIsHighlightedErrorsIgnored() {
        qvtest::TestRuntime rt;
        WriteFile(rt.PlayersFile(), Records({Player("Ann", 120), Player("Bob", 0)}));
        Form1 form;
        form.Show();
        QCOMPARE(CurrentPlayer, 2);
        qvtest::ModalScript script;
        QList<int> seen;
        auto look = [&seen](vb::Dialog& d) {
            seen << AsList(d).lstPlayers()->ListIndex();
            d.Hide();
        };
        script.Then(look);
        script.Then(look);
        script.Then(look);
        form.mnuPlayer_Click(1);
        CurrentPlayer = 0;  // the header
        form.mnuPlayer_Click(1);
        CurrentPlayer = 7;  // past the last row: the highlight stays as the refill left it
        form.mnuPlayer_Click(1);
        QCOMPARE(seen, (QList<int>{2, 0, -1}));
    }

    void selectAndDoubleClickChooseAPlayerBetweenGames() {
        qvtest::TestRuntime rt;
        WriteFile(rt.PlayersFile(), Records({Player("Ann", 120), Player("Bob", 0)}));
        Form1 form;
        form.Show();
        QCOMPARE(form.Text1(1).Text(), QStringLiteral("Ann"));
        // Select row 1: Ann becomes current; the best player's fields are left alone.
        form.Text1(1).SetText(QStringLiteral("untouched"));
        qvtest::ModalScript script;
        bool hidden = false;
        script.Then([&hidden](vb::Dialog& d) {
            Form2& list = AsList(d);
            QVERIFY(list.lstPlayers()->SetListIndex(1));
            QTest::mouseClick(list.Command1(0), Qt::LeftButton);
            hidden = !list.isVisible();
        });
        form.mnuPlayer_Click(1);
        QVERIFY(hidden);
        QCOMPARE(CurrentPlayer, 1);
        QCOMPARE(CurrentName, FixedName(QStringLiteral("Ann")));
        QCOMPARE(CurrentName.size(), 50);
        QCOMPARE(CurrentResult, 120);
        QCOMPARE(form.Text1(0).Text(), QStringLiteral("Ann"));
        QCOMPARE(form.Text2(0).Text(), QStringLiteral("120"));
        QCOMPARE(form.Text1(1).Text(), QStringLiteral("untouched"));

        // A double click on Bob's row, from a double click on the current name.
        int highlighted = -1;
        script.Then([&highlighted](vb::Dialog& d) {
            Form2& list = AsList(d);
            highlighted = list.lstPlayers()->ListIndex();
            QListWidget* view = list.lstPlayers();
            const QRect row = view->visualItemRect(view->item(2));
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
        });
        QTest::mouseDClick(form.Text1Box(0), Qt::LeftButton);
        QCOMPARE(highlighted, 1);  // the player chosen before
        QCOMPARE(CurrentPlayer, 2);
        QCOMPARE(form.Text1(0).Text(), QStringLiteral("Bob"));
        QCOMPARE(form.Text2(0).Text(), QStringLiteral("0"));
        QCOMPARE(script.shown.size(), 2);
        // Nothing was written.
        QCOMPARE(QFileInfo(rt.PlayersFile()).size(), 120);
    }

    void nothingIsChosenDuringAGameOrOnTheHeader() {
        qvtest::TestRuntime rt;
        WriteFile(rt.PlayersFile(), Records({Player("Ann", 120), Player("Bob", 0)}));
        Form1 form;
        form.Show();
        qvtest::ModalScript script;
        script.Then([](vb::Dialog& d) {
            Form2& list = AsList(d);
            vb::ListBox* rows = list.lstPlayers();
            // The header is not a player.
            QVERIFY(rows->SetListIndex(0));
            QTest::mouseClick(list.Command1(0), Qt::LeftButton);
            list.lstPlayers_DblClick();
            QVERIFY(list.isVisible());
            // No row highlighted.
            QVERIFY(rows->SetListIndex(-1));
            QTest::mouseClick(list.Command1(0), Qt::LeftButton);
            QVERIFY(list.isVisible());
            // During a game neither Select, a double click nor New does anything.
            GameInProgress = true;
            QVERIFY(rows->SetListIndex(1));
            QTest::mouseClick(list.Command1(0), Qt::LeftButton);
            list.lstPlayers_DblClick();
            QTest::mouseClick(list.Command1(1), Qt::LeftButton);
            QVERIFY(list.isVisible());
            QCOMPARE(list.NewGamer(), nullptr);
            // Close is always allowed.
            QTest::mouseClick(list.Command1(2), Qt::LeftButton);
            QVERIFY(!list.isVisible());
        });
        form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 2);
        QCOMPARE(form.Text1(0).Text(), QStringLiteral("Bob"));
        QCOMPARE(script.shown, QStringList{"Players List"});
        QCOMPARE(script.unscripted, 0);
    }

    void onlyTheCurrentNameOpensTheListAndOnlyBetweenGames() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        qvtest::ModalScript script;
        QTest::mouseDClick(form.Text1Box(1), Qt::LeftButton);
        QVERIFY(script.shown.isEmpty());
        GameInProgress = true;
        QTest::mouseDClick(form.Text1Box(0), Qt::LeftButton);
        QVERIFY(script.shown.isEmpty());
        GameInProgress = false;
        QTest::mouseDClick(form.Text1Box(0), Qt::LeftButton);
        QCOMPARE(script.shown, QStringList{"Players List"});
        // The menu command opens it through the menu bar too.
        form.mnuPlayer().SetEnabled(true);
        static_cast<vb::MenuAction&>(form.mnuPlayer()).Action()->trigger();
        QCOMPARE(script.shown.size(), 2);
    }

    // --- New players ---

    void aNewPlayerTakesTheFirstFreeRecordAndBecomesCurrent() {
        qvtest::TestRuntime rt;
        std::vector<PlayerRecord> table;
        for (const char* name : {"Ann", "Bob", "Cid", "Dee"})
            table.push_back(Player(name, 10));
        table[1].Result = 90;
        table[2].Spare = {1, 2, 3, 4};
        WriteFile(rt.PlayersFile(), Records(table));
        Form1 form;
        form.Show();
        qvtest::ModalScript script;
        int highlightedAfter = -1;
        QStringList rowsAfter;
        script.Then([&](vb::Dialog& d) {
            Form2& list = AsList(d);
            QTest::mouseClick(list.Command1(1), Qt::LeftButton);
            // "Welcome!" has closed over the list: the list is active again.
            QVERIFY(list.isVisible());
            highlightedAfter = list.lstPlayers()->ListIndex();
            rowsAfter = Rows(*list.lstPlayers());
            QTest::mouseClick(list.Command1(2), Qt::LeftButton);
        });
        bool emptyOnActivate = false;
        script.Then([&](vb::Dialog& d) {
            frmNewGamer& dialog = AsNewGamer(d);
            emptyOnActivate = dialog.Text1()->Text().isEmpty();
            QTest::keyClicks(dialog.Text1(), QStringLiteral("Eve"));
            QTest::mouseClick(dialog.Command1(0), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        });
        form.mnuPlayer_Click(1);
        QCOMPARE(script.shown, (QStringList{"Players List", "Welcome!"}));
        QVERIFY(emptyOnActivate);
        QCOMPARE(CurrentPlayer, 5);
        QCOMPARE(CurrentName, QStringLiteral("Eve"));
        QCOMPARE(CurrentResult, 0);
        QCOMPARE(form.Text1(0).Text(), QStringLiteral("Eve"));
        QCOMPARE(form.Text2(0).Text(), QStringLiteral("0"));
        QCOMPARE(form.Text1(1).Text(), QStringLiteral("Bob"));
        QCOMPARE(form.Text2(1).Text(), QStringLiteral("90"));
        QCOMPARE(highlightedAfter, 5);
        QCOMPARE(rowsAfter.size(), 6);
        QCOMPARE(rowsAfter.last(), QStringLiteral("Eve") + QString(22, ' ') + "      0");

        const QByteArray file = ReadFile(rt.PlayersFile());
        QCOMPARE(file.size(), 6000);
        QCOMPARE(RecordOf(file, 5), EncodeRecord(Player("Eve", 0)));
        QCOMPARE(RecordOf(file, 5).right(2), QByteArray("\r\n"));
        QCOMPARE(RecordOf(file, 3), EncodeRecord(table[2]));  // Spare travels unchanged
        for (int n = 6; n <= 100; ++n)
            QCOMPARE(RecordOf(file, n), QByteArray(60, '\0'));

        // The next opening of "Welcome!" starts with an empty box again.
        bool emptyAgain = false;
        script.Then(
            [](vb::Dialog& d) { QTest::mouseClick(AsList(d).Command1(1), Qt::LeftButton); });
        script.Then([&emptyAgain](vb::Dialog& d) {
            frmNewGamer& dialog = AsNewGamer(d);
            emptyAgain = dialog.Text1()->Text().isEmpty();
            QTest::mouseClick(dialog.Command1(1), Qt::LeftButton);
        });
        form.mnuPlayer_Click(1);
        QVERIFY(emptyAgain);
        QCOMPARE(CurrentPlayer, 5);
    }

    void aFullTableGivesUpItsLowestResultLowestRecordOnATie() {
        qvtest::TestRuntime rt;
        std::vector<PlayerRecord> table = FullTable({{7, 10}, {40, 10}});
        table[6].Spare = {9, 8, 7, 6};
        WriteFile(rt.PlayersFile(), Records(table));
        Form1 form;
        form.Show();
        QCOMPARE(CurrentPlayer, 100);
        qvtest::ModalScript script;
        script.Then(
            [](vb::Dialog& d) { QTest::mouseClick(AsList(d).Command1(1), Qt::LeftButton); });
        script.Then(TypeAndConfirm(QStringLiteral("Zed")));
        form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 7);
        const QByteArray file = ReadFile(rt.PlayersFile());
        QCOMPARE(file.size(), 6000);
        PlayerRecord replaced = Player("Zed", 0);
        replaced.Spare = {9, 8, 7, 6};
        QCOMPARE(RecordOf(file, 7), EncodeRecord(replaced));
        QCOMPARE(RecordOf(file, 40), EncodeRecord(table[39]));
        for (int n = 1; n <= 100; ++n) {
            if (n != 7)
                QCOMPARE(RecordOf(file, n), EncodeRecord(table[n - 1]));
        }
    }

    void aTableOfEqualResultsGivesUpRecordOne() {
        qvtest::TestRuntime rt;
        std::vector<PlayerRecord> table;
        for (int i = 1; i <= kMaxPlayers; ++i)
            table.push_back(Player(QStringLiteral("P%1").arg(i), 50));
        WriteFile(rt.PlayersFile(), Records(table));
        Form1 form;
        form.Show();
        QCOMPARE(form.Text1(1).Text(), QStringLiteral("P1"));  // the best, lowest record
        qvtest::ModalScript script;
        script.Then(
            [](vb::Dialog& d) { QTest::mouseClick(AsList(d).Command1(1), Qt::LeftButton); });
        script.Then(TypeAndConfirm(QStringLiteral("New")));
        form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 1);
        QCOMPARE(RecordOf(ReadFile(rt.PlayersFile()), 1), EncodeRecord(Player("New", 0)));
        // The best player's fields keep showing the player that was replaced.
        QCOMPARE(form.Text1(1).Text(), QStringLiteral("P1"));
        QCOMPARE(form.Text2(1).Text(), QStringLiteral("50"));
    }

    void theSlotRule() {
        // First free record, counted from 1, even with players after it.
        Players[1] = Player("A", 5);
        Players[3] = Player("C", 5);
        QCOMPARE(NewPlayerSlot(), 2);
        for (int i = 1; i <= kMaxPlayers; ++i)
            Players[i] = Player("X", 1000 - i);
        QCOMPARE(NewPlayerSlot(), 100);
        Players[55].Result = -3;
        Players[99].Result = -3;
        QCOMPARE(NewPlayerSlot(), 55);
        Players[100].Marker = QString(2, QChar(0));
        QCOMPARE(NewPlayerSlot(), 100);
    }

    void aSixtyCharacterNameIsShownWholeStoredAtFiftyListedAtTwentyFive() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        const QString name = QStringLiteral("123456789_").repeated(6);
        QCOMPARE(name.size(), 60);
        qvtest::ModalScript script;
        QString row;
        script.Then([&row](vb::Dialog& d) {
            Form2& list = AsList(d);
            QTest::mouseClick(list.Command1(1), Qt::LeftButton);
            row = list.lstPlayers()->List(1);
            list.Hide();
        });
        script.Then(TypeAndConfirm(name));
        form.mnuPlayer_Click(1);
        QCOMPARE(form.Text1(0).Text(), name);
        QCOMPARE(CurrentName, name);
        QCOMPARE(Players[1].Name, name.left(50));
        QCOMPARE(ReadFile(rt.PlayersFile()).left(50), name.left(50).toLatin1());
        QCOMPARE(row, name.left(25) + QStringLiteral("      0"));
    }

    void anEmptyBoxAddsNothingAndLeavesTheFileAlone() {
        qvtest::TestRuntime rt;
        WriteFile(rt.PlayersFile(), Records({Player("Ann", 120)}));
        Form1 form;
        form.Show();
        const QByteArray before = ReadFile(rt.PlayersFile());
        qvtest::ModalScript script;
        script.Then([](vb::Dialog& d) {
            QTest::mouseClick(AsList(d).Command1(1), Qt::LeftButton);
            QTest::mouseClick(AsList(d).Command1(1), Qt::LeftButton);
            d.Hide();
        });
        script.Then([](vb::Dialog& d) {
            QTest::mouseClick(AsNewGamer(d).Command1(0), Qt::LeftButton);
            QVERIFY(!d.isVisible());
        });
        // Cancel with a name typed adds nothing either.
        script.Then([](vb::Dialog& d) {
            frmNewGamer& dialog = AsNewGamer(d);
            QTest::keyClicks(dialog.Text1(), QStringLiteral("Bob"));
            QTest::mouseClick(dialog.Command1(1), Qt::LeftButton);
            QVERIFY(!d.isVisible());
        });
        form.mnuPlayer_Click(1);
        QCOMPARE(script.StepsLeft(), 0u);
        QCOMPARE(ReadFile(rt.PlayersFile()), before);
        QCOMPARE(CurrentPlayer, 1);
        QCOMPARE(form.Text1(0).Text(), QStringLiteral("Ann"));
        QCOMPARE(form.Text2(0).Text(), QStringLiteral("120"));
    }

    void namesAreTakenAsTypedSpacesAndLineBreaksIncluded() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        qvtest::ModalScript script;
        QStringList rows;
        script.Then([&rows](vb::Dialog& d) {
            Form2& list = AsList(d);
            QTest::mouseClick(list.Command1(1), Qt::LeftButton);
            QTest::mouseClick(list.Command1(1), Qt::LeftButton);
            QTest::mouseClick(list.Command1(1), Qt::LeftButton);
            rows = Rows(*list.lstPlayers());
            list.Hide();
        });
        script.Then(TypeAndConfirm(QStringLiteral("   ")));
        // Enter starts a new line; Escape does nothing; neither presses a button.
        script.Then([](vb::Dialog& d) {
            frmNewGamer& dialog = AsNewGamer(d);
            QTest::keyClicks(dialog.Text1(), QStringLiteral("Ann"));
            QTest::keyClick(dialog.Text1(), Qt::Key_Return);
            QTest::keyClick(dialog.Text1(), Qt::Key_Escape);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::keyClicks(dialog.Text1(), QStringLiteral("Lee"));
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.Text1()->Text(), QStringLiteral("Ann\r\nLee"));
            QTest::mouseClick(dialog.Command1(0), Qt::LeftButton);
        });
        script.Then(TypeAndConfirm(QStringLiteral("   ")));
        form.mnuPlayer_Click(1);
        QCOMPARE(Players[1].Name, QString(50, ' '));
        QCOMPARE(Players[2].Name, FixedName(QStringLiteral("Ann\r\nLee")));
        QCOMPARE(Players[3].Name, QString(50, ' '));  // the same name twice: two players
        QCOMPARE(ReadFile(rt.PlayersFile()).mid(60, 8), QByteArray("Ann\r\nLee"));
        QCOMPARE(CurrentPlayer, 3);
        QCOMPARE(form.Text1(0).Text(), QString());
        QCOMPARE(rows, (QStringList{kHeader, QString(25, ' ') + "      0",
                                    "Ann  Lee" + QString(17, ' ') + "      0",
                                    QString(25, ' ') + "      0"}));
    }

    void theWelcomeDialogAsDesigned() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        qvtest::ModalScript script;
        script.Then(
            [](vb::Dialog& d) { QTest::mouseClick(AsList(d).Command1(1), Qt::LeftButton); });
        script.Then([](vb::Dialog& d) {
            frmNewGamer& dialog = AsNewGamer(d);
            QCOMPARE(dialog.size(), QSize(218, 147));  // 3270 x 2205 twips
            QCOMPARE(dialog.Label1()->Text(), QStringLiteral("Input your name:"));
            QCOMPARE(dialog.Label1()->geometry(), QRect(0, 0, 217, 33));
            QCOMPARE(dialog.Label1()->font().pointSizeF(), 13.5);
            QCOMPARE(dialog.Text1()->geometry(), QRect(0, 40, 217, 73));
            QCOMPARE(dialog.Text1()->font().pointSizeF(), 12.0);
            QCOMPARE(dialog.Command1(0)->text(), QStringLiteral("&O'k"));
            QCOMPARE(dialog.Command1(1)->text(), QStringLiteral("&Cancel"));
            QCOMPARE(dialog.Command1(0)->geometry(), QRect(0, 120, 97, 25));
            QCOMPARE(dialog.Command1(1)->geometry(), QRect(120, 120, 97, 25));
            for (int i = 0; i < 2; ++i) {
                QVERIFY(dialog.Command1(i)->font().bold());
                QCOMPARE(dialog.Command1(i)->font().pointSizeF(), 9.75);
                QVERIFY(!dialog.Command1(i)->isDefault() && !dialog.Command1(i)->autoDefault());
            }
            // Tab order: the name, O'k, Cancel.
            QCOMPARE(dialog.focusWidget(), dialog.Text1());
            QTest::keyClick(dialog.Text1(), Qt::Key_Tab);
            QCOMPARE(dialog.focusWidget(), dialog.Command1(0));
            QTest::keyClick(dialog.Command1(0), Qt::Key_Tab);
            QCOMPARE(dialog.focusWidget(), dialog.Command1(1));
            QCOMPARE(dialog.Text1()->Text(), QString());
            // Enter on a focused button does not press it.
            QTest::keyClick(dialog.Command1(1), Qt::Key_Return);
            QVERIFY(dialog.isVisible());
            d.Hide();
        });
        form.mnuPlayer_Click(1);
        QCOMPARE(script.shown, (QStringList{"Players List", "Welcome!"}));
    }

    // --- The real modal loop ---

    void theModalLoopEndsWhenTheWindowHidesAndTheListIsActivatedAgain() {
        qvtest::TestRuntime rt;
        WriteFile(rt.PlayersFile(), Records({Player("Ann", 120)}));
        Form1 form;
        form.Show();
        QStringList trail;
        // Runs inside the list's modal loop.
        QTimer::singleShot(0, &form, [&trail] {
            auto* list = dynamic_cast<Form2*>(QApplication::activeModalWidget());
            if (list == nullptr) {
                trail << "no list";
                return;
            }
            trail << QStringLiteral("list %1").arg(list->lstPlayers()->ListIndex());
            // Runs inside the loop of "Welcome!", shown over the list.
            QTimer::singleShot(0, list, [&trail] {
                auto* dialog = dynamic_cast<frmNewGamer*>(QApplication::activeModalWidget());
                if (dialog == nullptr) {
                    trail << "no dialog";
                    return;
                }
                trail << "welcome";
                QTest::keyClicks(dialog->Text1(), QStringLiteral("Bo"));
                QTest::mouseClick(dialog->Command1(0), Qt::LeftButton);
            });
            QTest::mouseClick(list->Command1(1), Qt::LeftButton);
            trail << QStringLiteral("list %1").arg(list->lstPlayers()->ListIndex());
            QTest::mouseClick(list->Command1(2), Qt::LeftButton);
        });
        form.mnuPlayer_Click(1);
        QCOMPARE(trail, (QStringList{"list 1", "welcome", "list 2"}));
        QCOMPARE(CurrentPlayer, 2);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestPlayerWindows)
#include "test_player_windows.moc"
