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

class PlayersListWindow;
class ZoomWindow;

class MainWindow : public QWidget, public MainWindowControls {
  public:
    MainWindow();
    ~MainWindow() override;

    // Shows the window, loading it at its first showing.
    void Show();
    bool Loaded() const { return loaded_; }

    // MainWindowControls
    platform::Window& Window() override { return geometry_; }
    platform::CanvasControl& BoardPicture() override { return *board_; }
    platform::CanvasControl& PreviewPicture() override { return *preview_; }
    platform::TextControl& HeadingLabel(int index) override { return *headingLabels_.at(index); }
    platform::TextControl& MovesLabel() override { return *movesLabel_; }
    platform::TextControl& NameBox(int index) override { return *nameBoxes_.at(index); }
    platform::TextControl& ResultBox(int index) override { return *resultBoxes_.at(index); }
    platform::TextControl& MovesBox() override { return *movesBox_; }
    platform::TextControl& MessagePanel() override { return *messagePanel_; }
    platform::Control& QuitButton() override;
    platform::MenuCommand& PlayerCommand() override { return playerCommand_; }
    platform::MenuCommand& ZoomCommand() override { return zoomCommand_; }
    platform::MenuCommand& AboutCommand() override { return aboutCommand_; }
    platform::MenuCommand& StartStopCommand() override { return startStopCommand_; }
    std::vector<platform::Control*> Controls() override;
    void Wait(double seconds) override;

    // The widgets themselves, for the window's own handlers and for tests.
    platform::CellCanvasWidget* BoardWidget() const { return board_; }  // the board and its cells
    platform::CanvasWidget* PreviewWidget() const { return preview_; }
    platform::TextField* NameWidget(int index) const { return nameBoxes_.at(index); }
    platform::Button* QuitButtonWidget() const { return quitButton_; }
    QMenuBar* MenuBar() const { return menuBar_; }

    // Handlers.
    void OnLoad();
    void OnResize();
    // Setting `character` to 0 keeps the key from the focused control.
    void OnKeyPress(int& character);
    void OnClose();
    void OnQuitClicked();
    void OnPlayerCommand();
    void OnZoomCommand();
    void OnAboutCommand();
    void OnNameDoubleClicked(int index);
    // F1: the keys of the game.
    void KeysHelp();
    void OnStartStop();
    void OnBoardRelease(std::int16_t button, std::int16_t modifiers, float X, float Y);
    void OnBoardKey(std::int16_t key, std::int16_t modifiers);

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
    platform::CellCanvasWidget* board_;
    platform::CanvasWidget* preview_;
    std::array<platform::Label*, 2> headingLabels_{};
    platform::Label* movesLabel_;
    std::array<platform::TextField*, 2> nameBoxes_{};
    std::array<platform::TextField*, 2> resultBoxes_{};
    platform::TextField* movesBox_;
    platform::TextArea* messagePanel_;
    platform::Button* quitButton_;
    platform::MenuAction playerCommand_;
    platform::MenuAction zoomCommand_;
    platform::MenuAction aboutCommand_;
    platform::MenuAction startStopCommand_;
    PlayersListWindow* playersList_ = nullptr;  // the player list, made at its first showing
    ZoomWindow* zoomWindow_ = nullptr;          // the zoom dialog while it is loaded
    QString toSay_;
    int shortcutKey_ = 0;  // the key of an Alt shortcut, until it is released
    bool loaded_ = false;
    bool closing_ = false;
};

}  // namespace qv
