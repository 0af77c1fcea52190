// The main window: the board, the preview of the next balls, the current and the best player with
// their results, the move counter, the message panel, the Quit button and the menu.
#pragma once

#include <QWidget>
#include <array>

#include "game/MainWindowControls.h"
#include "platform/CellCanvasWidget.h"
#include "platform/Widgets.h"
#include "platform/WindowGeometry.h"

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
    platform::Window& Window() override { return geometry_; }
    platform::CanvasControl& BoardPicture() override { return *picture1_; }
    platform::CanvasControl& PreviewPicture() override { return *picture2_; }
    platform::TextControl& HeadingLabel(int index) override { return *label1_.at(index); }
    platform::TextControl& MovesLabel() override { return *label2_; }
    platform::TextControl& NameBox(int index) override { return *text1_.at(index); }
    platform::TextControl& ResultBox(int index) override { return *text2_.at(index); }
    platform::TextControl& MovesBox() override { return *text3_; }
    platform::TextControl& MessagePanel() override { return *txtMess_; }
    platform::Control& QuitButton() override;
    platform::MenuCommand& PlayerCommand() override { return playerCommand_; }
    platform::MenuCommand& ZoomCommand() override { return zoomCommand_; }
    platform::MenuCommand& AboutCommand() override { return aboutCommand_; }
    platform::MenuCommand& StartStopCommand() override { return startStopCommand_; }
    std::vector<platform::Control*> Controls() override;
    void Wait(double seconds) override;

    // The widgets themselves, for the window's own handlers and for tests.
    platform::CanvasWidget* Picture1Box() const { return picture1_; }
    platform::CellCanvasWidget* Picture1Cells() const {
        return picture1_;
    }  // the board and its cells
    platform::CanvasWidget* Picture2Box() const { return picture2_; }
    platform::TextField* Text1Box(int index) const { return text1_.at(index); }
    platform::Button* QuitButtonWidget() const { return command1_; }
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
    void Picture1_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Picture1_KeyDown(std::int16_t KeyCode, std::int16_t Shift);

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

    platform::WindowGeometry geometry_;
    QMenuBar* menuBar_;
    QWidget* client_;
    platform::CellCanvasWidget* picture1_;
    platform::CanvasWidget* picture2_;
    std::array<platform::Label*, 2> label1_{};
    platform::Label* label2_;
    std::array<platform::TextField*, 2> text1_{};
    std::array<platform::TextField*, 2> text2_{};
    platform::TextField* text3_;
    platform::TextArea* txtMess_;
    platform::Button* command1_;
    platform::MenuAction playerCommand_;
    platform::MenuAction zoomCommand_;
    platform::MenuAction aboutCommand_;
    platform::MenuAction startStopCommand_;
    Form2* form2_ = nullptr;      // the player list, made at its first showing
    frmZoom* frmZoom_ = nullptr;  // the zoom dialog while it is loaded
    QString toSay_;
    int shortcutKey_ = 0;  // the key of an Alt shortcut, until it is released
    bool loaded_ = false;
    bool unloading_ = false;
};

}  // namespace qv
