// "Welcome!": asks for a new player's name, adds the player to the table and the players file and
// makes the player current. Opened from the player list, modally over it.
#pragma once

#include <array>

#include "platform/Dialog.h"
#include "platform/Widgets.h"

namespace qv {

class Form2;

class frmNewGamer : public platform::Dialog {
  public:
    explicit frmNewGamer(Form2& list);

    // Empties the name box and puts the cursor into it.
    void OnActivated() override;
    // 0 "&O'k", 1 "&Cancel".
    void Command1_Click(int Index);

    platform::Label* HeadingLabel() const { return label1_; }
    platform::TextArea* NameBox() const { return text1_; }
    platform::Button* Command1(int index) const { return command1_.at(index); }

  private:
    Form2& list_;
    platform::Label* label1_;
    platform::TextArea* text1_;
    std::array<platform::Button*, 2> command1_{};
};

}  // namespace qv
