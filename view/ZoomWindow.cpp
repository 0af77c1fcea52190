#include "view/ZoomWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <algorithm>

#include "game/GameState.h"
#include "game/MainWindowControls.h"
#include "platform/Accessibility.h"
#include "platform/Screen.h"
#include "view/BallMarks.h"
#include "view/Layout.h"

namespace qv {

namespace {

struct ZoomEntry {
    const char* text;
    float zoom;
};

constexpr ZoomEntry kEntries[] = {
    {"1:1", 1.0f}, {"1:1.5", 1.5f}, {"1:2", 2.0f}, {"1:2.5", 2.5f}, {"1:3", 3.0f},
};

}  // namespace

ZoomWindow::ZoomWindow(QWidget* owner)
    : platform::Dialog(owner),
      scaleBox_(new platform::ComboBox(this, QStringLiteral("Combo1"))),
      marksCheckBox_(
          new QCheckBox(QCoreApplication::translate("ZoomWindow", "&Marks on the balls"), this)) {
    setWindowTitle(QCoreApplication::translate("ZoomWindow", "Zoom"));
    const QFont font = platform::MakeFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    scaleBox_->setFont(font);
    scaleBox_->SetTwipsGeometry(120, 120, 1575, 360);
    scaleBox_->onChosen = [this] { OnScaleChosen(); };
    scaleBox_->setAccessibleName(QCoreApplication::translate("ZoomWindow", "Scale"));
    // Where the name of a combo box is its text, a label names it; this one is not drawn.
    auto* label = new QLabel(scaleBox_->accessibleName(), this);
    label->setBuddy(scaleBox_);
    label->hide();
    // A reader names the box and its role; the scale in it is said as it comes into view and as
    // the arrows move it (from the main window: a reader would name the dialog before each).
    QObject::connect(scaleBox_, &QComboBox::currentIndexChanged, this, [this] {
        if (scaleBox_->hasFocus())
            platform::Announce(parentWidget()->window(), scaleBox_->Text());
    });
    // The check box under the list, as far below it as the list is below the top; the window
    // grows by what the box needs and keeps the default margins right of and below it.
    marksCheckBox_->setFont(font);
    marksCheckBox_->setAccessibleDescription(QCoreApplication::translate(
        "ZoomWindow",
        "A mark of its colour's own shape in every ball, to tell the colours apart."));
    const QSize box = marksCheckBox_->sizeHint();
    marksCheckBox_->setGeometry(platform::TwipsToPixelsX(120), platform::TwipsToPixelsY(600),
                                box.width(), box.height());
    SetClientSize(
        std::max(2085.0f, platform::PixelsToTwipsX(marksCheckBox_->geometry().right() + 1) + 120),
        platform::PixelsToTwipsY(marksCheckBox_->geometry().bottom() + 1) + 165);
    QObject::connect(marksCheckBox_, &QCheckBox::clicked, this, [this] { OnMarksClicked(); });
    OnLoad();
}

void ZoomWindow::OnLoad() {
    for (const ZoomEntry& entry : kEntries)
        scaleBox_->AddEntry(QString::fromLatin1(entry.text));
    for (const ZoomEntry& entry : kEntries) {
        if (Zoom == entry.zoom) {
            scaleBox_->SetText(QString::fromLatin1(entry.text));
            break;
        }
    }
    CentreOnMainWindow();
}

void ZoomWindow::CentreOnMainWindow() {
    // Centred on the main window.
    platform::Window& main = MainControls().Window();
    platform::Window& self = Geometry();
    self.SetTop(main.Top() + main.Height() / 2 - self.Height() / 2);
    self.SetLeft(main.Left() + main.Width() / 2 - self.Width() / 2);
}

void ZoomWindow::OnActivated() {
    scaleBox_->setFocus(Qt::OtherFocusReason);
    // After the reader has told the box, which it does once the dialog's events are handled.
    QTimer::singleShot(300, this, [this] {
        if (isVisible() && scaleBox_->hasFocus())
            platform::Announce(parentWidget()->window(), scaleBox_->Text());
    });
}

void ZoomWindow::OnScaleChosen() {
    const QString text = scaleBox_->Text();
    for (const ZoomEntry& entry : kEntries) {
        if (text == QLatin1String(entry.text)) {
            Zoom = entry.zoom;
            break;
        }
    }
    Hide();
}

void ZoomWindow::OnMarksClicked() {
    BallMarks = marksCheckBox_->isChecked();
    SaveBallMarks(BallMarks);
    // The board and the preview drawn again over themselves: every ball covers its old mark.
    DrawBallsAndPreview();
    MainControls().RepaintNow();
}

void ZoomWindow::showEvent(QShowEvent* event) {
    marksCheckBox_->setChecked(BallMarks);
    platform::Dialog::showEvent(event);
    // A window's frame is known only once it is shown: the first showing after loading places
    // the dialog again by its frame's position.
    if (!centredWithFrame_) {
        centredWithFrame_ = true;
        CentreOnMainWindow();
    }
}

void ZoomWindow::closeEvent(QCloseEvent* event) {
    closed_ = true;
    platform::Dialog::closeEvent(event);
}

}  // namespace qv
