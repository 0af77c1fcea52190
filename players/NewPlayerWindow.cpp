#include "players/NewPlayerWindow.h"

#include <QCoreApplication>

#include "platform/Runtime.h"
#include "players/NewPlayer.h"
#include "players/PlayersListWindow.h"

namespace qv {

NewPlayerWindow::NewPlayerWindow(PlayersListWindow& list)
    : platform::Dialog(&list),
      playersList_(list),
      prompt_(new platform::Label(
          this, QCoreApplication::translate("NewPlayerWindow", "Input your name:"))),
      nameBox_(new platform::TextArea(this, false)) {
    setWindowTitle(QCoreApplication::translate("NewPlayerWindow", "Welcome!"));
    SetClientSize(3270, 2205);

    prompt_->setFont(platform::MakeFont(QStringLiteral("MS Sans Serif"), 13.5, false));
    prompt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    prompt_->SetTwipsGeometry(0, 0, 3255, 495);

    // Enter starts a new line in the name; Tab moves on to the buttons.
    nameBox_->setFont(platform::MakeFont(QStringLiteral("MS Sans Serif"), 12, false));
    nameBox_->setTabChangesFocus(true);
    nameBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    nameBox_->SetTwipsGeometry(0, 600, 3255, 1095);
    nameBox_->setAccessibleName(QCoreApplication::translate("NewPlayerWindow", "Your name"));

    const QString captions[] = {QCoreApplication::translate("NewPlayerWindow", "&O'k"),
                                QCoreApplication::translate("NewPlayerWindow", "&Cancel")};
    const QFont buttonFont = platform::MakeFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    for (int i = 0; i < 2; ++i) {
        auto* button = new platform::Button(this, captions[i], i);
        button->setFont(buttonFont);
        button->SetTwipsGeometry(1800 * i, 1800, 1455, 375);
        button->onClick = [this](int index) { OnButtonClicked(index); };
        buttons_[i] = button;
    }
    // Made in Tab order: the name, then the buttons from left to right.
}

void NewPlayerWindow::OnActivated() {
    nameBox_->SetText(QString());
    nameBox_->setFocus();
}

void NewPlayerWindow::OnButtonClicked(int index) {
    if (index == 1) {
        Hide();
        return;
    }
    if (index != 0)
        return;
    // A name is one line: line breaks and other control characters typed into the box are left out.
    QString name = nameBox_->Text();
    name.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    if (name.isEmpty()) {
        Hide();
        return;
    }
    const QString refusal = NameRefusal(name);
    if (!refusal.isEmpty()) {
        // The dialog stays open with the name as typed, for the player to mend.
        platform::ShowMessage(refusal, platform::MessageIcon::Warning, windowTitle());
        nameBox_->setFocus();
        return;
    }
    AddNewPlayer(name);
    playersList_.FillPlayerList();
    Hide();
}

}  // namespace qv
