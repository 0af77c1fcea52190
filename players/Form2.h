// "Players List": the players and their best results, shown modally over the main window. Between
// games a player can be made current, and new players can be added.
#pragma once

#include <QLabel>
#include <array>

#include "platform/Dialog.h"
#include "platform/ListControls.h"
#include "platform/Widgets.h"

namespace qv {

class frmNewGamer;

class Form2 : public platform::Dialog {
  public:
    explicit Form2(QWidget* owner);

    // Rebuilds the list from the table in memory: the header, then the players from record 1 up
    // to the first free record.
    void FillPlayerList();

    // Highlights the current player's row.
    void OnActivated() override;
    // 0 "S&elect", 1 "&New", 2 "&Close".
    void Command1_Click(int Index);
    void lstPlayers_DblClick();

    platform::RowList* lstPlayers() const { return lstPlayers_; }
    platform::Button* Command1(int index) const { return command1_.at(index); }
    // The new player dialog, once it has been opened.
    frmNewGamer* NewGamer() const { return newGamer_; }

    // Where results are kept, shown only when that is not beside the game.
    QLabel* Note() const { return note_; }

  private:
    void SelectPlayer();
    void ShowNote();

    platform::RowList* lstPlayers_;
    std::array<platform::Button*, 3> command1_{};
    QLabel* note_;
    frmNewGamer* newGamer_ = nullptr;
    bool focusList_ = false;  // the list takes the focus at the next activation
};

}  // namespace qv
