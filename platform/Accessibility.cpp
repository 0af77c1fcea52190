#include "platform/Accessibility.h"

#include <QAccessibleApplication>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QWindow>
#include <map>
#include <vector>

#include "platform/CellCanvasWidget.h"

namespace platform {

namespace {

class CellAccessible;

// The cells of a CellCanvasWidget as a table, row by row; child i is column i % columns + 1 of row
// i / columns + 1.
class CellTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit CellTableAccessible(CellCanvasWidget* box)
        : QAccessibleWidget(box, QAccessible::Table) {}
    ~CellTableAccessible() override {
        for (QAccessible::Id id : ids_)
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
    }

    CellCanvasWidget* Box() const { return static_cast<CellCanvasWidget*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int childCount() const override { return Box()->Columns() * Box()->Rows(); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override {
        if (!Box()->hasFocus())
            return nullptr;
        return cellAt(Box()->CursorY() - 1, Box()->CursorX() - 1);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint p = Box()->mapFromGlobal(QPoint(x, y));
        for (int row = 1; row <= Box()->Rows(); ++row)
            for (int column = 1; column <= Box()->Columns(); ++column)
                if (Box()->CellRect(column, row).contains(p))
                    return cellAt(row - 1, column - 1);
        return nullptr;
    }

    // QAccessibleTableInterface: rows and columns from 0.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return child(row * columnCount() + column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Box()->Columns(); }
    int rowCount() const override { return Box()->Rows(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    mutable std::vector<QAccessible::Id> ids_;
};

class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    CellAccessible(CellCanvasWidget* box, int column, int row)
        : box_(box), column_(column), row_(row) {}

    bool isValid() const override { return !box_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return box_ ? box_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(box_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && box_ ? box_->CellName(column_, row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!box_)
            return {};
        const QRect r = box_->CellRect(column_, row_);
        return QRect(box_->mapToGlobal(r.topLeft()), r.size());
    }
    // An item of the table rather than a table cell: a screen reader reads a whole row when the
    // focus moves to a cell of another row (Orca does, by default), and a player moving the
    // cursor up or down wants to hear the one cell. Rows and columns still come from the table.
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!box_ || !box_->isVisible()) {
            s.invisible = true;
            return s;
        }
        s.focusable = true;
        s.focused = box_->hasFocus() && box_->CursorX() == column_ && box_->CursorY() == row_;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_ - 1; }
    int rowIndex() const override { return row_ - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    QPointer<CellCanvasWidget> box_;
    int column_, row_;
};

QAccessibleInterface* CellTableAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    if (ids_.size() != static_cast<std::size_t>(childCount()))
        ids_.resize(static_cast<std::size_t>(childCount()), 0);
    QAccessible::Id& id = ids_[static_cast<std::size_t>(index)];
    if (id == 0) {
        // Kept in Qt's cache, which gives each cell a stable identity for the bridge.
        id = QAccessible::registerAccessibleInterface(
            new CellAccessible(Box(), index % columnCount() + 1, index / columnCount() + 1));
    }
    return QAccessible::accessibleInterface(id);
}

int CellTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (const auto* cell = dynamic_cast<const CellAccessible*>(child))
        if (cell->table() == this)
            return cell->rowIndex() * columnCount() + cell->columnIndex();
    return -1;
}

// A text box of one line: its text is one line, told whole (Qt's own interface leaves out the
// last character of a line that ends the text), and no text is selected for a reader.
class TextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit TextBoxAccessible(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}
    QLineEdit* Box() const { return static_cast<QLineEdit*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = Box()->isReadOnly();
        s.editable = !s.readOnly;
        return s;
    }
    using QAccessibleWidget::text;
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? Box()->text() : QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface
    QString text(int start, int end) const override {
        return Box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Box()->text().size()); }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override {
        if (type != QAccessible::LineBoundary && type != QAccessible::ParagraphBoundary)
            return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
        *start = 0;
        *end = characterCount();
        return Box()->text();
    }
    int cursorPosition() const override { return Box()->cursorPosition(); }
    void setCursorPosition(int position) override { Box()->setCursorPosition(position); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

// An object that only assistive technology sees, in a window: the status bar of spoken messages,
// the notification in it and the notification's text. Each has at most one child.
class VirtualAccessible : public QAccessibleInterface {
  public:
    VirtualAccessible(QWidget* window, QAccessible::Role role, QAccessibleInterface* parent)
        : window_(window), role_(role), parent_(parent) {}

    bool isValid() const override { return !window_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return parent_ != nullptr ? parent_ : QAccessible::queryAccessibleInterface(window_.data());
    }
    QAccessibleInterface* child(int index) const override { return index == 0 ? child_ : nullptr; }
    int childCount() const override { return child_ != nullptr ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* c) const override {
        return c != nullptr && c == child_ ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? name_ : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }  // nothing on the screen
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = window_.isNull() || !window_->isVisible();
        return s;
    }

    QPointer<QWidget> window_;
    QAccessible::Role role_;
    QAccessibleInterface* parent_;
    QAccessibleInterface* child_ = nullptr;
    QString name_;
};

// The spoken messages of one window: a status bar > a notification > the text of the last one.
// Qt's cache owns the three interfaces; they go with the window.
struct Messages {
    VirtualAccessible* bar;
    VirtualAccessible* notification;
    VirtualAccessible* text;
};
std::map<const QWidget*, Messages>& MessagesByWindow() {
    static std::map<const QWidget*, Messages> map;
    return map;
}

Messages& MessagesOf(QWidget* window) {
    auto& map = MessagesByWindow();
    if (auto it = map.find(window); it != map.end())
        return it->second;
    auto* bar = new VirtualAccessible(window, QAccessible::StatusBar, nullptr);
    auto* notification = new VirtualAccessible(window, QAccessible::Notification, bar);
    auto* text = new VirtualAccessible(window, QAccessible::StaticText, notification);
    bar->child_ = notification;
    notification->child_ = text;
    std::vector<QAccessible::Id> ids;
    for (QAccessibleInterface* i :
         {static_cast<QAccessibleInterface*>(bar), static_cast<QAccessibleInterface*>(notification),
          static_cast<QAccessibleInterface*>(text)})
        ids.push_back(QAccessible::registerAccessibleInterface(i));
    QObject::connect(window, &QObject::destroyed, [window, ids] {
        MessagesByWindow().erase(window);
        for (QAccessible::Id id : ids)
            QAccessible::deleteAccessibleInterface(id);
    });
    return map.emplace(window, Messages{bar, notification, text}).first->second;
}

// A top-level window, with its status bar of spoken messages as its last child once it has one.
class WindowAccessible : public QAccessibleWidget {
  public:
    explicit WindowAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}

