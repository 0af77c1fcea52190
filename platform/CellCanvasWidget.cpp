#include "platform/CellCanvasWidget.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/SystemColors.h"

namespace platform {

namespace {

// The letter of a key, A to Z, whatever the keyboard layout: in a layout without Latin letters,
// the letter of the key's place on a Latin keyboard. 0 for any other key.
std::int16_t LetterCode(const QKeyEvent& event) {
    if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return static_cast<std::int16_t>(event.key());
    if (event.key() < 0x100 || event.text().isEmpty() || !event.text().at(0).isLetter())
        return 0;
    // The three rows of letters by the keys' codes on Linux (evdev's plus 8, under X11 and
    // Wayland alike).
    for (const auto& [first, letters] :
         {std::pair{24u, "QWERTYUIOP"}, std::pair{38u, "ASDFGHJKL"}, std::pair{52u, "ZXCVBNM"}}) {
        const quint32 at = event.nativeScanCode() - first;
        if (event.nativeScanCode() >= first && at < std::strlen(letters))
            return letters[at];
    }
    return 0;
}

}  // namespace

CellCanvasWidget::CellCanvasWidget(QWidget* parent, int columns, int rows)
    : CanvasWidget(parent),
      columns_(columns),
      rows_(rows),
      cursorX_((columns + 1) / 2),
      cursorY_((rows + 1) / 2) {}

QRect CellCanvasWidget::CellRect(int x, int y) const {
    const Canvas& c = GetCanvas();
    const qreal dpr = c.DevicePixelRatio();
    const double w = c.UserWidth() / columns_, h = c.UserHeight() / rows_;
    auto px = [&](double device) { return static_cast<int>(std::lround(device / dpr)); };
    const int left = px(c.DeviceX(c.UserLeft() + (x - 1) * w));
    const int right = px(c.DeviceX(c.UserLeft() + x * w));
    const int top = px(c.DeviceY(c.UserTop() + (y - 1) * h));
    const int bottom = px(c.DeviceY(c.UserTop() + y * h));
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1))
        .translated(contentsRect().topLeft());
}

void CellCanvasWidget::FrameRects(int x, int y, QRect* outer, QRect* inner) const {
    // The grid line at a coordinate covers the columns (rows) a line of one logical pixel covers.
    const Canvas& c = GetCanvas();
    const int line = std::max(1, static_cast<int>(std::lround(c.DevicePixelRatio())));
    auto first = [line](double device) {
        return static_cast<int>(std::floor(device)) - (line - 1) / 2;
    };
    const double w = c.UserWidth() / columns_, h = c.UserHeight() / rows_;
    const int left = first(c.DeviceX(c.UserLeft() + (x - 1) * w));
    const int right = first(c.DeviceX(c.UserLeft() + x * w));
    const int top = first(c.DeviceY(c.UserTop() + (y - 1) * h));
    const int bottom = first(c.DeviceY(c.UserTop() + y * h));
    // A band on each side of the lines that grows with the cell.
    const int band = std::max(2, static_cast<int>(std::lround((right - left) / 16.0)));
    *outer = QRect(QPoint(left - band, top - band),
                   QPoint(right + line - 1 + band, bottom + line - 1 + band));
    *inner = QRect(QPoint(left + line + band, top + line + band),
                   QPoint(right - 1 - band, bottom - 1 - band));
}

