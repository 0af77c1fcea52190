#include "platform/ListControls.h"

#include <QLineEdit>
#include <QMouseEvent>

namespace vb {

// --- ListBox ---

ListBox::ListBox(QWidget* parent) : Twips(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
}

void ListBox::Clear() {
    clear();
}

void ListBox::AddItem(const QString& row) {
    addItem(row);
}

QString ListBox::List(int index) const {
    const QListWidgetItem* it = item(index);
    return it != nullptr ? it->text() : QString();
}

int ListBox::ListIndex() const {
    const QListWidgetItem* current = currentItem();
    return current != nullptr && current->isSelected() ? currentRow() : -1;
}

bool ListBox::SetListIndex(int index) {
    if (index < -1 || index >= count())
        return false;
    if (index == -1) {
        clearSelection();
        setCurrentRow(-1);
        return true;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
    return true;
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (onDblClick)
        onDblClick();
}

// --- ComboBox ---

ComboBox::ComboBox(QWidget* parent, const QString& text) : Twips(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(8);
    // The field picks an entry when editing ends on a text that matches one; here typed text has
    // no effect, so that reaction is cut off.
    QObject::disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    SetText(text);
    QObject::connect(this, &QComboBox::activated, this, [this](int) {
        if (onClick)
            onClick();
    });
}

void ComboBox::AddItem(const QString& entry) {
    // The first entry of an empty list would otherwise become the current one and replace the
    // text in the field.
    const QString text = currentText();
    addItem(entry);
    SetText(text);
}

void ComboBox::SetText(const QString& text) {
    // The text alone changes; no entry counts as chosen. The list highlights the entry that
    // matches the text exactly, if any, when it drops down.
    const int match = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (match != currentIndex())
        setCurrentIndex(match);
    setEditText(text);
}

}  // namespace vb
