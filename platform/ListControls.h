// A list of rows and a drop-down combo box, with the keys, focus and drawing the game's windows
// use. Rows and entries are plain text, never markup.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <functional>

#include "platform/Widgets.h"

namespace platform {

// A single-column list box that keeps its rows in the order they were added.
class RowList : public TwipsWidget<QListWidget, Control> {
  public:
    explicit RowList(QWidget* parent);
    ControlKind Kind() const override { return ControlKind::List; }

    void Clear();
    void AddRow(const QString& row);
    int RowCount() const { return count(); }
    QString RowText(int index) const;

    // The highlighted row, from 0; -1 when no row is highlighted.
    int HighlightedRow() const;
    // Highlights row `index`. An index outside 0 .. RowCount - 1 is an invalid value: nothing
    // changes and the call answers false.
    bool SetHighlightedRow(int index);

    // A double click anywhere on the list.
    std::function<void()> onDoubleClick;

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

// A text field with a drop-down list of entries; the field shows the chosen entry, or a text set
// that is none of them, and takes no typed text. A choice from the dropped-down list (with the
// mouse, or the arrow keys and Enter there) raises onChosen, and so does Enter in the closed box:
// the arrow keys and the wheel there only move the choice. Setting the text raises nothing.
class ComboBox : public TwipsWidget<QComboBox, TextControl> {
  public:
    explicit ComboBox(QWidget* parent, const QString& text = QString());
    ControlKind Kind() const override { return ControlKind::ComboBox; }

    // Adds an entry at the end of the list; the text in the field stays as it is.
    void AddEntry(const QString& entry);
    QString Text() const override {
        return currentIndex() >= 0 ? currentText() : placeholderText();
    }
    void SetText(const QString& text) override;

    std::function<void()> onChosen;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool moving_ = false;  // the choice moves by a key or the wheel in the closed box
};

}  // namespace platform
