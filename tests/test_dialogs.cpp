// The player list, the new player dialog and the zoom dialog, driven through the main window's
// menu: the rows, choosing a player between games, adding players (the slot, the file after, the
// lock), the scales and the round trip of a game between them; scripted and through the real
// modal loops.
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

// Steps: "New" on the list, and typing a name into "Welcome!" and O'k.
ModalScript::Step PressNew() {
    return [](vb::Dialog& d) { Click(List(d).Command1(1)); };
}
ModalScript::Step TypeAndConfirm(const QString& name) {
    return [name](vb::Dialog& d) {
        QTest::keyClicks(Welcome(d).Text1(), name);
        Click(Welcome(d).Command1(0));
    };
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
    vb::Window &main = form.Window(), &self = zoom.Geometry();
    return std::abs(self.Top() - (main.Top() + main.Height() / 2 - self.Height() / 2)) <= 15 &&
           std::abs(self.Left() - (main.Left() + main.Width() / 2 - self.Width() / 2)) <= 15;
}

// The width in pixels of the dot of ball kind `kind` at user point (x, y), within a pixel of `pen`
// (rasterising a centre between pixel centres adds or loses one).
int DotWidth(const vb::Canvas& canvas, double x, double y, int kind) {
    const QImage& img = canvas.Image();
    const QRgb rgb = GameDriver::Ball(kind);
    const int row = int(canvas.DeviceY(y));
    int left = int(canvas.DeviceX(x)), right = left;
    while (left > 0 && img.pixel(left - 1, row) == rgb)
        --left;
    while (right + 1 < img.width() && img.pixel(right + 1, row) == rgb)
        ++right;
    return img.pixel(right, row) == rgb ? right - left + 1 : 0;
}
#define QVERIFY_DOT(canvas, x, y, kind, pen) \
    QVERIFY(std::abs(DotWidth(canvas, x, y, kind) - pen) <= 1)

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
        // During a game, and on the header, nothing is chosen; Close always works.
        script.Then([&highlighted](vb::Dialog& d) {
            Form2& list = List(d);
            highlighted << list.lstPlayers()->ListIndex();
            QVERIFY(list.lstPlayers()->SetListIndex(0));
            Click(list.Command1(0));
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
        });
        g.form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 2);
        script.Then([&highlighted](vb::Dialog& d) {
            highlighted << List(d).lstPlayers()->ListIndex();
            QVERIFY(List(d).lstPlayers()->SetListIndex(1));
            Click(List(d).Command1(0));
            QVERIFY(!d.isVisible());
        });
        CurrentPlayer = 0;  // highlights the header
        g.form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 1);
        QCOMPARE(CurrentName, FixedName("Ann"));
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
        QCOMPARE(CurrentPlayer, 2);
        QCOMPARE(g.form.Text2(0).Text(), QStringLiteral("0"));
        CurrentPlayer = 7;  // past the last row: the highlight stays as the refill left it
        script.Then(
            [&highlighted](vb::Dialog& d) { highlighted << List(d).lstPlayers()->ListIndex(); });
        static_cast<vb::MenuAction&>(g.form.mnuPlayer()).Action()->trigger();
        QCOMPARE(highlighted, (QList<int>{2, 0, 1, -1}));
        // Only the current name opens the list, and only between games.
        QTest::mouseDClick(g.form.Text1Box(1), Qt::LeftButton);
        GameInProgress = true;
        QTest::mouseDClick(g.form.Text1Box(0), Qt::LeftButton);
        QCOMPARE(script.shown.size(), 4);
        QCOMPARE(QFileInfo(g.rt.PlayersFile()).size(), 120);  // nothing written
    }

    void aNewPlayerTakesTheFirstFreeRecordAndTheWholeTableIsWritten() {
        PlayerRecord free = Player("Gone", 1), cid = Player("Cid", 10);
        free.Marker = QString(2, QChar(0));
        cid.Spare = {1, 2, 3, 4};
        GameDriver g(Records({Player("Ann", 90), free, cid}));
        ModalScript script;
        QStringList rows;
        int highlighted = -1;
        script.Then([&](vb::Dialog& d) {
            Click(List(d).Command1(1));
            // "Welcome!" has closed over the list: the list is active again.
            highlighted = List(d).lstPlayers()->ListIndex();
            rows = Rows(List(d));
        });
        script.Then(TypeAndConfirm("Eve"));
        g.form.mnuPlayer_Click(1);
        QVERIFY(CurrentPlayer == 2 && CurrentName == "Eve" && CurrentResult == 0);
        QCOMPARE(g.form.Text1(0).Text() + g.form.Text2(0).Text(), QStringLiteral("Eve0"));
        QCOMPARE(g.form.Text1(1).Text() + g.form.Text2(1).Text(), QStringLiteral("Ann90"));
        QCOMPARE(highlighted, 2);
        QCOMPARE(rows.mid(2), (QStringList{"Eve" + QString(22, ' ') + "      0",
                                           "Cid" + QString(22, ' ') + "     10"}));
        QByteArray expected = Records({Player("Ann", 90), Player("Eve", 0), cid});
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()), expected + QByteArray(6000 - 180, '\0'));
    }

    void aFullTableGivesUpItsLowestResultLowestRecordOnATie() {
        QByteArray file;
        for (int i = 1; i <= kMaxPlayers; ++i)
            file += EncodeRecord(Player(QString("P%1").arg(i), i == 7 || i == 40 ? 10 : 100 + i));
        file.replace(6 * 60 + 54, 4, "\x09\x08\x07\x06");
        GameDriver g(file);
        ModalScript script;
        script.Then(PressNew());
        script.Then(TypeAndConfirm("Zed"));
        g.form.mnuPlayer_Click(1);
        QCOMPARE(CurrentPlayer, 7);
        PlayerRecord zed = Player("Zed", 0);
        zed.Spare = {9, 8, 7, 6};
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()), file.replace(6 * 60, 60, EncodeRecord(zed)));
    }

    void aSixtyCharacterNameIsShownWholeStoredAtFiftyListedAtTwentyFive() {
        GameDriver g;
        const QString name = QString("123456789_").repeated(6);
        ModalScript script;
        QString row;
        script.Then([&row](vb::Dialog& d) {
            Click(List(d).Command1(1));
            row = List(d).lstPlayers()->List(1);
        });
        script.Then(TypeAndConfirm(name));
        g.form.mnuPlayer_Click(1);
        QVERIFY(g.form.Text1(0).Text() == name && CurrentName == name);
        QCOMPARE(RecordAt(g.rt.PlayersFile(), 1).left(50), name.left(50).toLatin1());
        QCOMPARE(row, name.left(25) + "      0");
    }

    void namesAreTakenAsTypedAndAnEmptyBoxOrCancelAddsNothing() {
        GameDriver g(Records({Player("Ann", 120)}));
        ModalScript script;
        QStringList rows;
        script.Then([&rows](vb::Dialog& d) {
            for (int i = 0; i < 5; ++i)
                Click(List(d).Command1(1));
            rows = Rows(List(d));
        });
        script.Then([](vb::Dialog& d) { Click(Welcome(d).Command1(0)); });  // empty
        script.Then([](vb::Dialog& d) {
            QVERIFY(Welcome(d).Text1()->Text().isEmpty());  // emptied on activation
            QTest::keyClicks(Welcome(d).Text1(), "Bob");
            Click(Welcome(d).Command1(1));  // Cancel
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
        g.form.mnuPlayer_Click(1);
        QCOMPARE(script.StepsLeft(), 0u);
        QCOMPARE(RecordAt(g.rt.PlayersFile(), 3).left(8), QByteArray("Ann\r\nLee"));
        QVERIFY(Players[2].Name == QString(50, ' ') && Players[4].Name == QString(50, ' '));
        QVERIFY(CurrentPlayer == 4 && g.form.Text1(0).Text().isEmpty());
        QCOMPARE(
            rows.mid(1),
            (QStringList{"Ann                          120", QString(25, ' ') + "      0",
                         "Ann  Lee" + QString(17, ' ') + "      0", QString(25, ' ') + "      0"}));
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
        g.form.mnuPlayer_Click(1);
        QCOMPARE(trail, (QStringList{"1", "welcome", "2"}));
        QTimer::singleShot(0, &g.form, [] {
            if (auto* zoom = dynamic_cast<frmZoom*>(QApplication::activeModalWidget()))
                Choose(*zoom, 3);
        });
        static_cast<vb::MenuAction&>(g.form.mnuZoom()).Action()->trigger();
        QVERIFY(Zoom == 2.5f && BallSize == 22);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void aNewPlayerIsNotSavedOverAFileAnotherCopyHoldsAndHoldsItFromReloadToSave() {
        GameDriver g(Records({Player("Ann", 10)}));
        const QString lock = PlayersFilePath + ".lock";
        const QByteArray before = ReadWholeFile(g.rt.PlayersFile());
        QLockFile other(lock);
        QVERIFY(other.tryLock(0));
        AddNewPlayer("Bob");
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()), before);
        QCOMPARE(g.rt.messages.size(), 1u);
        other.unlock();
        // Between the reload and the save the new name reaches the main window: at that moment
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

    void theZoomDialogOffersTheFiveScalesCentredOnTheMainWindow() {
        GameDriver g;
        ModalScript script;
        script.Then([&g](vb::Dialog& d) {
            vb::ComboBox* combo = Zoomer(d).Combo1();
            QStringList entries;
            for (int i = 0; i < combo->count(); ++i)
                entries << combo->itemText(i);
            QCOMPARE(entries, (QStringList{"1:1", "1:1.5", "1:2", "1:2.5", "1:3"}));
            QCOMPARE(combo->Text(), QStringLiteral("1:2"));
            QCOMPARE(combo->currentIndex(), 2);  // the list drops down on it
            QVERIFY(CentredOnMain(g.form, Zoomer(d)));
            // Only an exact choice from the list applies: typing and Enter add nothing.
            QLineEdit* field = combo->lineEdit();
            field->selectAll();
            QTest::keyClicks(field, "1:3");
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(d.isVisible() && combo->count() == 5);
            field->setText("1:1 ");
            Zoomer(d).Combo1_Click();
            QVERIFY(!d.isVisible());
        });
        g.form.mnuZoom_Click(2);
        QCOMPARE(script.shown, QStringList{"Zoom"});
        QVERIFY(Zoom == 2.0f && g.form.Window().Height() == 5760.0f);
        Zoom = 1.75f;  // a scale that is not in the list leaves the designed text
        frmZoom other(&g.form);
        QCOMPARE(other.Combo1()->Text(), QStringLiteral("Combo1"));
        QCOMPARE(other.Combo1()->currentIndex(), -1);
    }

    void hiddenTheDialogStaysLoadedClosedItLoadsAfreshAndChangesNothing() {
        GameDriver g;
        vb::PictureBox* board = g.form.Picture1Box();
        board->SetDrawWidth(5);
        board->PSet(4.5, 4.5, vb::RGB(255, 0, 0));
        const QImage marked = board->GetCanvas().Image();
        ModalScript script;
        QPointer<vb::Dialog> shown;
        script.Then([&shown](vb::Dialog& d) {
            shown = &d;
            Choose(Zoomer(d), 2);  // the same scale: nothing is drawn again
            QVERIFY(!d.isVisible());
        });
        script.Then([&shown](vb::Dialog& d) {
            QVERIFY(&d == shown.data() && Zoomer(d).Combo1()->count() == 5);  // filled once
            d.close();
        });
        g.form.mnuZoom_Click(2);
        g.form.mnuZoom_Click(2);
        QVERIFY(shown.isNull() && board->GetCanvas().Image() == marked);
        script.Then(ChooseStep(4));
        script.Then([&g](vb::Dialog& d) {
            QCOMPARE(Zoomer(d).Combo1()->Text(), QStringLiteral("1:3"));
            QVERIFY(CentredOnMain(g.form, Zoomer(d)));
            Choose(Zoomer(d), 1);
        });
        g.form.mnuZoom_Click(2);
        QCOMPARE(BallSize, 18);
        g.form.mnuZoom_Click(2);
        QVERIFY(Zoom == 1.5f && g.form.Window().Height() == 7680.0f);
        QCOMPARE(g.Pixel(5, 5), qRgb(224, 224, 224));  // a new scale clears the board first
    }

    void aRoundTripDuringAGameRestoresTheLayoutAndTheBalls() {
        GameDriver g;
        GameInProgress = true;
        Board.Create(0, 9, 0, 9);
        Board(2, 3) = 1;
        Board(5, 5) = 4;
        BallSelected = true;
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
        const vb::Canvas& board = g.form.Picture1Box()->GetCanvas();
        const vb::Canvas& preview = g.form.Picture2Box()->GetCanvas();
        const QImage boardImage = board.Image(), previewImage = preview.Image();
        QVERIFY_DOT(board, 1.5, 2.5, 1, 27);
        QVERIFY_DOT(board, 4.5, 4.5, 4, 32);
        QVERIFY_DOT(preview, 1, 2, 2, 22);
        ModalScript script;
        script.Then(ChooseStep(0));
        g.form.mnuZoom_Click(2);
        QVERIFY(BallSize == 54 && g.form.Window().Height() == 11520.0f &&
                g.form.Window().Top() == 0);
        QVERIFY_DOT(board, 1.5, 2.5, 1, 54);
        QVERIFY_DOT(board, 4.5, 4.5, 4, 65);
        QVERIFY_DOT(preview, 3, 2, 5, 43);
        script.Then(ChooseStep(2));
        g.form.mnuZoom_Click(2);
        QCOMPARE(BallSize, 27);
        QCOMPARE(layout(), before);
        QVERIFY(board.Image() == boardImage && preview.Image() == previewImage);
        QVERIFY(GameInProgress && BallSelected && Board(5, 5) == 4);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
