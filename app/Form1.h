// The main window: the board, the preview of the next balls, the current and the best player with
// their results, the move counter, the message panel, the Quit button and the menu.
#pragma once

#include <QWidget>
#include <array>

#include "game/MainWindowControls.h"
#include "platform/CellPicture.h"
#include "platform/Form.h"
#include "platform/Widgets.h"

namespace qv {

class Form2;
class frmZoom;

class Form1 : public QWidget, public MainWindowControls {
  public:
    Form1();
    ~Form1() override;

    // Shows the window, loading it at its first showing.
    void Show();
    bool Loaded() const { return loaded_; }

    // MainWindowControls
    vb::Window& Window() override { return geometry_; }
    vb::Picture& Picture1() override { return *picture1_; }
    vb::Picture& Picture2() override { return *picture2_; }
    vb::TextControl& Label1(int index) override { return *label1_.at(index); }
    vb::TextControl& Label2() override { return *label2_; }
    vb::TextControl& Text1(int index) override { return *text1_.at(index); }
    vb::TextControl& Text2(int index) override { return *text2_.at(index); }
    vb::TextControl& Text3() override { return *text3_; }
    vb::TextControl& txtMess() override { return *txtMess_; }
    vb::Control& Command1(int index) override;
    vb::MenuCommand& mnuPlayer() override { return mnuPlayer_; }
    vb::MenuCommand& mnuZoom() override { return mnuZoom_; }
    vb::MenuCommand& mnuAbout() override { return mnuAbout_; }
    vb::MenuCommand& mnuStart() override { return mnuStart_; }
    std::vector<vb::Control*> Controls() override;
    void Timmi(double Pauser) override;

    // The widgets themselves, for the window's own handlers and for tests.
    vb::PictureBox* Picture1Box() const { return picture1_; }
    vb::CellPictureBox* Picture1Cells() const { return picture1_; }  // the board and its cells
    vb::PictureBox* Picture2Box() const { return picture2_; }
    vb::TextBox* Text1Box(int index) const { return text1_.at(index); }
    vb::CommandButton* QuitButton() const { return command1_; }
    QMenuBar* MenuBar() const { return menuBar_; }

    // Handlers.
    void Form_Load();
    void Form_Resize();
    // Setting KeyAscii to 0 keeps the key from the focused control.
    void Form_KeyPress(int& KeyAscii);
    void Form_Unload();
    void Command1_Click(int Index);
    void mnuPlayer_Click(int Index);
    void mnuZoom_Click(int Index);
    void mnuAbout_Click(int Index);
    void Text1_DblClick(int Index);
    // F1: the keys of the game.
    void KeysHelp();
    void mnuStart_Click(int Index);
    void Picture1_MouseUp(vb::Integer Button, vb::Integer Shift, vb::Single X, vb::Single Y);
    void Picture1_KeyDown(vb::Integer KeyCode, vb::Integer Shift);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void ToggleMenuBarKeys();
    void NameControls();
    // Opens the players list; tells who plays when that changed.
    void ShowPlayers();
    // Tells assistive technology what a handler changed on the board and in the preview.
    void AnnounceBoard();
    // Gives the keys back to the board after a menu command.
    void TakeKeysBack();
    // Tells a screen reader what a command did (see Narration.h).
    void Say(const QString& text);
    void SayNow();

    vb::FormGeometry geometry_;
    QMenuBar* menuBar_;
    QWidget* client_;
    vb::CellPictureBox* picture1_;
    vb::PictureBox* picture2_;
    std::array<vb::Label*, 2> label1_{};
    vb::Label* label2_;
    std::array<vb::TextBox*, 2> text1_{};
    std::array<vb::TextBox*, 2> text2_{};
    vb::TextBox* text3_;
    vb::MultiLineTextBox* txtMess_;
    vb::CommandButton* command1_;
    vb::MenuAction mnuPlayer_;
    vb::MenuAction mnuZoom_;
    vb::MenuAction mnuAbout_;
    vb::MenuAction mnuStart_;
    Form2* form2_ = nullptr;      // the player list, made at its first showing
    frmZoom* frmZoom_ = nullptr;  // the zoom dialog while it is loaded
    QString toSay_;
    int shortcutKey_ = 0;  // the key of an Alt shortcut, until it is released
    bool loaded_ = false;
    bool unloading_ = false;
};

}  // namespace qv
