// What the game's modules see of a window's controls: plain interfaces, so the rules and the
// layout pass need no widget headers. Geometry is in twips (1/1440 inch) of the control's
// parent, single precision; a value read back is what the screen could show, whole pixels.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "platform/Types.h"

namespace platform {

enum class ControlKind { Text, Label, Button, Canvas, List, ComboBox };

class Control {
  public:
    virtual ~Control() = default;
    virtual ControlKind Kind() const = 0;
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;
    virtual void SetFontSize(float points) = 0;
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
class CanvasControl : public Control {
  public:
    virtual void SetUserScale(double x1, double y1, double x2, double y2) = 0;
    virtual double UserWidth() const = 0;
    virtual double UserHeight() const = 0;
    // The widest pen width whose dot leaves the lines of a grid of cells whole (see Canvas).
    virtual int WidestDotInCells(int columns, int rows) const = 0;
    virtual void Clear() = 0;
    virtual PackedColor BackgroundColor() const = 0;
    virtual void SetBackgroundColor(PackedColor c) = 0;
    virtual PackedColor PenColor() const = 0;
    virtual void SetPenColor(PackedColor c) = 0;
    virtual int PenWidth() const = 0;
    virtual void SetPenWidth(int pixels) = 0;
    virtual void DrawDot(double x, double y, PackedColor c) = 0;
    // A mark over the dot DrawDot draws at (x, y) with the pen width (see Canvas::DrawDotMark).
    virtual void DrawDotMark(double x, double y, const std::function<bool(int, int, int)>& shape,
                             PackedColor c) = 0;
    virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;
};

class MenuCommand {
  public:
    virtual ~MenuCommand() = default;
    virtual QString Text() const = 0;
    virtual void SetText(const QString& caption) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// A top-level window in screen twips: the position of its frame, the size of the window itself
// (menu bar included; a window manager's frame and caption are not the window's).
class Window {
  public:
    virtual ~Window() = default;
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;
    // The state last asked for, by the program or the window system.
    virtual WindowState State() const = 0;
    virtual void SetState(WindowState state) = 0;
    // Whether the window system has minimized the window: a request it has not carried out (there
    // may be no window manager to do it) does not count.
    virtual bool Minimized() const = 0;
    // Repaints what has changed at once, also inside a handler that has not returned.
    virtual void RepaintNow() = 0;
};

}  // namespace platform
