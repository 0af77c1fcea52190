#include "app/MainWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "app/About.h"
#include "app/Narration.h"
#include "app/Wait.h"
#include "game/BoardClick.h"
#include "game/GameFlow.h"
#include "game/GameState.h"
#include "platform/Accessibility.h"
#include "platform/Runtime.h"
#include "platform/Screen.h"
#include "platform/SystemColors.h"
#include "players/PlayersFile.h"
#include "players/PlayersListWindow.h"
#include "view/BallColor.h"
#include "view/Layout.h"
#include "view/ZoomWindow.h"

namespace qv {

namespace {

constexpr platform::PackedColor kBlue = platform::PackRgb(0, 0, 255);
constexpr platform::PackedColor kRed = platform::PackRgb(255, 0, 0);

QString Greeting() {
    return QCoreApplication::translate(
        "MainWindow", "Hello player!\r\n\r\nLet's begin.\r\n\r\nPress \"Start\" button.");
}

// The greeting and how to play by keys, in one line for a screen reader.
QString StartHint() {
    return QStringList{Greeting().simplified(),
                       QCoreApplication::translate(
                           "MainWindow",
                           "%1 starts a game, the arrows and Enter play, F1 tells all the keys, "
                           "Esc ends the program at once.")
                           .arg(MenuKey("&Start"))}
        .join(QLatin1Char(' '));
}

QAction* AddMenuCommand(QMenuBar* bar, const QString& caption) {
    return bar->addAction(caption);
}

void SetTextColor(QWidget* w, platform::PackedColor c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, platform::ResolveColor(c));
    p.setColor(QPalette::Text, platform::ResolveColor(c));
    w->setPalette(p);
}

// What lies in a board cell, as a screen reader says it.
QString CellDescription(int x, int y) {
    if (!Board.Contains(x, y))
        return QString();
    const std::int16_t kind = Board(x, y);
    if (kind <= 0)
        return QCoreApplication::translate("MainWindow", "row %1, column %2: empty").arg(y).arg(x);
    if (BallSelected && x == SelectedX && y == SelectedY)
        return QCoreApplication::translate("MainWindow", "row %1, column %2: %3 ball, selected")
            .arg(y)
            .arg(x)
            .arg(BallColorName(kind));
    return QCoreApplication::translate("MainWindow", "row %1, column %2: %3 ball")
        .arg(y)
        .arg(x)
        .arg(BallColorName(kind));
}

struct HeldMessage {
    QString text;
    platform::MessageIcon icon;
    QString title;
};

// The application's style, except that an Alt pressed and released alone gives the menu bar the
// keys, and that the current command then stands out. Some styles (Windows) do both of their own,
// others (Fusion, Qt's default without a desktop theme) neither; the game's keys count on them.
class AltKeyMenuStyle : public QProxyStyle {
  public:
    AltKeyMenuStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && item != nullptr && (item->state & State_Selected) &&
            widget != nullptr && widget->hasFocus()) {
            // While the menu bar has the keys, its current command looks as when it is pressed.
            QStyleOptionMenuItem current = *item;
            current.state |= State_Sunken;
            QProxyStyle::drawControl(element, &current, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

QMenuBar* MakeMenuBar(QWidget* parent) {
    // Before any window exists, so that the windows get the interfaces it adds.
    platform::InstallAccessibility();
    auto* bar = new QMenuBar(parent);
    bar->setNativeMenuBar(false);
    auto* style = new AltKeyMenuStyle;
    style->setParent(bar);
    bar->setStyle(style);
    return bar;
}

}  // namespace

MainWindow::MainWindow()
    : geometry_(this),
      menuBar_(MakeMenuBar(this)),
      client_(new QWidget(this)),
      board_(new platform::CellCanvasWidget(client_, 9, 9)),
      preview_(new platform::CanvasWidget(client_)),
      movesLabel_(new platform::Label(client_, QCoreApplication::translate("MainWindow", "Moves"))),
      movesBox_(new platform::TextField(client_, QStringLiteral("0"))),
      messagePanel_(new platform::TextArea(client_, true)),
      quitButton_(
          new platform::Button(client_, QCoreApplication::translate("MainWindow", "&Quit"), 1)),
      playerCommand_(
          AddMenuCommand(menuBar_, QCoreApplication::translate("MainWindow", "&Player"))),
      zoomCommand_(AddMenuCommand(menuBar_, QCoreApplication::translate("MainWindow", "&Zoom"))),
      aboutCommand_(AddMenuCommand(menuBar_, QCoreApplication::translate("MainWindow", "&About"))),
      startStopCommand_(
          AddMenuCommand(menuBar_, QCoreApplication::translate("MainWindow", "&Start"))) {
    setWindowTitle(QStringLiteral("QUILVARO   Dremwick"));
    // The default colours, blue and red on light backgrounds, whatever the desktop's palette.
    setPalette(platform::LightPalette());
    // A minimize button, no maximize button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    geometry_.SetMenuBar(menuBar_);
    geometry_.SetClient(client_);
    geometry_.onResize = [this] {
        if (loaded_)
            OnResize();
    };

    const QFont arial = platform::MakeFont(QStringLiteral("Arial"), 9.75, true);
    setFont(arial);

    headingLabels_[0] =
        new platform::Label(client_, QCoreApplication::translate("MainWindow", "Result"));
    headingLabels_[1] =
        new platform::Label(client_, QCoreApplication::translate("MainWindow", "Top"));
    for (int i = 0; i < 2; ++i) {
        nameBoxes_[i] = new platform::TextField(client_, QStringLiteral("Text1"));
        resultBoxes_[i] = new platform::TextField(client_, QStringLiteral("Text2"));
    }

    // The board starts light grey with lines in the workspace colour; the first
    // game start turns it white.
    board_->SetBackgroundColor(platform::PackRgb(224, 224, 224));
    board_->SetPenColor(platform::kSystemWorkspace);
    preview_->SetBackgroundColor(platform::kSystemButtonFace);

    for (int i = 0; i < 2; ++i) {
        const platform::PackedColor colour = i == 0 ? kBlue : kRed;
        SetTextColor(headingLabels_[i], colour);
        SetTextColor(nameBoxes_[i], colour);
        SetTextColor(resultBoxes_[i], colour);
    }
    for (platform::TextField* box :
         {nameBoxes_[0], nameBoxes_[1], resultBoxes_[0], resultBoxes_[1], movesBox_}) {
        box->setReadOnly(true);
        box->setAlignment(Qt::AlignCenter);
    }
    movesLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    messagePanel_->setReadOnly(true);
    messagePanel_->setFont(platform::MakeFont(QStringLiteral("Arial"), 13.5, true));
    messagePanel_->setFocusPolicy(Qt::ClickFocus);  // skipped by the Tab key
    messagePanel_->SetShrinkToFit(true);
    {
        QPalette p = messagePanel_->palette();
        p.setColor(QPalette::Text, platform::ResolveColor(kBlue));
        p.setColor(QPalette::Base, platform::ResolveColor(platform::kSystemButtonFace));
        messagePanel_->setPalette(p);
    }
    quitButton_->onClick = [this](int) { OnQuitClicked(); };
    QObject::connect(playerCommand_.Action(), &QAction::triggered, this,
                     [this] { OnPlayerCommand(); });
    QObject::connect(zoomCommand_.Action(), &QAction::triggered, this, [this] { OnZoomCommand(); });
    QObject::connect(aboutCommand_.Action(), &QAction::triggered, this,
                     [this] { OnAboutCommand(); });
    for (int i = 0; i < 2; ++i)
        nameBoxes_[i]->onDoubleClick = [this, i] { OnNameDoubleClicked(i); };
    // On a screen of another pixel density the pictures start afresh at its resolution; the
    // layout pass draws the grid, the balls and the preview again.
    for (platform::CanvasWidget* picture :
         {static_cast<platform::CanvasWidget*>(board_), preview_}) {
        picture->onDensityChange = [this] {
            if (loaded_ && isVisible())
                OnResize();
        };
    }
    connect(startStopCommand_.Action(), &QAction::triggered, this, [this] { OnStartStop(); });
    board_->onRelease = [this](std::int16_t button, std::int16_t shift, float x, float y) {
        OnBoardRelease(button, shift, x, y);
    };
    board_->onKeyDown = [this](std::int16_t code, std::int16_t shift) { OnBoardKey(code, shift); };
    board_->cellName = CellDescription;
    new QShortcut(QKeySequence(Qt::Key_F1), this, [this] { KeysHelp(); });
    NameControls();

    // Tab order: the board, the two names, the two results, the captions, the moves, Quit.
    QWidget::setTabOrder(board_, nameBoxes_[0]);
    QWidget::setTabOrder(nameBoxes_[0], nameBoxes_[1]);
    QWidget::setTabOrder(nameBoxes_[1], resultBoxes_[0]);
    QWidget::setTabOrder(resultBoxes_[0], resultBoxes_[1]);
    QWidget::setTabOrder(resultBoxes_[1], movesBox_);
    QWidget::setTabOrder(movesBox_, quitButton_);
    QWidget::setTabOrder(quitButton_, preview_);
    preview_->setFocusPolicy(Qt::NoFocus);
    board_->setFocus();

    // Keys reach the window before the control that has the focus.
    qApp->installEventFilter(this);
    SetMainControls(this);
}

void MainWindow::NameControls() {
    board_->setAccessibleName(QCoreApplication::translate("MainWindow", "Board"));
    board_->setAccessibleDescription(QCoreApplication::translate(
        "MainWindow",
        "Arrow keys move the cursor; Enter selects the ball under it or moves the selected "
        "ball there."));
    nameBoxes_[0]->setAccessibleName(
        QCoreApplication::translate("MainWindow", "Current player's name"));
    resultBoxes_[0]->setAccessibleName(
        QCoreApplication::translate("MainWindow", "Current player's result or score"));
    nameBoxes_[1]->setAccessibleName(
        QCoreApplication::translate("MainWindow", "Best player's name"));
    resultBoxes_[1]->setAccessibleName(
        QCoreApplication::translate("MainWindow", "Best player's result"));
    movesBox_->setAccessibleName(QCoreApplication::translate("MainWindow", "Number of moves"));
    messagePanel_->setAccessibleName(QCoreApplication::translate("MainWindow", "Messages"));
    preview_->setAccessibleName(QCoreApplication::translate("MainWindow", "Next balls"));
    quitButton_->setAccessibleName(QCoreApplication::translate("MainWindow", "Quit"));
}

void MainWindow::AnnounceBoard() {
    board_->CellsChanged();
    // The colours the preview shows, in order; it is blank between games.
    QStringList colours;
    for (int i = 0; i <= 2 && GameInProgress; ++i)
        if (NextBalls[i] > 0)
            colours << BallColorName(NextBalls[i]);
    if (colours.join(", ") != preview_->accessibleDescription())
        preview_->setAccessibleDescription(colours.join(", "));
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    if (HasMainControls() && &MainControls() == this)
        SetMainControls(nullptr);
}

platform::Control& MainWindow::QuitButton() {
    return *quitButton_;
}

std::vector<platform::Control*> MainWindow::Controls() {
    return {board_,        headingLabels_[0], headingLabels_[1], nameBoxes_[0],
            nameBoxes_[1], resultBoxes_[0],   resultBoxes_[1],   movesLabel_,
            movesBox_,     messagePanel_,     preview_,          quitButton_};
}

void MainWindow::Wait(double seconds) {
    Pause(seconds);
}

void MainWindow::Show() {
    std::vector<HeldMessage> held;
    if (!loaded_) {
        loaded_ = true;
        // What loading has to say (about the players file) is said over this window, once it is
        // on the screen and the title has handed over to it.
        platform::RuntimeHooks& hooks = platform::CurrentRuntimeHooks();
        const auto say = std::exchange(
            hooks.showMessage,
            [&held](const QString& text, platform::MessageIcon icon, const QString& title) {
                held.push_back({text, icon, title});
            });
        OnLoad();
        platform::CurrentRuntimeHooks().showMessage = say;
        // Said once, a moment after the board's focus: a screen reader that has a window's
        // first events to catch up with drops what comes with them.
        QTimer::singleShot(2000, this, [this] { Say(StartHint()); });
    }
    if (!isVisible()) {
        OnResize();
        QWidget::show();
        // Once shown, the window knows where its frame is: it is laid out again.
        OnResize();
        // The board takes the keys from the start, also where no window manager hands the
        // window the focus.
        activateWindow();
        board_->setFocus();
    }
    AnnounceBoard();
    // Said once the handler that showed the window is over: after the title has gone.
    if (!held.empty()) {
        QMetaObject::invokeMethod(
            this,
            [held] {
                for (const HeldMessage& m : held)
                    platform::ShowMessage(m.text, m.icon, m.title);
            },
            Qt::QueuedConnection);
    }
}

void MainWindow::OnLoad() {
    InitSettings();
    ChoosePlayersFile();
    LoadPlayers(LoadMode::StartUp);
    NameBox(0).SetText(DisplayName(CurrentName));
    ResultBox(0).SetText(QString::number(CurrentResult));
    NameBox(1).SetText(DisplayName(BestName));
    ResultBox(1).SetText(QString::number(BestResult));
    MessagePanel().SetText(Greeting());
}

void MainWindow::OnResize() {
    LayoutMainWindow();
}

void MainWindow::OnKeyPress(int& character) {
    if (character == 27) {
        platform::EndProgram();
    } else if (character == 32) {
        const platform::WindowState before = geometry_.State();
        geometry_.SetState(before == platform::WindowState::Normal
                               ? platform::WindowState::Minimized
                               : platform::WindowState::Normal);
        // A Space that minimized or restored the window must not also press the focused
        // control: with Quit focused it would end the program and lose the game.
        if (geometry_.State() != before)
            character = 0;
    }
}

void MainWindow::OnClose() {
    platform::EndProgram();
}

void MainWindow::OnQuitClicked() {
    platform::EndProgram();
}

void MainWindow::OnPlayerCommand() {
    // The menu command is switched off while a game runs.
    ShowPlayers();
    TakeKeysBack();
}

void MainWindow::OnNameDoubleClicked(int index) {
    // Only the current player's name opens the list, and only between games.
    if (index != 0 || GameInProgress)
        return;
    ShowPlayers();
}

void MainWindow::ShowPlayers() {
    const std::int16_t player = CurrentPlayer;
    const QString name = CurrentName;
    if (playersList_ == nullptr)
        playersList_ = new PlayersListWindow(this);
    playersList_->FillPlayerList();
    playersList_->ShowModal();
    if (CurrentPlayer != player || CurrentName != name)
        Say(QCoreApplication::translate("MainWindow", "%1 plays. Best result: %2.")
                .arg(DisplayName(CurrentName))
                .arg(CurrentResult));
}

void MainWindow::OnZoomCommand() {
    const float before = Zoom;
    if (zoomWindow_ == nullptr)
        zoomWindow_ = new ZoomWindow(this);
    zoomWindow_->ShowModal();
    if (zoomWindow_->WasClosed()) {
        // Closed with its close box: the next opening loads it afresh.
        delete zoomWindow_;
        zoomWindow_ = nullptr;
    }
    if (Zoom != before) {
        // The new height runs the layout pass, which redraws the board at the new scale.
        board_->Clear();
        geometry_.SetHeight(platform::ScreenHeightTwips() / Zoom);
        if (zoomWindow_ != nullptr)
            Say(QCoreApplication::translate("MainWindow", "Scale %1.")
                    .arg(zoomWindow_->ScaleBox()->Text()));
    }
    TakeKeysBack();
}

void MainWindow::OnAboutCommand() {
    ShowAbout();
    TakeKeysBack();
}

void MainWindow::KeysHelp() {
    ShowKeys();
    TakeKeysBack();
}

void MainWindow::OnStartStop() {
    const GameView before = SeeGame(*this);
    qv::StartOrStopGame();
    AnnounceBoard();
    TakeKeysBack();
    Say(DescribeStartStop(before, SeeGame(*this)));
}

void MainWindow::Say(const QString& text) {
    if (text.isEmpty())
        return;
    // Said once the board has the keys: a message box that ended the game gives them back only
    // when the window is active again, and a screen reader would cut the message short to speak
    // the focus.
    toSay_ = text;
    if (isActiveWindow() && board_->hasFocus())
        SayNow();
    else
        QTimer::singleShot(1000, this, [this] { SayNow(); });
}

void MainWindow::SayNow() {
    if (!toSay_.isEmpty())
        platform::Announce(this, std::exchange(toSay_, QString()));
}

void MainWindow::TakeKeysBack() {
    // A menu command leaves the keys to the board. The menu bar shows the command as its current
    // item, which a screen reader takes for the focus: the board's cell is told again.
    if (!isVisible())
        return;
    if (board_->hasFocus())
        board_->AnnounceFocus();
    else
        board_->setFocus(Qt::OtherFocusReason);
    // From now on this window sees keys before the menu bar does (see eventFilter).
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
}

void MainWindow::OnBoardRelease(std::int16_t button, std::int16_t modifiers, float X, float Y) {
    const GameView before = SeeGame(*this);
    auto cell = [](float v) {
        return static_cast<int>(std::clamp(std::floor(static_cast<double>(v)) + 1, -1.0, 11.0));
    };
    const int x = cell(X), y = cell(Y);
    // A box in the turn (the end of the game) is told after the move that led to it.
    QString told;
    const std::function<void(const QString&, platform::MessageIcon, const QString&)> show =
        platform::CurrentRuntimeHooks().showMessage;
    platform::CurrentRuntimeHooks().showMessage =
        [&](const QString& text, platform::MessageIcon icon, const QString& title) {
            if (told.isEmpty()) {
                AnnounceBoard();
                GameView now = SeeGame(*this);
                now.message.clear();  // the result comes once the box is closed
                told = DescribeBoardCommand(before, now, x, y);
                platform::Announce(this, told);
            }
            if (show)
                show(text, icon, title);
        };
    qv::HandleBoardRelease(button, modifiers, X, Y);
    platform::CurrentRuntimeHooks().showMessage = show;
    AnnounceBoard();
    QString said = DescribeBoardCommand(before, SeeGame(*this), x, y);
    if (!told.isEmpty() && said.startsWith(told))
        said = said.mid(told.size()).trimmed();
    Say(said);
}

void MainWindow::OnBoardKey(std::int16_t key, std::int16_t modifiers) {
    (void)modifiers;
    switch (key) {
        case platform::kKeyLeft:
            board_->MoveCursor(-1, 0);
            break;
        case platform::kKeyRight:
            board_->MoveCursor(1, 0);
            break;
        case platform::kKeyUp:
            board_->MoveCursor(0, -1);
            break;
        case platform::kKeyDown:
            board_->MoveCursor(0, 1);
            break;
        case platform::kKeyHome:
        case platform::kKeyEnd:
            board_->SetCursor(key == platform::kKeyHome ? 1 : board_->Columns(), board_->CursorY());
            break;
        case platform::kKeyPageUp:
        case platform::kKeyPageDown:
            board_->SetCursor(board_->CursorX(), key == platform::kKeyPageUp ? 1 : board_->Rows());
            break;
        case platform::kKeyReturn:
            // Exactly a release of the left button at the centre of the cursor cell.
            OnBoardRelease(1, 0, static_cast<float>(board_->CursorX() - 0.5),
                           static_cast<float>(board_->CursorY() - 0.5));
            break;
        // Keys that tell, without moving the cursor.
        case platform::kKeyN:
            Say(DescribeNext(SeeGame(*this)));
            break;
        case platform::kKeyS:
            Say(DescribeScore(*this));
            break;
        case platform::kKeyB:
            Say(DescribeSelected(SeeGame(*this)));
            break;
        case platform::kKeyR:
            Say(DescribeRow(SeeGame(*this), board_->CursorY()));
            break;
        case platform::kKeyC:
            Say(DescribeColumn(SeeGame(*this), board_->CursorX()));
            break;
        case platform::kKeyF:
            Say(DescribeFree(SeeGame(*this)));
            break;
        default:
            break;
    }
}

void MainWindow::ToggleMenuBarKeys() {
    // F10 does what an Alt pressed and released alone does: the menu bar takes the keys with its
    // first command current, or gives them back. Told to the menu bar as it hears that Alt: the
    // modifiers held before the press (none) and before the release (Alt).
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(this, &release);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress ||
        event->type() == QEvent::KeyRelease) {
        // An Alt that comes between a shortcut's key and its release belongs to the shortcut. A
        // screen reader's bridge holds keys back and delivers the Alt of Alt+S after the command
        // has run; the menu bar would take it for an Alt pressed alone and keep the keys.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool alt = key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
        if (!alt && event->type() == QEvent::ShortcutOverride &&
            (key->modifiers() & Qt::AltModifier) && !key->isAutoRepeat()) {
            shortcutKey_ = key->key();
        } else if (!alt && key->key() == shortcutKey_ && event->type() == QEvent::KeyRelease) {
            shortcutKey_ = 0;
        } else if (!alt && event->type() == QEvent::KeyPress) {
            shortcutKey_ = 0;
        } else if (alt && shortcutKey_ != 0) {
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn && watched == board_ && !toSay_.isEmpty()) {
        // After the board has told which cell has the focus, which it does once this returns.
        QMetaObject::invokeMethod(
            this,
            [this] {
                QMetaObject::invokeMethod(
                    this, [this] { SayNow(); }, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
    }
    if (event->type() == QEvent::FocusIn && watched == menuBar_) {
        // The menu bar takes the keys without telling a screen reader which command is current.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!menuBar_->hasFocus() || menuBar_->activeAction() == nullptr)
                    return;
                QAccessibleEvent focus(menuBar_, QAccessible::Focus);
                focus.setChild(
                    static_cast<int>(menuBar_->actions().indexOf(menuBar_->activeAction())));
                QAccessible::updateAccessibility(&focus);
            },
            Qt::QueuedConnection);
    }
    if (event->type() == QEvent::Hide && watched != this && watched->isWidgetType()) {
        // A dialog over the window went away: the board has the keys again.
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal() && isVisible()) {
            board_->setFocus();
            // Where no window manager hands the focus back, the window takes it itself.
            if (widget->parentWidget() != nullptr && widget->parentWidget()->window() == this)
                activateWindow();
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // A key press goes first to the focused widget, then up through its parents; the window
        // looks at it once, on its way to the first of them.
        auto* widget = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        const bool first =
            widget != nullptr && (widget == focus || (focus == nullptr && widget == this));
        if (first && widget->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            int ascii = 0;
            if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
                ToggleMenuBarKeys();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                // While the menu bar has the keys, Esc only leaves it.
                if (focus == menuBar_)
                    return false;
                ascii = 27;
            } else if (!key->text().isEmpty()) {
                ascii = key->text().at(0).unicode();
            }
            if (ascii != 0) {
                OnKeyPress(ascii);
                if (ascii == 0)
                    return true;  // kept from the control
            }
        }
    }
    return false;  // the key goes on to the control
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && loaded_)
        OnResize();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closing_)
        return;
    closing_ = true;
    OnClose();
}

}  // namespace qv
