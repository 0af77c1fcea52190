// The player list, the new player dialog and the zoom dialog, opened from the main window: the
// rows, choosing a player between games, adding players (the slot, the file after, the lock), the
// scales and a game's round trip between them; scripted, and through the real modal loops.
#include <QAbstractItemView>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QPointer>
#include <QTimer>

#include "GameDriver.h"
#include "ModalScript.h"
#include "PlayersFixtures.h"
#include "players/Form2.h"
#include "players/NewPlayer.h"
#include "players/PlayersFileLock.h"
#include "players/frmNewGamer.h"
#include "view/frmZoom.h"

using namespace qv;
using namespace qvtest;
using Step = ModalScript::Step;

namespace {

const QString kHeader = "PLAYER                    RESULT";

Form2& List(vb::Dialog& d) {
    return dynamic_cast<Form2&>(d);
}
frmNewGamer& Welcome(vb::Dialog& d) {
    return dynamic_cast<frmNewGamer&>(d);
}
frmZoom& Zoomer(vb::Dialog& d) {
    return dynamic_cast<frmZoom&>(d);
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
Step PressNew(int times = 1) {
    return [times](vb::Dialog& d) {
        for (int i = 0; i < times; ++i)
            Click(List(d).Command1(1));
    };
}
// Types into "Welcome!" and presses O'k (0) or Cancel (1).
Step Type(const QString& name, int button = 0) {
    return [name, button](vb::Dialog& d) {
        QTest::keyClicks(Welcome(d).Text1(), name);
        Click(Welcome(d).Command1(button));
    };
}
// Picks entry `index` as the user does: open the list, move to the entry, press Enter.
void Choose(frmZoom& zoom, int index) {
    zoom.Combo1()->showPopup();
    zoom.Combo1()->view()->setCurrentIndex(zoom.Combo1()->model()->index(index, 0));
    QTest::keyClick(zoom.Combo1()->view(), Qt::Key_Return);
}
Step Choose(int index) {
    return [index](vb::Dialog& d) { Choose(Zoomer(d), index); };
}
bool CentredOnMain(Form1& form, frmZoom& zoom) {
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        return true;  // the compositor places windows, and says nothing of where
    vb::Window &main = form.Window(), &self = zoom.Geometry();
    return std::abs(self.Top() - (main.Top() + main.Height() / 2 - self.Height() / 2)) <= 15 &&
           std::abs(self.Left() - (main.Left() + main.Width() / 2 - self.Width() / 2)) <= 15;
}
// Whether the dot of ball kind `kind` at user point (x, y) is `pen` pixels wide, give or take the
// pixel that a centre between pixel centres adds or loses.
bool Dot(const vb::Canvas& canvas, double x, double y, int kind, int pen) {
    const QImage& img = canvas.Image();
    const int row = int(canvas.DeviceY(y));
    int left = int(canvas.DeviceX(x)), right = left;
    while (left > 0 && img.pixel(left - 1, row) == GameDriver::Ball(kind))
        --left;
    while (right + 1 < img.width() && img.pixel(right + 1, row) == GameDriver::Ball(kind))
        ++right;
    return img.pixel(right, row) == GameDriver::Ball(kind) && std::abs(right - left + 1 - pen) <= 1;
}

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ResetSharedState();
        SetPlayersFileLockTimeout(0);
    }

    void theListShowsTheTableUpToTheFirstFreeRecord() {
        PlayerRecord free = Player("Gone", 1), kim = Player("", 4);
        free.Marker = QString(2, QChar(0));
        kim.Name = "Kim" + QString(1, QChar(0)) + "junk" + QString(43, QChar(0));
        const struct {
            QByteArray file;
            QStringList rows;
        } cases[] = {
            {Records({Player("Ann", 120), Player("Bob", 0)}),
             {kHeader, "Ann                          120", "Bob                            0"}},
            {Records({Player("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", 55)}),
             {kHeader, "ABCDEFGHIJKLMNOPQRSTUVWXY     55"}},
            {Records({Player("Ann", 120), free, Player("Cid", 9)}),
             {kHeader, "Ann                          120"}},
            {QByteArray(), {kHeader}},
            // Longer numbers show whole; a line break shows as blanks and a NUL ends the name.
            {Records({Player("Max", 12345678), Player("", -5), Player("Ann\r\nLee\t", 3), kim}),
             {kHeader, "Max                      12345678", QString(25, ' ') + "     -5",
              "Ann  Lee                       3", "Kim                            4"}},
        };
        for (const auto& c : cases) {
            ResetSharedState();
            GameDriver g(c.file);
            ModalScript script;
            QStringList rows;
            script.Then([&rows](vb::Dialog& d) { rows = Rows(List(d)); });
            g.form.mnuPlayer_Click(1);
            QCOMPARE(rows, c.rows);
            QCOMPARE(script.shown, QStringList{"Players List"});
        }
    }

