#include "platform/CellPicture.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vb {

namespace {

// A band of `thickness` pixels along the inside of `outer`.
void FillRing(QPainter& painter, const QRect& outer, int thickness, const QColor& colour) {
    const int t = std::min({thickness, outer.width() / 2, outer.height() / 2});
    if (t <= 0)
        return;
    painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), t), colour);
    painter.fillRect(QRect(outer.left(), outer.bottom() - t + 1, outer.width(), t), colour);
    painter.fillRect(QRect(outer.left(), outer.top() + t, t, outer.height() - 2 * t), colour);
    painter.fillRect(QRect(outer.right() - t + 1, outer.top() + t, t, outer.height() - 2 * t),
                     colour);
}

}  // namespace

CellPictureBox::CellPictureBox(QWidget* parent, int columns, int rows)
    : PictureBox(parent),
      columns_(columns),
      rows_(rows),
      cursorX_((columns + 1) / 2),
      cursorY_((rows + 1) / 2) {}

QRect CellPictureBox::CellRect(int x, int y) const {
    const Canvas& c = GetCanvas();
    const qreal dpr = c.DevicePixelRatio();
    const double w = c.ScaleWidth() / columns_, h = c.ScaleHeight() / rows_;
    auto px = [&](double device) { return static_cast<int>(std::lround(device / dpr)); };
    const int left = px(c.DeviceX(c.ScaleLeft() + (x - 1) * w));
    const int right = px(c.DeviceX(c.ScaleLeft() + x * w));
    const int top = px(c.DeviceY(c.ScaleTop() + (y - 1) * h));
    const int bottom = px(c.DeviceY(c.ScaleTop() + y * h));
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1))
        .translated(contentsRect().topLeft());
}

void CellPictureBox::PaintOver(QPainter& painter) const {
    if (!CursorShown())
        return;
    // A dark frame with a light line inside it: one of the two stands out on the white and the
    // grey board, on the grid lines and on every ball colour. It grows with the cell and covers
    // the cell's own grid lines.
    const QRect cell = CellRect(cursorX_, cursorY_).adjusted(-1, -1, 1, 1);
    const int dark = std::max(2, static_cast<int>(std::lround(cell.width() / 18.0))) + 1;
    const int light = std::max(1, dark / 2);
    FillRing(painter, cell, dark, Qt::black);
    FillRing(painter, cell.adjusted(dark, dark, -dark, -dark), light, Qt::white);
}

void CellPictureBox::UpdateCell(int x, int y) {
    update(CellRect(x, y).adjusted(-2, -2, 2, 2));
}

void CellPictureBox::SetCursor(int x, int y) {
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

void CellPictureBox::AnnounceCursor() {
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild((cursorY_ - 1) * columns_ + cursorX_ - 1);
    QAccessible::updateAccessibility(&event);
}

void CellPictureBox::CellsChanged() {
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

void CellPictureBox::keyPressEvent(QKeyEvent* event) {
    Integer code = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            code = vbKeyLeft;
            break;
        case Qt::Key_Up:
            code = vbKeyUp;
            break;
        case Qt::Key_Right:
            code = vbKeyRight;
            break;
        case Qt::Key_Down:
            code = vbKeyDown;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            code = vbKeyReturn;
            break;
        default:
            break;
    }
    if (code == 0 || !onKeyDown) {
        PictureBox::keyPressEvent(event);
        return;
    }
    event->accept();
    onKeyDown(code, ModifierBits(event->modifiers()));
}

void CellPictureBox::mouseReleaseEvent(QMouseEvent* event) {
    // The cursor follows the mouse, so that mouse and keys can be mixed.
    const Canvas& c = GetCanvas();
    const QPointF p = event->position() - QPointF(contentsRect().topLeft());
    const double column = std::floor((c.UserX(p.x()) - c.ScaleLeft()) * columns_ / c.ScaleWidth());
    const double row = std::floor((c.UserY(p.y()) - c.ScaleTop()) * rows_ / c.ScaleHeight());
    if (column >= 0 && column < columns_ && row >= 0 && row < rows_) {
        const int before = cursorX_ * 1000 + cursorY_;
        SetCursor(static_cast<int>(column) + 1, static_cast<int>(row) + 1);
        if (CursorShown() && before != cursorX_ * 1000 + cursorY_) {
            // On the screen before the handler runs: a turn paints only what it draws.
            QEvent request(QEvent::UpdateRequest);
            QCoreApplication::sendEvent(window(), &request);
        }
    }
    PictureBox::mouseReleaseEvent(event);
}

void CellPictureBox::focusInEvent(QFocusEvent* event) {
    PictureBox::focusInEvent(event);
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

void CellPictureBox::focusOutEvent(QFocusEvent* event) {
    PictureBox::focusOutEvent(event);
    UpdateCell(cursorX_, cursorY_);
}

}  // namespace vb
