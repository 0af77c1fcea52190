#include "players/PlayersListWindow.h"

#include <QCoreApplication>
#include <utility>

#include "game/GameState.h"
#include "game/MainWindowControls.h"
#include "platform/Screen.h"
#include "players/NewPlayerWindow.h"
#include "players/PlayerListRows.h"
#include "players/PlayersFile.h"

namespace qv {

namespace {

QFont ListFont() {
    // The rows line up only in a fixed-pitch font; where Courier New is missing, another
    // typewriter face stands in.
    QFont font = platform::MakeFont(QStringLiteral("Courier New"), 9.75, false);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

}  // namespace

PlayersListWindow::PlayersListWindow(QWidget* owner)
    : platform::Dialog(owner), playerList_(new platform::RowList(this)), note_(new QLabel(this)) {
    setWindowTitle(QCoreApplication::translate("PlayersListWindow", "Players List"));
    SetClientSize(4245, 3150);

    playerList_->setFont(ListFont());
    playerList_->SetTwipsGeometry(0, 0, 4215, 2700);
    playerList_->onDoubleClick = [this] { OnListDoubleClicked(); };
    playerList_->setAccessibleName(QCoreApplication::translate("PlayersListWindow", "Players"));

    const QString captions[] = {QCoreApplication::translate("PlayersListWindow", "S&elect"),
                                QCoreApplication::translate("PlayersListWindow", "&New"),
                                QCoreApplication::translate("PlayersListWindow", "&Close")};
    const QFont buttonFont = platform::MakeFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    for (int i = 0; i < 3; ++i) {
        auto* button = new platform::Button(this, captions[i], i);
        button->setFont(buttonFont);
        button->SetTwipsGeometry(1440 * i, 2760, 1335, 375);
        button->onClick = [this](int index) { OnButtonClicked(index); };
        buttons_[i] = button;
    }
    // Made in Tab order: the list, then the buttons from left to right.

    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);
    note_->setFont(platform::MakeFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    note_->hide();
}

void PlayersListWindow::ShowNote() {
    // Where results are kept, under the buttons, when that is not beside the game; otherwise the
    // window keeps its default size.
    const QString note = PlayersFileNote();
    if (note.isEmpty()) {
        note_->hide();
        SetClientSize(4245, 3150);
        return;
    }
    QString shown = note;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));  // a long path wraps at its folders
    note_->setText(shown);
    note_->setToolTip(note);
    note_->setAccessibleName(note);
    const int width = qRound(4155 / platform::TwipsPerPixelX());
    const int top = qRound(3195 / platform::TwipsPerPixelY());
    const int height = note_->heightForWidth(width);
    note_->setGeometry(qRound(45 / platform::TwipsPerPixelX()), top, width, height);
    note_->show();
    SetClientSize(4245, static_cast<float>((top + height) * platform::TwipsPerPixelY() + 60));
}

void PlayersListWindow::FillPlayerList() {
    // At each opening and after a new player came in, the list takes the focus, on the current
    // player's row.
    focusList_ = true;
    ShowNote();
    playerList_->Clear();
    playerList_->AddRow(PlayerListHeader());
    for (int i = 1; i <= kMaxPlayers; ++i) {
        if (!Players[i].InUse())
            break;
        playerList_->AddRow(PlayerListRow(Players[i]));
    }
}

void PlayersListWindow::OnActivated() {
    // Errors are ignored here: a current player past the last row leaves the highlight as it is.
    (void)playerList_->SetHighlightedRow(CurrentPlayer);
    if (std::exchange(focusList_, false))
        playerList_->setFocus(Qt::OtherFocusReason);
}

void PlayersListWindow::OnButtonClicked(int index) {
    switch (index) {
        case 0:
            SelectPlayer();
            break;
        case 1:
            if (GameInProgress)
                break;
            if (newPlayer_ == nullptr)
                newPlayer_ = new NewPlayerWindow(*this);
            newPlayer_->ShowModal();
            break;
        case 2:
            Hide();
            break;
        default:
            break;
    }
}

void PlayersListWindow::OnListDoubleClicked() {
    SelectPlayer();
}

void PlayersListWindow::SelectPlayer() {
    if (GameInProgress)
        return;
    const int index = playerList_->HighlightedRow();
    if (index < 1)
        return;
    CurrentPlayer = static_cast<std::int16_t>(index);
    CurrentName = Players[CurrentPlayer].Name;
    CurrentResult = Players[CurrentPlayer].Result;
    MainControls().NameBox(0).SetText(DisplayName(CurrentName));
    MainControls().ResultBox(0).SetText(QString::number(CurrentResult));
    Hide();
}

}  // namespace qv
