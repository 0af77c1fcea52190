#include "platform/Widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>

namespace platform {

std::int16_t ModifierBits(Qt::KeyboardModifiers mods) {
    std::int16_t shift = 0;
    if (mods & Qt::ShiftModifier)
        shift |= 1;
    if (mods & Qt::ControlModifier)
        shift |= 2;
    if (mods & Qt::AltModifier)
        shift |= 4;
    return shift;
}

QFont MakeFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// --- Label ---

Label::Label(QWidget* parent, const QString& caption) : TwipsWidget(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetText(caption);
}

void Label::SetText(const QString& text) {
    text_ = text;
    // An ampersand is a literal character here, not a mnemonic.
    QLabel::setText(text);
}

// --- TextField ---

TextField::TextField(QWidget* parent, const QString& text) : TwipsWidget(parent) {
    setTextMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
    SetText(text);
}

void TextField::SetText(const QString& text) {
    QLineEdit::setText(text);
    setCursorPosition(0);
}

void TextField::focusInEvent(QFocusEvent* event) {
    // Tab into a read-only box selects nothing: a screen reader says its name and its text, whole,
    // without the selection coming and going.
    if (isReadOnly() && event->reason() != Qt::OtherFocusReason) {
        QFocusEvent other(event->type(), Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&other);
        return;
    }
    QLineEdit::focusInEvent(event);
}

void TextField::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (onDoubleClick)
        onDoubleClick();
}

// --- TextArea ---

TextArea::TextArea(QWidget* parent, bool centred) : TwipsWidget(parent), centred_(centred) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    document()->setDocumentMargin(1);
    Centre();
}

void TextArea::Centre() {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(centred_ ? Qt::AlignHCenter : Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDefaultTextOption(option);
}

QString TextArea::Text() const {
    if (isReadOnly())
        return text_;
    // Enter starts a new line; the text box's lines are separated by CR LF.
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void TextArea::SetText(const QString& text) {
    text_ = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
    Centre();
    Fit();
}

void TextArea::SetFontSize(float points) {
    points_ = points > 0 ? points : 1;
    TwipsWidget::SetFontSize(static_cast<float>(points_));
    Fit();
}

void TextArea::SetShrinkToFit(bool shrink) {
    shrink_ = shrink;
    Fit();
}

void TextArea::resizeEvent(QResizeEvent* event) {
    TwipsWidget::resizeEvent(event);
    Fit();
}

void TextArea::Fit() {
    if (!shrink_)
        return;
    QFont f = font();
    if (points_ <= 0)
        points_ = f.pointSizeF();
    // The text laid out as the box lays it out, a quarter point smaller each time it is too high.
    QTextDocument doc;
    doc.setDocumentMargin(document()->documentMargin());
    doc.setDefaultTextOption(document()->defaultTextOption());
    doc.setPlainText(toPlainText());
    doc.setTextWidth(contentsRect().width());
    double points = points_;
    for (;; points -= 0.25) {
        f.setPointSizeF(points);
        doc.setDefaultFont(f);
        if (points <= 1 || doc.size().height() <= contentsRect().height())
            break;
    }
    if (f != font())
        setFont(f);
}

// --- Button ---

Button::Button(QWidget* parent, const QString& caption, int index)
    : TwipsWidget(parent), index_(index) {
    setText(caption);
    setAutoDefault(false);
    setDefault(false);
    QObject::connect(this, &QPushButton::clicked, this, [this] {
        if (onClick)
            onClick(index_);
    });
}

// --- CanvasWidget ---

CanvasWidget::CanvasWidget(QWidget* parent) : TwipsWidget(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SyncCanvasSize();
}

void CanvasWidget::Resized(int widthPixels, int heightPixels) {
    TwipsWidget::Resized(widthPixels, heightPixels);
    SyncCanvasSize();
}

void CanvasWidget::SyncCanvasSize() {
    canvas_.SetSize(contentsRect().size(), devicePixelRatioF());
    canvas_.TakeDirty();
    update();
}

void CanvasWidget::MarkDirty() {
    const QRect d = canvas_.TakeDirty();
    if (d.isEmpty())
        return;
    const qreal dpr = canvas_.DevicePixelRatio();
    const QRect logical(static_cast<int>(d.x() / dpr) - 1, static_cast<int>(d.y() / dpr) - 1,
                        static_cast<int>(d.width() / dpr) + 3,
                        static_cast<int>(d.height() / dpr) + 3);
    update(logical.translated(contentsRect().topLeft()));
}

void CanvasWidget::Clear() {
    canvas_.Clear();
    MarkDirty();
}

void CanvasWidget::SetBackgroundColor(PackedColor c) {
    canvas_.SetBackgroundColor(c);
    MarkDirty();
}

void CanvasWidget::DrawDot(double x, double y, PackedColor c) {
    canvas_.DrawDot(x, y, c);
    MarkDirty();
}

void CanvasWidget::DrawDotMark(double x, double y, const std::function<bool(int, int, int)>& shape,
                               PackedColor c) {
    canvas_.DrawDotMark(x, y, shape, c);
    MarkDirty();
}

void CanvasWidget::DrawLine(double x1, double y1, double x2, double y2) {
    canvas_.DrawLine(x1, y1, x2, y2);
    MarkDirty();
}

QPoint CanvasWidget::PositionOf(double x, double y) const {
    const qreal dpr = canvas_.DevicePixelRatio();
    return contentsRect().topLeft() + QPoint(static_cast<int>(canvas_.DeviceX(x) / dpr),
                                             static_cast<int>(canvas_.DeviceY(y) / dpr));
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    if (devicePixelRatioF() != canvas_.DevicePixelRatio()) {
        // The window went to a screen of another density (or learnt its density only once shown,
        // as on Wayland). An image kept at the old resolution would be shown scaled, blurred or
        // blocky, and old balls scaled up would leave fringes that no erasing dot covers: the
        // image starts afresh at the new resolution and the window draws it again.
        canvas_.SetSize(contentsRect().size(), devicePixelRatioF());
        canvas_.TakeDirty();
        if (onDensityChange)
            QMetaObject::invokeMethod(this, onDensityChange, Qt::QueuedConnection);
    }
    // Most repaints are a moving ball inside the picture: the frame is drawn only when the
    // region to paint reaches it.
    if (!contentsRect().contains(event->rect()))
        QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), canvas_.Image());
    painter.setClipRect(contentsRect(), Qt::IntersectClip);
    PaintOver(painter);
}

QImage CanvasWidget::Painted() const {
    QImage painted = canvas_.Image().copy();
    QPainter painter(&painted);
    painter.translate(-QPointF(contentsRect().topLeft()));
    painter.setClipRect(contentsRect());
    PaintOver(painter);
    return painted;
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (!onRelease)
        return;
    std::int16_t button = 0;
    switch (event->button()) {
        case Qt::LeftButton:
            button = 1;
            break;
        case Qt::RightButton:
            button = 2;
            break;
        case Qt::MiddleButton:
            button = 4;
            break;
        default:
            break;
    }
    const std::int16_t shift = ModifierBits(event->modifiers());
    const QPointF p = event->position() - QPointF(contentsRect().topLeft());
    onRelease(button, shift, static_cast<float>(canvas_.UserX(p.x())),
              static_cast<float>(canvas_.UserY(p.y())));
}

}  // namespace platform
