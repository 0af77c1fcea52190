#include "players/frmNewGamer.h"

#include <QCoreApplication>

#include "platform/Runtime.h"
#include "players/Form2.h"
#include "players/NewPlayer.h"

namespace qv {

frmNewGamer::frmNewGamer(Form2& list)
    : platform::Dialog(&list),
      list_(list),
      label1_(new platform::Label(this,
                                  QCoreApplication::translate("frmNewGamer", "Input your name:"))),
      text1_(new platform::TextArea(this, false)) {
    setWindowTitle(QCoreApplication::translate("frmNewGamer", "Welcome!"));
    SetClientSize(3270, 2205);

    label1_->setFont(platform::MakeFont(QStringLiteral("MS Sans Serif"), 13.5, false));
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1_->SetTwipsGeometry(0, 0, 3255, 495);

    // Enter starts a new line in the name; Tab moves on to the buttons.
    text1_->setFont(platform::MakeFont(QStringLiteral("MS Sans Serif"), 12, false));
    text1_->setTabChangesFocus(true);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text1_->SetTwipsGeometry(0, 600, 3255, 1095);
    text1_->setAccessibleName(QCoreApplication::translate("frmNewGamer", "Your name"));

    const QString captions[] = {QCoreApplication::translate("frmNewGamer", "&O'k"),
                                QCoreApplication::translate("frmNewGamer", "&Cancel")};
    const QFont buttonFont = platform::MakeFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    for (int i = 0; i < 2; ++i) {
        auto* button = new platform::Button(this, captions[i], i);
        button->setFont(buttonFont);
        button->SetTwipsGeometry(1800 * i, 1800, 1455, 375);
        button->onClick = [this](int index) { Command1_Click(index); };
        command1_[i] = button;
    }
    // Made in Tab order: the name, then the buttons from left to right.
}

void frmNewGamer::OnActivated() {
    text1_->SetText(QString());
    text1_->setFocus();
}

void frmNewGamer::Command1_Click(int Index) {
    if (Index == 1) {
        Hide();
        return;
    }
    if (Index != 0)
        return;
    // A name is one line: line breaks and other control characters typed into the box are left out.
    QString name = text1_->Text();
    name.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    if (name.isEmpty()) {
        Hide();
        return;
    }
    const QString refusal = NameRefusal(name);
    if (!refusal.isEmpty()) {
        // The dialog stays open with the name as typed, for the player to mend.
        platform::ShowMessage(refusal, platform::MessageIcon::Warning, windowTitle());
        text1_->setFocus();
        return;
    }
    AddNewPlayer(name);
    list_.FillPlayerList();
    Hide();
}

}  // namespace qv
