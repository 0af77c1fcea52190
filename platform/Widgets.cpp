#include "platform/Widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>

namespace vb {

Integer ModifierBits(Qt::KeyboardModifiers mods) {
    Integer shift = 0;
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

Label::Label(QWidget* parent, const QString& caption) : Twips(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetText(caption);
}

void Label::SetText(const QString& text) {
    text_ = text;
    // An ampersand is a literal character here, not a mnemonic.
    QLabel::setText(text);
}

// --- TextBox ---

TextBox::TextBox(QWidget* parent, const QString& text) : Twips(parent) {
    setTextMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
    SetText(text);
}

void TextBox::SetText(const QString& text) {
    QLineEdit::setText(text);
    setCursorPosition(0);
}

void TextBox::focusInEvent(QFocusEvent* event) {
    // Tab into a read-only box selects nothing: a screen reader says its name and its text, whole,
    // without the selection coming and going.
    if (isReadOnly() && event->reason() != Qt::OtherFocusReason) {
        QFocusEvent other(event->type(), Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&other);
        return;
    }
    QLineEdit::focusInEvent(event);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (onDoubleClick)
        onDoubleClick();
}

// --- MultiLineTextBox ---

MultiLineTextBox::MultiLineTextBox(QWidget* parent, bool centred)
    : Twips(parent), centred_(centred) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    document()->setDocumentMargin(1);
    Centre();
}

void MultiLineTextBox::Centre() {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(centred_ ? Qt::AlignHCenter : Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDefaultTextOption(option);
}

QString MultiLineTextBox::Text() const {
    if (isReadOnly())
        return text_;
    // Enter starts a new line; the text box's lines are separated by CR LF.
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void MultiLineTextBox::SetText(const QString& text) {
    text_ = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
    Centre();
    Fit();
}

void MultiLineTextBox::SetFontSize(Single points) {
    points_ = points > 0 ? points : 1;
    Twips::SetFontSize(static_cast<Single>(points_));
    Fit();
}

void MultiLineTextBox::SetShrinkToFit(bool shrink) {
    shrink_ = shrink;
    Fit();
}

void MultiLineTextBox::resizeEvent(QResizeEvent* event) {
    Twips::resizeEvent(event);
    Fit();
}

void MultiLineTextBox::Fit() {
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

// --- CommandButton ---

CommandButton::CommandButton(QWidget* parent, const QString& caption, int index)
    : Twips(parent), index_(index) {
    setText(caption);
    setAutoDefault(false);
    setDefault(false);
    QObject::connect(this, &QPushButton::clicked, this, [this] {
        if (onClick)
            onClick(index_);
    });
}

// --- PictureBox ---

PictureBox::PictureBox(QWidget* parent) : Twips(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SyncCanvasSize();
}

void PictureBox::Resized(int widthPixels, int heightPixels) {
    Twips::Resized(widthPixels, heightPixels);
    SyncCanvasSize();
}

void PictureBox::SyncCanvasSize() {
    canvas_.SetSize(contentsRect().size(), devicePixelRatioF());
    canvas_.TakeDirty();
    update();
}

void PictureBox::MarkDirty() {
    const QRect d = canvas_.TakeDirty();
    if (d.isEmpty())
        return;
    const qreal dpr = canvas_.DevicePixelRatio();
    const QRect logical(static_cast<int>(d.x() / dpr) - 1, static_cast<int>(d.y() / dpr) - 1,
                        static_cast<int>(d.width() / dpr) + 3,
                        static_cast<int>(d.height() / dpr) + 3);
    update(logical.translated(contentsRect().topLeft()));
}

void PictureBox::Cls() {
    canvas_.Cls();
    MarkDirty();
}

void PictureBox::SetBackColor(Color c) {
    canvas_.SetBackColor(c);
    MarkDirty();
}

void PictureBox::PSet(double x, double y, Color c) {
    canvas_.PSet(x, y, c);
    MarkDirty();
}

void PictureBox::PMark(double x, double y, const std::function<bool(int, int, int)>& shape,
                       Color c) {
    canvas_.PMark(x, y, shape, c);
    MarkDirty();
}

void PictureBox::Line(double x1, double y1, double x2, double y2) {
    canvas_.Line(x1, y1, x2, y2);
    MarkDirty();
}

QPoint PictureBox::PositionOf(double x, double y) const {
    const qreal dpr = canvas_.DevicePixelRatio();
    return contentsRect().topLeft() + QPoint(static_cast<int>(canvas_.DeviceX(x) / dpr),
                                             static_cast<int>(canvas_.DeviceY(y) / dpr));
}

void PictureBox::paintEvent(QPaintEvent* event) {
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

QImage PictureBox::Painted() const {
    QImage painted = canvas_.Image().copy();
    QPainter painter(&painted);
    painter.translate(-QPointF(contentsRect().topLeft()));
    painter.setClipRect(contentsRect());
    PaintOver(painter);
    return painted;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (!onMouseUp)
        return;
    Integer button = 0;
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
    const Integer shift = ModifierBits(event->modifiers());
    const QPointF p = event->position() - QPointF(contentsRect().topLeft());
    onMouseUp(button, shift, static_cast<Single>(canvas_.UserX(p.x())),
              static_cast<Single>(canvas_.UserY(p.y())));
}

}  // namespace vb
