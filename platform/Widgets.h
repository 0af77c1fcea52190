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

namespace vb {

// Geometry in twips of the parent's client area, for any widget.
template <class W, class I>
class Twips : public W, public I {
  public:
    using W::W;
    Single Left() const override { return TwipsX(W::x()); }
    Single Top() const override { return TwipsY(W::y()); }
    Single Width() const override { return TwipsX(W::width()); }
    Single Height() const override { return TwipsY(W::height()); }
    void SetLeft(Single t) override { W::move(PixelsX(t), W::y()); }
    void SetTop(Single t) override { W::move(W::x(), PixelsY(t)); }
    void SetWidth(Single t) override { Resized(PixelsX(t), W::height()); }
    void SetHeight(Single t) override { Resized(W::width(), PixelsY(t)); }
    void SetFontSize(Single points) override {
        QFont f = W::font();
        f.setPointSizeF(points > 0 ? points : 1);
        W::setFont(f);
    }
    bool Visible() const override { return !W::isHidden(); }
    void SetVisible(bool visible) override { W::setVisible(visible); }

    // Design-time geometry in twips.
    void SetTwipsGeometry(Single left, Single top, Single width, Single height) {
        W::move(PixelsX(left), PixelsY(top));
        Resized(PixelsX(width), PixelsY(height));
    }

  protected:
    virtual void Resized(int widthPixels, int heightPixels) {
        W::resize(widthPixels < 0 ? 0 : widthPixels, heightPixels < 0 ? 0 : heightPixels);
    }
};

// Sets a font by name, size in points and weight.
QFont MakeFont(const QString& family, double points, bool bold);

// A label: plain text, centred at the top unless told otherwise.
class Label : public Twips<QLabel, TextControl> {
  public:
    explicit Label(QWidget* parent, const QString& caption = QString());
    ControlKind Kind() const override { return ControlKind::Label; }
    QString Text() const override { return text_; }
    void SetText(const QString& text) override;

  private:
    QString text_;
};

// A single-line text box. The text reads back exactly as it was set or typed.
class TextBox : public Twips<QLineEdit, TextControl> {
  public:
    explicit TextBox(QWidget* parent, const QString& text = QString());
    ControlKind Kind() const override { return ControlKind::TextBox; }
    QString Text() const override { return QLineEdit::text(); }
    void SetText(const QString& text) override;
    std::function<void()> onDoubleClick;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A multi-line text box. Read-only boxes keep the text exactly as set; in an editable box, Enter
// starts a new line and reads back as carriage return + line feed.
class MultiLineTextBox : public Twips<QPlainTextEdit, TextControl> {
  public:
    explicit MultiLineTextBox(QWidget* parent, bool centred);
    ControlKind Kind() const override { return ControlKind::TextBox; }
    QString Text() const override;
    void SetText(const QString& text) override;
    void SetFontSize(Single points) override;
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

class CommandButton : public Twips<QPushButton, Control> {
  public:
    CommandButton(QWidget* parent, const QString& caption, int index);
    ControlKind Kind() const override { return ControlKind::CommandButton; }
    int Index() const { return index_; }
    std::function<void(int)> onClick;

  private:
    int index_;
};

// A picture box: a sunken frame around a persistent image (see Canvas).
// The modifier keys as the event handlers see them: 1 Shift, 2 Ctrl, 4 Alt.
Integer ModifierBits(Qt::KeyboardModifiers mods);

class PictureBox : public Twips<QFrame, Picture> {
  public:
    explicit PictureBox(QWidget* parent);
    ControlKind Kind() const override { return ControlKind::PictureBox; }

    void Scale(double x1, double y1, double x2, double y2) override {
        canvas_.Scale(x1, y1, x2, y2);
    }
    double ScaleWidth() const override { return canvas_.ScaleWidth(); }
    double ScaleHeight() const override { return canvas_.ScaleHeight(); }
    int WidestDotInCells(int columns, int rows) const override {
        return canvas_.WidestDotInCells(columns, rows);
    }
    void Cls() override;
    Color BackColor() const override { return canvas_.BackColor(); }
    void SetBackColor(Color c) override;
    Color ForeColor() const override { return canvas_.ForeColor(); }
    void SetForeColor(Color c) override { canvas_.SetForeColor(c); }
    int DrawWidth() const override { return canvas_.DrawWidth(); }
    void SetDrawWidth(int pixels) override { canvas_.SetDrawWidth(pixels); }
    void PSet(double x, double y, Color c) override;
    void PMark(double x, double y, const std::function<bool(int, int, int)>& shape,
               Color c) override;
    void Line(double x1, double y1, double x2, double y2) override;

    const Canvas& GetCanvas() const { return canvas_; }
    // The mouse release handler: button (1 left, 2 right, 4 middle), modifier keys (1 shift,
    // 2 control, 4 alt) and the position in user units.
    std::function<void(Integer, Integer, Single, Single)> onMouseUp;
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
    QString Caption() const override { return action_->text(); }
    void SetCaption(const QString& caption) override { action_->setText(caption); }
    bool Enabled() const override { return action_->isEnabled(); }
    void SetEnabled(bool enabled) override { action_->setEnabled(enabled); }
    QAction* Action() const { return action_; }

  private:
    QAction* action_;
};

}  // namespace vb
