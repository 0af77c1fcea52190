#include "platform/ListControls.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStylePainter>

namespace platform {

// --- RowList ---

RowList::RowList(QWidget* parent) : TwipsWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
}

void RowList::Clear() {
    clear();
}

void RowList::AddRow(const QString& row) {
    addItem(row);
}

QString RowList::RowText(int index) const {
    const QListWidgetItem* it = item(index);
    return it != nullptr ? it->text() : QString();
}

int RowList::HighlightedRow() const {
    const QListWidgetItem* current = currentItem();
    return current != nullptr && current->isSelected() ? currentRow() : -1;
}

bool RowList::SetHighlightedRow(int index) {
    if (index < 0 || index >= count())
        return false;
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
    return true;
}

void RowList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    // A screen reader hears the list and then its current row, as when the row changes.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!hasFocus() || currentRow() < 0)
                return;
            QAccessibleEvent focus(this, QAccessible::Focus);
            focus.setChild(currentRow());
            QAccessible::updateAccessibility(&focus);
        },
        Qt::QueuedConnection);
}

void RowList::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (onDoubleClick)
        onDoubleClick();
}

// --- ComboBox ---

ComboBox::ComboBox(QWidget* parent, const QString& text) : TwipsWidget(parent) {
    // Not editable: nothing typed can erase the text, and a screen reader hears no text field.
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(8);
    SetText(text);
    QObject::connect(this, &QComboBox::activated, this, [this](int) {
        if (onChosen && !moving_)
            onChosen();
    });
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
    if (view()->isVisible()) {
        QComboBox::keyPressEvent(event);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (onChosen)
            onChosen();
        return;
    }
    moving_ = true;
    QComboBox::keyPressEvent(event);
    moving_ = false;
}

void ComboBox::paintEvent(QPaintEvent*) {
    // Drawn as a text field with a drop-down button, the same on every desktop style.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.editable = true;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    // The text where a text field puts it: two pixels in, centred from top to bottom.
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(field.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, Text());
}

void ComboBox::wheelEvent(QWheelEvent* event) {
    moving_ = true;
    QComboBox::wheelEvent(event);
    moving_ = false;
}

void ComboBox::AddEntry(const QString& entry) {
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
    if (match < 0)
        setPlaceholderText(text);
}

}  // namespace platform
