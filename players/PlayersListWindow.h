// "Players List": the players and their best results, shown modally over the main window. Between
// games a player can be made current, and new players can be added.
#pragma once

#include <QLabel>
#include <array>

#include "platform/Dialog.h"
#include "platform/ListControls.h"
#include "platform/Widgets.h"

namespace qv {

class NewPlayerWindow;

class PlayersListWindow : public platform::Dialog {
  public:
    explicit PlayersListWindow(QWidget* owner);

    // Rebuilds the list from the table in memory: the header, then the players from record 1 up
    // to the first free record.
    void FillPlayerList();

    // Highlights the current player's row.
    void OnActivated() override;
    // 0 "S&elect", 1 "&New", 2 "&Close".
    void OnButtonClicked(int index);
    void OnListDoubleClicked();

    platform::RowList* PlayerList() const { return playerList_; }
    platform::Button* Button(int index) const { return buttons_.at(index); }
    // The new player dialog, once it has been opened.
    NewPlayerWindow* NewPlayer() const { return newPlayer_; }

    // Where results are kept, shown only when that is not beside the game.
    QLabel* Note() const { return note_; }

  private:
    void SelectPlayer();
    void ShowNote();

    platform::RowList* playerList_;
    std::array<platform::Button*, 3> buttons_{};
    QLabel* note_;
    NewPlayerWindow* newPlayer_ = nullptr;
    bool focusList_ = false;  // the list takes the focus at the next activation
};

}  // namespace qv