    int childCount() const override { return QAccessibleWidget::childCount() + (Bar() ? 1 : 0); }
    QAccessibleInterface* child(int index) const override {
        if (QAccessibleInterface* bar = Bar(); bar && index == QAccessibleWidget::childCount())
            return bar;
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        if (QAccessibleInterface* bar = Bar(); bar && c == bar)
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(c);
    }

  private:
    QAccessibleInterface* Bar() const {
        const auto& map = MessagesByWindow();
        const auto it = map.find(widget());
        return it != map.end() ? it->second.bar : nullptr;
    }
};

// The application with the windows on the screen as its children.
class ShownWindowsAccessible : public QAccessibleApplication {
  public:
    int childCount() const override { return static_cast<int>(Windows().size()); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr ? static_cast<int>(Windows().indexOf(child->object())) : -1;
    }
    QAccessibleInterface* child(int index) const override {
        const QObjectList windows = Windows();
        return index >= 0 && index < windows.size()
                   ? QAccessible::queryAccessibleInterface(windows.at(index))
                   : nullptr;
    }

  private:
    static QObjectList Windows() {
        QObjectList list;
        for (QWindow* w : QGuiApplication::topLevelWindows()) {
            // Menus, tool tips and the like come and go with the pointer; they are not windows
            // a reader lists.
            const Qt::WindowType type = w->type();
            if (!w->isVisible() || type == Qt::Popup || type == Qt::ToolTip ||
                type == Qt::Desktop || type == Qt::SplashScreen)
                continue;
            if (QAccessibleInterface* root = w->accessibleRoot(); root && root->object())
                list.append(root->object());
        }
        return list;
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (object == nullptr)
        return nullptr;
    if (object == QCoreApplication::instance() && className == QLatin1String("QApplication"))
        return new ShownWindowsAccessible;
    if (!object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new WindowAccessible(widget);
    if (className == QLatin1String("QLineEdit") && dynamic_cast<TextField*>(widget) != nullptr)
        return new TextBoxAccessible(static_cast<QLineEdit*>(widget));
    if (className == QLatin1String("QFrame")) {
        if (auto* cells = dynamic_cast<CellCanvasWidget*>(widget))
            return new CellTableAccessible(cells);
        if (dynamic_cast<CanvasWidget*>(widget) != nullptr)
            return new QAccessibleWidget(widget, QAccessible::Graphic);
    }
    return nullptr;
}

}  // namespace

void Announce(QWidget* window, const QString& text) {
    if (window == nullptr || !QAccessible::isActive())
        return;
    Messages& m = MessagesOf(window);
    m.text->name_ = text;
    // A reader speaks a notification as it appears: the last one goes, the new one comes.
    QAccessibleEvent hide(m.notification, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hide);
    QAccessibleEvent show(m.notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&show);
}

QString LastAnnouncement(const QWidget* window) {
    const auto& map = MessagesByWindow();
    const auto it = map.find(window);
    return it != map.end() ? it->second.text->name_ : QString();
}

void InstallAccessibility() {
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
    // A reader that asked for the application before the factory was there holds Qt's own
    // interface, which lists hidden windows too: it is dropped, so the next question gets ours.
    if (QCoreApplication::instance() == nullptr || !QAccessible::isActive())
        return;
    QAccessibleInterface* app = QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    if (app != nullptr && dynamic_cast<ShownWindowsAccessible*>(app) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(app));
}

}  // namespace platform
