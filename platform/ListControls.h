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
};

// An editable text field with a drop-down list of entries. Only a choice from the list (with the
// mouse, or the arrow keys) raises onClick; setting the text, typing into the field, pressing
// Enter or leaving the field does not, and typed text is never added to the list.
class ComboBox : public Twips<QComboBox, TextControl> {
  public:
    explicit ComboBox(QWidget* parent, const QString& text = QString());
    ControlKind Kind() const override { return ControlKind::ComboBox; }

    // Adds an entry at the end of the list; the text in the field stays as it is.
    void AddItem(const QString& entry);
    QString Text() const override { return currentText(); }
    void SetText(const QString& text) override;

    std::function<void()> onClick;
};

}  // namespace vb