void CellCanvasWidget::PaintOver(QPainter& painter) const {
    if (!CursorShown())
        return;
    // A black frame over the cell's edges and grid lines, laid on the board's ground only: every
    // pixel of a ball, selected, moving or growing, shows through whole.
    const Canvas& c = GetCanvas();
    const QImage& image = c.Image();
    QRect outer, inner;
    FrameRects(cursorX_, cursorY_, &outer, &inner);
    outer &= image.rect();
    if (outer.isEmpty())
        return;
    const QRgb ground = ResolveColor(c.BackgroundColor()).rgb(),
               lines = ResolveColor(c.PenColor()).rgb();
    QImage frame(outer.size(), QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    for (int y = outer.top(); y <= outer.bottom(); ++y) {
        for (int x = outer.left(); x <= outer.right(); ++x) {
            const QRgb under = image.pixel(x, y);
            if (!inner.contains(x, y) && (under == ground || under == lines))
                frame.setPixel(x - outer.left(), y - outer.top(), qRgb(0, 0, 0));
        }
    }
    frame.setDevicePixelRatio(c.DevicePixelRatio());
    painter.drawImage(
        QPointF(contentsRect().topLeft()) + QPointF(outer.topLeft()) / c.DevicePixelRatio(), frame);
}

void CellCanvasWidget::UpdateCell(int x, int y) {
    QRect outer, inner;
    FrameRects(x, y, &outer, &inner);
    const qreal dpr = GetCanvas().DevicePixelRatio();
    update(QRect(static_cast<int>(std::floor(outer.left() / dpr)) - 1,
                 static_cast<int>(std::floor(outer.top() / dpr)) - 1,
                 static_cast<int>(std::ceil(outer.width() / dpr)) + 3,
                 static_cast<int>(std::ceil(outer.height() / dpr)) + 3)
               .translated(contentsRect().topLeft()));
}

void CellCanvasWidget::ShowFrame(bool shown) {
    if (shown == byKeys_)
        return;
    byKeys_ = shown;
    UpdateCell(cursorX_, cursorY_);
}

void CellCanvasWidget::SetCursor(int x, int y) {
    x = std::clamp(x, 1, columns_);
    y = std::clamp(y, 1, rows_);
    if (x == cursorX_ && y == cursorY_)
        return;
    UpdateCell(cursorX_, cursorY_);
    cursorX_ = x;
    cursorY_ = y;
    UpdateCell(cursorX_, cursorY_);
    if (hasFocus())
        AnnounceCursor();
}

void CellCanvasWidget::AnnounceCursor() {
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild((cursorY_ - 1) * columns_ + cursorX_ - 1);
    QAccessible::updateAccessibility(&event);
}

void CellCanvasWidget::CellsChanged() {
    // The first call learns the names: a reader has nothing to be told yet.
    const bool first = names_.size() != columns_ * rows_;
    if (first)
        names_ = QStringList(columns_ * rows_);
    for (int y = 1; y <= rows_; ++y) {
        for (int x = 1; x <= columns_; ++x) {
            const int index = (y - 1) * columns_ + x - 1;
            QString name = CellName(x, y);
            if (name == names_[index])
                continue;
            names_[index] = std::move(name);
            if (first)
                continue;
            QAccessibleEvent event(this, QAccessible::NameChanged);
            event.setChild(index);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void CellCanvasWidget::keyPressEvent(QKeyEvent* event) {
    std::int16_t code = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            code = kKeyLeft;
            break;
        case Qt::Key_Up:
            code = kKeyUp;
            break;
        case Qt::Key_Right:
            code = kKeyRight;
            break;
        case Qt::Key_Down:
            code = kKeyDown;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            code = kKeyReturn;
            break;
        case Qt::Key_Home:
            code = kKeyHome;
            break;
        case Qt::Key_End:
            code = kKeyEnd;
            break;
        case Qt::Key_PageUp:
            code = kKeyPageUp;
            break;
        case Qt::Key_PageDown:
            code = kKeyPageDown;
            break;
        default:
            if ((event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0)
                code = LetterCode(*event);
            break;
    }
    if (code == 0 || !onKeyDown) {
        CanvasWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    ShowFrame(true);
    onKeyDown(code, ModifierBits(event->modifiers()));
}

void CellCanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    // A click hides the frame, as desktops hide focus rings from the mouse. The cursor follows the
    // mouse all the same, so that the next key goes on from the clicked cell.
    const bool shown = CursorShown();
    ShowFrame(false);
    const Canvas& c = GetCanvas();
    const QPointF p = event->position() - QPointF(contentsRect().topLeft());
    const double column = std::floor((c.UserX(p.x()) - c.UserLeft()) * columns_ / c.UserWidth());
    const double row = std::floor((c.UserY(p.y()) - c.UserTop()) * rows_ / c.UserHeight());
    if (column >= 0 && column < columns_ && row >= 0 && row < rows_)
        SetCursor(static_cast<int>(column) + 1, static_cast<int>(row) + 1);
    if (shown) {
        // Off the screen before the handler runs: a turn paints only what it draws.
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(window(), &request);
    }
    CanvasWidget::mouseReleaseEvent(event);
}

void CellCanvasWidget::focusInEvent(QFocusEvent* event) {
    CanvasWidget::focusInEvent(event);
    // Reached by the Tab key: the player is on the keys.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        byKeys_ = true;
    UpdateCell(cursorX_, cursorY_);
    // The picture itself is announced as focused once this returns; the cell follows it, so
    // that a reader speaks the cell last.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus())
                AnnounceCursor();
        },
        Qt::QueuedConnection);
}

void CellCanvasWidget::focusOutEvent(QFocusEvent* event) {
    CanvasWidget::focusOutEvent(event);
    UpdateCell(cursorX_, cursorY_);
}

}  // namespace platform