    void aPlayerIsChosenBetweenGamesOnly() {
        GameDriver g(Records({Player("Ann", 120), Player("Bob", 0)}));
        g.form.Text1(1).SetText("untouched");
        ModalScript script;
        QList<int> highlighted;
        // Opens the list from the menu, or by a double click on the current name.
        auto open = [&](const std::function<void(Form2&)>& act, bool byName = false) {
            script.Then([&highlighted, act](vb::Dialog& d) {
                highlighted << List(d).lstPlayers()->ListIndex();
                act(List(d));
            });
            if (byName)
                QTest::mouseDClick(g.form.Text1Box(0), Qt::LeftButton);
            else
                static_cast<vb::MenuAction&>(g.form.mnuPlayer()).Action()->trigger();
        };
        // On the header, on no row, and during a game, nothing is chosen; Close always works.
        open(
            [](Form2& list) {
                QVERIFY(list.lstPlayers()->SetListIndex(0));
                Click(list.Command1(0));
                list.lstPlayers_DblClick();
                QVERIFY(list.lstPlayers()->SetListIndex(-1));
                list.lstPlayers_DblClick();
                GameInProgress = true;
                QVERIFY(list.lstPlayers()->SetListIndex(1));
                Click(list.Command1(0));
                list.lstPlayers_DblClick();
                Click(list.Command1(1));
                QVERIFY(list.isVisible() && list.NewGamer() == nullptr);
                Click(list.Command1(2));
                QVERIFY(!list.isVisible());
                GameInProgress = false;
            },
            true);
        QCOMPARE(CurrentPlayer, 2);
        CurrentPlayer = 0;  // the header is highlighted
        open([](Form2& list) {
            QVERIFY(list.lstPlayers()->SetListIndex(1));
            Click(list.Command1(0));
            QVERIFY(!list.isVisible());
        });
        QVERIFY(CurrentPlayer == 1 && CurrentName == FixedName("Ann") && CurrentResult == 120);
        QCOMPARE(
            (QStringList{g.form.Text1(0).Text(), g.form.Text2(0).Text(), g.form.Text1(1).Text()}),
            (QStringList{"Ann", "120", "untouched"}));
        // A double click on Bob's row, in the list opened by a double click on the current name.
        script.Then([&highlighted](vb::Dialog& d) {
            QListWidget* view = List(d).lstPlayers();
            highlighted << List(d).lstPlayers()->ListIndex();
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                               view->visualItemRect(view->item(2)).center());
        });
        QTest::mouseDClick(g.form.Text1Box(0), Qt::LeftButton);
        QVERIFY(CurrentPlayer == 2 && g.form.Text2(0).Text() == "0");
        CurrentPlayer = 7;  // past the last row: the highlight stays as the refill left it
        open([](Form2&) {});
        QCOMPARE(highlighted, (QList<int>{2, 0, 1, -1}));
        // Only the current name opens the list, and only between games.
        QTest::mouseDClick(g.form.Text1Box(1), Qt::LeftButton);
        GameInProgress = true;
        QTest::mouseDClick(g.form.Text1Box(0), Qt::LeftButton);
        QCOMPARE(script.shown.size(), 4);
        QCOMPARE(QFileInfo(g.rt.PlayersFile()).size(), 120);  // nothing written
    }

    // A new player takes the first free record, in a full table the lowest result (the lower
    // record on a tie), keeping its spare bytes; the whole table is written, and the name is
    // shown whole, stored at 50 characters and listed at 25.
    void aNewPlayerTakesARecordAndTheWholeTableIsWritten_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("slot");
        PlayerRecord free = Player("Gone", 1), cid = Player("Cid", 10);
        free.Marker = QString(2, QChar(0));
        cid.Spare = {1, 2, 3, 4};
        QTest::newRow("the first free record")
            << Records({Player("Ann", 90), free, cid}) << QString("Eve") << 2;
        QByteArray full;
        for (int i = 1; i <= kMaxPlayers; ++i)
            full += EncodeRecord(Player(QString("P%1").arg(i), i == 7 || i == 40 ? 10 : 100 + i));
        full.replace(6 * 60 + 54, 4, "\x09\x08\x07\x06");
        QTest::newRow("a full table") << full << QString("Zed") << 7;
        QTest::newRow("sixty characters") << QByteArray() << QString("123456789_").repeated(6) << 1;
    }
    void aNewPlayerTakesARecordAndTheWholeTableIsWritten() {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(int, slot);
        GameDriver g(file);
        ModalScript script;
        QStringList rows;
        int highlighted = -1;
        script.Then([&](vb::Dialog& d) {
            Click(List(d).Command1(1));
            // "Welcome!" has closed over the list: the list is active again.
            highlighted = List(d).lstPlayers()->ListIndex();
            rows = Rows(List(d));
        });
        script.Then(Type(name));
        g.form.mnuPlayer_Click(1);
        QVERIFY(CurrentPlayer == slot && CurrentName == name && CurrentResult == 0);
        QCOMPARE(g.form.Text1(0).Text() + g.form.Text2(0).Text(), name + "0");
        QCOMPARE(highlighted, slot);
        QCOMPARE(rows.value(slot), name.left(25).leftJustified(25) + "      0");
        PlayerRecord added = Player(name, 0);
        std::copy_n(file.constData() + (slot - 1) * 60 + 54, file.isEmpty() ? 0 : 4,
                    added.Spare.begin());
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()),
                 file.leftJustified(6000, '\0').replace((slot - 1) * 60, 60, EncodeRecord(added)));
    }

    void namesAreTakenAsTypedAndAnEmptyBoxOrCancelAddsNothing() {
        GameDriver g(Records({Player("Ann", 120)}));
        ModalScript script;
        QStringList rows;
        script.Then([&rows](vb::Dialog& d) {
            PressNew(5)(d);
            rows = Rows(List(d));
        });
        script.Then(Type(""));
        script.Then([](vb::Dialog& d) {
            QVERIFY(Welcome(d).Text1()->Text().isEmpty());  // emptied on activation
            Type("Bob", 1)(d);
        });
        script.Then(Type("   "));
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
            QVERIFY(dialog.isVisible());
            // A name the file cannot hold is refused, and the box stays open with it as typed.
            dialog.Text1()->insertPlainText(QStringLiteral("Zoë"));  // as an input method would
            Click(dialog.Command1(0));
            QVERIFY(dialog.isVisible() && dialog.Text1()->Text().endsWith(QStringLiteral("Zoë")));
            QTest::keyClick(dialog.Text1(), Qt::Key_Backspace);
            QTest::keyClicks(dialog.Text1(), "e");
            Type("Lee")(d);
        });
        script.Then(Type("   "));
        g.form.mnuPlayer_Click(1);
        QCOMPARE(script.StepsLeft(), 0u);
        QCOMPARE(RecordAt(g.rt.PlayersFile(), 3).left(11), QByteArray("Ann\r\nZoeLee"));
        QVERIFY(Players[2].Name == QString(50, ' ') && Players[4].Name == QString(50, ' '));
        QVERIFY(CurrentPlayer == 4 && g.form.Text1(0).Text().isEmpty());
        const QString blank = QString(25, ' ') + "      0";
        QCOMPARE(rows.mid(2), (QStringList{blank, "Ann  ZoeLee" + blank.mid(11), blank}));
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

    void aNewPlayerIsNotSavedOverAFileAnotherCopyHoldsAndHoldsItFromReloadToSave() {
        GameDriver g(Records({Player("Ann", 10)}));
        const QString lock = PlayersFilePath + ".lock";
        const QByteArray before = ReadWholeFile(g.rt.PlayersFile());
        QLockFile other(lock);
        QVERIFY(other.tryLock(0));
        SetPlayersFileLockTimeout(30);
        AddNewPlayer("Bob");
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()), before);
        QVERIFY(g.rt.messages.size() == 1 && g.rt.messages[0].text.contains("within 1 second"));
        SetPlayersFileLockTimeout(0);
        other.unlock();
        // The new name reaches the main window between the reload and the save: at that moment
        // another copy of the game must find the file locked.
        QList<bool> otherGotIt;
        auto watch = QObject::connect(g.form.Text1Box(0), &QLineEdit::textChanged,
                                      [&] { otherGotIt << QLockFile(lock).tryLock(0); });
        AddNewPlayer("Cid");
        QObject::disconnect(watch);
        QCOMPARE(otherGotIt, QList<bool>{false});
        QVERIFY(QLockFile(lock).tryLock(0));
        // The player this copy could not store before is stored with the next one.
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()).left(180),
                 Records({Player("Ann", 10), Player("Bob", 0), Player("Cid", 0)}));
    }

    void theZoomDialogOffersFiveScalesAndAppliesOnlyAnExactChoice() {
        GameDriver g;
        ModalScript script;
        script.Then([&g](vb::Dialog& d) {
            vb::ComboBox* combo = Zoomer(d).Combo1();
            QStringList entries;
            for (int i = 0; i < combo->count(); ++i)
                entries << combo->itemText(i);
            QCOMPARE(entries, (QStringList{"1:1", "1:1.5", "1:2", "1:2.5", "1:3"}));
            QVERIFY(combo->Text() == "1:2" && combo->currentIndex() == 2);
            QVERIFY(CentredOnMain(g.form, Zoomer(d)));
            // Typing and Enter add nothing; a text that is not exactly an entry does nothing.
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo->lineEdit(), "1:3");
            QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
            QVERIFY(d.isVisible() && combo->count() == 5);
            combo->lineEdit()->setText("1:1 ");
            Zoomer(d).Combo1_Click();
            QVERIFY(!d.isVisible());
        });
        // The close box changes nothing, and the next opening loads the dialog afresh.
        QPointer<vb::Dialog> closed;
        script.Then([&closed](vb::Dialog& d) {
            QCOMPARE(Zoomer(d).Combo1()->count(), 5);  // hidden, then shown again: filled once
            (closed = &d)->close();
        });
        script.Then([&closed](vb::Dialog& d) {
            QVERIFY(closed.isNull() && Zoomer(d).Combo1()->count() == 5);
        });
        for (int i = 0; i < 3; ++i)
            g.form.mnuZoom_Click(2);
        QCOMPARE(script.shown, (QStringList{"Zoom", "Zoom", "Zoom"}));
        QVERIFY(Zoom == 2.0f && g.form.Window().Height() == 5760.0f);
        Zoom = 1.75f;  // a scale that is not in the list leaves the designed text
        frmZoom other(&g.form);
        QVERIFY(other.Combo1()->Text() == "Combo1" && other.Combo1()->currentIndex() == -1);
    }

    void aRoundTripDuringAGameRestoresTheLayoutAndTheBalls() {
        GameDriver g;
        GameInProgress = BallSelected = true;
        Board.Create(0, 9, 0, 9);
        Board(2, 3) = 1;
        Board(5, 5) = 4;
        SelectedX = SelectedY = 5;
        NextBalls = {2, 3, 5};
        g.Redraw();
        auto layout = [&g] {
            QList<QRect> r{g.form.geometry()};
            for (vb::Control* c : g.form.Controls())
                r << dynamic_cast<QWidget*>(c)->geometry();
            return r;
        };
        const QList<QRect> before = layout();
        const vb::Canvas &board = g.form.Picture1Box()->GetCanvas(),
                         &preview = g.form.Picture2Box()->GetCanvas();
        const QImage boardImage = board.Image(), previewImage = preview.Image();
        QVERIFY(Dot(board, 1.5, 2.5, 1, 27) && Dot(board, 4.5, 4.5, 4, 32) &&
                Dot(preview, 1, 2, 2, 22));
        ModalScript script;
        script.Then(Choose(0));
        script.Then(Choose(2));
        g.form.mnuZoom_Click(2);
        QVERIFY(BallSize == 54 && g.form.Window().Height() == 11520.0f &&
                g.form.Window().Top() == 0);
        QVERIFY(Dot(board, 1.5, 2.5, 1, 54) && Dot(board, 4.5, 4.5, 4, 65) &&
                Dot(preview, 3, 2, 5, 43));
        g.form.mnuZoom_Click(2);
        QVERIFY(BallSize == 27 && layout() == before);
        QVERIFY(board.Image() == boardImage && preview.Image() == previewImage);
        QVERIFY(GameInProgress && BallSelected && Board(5, 5) == 4);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
