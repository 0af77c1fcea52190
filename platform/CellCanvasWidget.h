// A picture box divided into a grid of cells over its user scale, for play from the keyboard and
// for screen readers: a cursor cell, framed for the keys only (from the first arrow key, Enter or
// Tab into the picture until the next click on it), key presses handed to the window as key codes,
// and each cell named for assistive technology (see Accessibility.h).
#pragma once

#include <functional>

#include "platform/Widgets.h"

namespace platform {

// Key codes of the keys the grid hands on.
enum CellKey : std::int16_t {
    kKeyReturn = 13,
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyB = 66,
    kKeyC = 67,
    kKeyF = 70,
    kKeyN = 78,
    kKeyR = 82,
    kKeyS = 83,
};

class CellCanvasWidget : public CanvasWidget {
  public:
    CellCanvasWidget(QWidget* parent, int columns, int rows);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

    // The cursor cell, column and row counted from 1. Moving it repaints the two cells and, while
    // the picture has the focus, tells assistive technology which cell now has it, whether its
    // frame shows or not.
    int CursorX() const { return cursorX_; }
    int CursorY() const { return cursorY_; }
    void SetCursor(int x, int y);
    // One step, stopping at the edges.
    void MoveCursor(int dx, int dy) { SetCursor(cursorX_ + dx, cursorY_ + dy); }
    // The frame shows while the picture has the focus and the keys, not the mouse, were used last.
    bool CursorShown() const { return hasFocus() && byKeys_; }
    // Tells assistive technology again that the cursor cell has the focus, for when something
    // else claimed it.
    void AnnounceFocus() {
        if (hasFocus())
            AnnounceCursor();
    }

    // The cell's rectangle in the widget's logical pixels.
    QRect CellRect(int x, int y) const;

    // What lies in a cell, as a screen reader says it.
    std::function<QString(int x, int y)> cellName;
    QString CellName(int x, int y) const { return cellName ? cellName(x, y) : QString(); }
    // Tells assistive technology about every cell whose name changed since the last call.
    void CellsChanged();

    // A key pressed while the picture has the focus: the key code (a CellKey, and the letters
    // A to Z by their place, in any keyboard layout, when neither Control nor Alt is held) and
    // the modifier keys (1 shift, 2 control, 4 alt). Keys without a code are not handed on.
    std::function<void(std::int16_t, std::int16_t)> onKeyDown;

  protected:
    void PaintOver(QPainter& painter) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void UpdateCell(int x, int y);
    void AnnounceCursor();
    void ShowFrame(bool shown);
    // The frame around a cell in device pixels of the image: the band between `outer` and
    // `inner`, laid over the cell's four edges.
    void FrameRects(int x, int y, QRect* outer, QRect* inner) const;

    int columns_, rows_;
    int cursorX_, cursorY_;
    bool byKeys_ = false;  // the cursor was last moved or used by a key
    QStringList names_;    // as last told
};

}  // namespace platform
