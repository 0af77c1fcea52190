// What the game's modules see of a window's controls: plain interfaces, so the rules and the
// layout pass need no widget headers. Geometry is in twips (1/1440 inch) of the control's
// parent, single precision; a value read back is what the screen could show, whole pixels.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "platform/Basic.h"

namespace vb {

enum class ControlKind { TextBox, Label, CommandButton, PictureBox, ListBox, ComboBox };

class Control {
  public:
    virtual ~Control() = default;
    virtual ControlKind Kind() const = 0;
    virtual Single Left() const = 0;
    virtual Single Top() const = 0;
    virtual Single Width() const = 0;
    virtual Single Height() const = 0;
    virtual void SetLeft(Single twips) = 0;
    virtual void SetTop(Single twips) = 0;
    virtual void SetWidth(Single twips) = 0;
    virtual void SetHeight(Single twips) = 0;
    virtual void SetFontSize(Single points) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

// A text box's text or a label's caption.
class TextControl : public Control {
  public:
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
};

// A picture box: its persistent image and its drawing state (see Canvas).
class Picture : public Control {
  public:
    virtual void Scale(double x1, double y1, double x2, double y2) = 0;
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    // The widest pen width whose dot leaves the lines of a grid of cells whole (see Canvas).
    virtual int WidestDotInCells(int columns, int rows) const = 0;
    virtual void Cls() = 0;
    virtual Color BackColor() const = 0;
    virtual void SetBackColor(Color c) = 0;
    virtual Color ForeColor() const = 0;
    virtual void SetForeColor(Color c) = 0;
    virtual int DrawWidth() const = 0;
    virtual void SetDrawWidth(int pixels) = 0;
    virtual void PSet(double x, double y, Color c) = 0;
    // A mark over the dot PSet draws at (x, y) with the pen width (see Canvas::PMark).
    virtual void PMark(double x, double y, const std::function<bool(int, int, int)>& shape,
                       Color c) = 0;
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
};

class MenuCommand {
  public:
    virtual ~MenuCommand() = default;
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString& caption) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// A top-level window in screen twips: the position of its frame, the size of the window itself
// (menu bar included; a window manager's frame and caption are not the window's).
class Window {
  public:
    virtual ~Window() = default;
    virtual Single Left() const = 0;
    virtual Single Top() const = 0;
    virtual Single Width() const = 0;
    virtual Single Height() const = 0;
    virtual void SetLeft(Single twips) = 0;
    virtual void SetTop(Single twips) = 0;
    virtual void SetWidth(Single twips) = 0;
    virtual void SetHeight(Single twips) = 0;
    // The state last asked for, by the program or the window system.
    virtual WindowState State() const = 0;
    virtual void SetState(WindowState state) = 0;
    // Whether the window system has minimized the window: a request it has not carried out (there
    // may be no window manager to do it) does not count.
    virtual bool Minimized() const = 0;
    // Repaints what has changed at once, also inside a handler that has not returned.
    virtual void Refresh() = 0;
};

}  // namespace vb
