// A list box and a drop-down combo box with the behaviour the game's windows were designed with.
// Rows and entries are plain text, never markup.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <functional>

#include "platform/Widgets.h"

namespace vb {

// A single-column list box that keeps its rows in the order they were added.
class ListBox : public Twips<QListWidget, Control> {
  public:
    explicit ListBox(QWidget* parent);
    ControlKind Kind() const override { return ControlKind::ListBox; }

    void Clear();
    void AddItem(const QString& row);
    int ListCount() const { return count(); }
    QString List(int index) const;

    // The highlighted row, from 0; -1 when no row is highlighted.
    int ListIndex() const;
    // Highlights row `index`; -1 removes the highlight. An index outside -1 .. ListCount - 1 is
    // an invalid value: nothing changes and the call answers false.
    bool SetListIndex(int index);

    // A double click anywhere on the list.
    std::function<void()> onDblClick;

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

// A text field with a drop-down list of entries; the field shows the chosen entry, or a text set
// that is none of them, and takes no typed text. A choice from the dropped-down list (with the
// mouse, or the arrow keys and Enter there) raises onClick, and so does Enter in the closed box:
// the arrow keys and the wheel there only move the choice. Setting the text raises nothing.
class ComboBox : public Twips<QComboBox, TextControl> {
  public:
    explicit ComboBox(QWidget* parent, const QString& text = QString());
    ControlKind Kind() const override { return ControlKind::ComboBox; }

    // Adds an entry at the end of the list; the text in the field stays as it is.
    void AddItem(const QString& entry);
    QString Text() const override {
        return currentIndex() >= 0 ? currentText() : placeholderText();
    }
    void SetText(const QString& text) override;

    std::function<void()> onClick;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool moving_ = false;  // the choice moves by a key or the wheel in the closed box
};

}  // namespace vb
