#include "app/TitleWindow.h"

#include <QApplication>
#include <QIcon>
#include <QPalette>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "app/MainWindow.h"
#include "app/Wait.h"
#include "platform/Screen.h"
#include "platform/SystemColors.h"
#include "view/BallColor.h"

namespace qv {

namespace {

const QString kTitle = QStringLiteral("\r\n\r\n\r\n") + QStringLiteral("QUILVARO") +
                       QStringLiteral("\r\n") + QStringLiteral("Dremwick") +
                       QStringLiteral("\r\n") + QStringLiteral("2005");

constexpr double kSizeFactor = 8;
constexpr int kDots = 6;  // the dots' grid is kDots x kDots; column c has ball kind c's colour
constexpr platform::PackedColor kBoxGrey = platform::PackRgb(224, 224, 224);
constexpr platform::PackedColor kTextGrey = platform::PackRgb(128, 128, 128);

// Without any sign that the window is on the screen, the animation starts after this long.
constexpr int kLatestStartMs = 1000;

}  // namespace

void LoadWindowIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

TitleWindow::TitleWindow(MainWindow& main)
    : TitleWindow([&main]() -> MainWindow& { return main; }) {}

TitleWindow::TitleWindow(std::function<MainWindow&()> main)
    : mainWindow_(std::move(main)),
      geometry_(this),
      surface_(new platform::CanvasWidget(this)),
      titleBox_(new platform::TextArea(this, true)) {
    setWindowTitle(QStringLiteral("Dremwick Label"));
    setPalette(platform::LightPalette());
    setFont(platform::MakeFont(QStringLiteral("MS Sans Serif"), 24, true));

    // The surface is the window's own client area: no frame of its own, the window's colour.
    surface_->setFrameStyle(QFrame::NoFrame);
    surface_->setFocusPolicy(Qt::NoFocus);
    surface_->SetBackgroundColor(platform::kSystemButtonFace);

    // The title box only shows the title.
    titleBox_->setReadOnly(true);
    titleBox_->setFocusPolicy(Qt::NoFocus);
    titleBox_->setTextInteractionFlags(Qt::NoTextInteraction);
    QPalette p = titleBox_->palette();
    p.setColor(QPalette::Base, platform::ResolveColor(kBoxGrey));
    p.setColor(QPalette::Text, platform::ResolveColor(kTextGrey));
    titleBox_->setPalette(p);
    titleBox_->raise();
    titleBox_->setAccessibleName(QCoreApplication::translate("TitleWindow", "Title"));
    surface_->setAccessibleName(QCoreApplication::translate("TitleWindow", "Title animation"));
}

void TitleWindow::Show() {
    if (!loaded_) {
        loaded_ = true;
        OnLoad();
    }
    if (isVisible())
        return;
    QWidget::show();
    // Once shown, the window knows where its frame is: it is placed again.
    PlaceWindow();
}

void TitleWindow::OnLoad() {
    PlaceWindow();
}

void TitleWindow::PlaceWindow() {
    const float SH = platform::ScreenHeightTwips();
    const float SW = platform::ScreenWidthTwips();
    geometry_.SetHeight(SH / 2);
    geometry_.SetWidth(SH * 1.25f / 2);
    geometry_.SetTop((SH - geometry_.Height()) / 2);
    geometry_.SetLeft((SW - geometry_.Width()) / 2);
    // The box is as large as the whole window, frame and caption included.
    titleBox_->SetHeight(geometry_.Height());
    titleBox_->SetWidth(geometry_.Width());
    titleBox_->SetLeft(0);
    titleBox_->SetTop(0);
}

void TitleWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    surface_->SetLeft(0);
    surface_->SetTop(0);
    surface_->SetWidth(platform::PixelsToTwipsX(width()));
    surface_->SetHeight(platform::PixelsToTwipsY(height()));
}

void TitleWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (armed_)
        return;
    armed_ = true;
    // The animation paints while it waits, so it starts once the window can be seen: at once
    // when it already is, else at its first exposure. Where no exposure is ever reported, it
    // starts after a while all the same.
    if (QWindow* window = windowHandle())
        window->installEventFilter(this);
    QMetaObject::invokeMethod(
        this, [this] { StartWhenVisible(); }, Qt::QueuedConnection);
    QTimer::singleShot(kLatestStartMs, this, [this] { Start(); });
}

bool TitleWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        // Let the exposure paint the window first.
        QMetaObject::invokeMethod(
            this, [this] { StartWhenVisible(); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void TitleWindow::StartWhenVisible() {
    const QWindow* window = windowHandle();
    if (window != nullptr && window->isExposed())
        Start();
}

void TitleWindow::Start() {
    if (started_)
        return;
    started_ = true;
    if (QWindow* window = windowHandle())
        window->removeEventFilter(this);
    if (onShown)
        onShown();
    Animate();
}

void TitleWindow::Animate() {
    platform::CanvasControl& surface = *surface_;
    surface.SetUserScale(0, 0, kDots, kDots);

    // The title, typed letter by letter; each CR LF counts as two letters.
    for (qsizetype i = 1; i <= kTitle.size(); ++i) {
        titleBox_->SetText(kTitle.left(i));
        geometry_.RepaintNow();
        Pause(0.03);
    }
    Pause(0.5);
    titleBox_->SetText(QString());
    geometry_.RepaintNow();
    titleBox_->SetVisible(false);

    // The dots go on the window itself, one per cell of the grid. Each wave is covered again in
    // the title box's grey.
    auto dot = [&surface](int column, int row, platform::PackedColor colour) {
        surface.DrawDot(column - 0.5, row - 0.5, colour);
    };
    auto coverRowByRow = [&dot] {
        for (int row = 1; row <= kDots; ++row) {
            for (int column = 1; column <= kDots; ++column)
                dot(column, row, kBoxGrey);
        }
    };
    auto colourColumnByColumn = [&dot] {
        for (int column = 1; column <= kDots; ++column) {
            for (int row = 1; row <= kDots; ++row)
                dot(column, row, BallColor(static_cast<std::int16_t>(column)));
        }
    };

    // Wave 1: large dots row by row, one at a time.
    surface.SetPenWidth(platform::RoundToInt16(surface.UserWidth() * kSizeFactor));
    for (int row = 1; row <= kDots; ++row) {
        for (int column = 1; column <= kDots; ++column) {
            dot(column, row, BallColor(static_cast<std::int16_t>(column)));
            geometry_.RepaintNow();
            Pause(0.02);
        }
    }
    coverRowByRow();

    // Wave 2: two thirds of the size, all at once, for half a second.
    surface.SetPenWidth(platform::RoundToInt16(surface.UserWidth() * kSizeFactor / 3 * 2));
    colourColumnByColumn();
    geometry_.RepaintNow();
    Pause(0.5);
    coverRowByRow();

    // Wave 3: a third of the size.
    surface.SetPenWidth(platform::RoundToInt16(surface.UserWidth() * kSizeFactor / 3));
    colourColumnByColumn();
    geometry_.RepaintNow();
    Pause(0.5);
    coverRowByRow();
    geometry_.RepaintNow();
    Pause(0.5);

    // The main window takes over; this window stays loaded, hidden.
    mainWindow_().Show();
    hide();
}

}  // namespace qv
