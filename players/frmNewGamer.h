// "Welcome!": asks for a new player's name, adds the player to the table and the players file and
// makes the player current. Opened from the player list, modally over it.
#pragma once

#include <array>

#include "platform/Dialog.h"
#include "platform/Widgets.h"

namespace qv {

class Form2;

class frmNewGamer : public vb::Dialog {
  public:
    explicit frmNewGamer(Form2& list);

    // Empties the name box and puts the cursor into it.
    void Form_Activate() override;
    // 0 "&O'k", 1 "&Cancel".
    void Command1_Click(int Index);

    vb::Label* Label1() const { return label1_; }
    vb::MultiLineTextBox* Text1() const { return text1_; }
    vb::CommandButton* Command1(int index) const { return command1_.at(index); }

  private:
    Form2& list_;
    vb::Label* label1_;
    vb::MultiLineTextBox* text1_;
    std::array<vb::CommandButton*, 2> command1_{};
};

}  // namespace qv
