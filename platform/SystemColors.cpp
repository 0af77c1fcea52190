#include "platform/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace vb {

QColor ResolveColor(Color c) {
    if (!IsSystemColor(c))
        return QColor(RedOf(c), GreenOf(c), BlueOf(c));
    const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    switch (c & 0xFF) {
        case 12:  // application workspace: the board's grid lines
            return gui ? QGuiApplication::palette().color(QPalette::Dark) : QColor(171, 171, 171);
        case 15:  // button face: the message panel and the preview
            return gui ? QGuiApplication::palette().color(QPalette::Button) : QColor(240, 240, 240);
        case 5:  // window background
            return gui ? QGuiApplication::palette().color(QPalette::Base) : QColor(Qt::white);
        case 8:  // window text
            return gui ? QGuiApplication::palette().color(QPalette::Text) : QColor(Qt::black);
        default:
            return gui ? QGuiApplication::palette().color(QPalette::Window) : QColor(240, 240, 240);
    }
}

}  // namespace vb
