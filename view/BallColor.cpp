#include "view/BallColor.h"

#include <QCoreApplication>

namespace qv {

platform::PackedColor BallColor(std::int16_t kind) {
    switch (kind) {
        case 1:
            return platform::PackRgb(255, 0, 50);  // red
        case 2:
            return platform::PackRgb(0, 255, 100);  // green
        case 3:
            return platform::PackRgb(0, 0, 230);  // blue
        case 4:
            return platform::PackRgb(255, 245, 0);  // yellow
        case 5:
            return platform::PackRgb(0, 245, 255);  // cyan
        case 6:
            return platform::PackRgb(255, 50, 205);  // pink
        default:
            return platform::PackRgb(0, 0, 0);
    }
}

QString BallColorName(std::int16_t kind) {
    switch (kind) {
        case 1:
            return QCoreApplication::translate("BallColor", "red");
        case 2:
            return QCoreApplication::translate("BallColor", "green");
        case 3:
            return QCoreApplication::translate("BallColor", "blue");
        case 4:
            return QCoreApplication::translate("BallColor", "yellow");
        case 5:
            return QCoreApplication::translate("BallColor", "cyan");
        case 6:
            return QCoreApplication::translate("BallColor", "pink");
        default:
            return QString();
    }
}

}  // namespace qv
