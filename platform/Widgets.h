// The controls of the game's windows on Qt widgets: geometry in twips, text set and read exactly
// as given (never interpreted as markup), and picture boxes with a persistent image.
#pragma once

#include <QAction>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/Screen.h"

namespace platform {

// Geometry in twips of the parent's client area, for any widget.
template <class W, class I>
class TwipsWidget : public W, public I {
  public:
    using W::W;
    float Left() const override { return PixelsToTwipsX(W::x()); }
    float Top() const override { return PixelsToTwipsY(W::y()); }
    float Width() const override { return PixelsToTwipsX(W::width()); }
    float Height() const override { return PixelsToTwipsY(W::height()); }
    void SetLeft(float t) override { W::move(TwipsToPixelsX(t), W::y()); }
    void SetTop(float t) override { W::move(W::x(), TwipsToPixelsY(t)); }
    void SetWidth(float t) override { Resized(TwipsToPixelsX(t), W::height()); }
    void SetHeight(float t) override { Resized(W::width(), TwipsToPixelsY(t)); }
    void SetFontSize(float points) override {
        QFont f = W::font();
        f.setPointSizeF(points > 0 ? points : 1);
        W::setFont(f);
    }
    bool Visible() const override { return !W::isHidden(); }
    void SetVisible(bool visible) override { W::setVisible(visible); }

    // Initial geometry in twips.
    void SetTwipsGeometry(float left, float top, float width, float height) {
        W::move(TwipsToPixelsX(left), TwipsToPixelsY(top));
        Resized(TwipsToPixelsX(width), TwipsToPixelsY(height));
    }

  protected:
    virtual void Resized(int widthPixels, int heightPixels) {
        W::resize(widthPixels < 0 ? 0 : widthPixels, heightPixels < 0 ? 0 : heightPixels);
    }
};

// Sets a font by name, size in points and weight.
QFont MakeFont(const QString& family, double points, bool bold);

// A label: plain text, centred at the top unless told otherwise.
class Label : public TwipsWidget<QLabel, TextControl> {
  public:
    explicit Label(QWidget* parent, const QString& caption = QString());
    ControlKind Kind() const override { return ControlKind::Label; }
    QString Text() const override { return text_; }
    void SetText(const QString& text) override;

  private:
    QString text_;
};

// A single-line text box. The text reads back exactly as it was set or typed.
class TextField : public TwipsWidget<QLineEdit, TextControl> {
  public:
    explicit TextField(QWidget* parent, const QString& text = QString());
    ControlKind Kind() const override { return ControlKind::Text; }
    QString Text() const override { return QLineEdit::text(); }
    void SetText(const QString& text) override;
    std::function<void()> onDoubleClick;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A multi-line text box. Read-only boxes keep the text exactly as set; in an editable box, Enter
// starts a new line and reads back as carriage return + line feed.
class TextArea : public TwipsWidget<QPlainTextEdit, TextControl> {
  public:
    explicit TextArea(QWidget* parent, bool centred);
    ControlKind Kind() const override { return ControlKind::Text; }
    QString Text() const override;
    void SetText(const QString& text) override;
    void SetFontSize(float points) override;
    // A box that always shows its whole text: its font shrinks from the size set as far as the
    // text needs to fit the box.
    void SetShrinkToFit(bool shrink);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Centre();
    void Fit();
    bool centred_;
    bool shrink_ = false;
    double points_ = 0;  // the size set, before any shrinking
    QString text_;
};

class Button : public TwipsWidget<QPushButton, Control> {
  public:
    Button(QWidget* parent, const QString& caption, int index);
    ControlKind Kind() const override { return ControlKind::Button; }
    int Index() const { return index_; }
    std::function<void(int)> onClick;

  private:
    int index_;
};

// A picture box: a sunken frame around a persistent image (see Canvas).
// The modifier keys as the event handlers see them: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ModifierBits(Qt::KeyboardModifiers mods);

class CanvasWidget : public TwipsWidget<QFrame, CanvasControl> {
  public:
    explicit CanvasWidget(QWidget* parent);
    ControlKind Kind() const override { return ControlKind::Canvas; }

    void SetUserScale(double x1, double y1, double x2, double y2) override {
        canvas_.SetUserScale(x1, y1, x2, y2);
    }
    double UserWidth() const override { return canvas_.UserWidth(); }
    double UserHeight() const override { return canvas_.UserHeight(); }
    int WidestDotInCells(int columns, int rows) const override {
        return canvas_.WidestDotInCells(columns, rows);
    }
    void Clear() override;
    PackedColor BackgroundColor() const override { return canvas_.BackgroundColor(); }
    void SetBackgroundColor(PackedColor c) override;
    PackedColor PenColor() const override { return canvas_.PenColor(); }
    void SetPenColor(PackedColor c) override { canvas_.SetPenColor(c); }
    int PenWidth() const override { return canvas_.PenWidth(); }
    void SetPenWidth(int pixels) override { canvas_.SetPenWidth(pixels); }
    void DrawDot(double x, double y, PackedColor c) override;
    void DrawDotMark(double x, double y, const std::function<bool(int, int, int)>& shape,
                     PackedColor c) override;
    void DrawLine(double x1, double y1, double x2, double y2) override;

    const Canvas& GetCanvas() const { return canvas_; }
    // The mouse release handler: button (1 left, 2 right, 4 middle), modifier keys (1 shift,
    // 2 control, 4 alt) and the position in user units.
    std::function<void(std::int16_t, std::int16_t, float, float)> onRelease;
    // A logical pixel position inside the drawing area for a user coordinate (for tests).
    QPoint PositionOf(double x, double y) const;
    // The drawing area as it is painted: the persistent image with whatever the picture shows
    // over it (see PaintOver), at the image's resolution.
    QImage Painted() const;
    // Runs (from the event loop, after the paint) when the picture found itself on a screen of
    // another pixel density: its image starts afresh, blank, at the new resolution, and the
    // window is expected to draw it again.
    std::function<void()> onDensityChange;

  protected:
    void Resized(int widthPixels, int heightPixels) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Paints over the image, in the widget's logical coordinates; never part of the image.
    virtual void PaintOver(QPainter& /*painter*/) const {}

  private:
    void SyncCanvasSize();
    void MarkDirty();
    Canvas canvas_;
};

// A top-level menu command with no submenu.
class MenuAction : public MenuCommand {
  public:
    explicit MenuAction(QAction* action) : action_(action) {}
    QString Text() const override { return action_->text(); }
    void SetText(const QString& caption) override { action_->setText(caption); }
    bool Enabled() const override { return action_->isEnabled(); }
    void SetEnabled(bool enabled) override { action_->setEnabled(enabled); }
    QAction* Action() const { return action_; }

  private:
    QAction* action_;
};

}  // namespace platform
