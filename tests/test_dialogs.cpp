// The player list, the new player dialog and the zoom dialog, opened from the main window:
// scripted, and through the real modal loops.
#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QPointer>
#include <QScrollBar>
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

struct Choice {
    int opener;  // the menu, the current name, the best name
    int current, highlighted;
    bool inGame;
    int row;
    QString act;
    int chosen;  // 0: none; highlighted -2: not opened
};
Q_DECLARE_METATYPE(Choice)

namespace {

const auto List = [](vb::Dialog& d) -> Form2& { return dynamic_cast<Form2&>(d); };
const auto Welcome = [](vb::Dialog& d) -> frmNewGamer& { return dynamic_cast<frmNewGamer&>(d); };
const auto Zoomer = [](vb::Dialog& d) -> frmZoom& { return dynamic_cast<frmZoom&>(d); };
QStringList Rows(Form2& list) {
    QStringList rows;
    for (int i = 0; i < list.lstPlayers()->ListCount(); ++i)
        rows << list.lstPlayers()->List(i);
    return rows;
}
const auto Click = [](QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); };
// Picks entry `index` as the user does: open the list, move to the entry, press Enter.
Step Choose(int index) {
    return [index](vb::Dialog& d) {
        vb::ComboBox* combo = Zoomer(d).Combo1();
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->model()->index(index, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    };
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

    // Each control where the window was designed, at the screen's resolution, in its font,
    // named for screen readers, and reached by Tab in turn.
    void theDialogsKeepTheirLayout_data() {
        QTest::addColumn<double>("dpi");
        for (double dpi : {96.0, 120.0, 144.0, 192.0})
            QTest::addRow("%g dpi", dpi) << dpi;
    }
    void theDialogsKeepTheirLayout() {
        QFETCH(double, dpi);
        GameDriver g;
        vb::SetScreenOverride(vb::ScreenOverride{1024, 768, dpi});
        Form2 list(&g.form);
        frmNewGamer welcome(list);
        frmZoom zoom(&g.form);
        vb::SetScreenOverride(vb::ScreenOverride{1024, 768, 96.0});
        const QString sans = "MS Sans Serif";
        const std::tuple<QWidget*, QRect, QString> rows[] = {
            {&list, {0, 0, 4245, 3150}, {}},
            {list.lstPlayers(), {0, 0, 4215, 2700}, "Courier New 9.75"},
            {list.Command1(0), {0, 2760, 1335, 375}, sans + " 8.25 bold"},
            {list.Command1(1), {1440, 2760, 1335, 375}, sans + " 8.25 bold"},
            {list.Command1(2), {2880, 2760, 1335, 375}, sans + " 8.25 bold"},
            {&welcome, {0, 0, 3270, 2205}, {}},
            {welcome.Label1(), {0, 0, 3255, 495}, sans + " 13.5"},
            {welcome.Text1(), {0, 600, 3255, 1095}, sans + " 12"},
            {welcome.Command1(0), {0, 1800, 1455, 375}, sans + " 9.75 bold"},
            {welcome.Command1(1), {1800, 1800, 1455, 375}, sans + " 9.75 bold"},
            {&zoom, {0, 0, 2085, 645}, {}},
            {zoom.Combo1(), {120, 120, 1575, 360}, sans + " 9.75 bold"}};
        auto px = [dpi](double twips) { return int(std::lround(twips * dpi / 1440)); };
        for (const auto& [widget, designed, font] : rows) {
            const QRect shown = widget->isWindow() ? QRect({}, widget->size()) : widget->geometry();
            QCOMPARE(shown, QRect(px(designed.x()), px(designed.y()), px(designed.width()),
                                  px(designed.height())));
            const QFont f = widget->font();
            if (!font.isEmpty())
                QCOMPARE(QString("%1 %2%3")
                             .arg(f.family())
                             .arg(f.pointSizeF())
                             .arg(f.bold() ? " bold" : ""),
                         font);
        }
        QVERIFY(QFontInfo(list.lstPlayers()->font()).fixedPitch());  // the rows line up
        QCOMPARE(welcome.Label1()->alignment(), Qt::AlignLeft | Qt::AlignTop);
        welcome.show();  // a name is written from the left, and a long one scrolls
        QTest::keyClicks(welcome.Text1(), "Ann");
        QVERIFY(welcome.Text1()->cursorRect().left() < welcome.Text1()->width() / 4);
        for (int i = 0; i < 9; ++i)
            QTest::keyClick(welcome.Text1(), Qt::Key_Return);
        QApplication::processEvents();
        QVERIFY(welcome.Text1()->verticalScrollBar()->isVisible());
        welcome.Text1()->clear();
        QCOMPARE(
            (QStringList{list.lstPlayers()->accessibleName(), welcome.Text1()->accessibleName(),
                         zoom.Combo1()->accessibleName(), welcome.windowTitle()}),
            (QStringList{"Players", "Your name", "Window size", "Welcome!"}));
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

    // Where results are kept, in a wrapped line under the buttons, when that is not beside the
    // game (here the file beside it is a folder); once it is again, the designed window.
    void theListSaysWhereResultsAreKeptOnlyWhenNotBesideTheGame_data() {
        theDialogsKeepTheirLayout_data();
    }
    void theListSaysWhereResultsAreKeptOnlyWhenNotBesideTheGame() {
        QFETCH(double, dpi);
        GameDriver g;
        vb::SetScreenOverride(vb::ScreenOverride{1024, 768, dpi});
        auto px = [dpi](double twips) { return int(std::lround(twips * dpi / 1440)); };
        Form2 list(&g.form);
        QVERIFY(QFile::remove(g.rt.PlayersFile()) && QDir().mkpath(g.rt.PlayersFile()));
        ChoosePlayersFile();
        const QString note = PlayersFileNote();
        QVERIFY(note.contains(PlayersFilePath) && PlayersFilePath != g.rt.PlayersFile());
        list.FillPlayerList();
        QLabel* line = list.Note();
        QVERIFY(!line->isHidden() && line->toolTip() == note && line->accessibleName() == note);
        QCOMPARE(line->text().remove(QChar(0x200B)).replace("\n", "\r\n"), note);
        QCOMPARE(line->text().count(QChar(0x200B)), note.count('/'));  // it wraps at the folders
        QCOMPARE(line->font(), vb::MakeFont("MS Sans Serif", 8.25, false));
        QCOMPARE(line->geometry(),
                 QRect(px(45), px(3195), px(4155), line->heightForWidth(px(4155))));
        if (line->fontMetrics().horizontalAdvance(PlayersFilePath) > line->width())
            QVERIFY(line->height() >= 3 * line->fontMetrics().height());  // the path wraps
        QCOMPARE(list.size(), QSize(px(4245), line->geometry().bottom() + 1 + px(60)));
        QFile::remove(PlayersFilePath);  // never moved, as far as the next start can tell
        QVERIFY(QDir(PlayersFilePath = g.rt.PlayersFile()).removeRecursively());
        ChoosePlayersFile();
        list.FillPlayerList();
        vb::SetScreenOverride(vb::ScreenOverride{1024, 768, 96.0});
        QVERIFY(PlayersFileNote().isEmpty() && line->isHidden());
        QCOMPARE(list.size(), QSize(px(4245), px(3150)));
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
        QCOMPARE(shown, QStringList{"PLAYER                    RESULT"} + rows);
        QCOMPARE(script.shown, QStringList{"Players List"});
    }

    // The list opens on the current player's row (past the last row, the highlight stays as the
    // refill left it), by the menu or a double click on the current name; a row is chosen by
    // Select or a double click, only between games.
    void aPlayerIsChosenBetweenGamesOnly_data() {
        QTest::addColumn<Choice>("c");
        QTest::newRow("Select") << Choice{0, 0, 0, false, 1, "Select", 1};
        QTest::newRow("double click") << Choice{1, 1, 1, false, 2, "double click", 2};
        QTest::newRow("Select header") << Choice{0, 7, -1, false, 0, "Select", 0};
        QTest::newRow("double click header") << Choice{1, 2, 2, false, 0, "double click", 0};
        QTest::newRow("no row") << Choice{0, 1, 1, false, -1, "double click", 0};
        QTest::newRow("Select in game") << Choice{0, 1, 1, true, 2, "Select", 0};
        QTest::newRow("double click in game") << Choice{0, 1, 1, true, 2, "double click", 0};
        QTest::newRow("New in game") << Choice{0, 1, 1, true, 2, "New", 0};
        QTest::newRow("Close") << Choice{0, 1, 1, false, 2, "Close", 0};
        QTest::newRow("best name") << Choice{2, 1, -2, false, 2, "Select", 0};
        QTest::newRow("current name in game") << Choice{1, 1, -2, true, 2, "Select", 0};
    }
    void aPlayerIsChosenBetweenGamesOnly() {
        QFETCH(Choice, c);
        GameDriver g(Records({Player("Ann", 120), Player("Bob", 0)}));
        for (vb::TextControl* box : {&g.form.Text1(0), &g.form.Text2(0), &g.form.Text1(1)})
            box->SetText("before");
        CurrentPlayer = Integer(c.current);
        ModalScript script;
        int highlighted = -2;
        bool open = true;
        script.Then([&](vb::Dialog& d) {
            QListWidget* view = List(d).lstPlayers();
            highlighted = List(d).lstPlayers()->ListIndex();
            QVERIFY(List(d).lstPlayers()->SetListIndex(c.row) || c.row < 0);
            if (c.act == "double click" && c.row > 0)
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                                   view->visualItemRect(view->item(c.row)).center());
            else if (c.act == "double click")
                List(d).lstPlayers_DblClick();
            else
                Click(List(d).Command1(QStringList{"Select", "New", "Close"}.indexOf(c.act)));
            QVERIFY(List(d).NewGamer() == nullptr);
            open = d.isVisible();
        });
        GameInProgress = c.inGame;
        if (c.opener)
            QTest::mouseDClick(g.form.Text1Box(c.opener - 1), Qt::LeftButton);
        else
            static_cast<vb::MenuAction&>(g.form.mnuPlayer()).Action()->trigger();
        QCOMPARE(highlighted, c.highlighted);
        QCOMPARE(open, c.chosen == 0 && c.act != "Close");
        QCOMPARE(int(CurrentPlayer), c.chosen ? c.chosen : c.current);
        const PlayerRecord& p = Players[c.chosen ? c.chosen : 1];
        const QStringList shown = c.chosen
                                      ? QStringList{p.Name.trimmed(), QString::number(p.Result)}
                                      : QStringList{"before", "before"};
        QCOMPARE((QStringList{g.form.Text1(0).Text(), g.form.Text2(0).Text()}), shown);
        QVERIFY(!c.chosen || (CurrentName == p.Name && CurrentResult == p.Result));
        QCOMPARE(g.form.Text1(1).Text(), "before");
        QCOMPARE(QFileInfo(g.rt.PlayersFile()).size(), 120);  // nothing written
    }

    // A new player takes the first free record, in a full table the lowest result (the lower
    // record on a tie), keeping its spare bytes; the whole table is written, and the name is
    // shown whole, stored at 50 characters and listed at 25. Typed: Tab moves on, Enter breaks
    // the line in the name and presses a focused button, Escape cancels; a character the file
    // cannot hold (a non-ASCII one, as an input method gives it) is refused on O'k (\r) and the box
    // stays open with the name as typed, ready to be mended.
    void aNewPlayerTakesARecordAndTheWholeTableIsWritten_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("slot");  // 0: nothing added
        QTest::addColumn<QString>("name");
        PlayerRecord free = Player("Gone", 1), cid = Player("Cid", 10);
        free.Marker = QString(2, QChar(0));
        cid.Spare = {1, 2, 3, 4};
        QByteArray full, ann = Records({Player("Ann", 120)});
        for (int i = 1; i <= kMaxPlayers; ++i)
            full += EncodeRecord(Player(QString("P%1").arg(i), i == 7 || i == 40 ? 10 : 100 + i));
        full.replace(6 * 60 + 54, 4, "\x09\x08\x07\x06");
        const QString sixty = QString("123456789_").repeated(6), zoe = QStringLiteral("Zo\u00eb");
        QTest::newRow("first free")
            << Records({Player("Ann", 90), free, cid}) << "Eve" << 2 << "Eve";
        QTest::newRow("full table") << full << "Zed" << 7 << "Zed";
        QTest::newRow("sixty characters") << QByteArray() << sixty << 1 << sixty;
        QTest::newRow("empty") << ann << "" << 0 << "";
        QTest::newRow("blanks") << ann << "   " << 2 << "   ";
        QTest::newRow("line break") << ann << "Ann\nLee" << 2 << "Ann\r\nLee";
        QTest::newRow("Enter on O'k") << ann << "Bob\t\n" << 2 << "Bob";
        QTest::newRow("Enter on Cancel") << ann << "Bob\t\t\n" << 0 << "";
        QTest::newRow("Escape") << ann << "Bob\x1b" << 0 << "";
        QTest::newRow("refused") << ann << zoe << 0 << zoe;
        QTest::newRow("mended") << ann << zoe + "\r\be" << 2 << "Zoe";
    }
    void aNewPlayerTakesARecordAndTheWholeTableIsWritten() {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(int, slot);
        QFETCH(QString, name);
        GameDriver g(file);
        ModalScript script;
        QStringList rows;
        int highlighted = -1;
        QString left;
        script.Then([&](vb::Dialog& d) {
            Click(List(d).Command1(1));
            Click(List(d).Command1(1));
            // "Welcome!" has closed over the list: the list is active again.
            highlighted = List(d).lstPlayers()->ListIndex();
            rows = Rows(List(d));
        });
        script.Then([](vb::Dialog& d) {
            QTest::keyClicks(Welcome(d).Text1(), "Old");
            Click(Welcome(d).Command1(1));
        });
        script.Then([&](vb::Dialog& d) {
            QVERIFY(Welcome(d).Text1()->Text().isEmpty());  // emptied on activation
            for (QChar c : typed + '\r') {
                const auto key = QMap<QChar, Qt::Key>{{'\t', Qt::Key_Tab},
                                                      {'\n', Qt::Key_Return},
                                                      {'\x1b', Qt::Key_Escape},
                                                      {'\b', Qt::Key_Backspace}}
                                     .value(c);
                if (c == '\r' && d.isVisible())
                    Click(Welcome(d).Command1(0));
                else if (key)
                    QTest::keyClick(d.focusWidget(), key);
                else if (c.unicode() > 127)
                    Welcome(d).Text1()->insertPlainText(c);
                else if (c != '\r')
                    QTest::keyClicks(d.focusWidget(), c);
            }
            left = d.isVisible() ? Welcome(d).Text1()->Text() : "closed";
        });
        g.form.mnuPlayer_Click(1);
        QCOMPARE(script.shown, (QStringList{"Players List", "Welcome!", "Welcome!"}));
        QCOMPARE(left, slot || name.isEmpty() ? "closed" : name);
        QCOMPARE(g.rt.messages.size(), std::size_t(typed.contains(QChar(0xEB))));
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
        // Meanwhile another copy raised the best result: the reload shows it.
        QVERIFY(WriteWholeFile(g.rt.PlayersFile(), Records({Player("Ann", 77)})));
        // The new name reaches the main window between the reload and the save: at that moment
        // another copy of the game must find the file locked.
        QList<bool> otherGotIt;
        auto watch = QObject::connect(g.form.Text1Box(0), &QLineEdit::textChanged,
                                      [&] { otherGotIt << QLockFile(lock).tryLock(0); });
        AddNewPlayer("Cid");
        QObject::disconnect(watch);
        QCOMPARE(otherGotIt, QList<bool>{false});
        QVERIFY(QLockFile(lock).tryLock(0));
        QCOMPARE(g.form.Text1(1).Text() + g.form.Text2(1).Text(), "Ann77");
        // The player this copy could not store before is stored with the next one.
        QCOMPARE(ReadWholeFile(g.rt.PlayersFile()).left(180),
                 Records({Player("Ann", 77), Player("Bob", 0), Player("Cid", 0)}));
    }

    // Five scales, the current one shown, centred on the main window; typing adds nothing, and
    // only a text that is exactly an entry applies, during a game too: the balls are drawn at the
    // new scale, and the way back restores the layout and the pictures. The close box changes
    // nothing, and the next opening loads the dialog afresh.
    void theZoomDialogAppliesOnlyAnExactChoice() {
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
        ModalScript script;
        QPointer<vb::Dialog> closed;
        script.Then([&g](vb::Dialog& d) {
            vb::ComboBox* combo = Zoomer(d).Combo1();
            QStringList entries;
            for (int i = 0; i < combo->count(); ++i)
                entries << combo->itemText(i);
            QCOMPARE(entries, (QStringList{"1:1", "1:1.5", "1:2", "1:2.5", "1:3"}));
            QVERIFY(combo->Text() == "1:2" && combo->currentIndex() == 2);
            vb::Window &main = g.form.Window(), &self = Zoomer(d).Geometry();
            QVERIFY(
                QGuiApplication::platformName() == "wayland" ||  // the compositor places it
                (std::abs(self.Top() + self.Height() / 2 - main.Top() - main.Height() / 2) <= 15 &&
                 std::abs(self.Left() + self.Width() / 2 - main.Left() - main.Width() / 2) <= 15));
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo->lineEdit(), "1:3");
            QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
            QVERIFY(d.isVisible() && combo->count() == 5);
            combo->lineEdit()->setText("1:1 ");
            d.move(0, 0);  // where the player puts it, it is shown again
            Zoomer(d).Combo1_Click();
            QVERIFY(!d.isVisible());
        });
        script.Then(Choose(0));
        g.form.mnuZoom_Click(2);
        g.form.mnuZoom_Click(2);
        QVERIFY(BallSize == 54 && g.form.Window().Height() == 11520.0f &&
                g.form.Window().Top() == 0);
        QVERIFY(Dot(board, 1.5, 2.5, 1, 54) && Dot(board, 4.5, 4.5, 4, 65) &&
                Dot(preview, 3, 2, 5, 43));
        script.Then(Choose(2));
        script.Then([&closed](vb::Dialog& d) {
            QCOMPARE(Zoomer(d).Combo1()->count(), 5);  // hidden, then shown again: filled once
            QCOMPARE(d.pos(), QPoint());
            (closed = &d)->close();
        });
        script.Then([&closed](vb::Dialog& d) {
            QVERIFY(closed.isNull() && Zoomer(d).Combo1()->count() == 5);
        });
        for (int i = 0; i < 3; ++i)
            g.form.mnuZoom_Click(2);
        QCOMPARE(script.shown, QStringList(5, "Zoom"));
        QVERIFY(Zoom == 2.0f && BallSize == 27 && layout() == before);
        QCOMPARE(board.Image(), boardImage);
        QCOMPARE(preview.Image(), previewImage);
        QVERIFY(GameInProgress && BallSelected && Board(5, 5) == 4);
        Zoom = 1.75f;  // a scale that is not in the list leaves the designed text
        frmZoom other(&g.form);
        QVERIFY(other.Combo1()->Text() == "Combo1" && other.Combo1()->currentIndex() == -1);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
