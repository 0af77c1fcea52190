// "Welcome!": asks for a new player's name, adds the player to the table and the players file and
// makes the player current. Opened from the player list, modally over it.
#pragma once

#include <array>

#include "platform/Dialog.h"
#include "platform/Widgets.h"

namespace qv {

class PlayersListWindow;

class NewPlayerWindow : public platform::Dialog {
  public:
    explicit NewPlayerWindow(PlayersListWindow& list);

    // Empties the name box and puts the cursor into it.
    void OnActivated() override;
    // 0 "&O'k", 1 "&Cancel".
    void OnButtonClicked(int index);

    platform::Label* HeadingLabel() const { return prompt_; }
    platform::TextArea* NameBox() const { return nameBox_; }
    platform::Button* Button(int index) const { return buttons_.at(index); }

  private:
    PlayersListWindow& playersList_;
    platform::Label* prompt_;
    platform::TextArea* nameBox_;
    std::array<platform::Button*, 2> buttons_{};
};

}  // namespace qv
