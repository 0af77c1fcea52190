#include "platform/SystemColors.h"

namespace platform {

const QPalette& LightPalette() {
    // Qt's own light palette, the one a desktop without a colour scheme of its own gives.
    static const QPalette palette = [] {
        const QColor face(239, 239, 239);
        const QColor dark = face.darker(150);
        const QColor mid = face.darker(130);
        QPalette p(Qt::black, face, face.lighter(150), dark, mid, Qt::black, Qt::white);
        p.setColor(QPalette::Midlight, mid.lighter(110));
        p.setColor(QPalette::Shadow, dark.darker(135));
        p.setColor(QPalette::Highlight, QColor(48, 140, 198));
        p.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
        const QColor disabledText(190, 190, 190);
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Dark}) {
            p.setColor(QPalette::Disabled, role, disabledText);
        }
        p.setColor(QPalette::Disabled, QPalette::Base, face);
        p.setColor(QPalette::Disabled, QPalette::Shadow, dark.darker(135).lighter(150));
        p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
        // Every role set explicitly, also those left as they were.
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto g = static_cast<QPalette::ColorGroup>(group);
                const auto r = static_cast<QPalette::ColorRole>(role);
                p.setBrush(g, r, p.brush(g, r));
            }
        }
        return p;
    }();
    return palette;
}

QColor ResolveColor(PackedColor c) {
    if (!IsSystemColor(c))
        return QColor(RedOf(c), GreenOf(c), BlueOf(c));
    const QPalette& light = LightPalette();
    switch (c & 0xFF) {
        case 12:  // workspace: the board's grid lines
            return light.color(QPalette::Dark);
        case 15:  // button face: the message panel and the preview
            return light.color(QPalette::Button);
        case 5:  // window background
            return light.color(QPalette::Base);
        case 8:  // window text
            return light.color(QPalette::Text);
        default:
            return light.color(QPalette::Window);
    }
}

}  // namespace platform
