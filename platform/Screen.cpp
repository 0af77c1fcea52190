#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace vb {

namespace {

std::optional<ScreenOverride> g_override;

QScreen* PrimaryScreen() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    return QGuiApplication::primaryScreen();
}

double Dpi(bool horizontal) {
    if (g_override)
        return g_override->dotsPerInch;
    if (QScreen* screen = PrimaryScreen()) {
        const double dpi =
            horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
        if (dpi > 0)
            return dpi;
    }
    return 96.0;
}

}  // namespace

void SetScreenOverride(std::optional<ScreenOverride> screen) {
    g_override = screen;
}

double TwipsPerPixelX() {
    return 1440.0 / Dpi(true);
}
double TwipsPerPixelY() {
    return 1440.0 / Dpi(false);
}

int PixelsX(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelX()));
}
int PixelsY(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelY()));
}
Single TwipsX(int pixels) {
    return static_cast<Single>(pixels * TwipsPerPixelX());
}
Single TwipsY(int pixels) {
    return static_cast<Single>(pixels * TwipsPerPixelY());
}

Single ScreenWidth() {
    if (g_override)
        return TwipsX(g_override->widthPixels);
    if (QScreen* screen = PrimaryScreen())
        return TwipsX(screen->geometry().width());
    return TwipsX(1024);
}

Single ScreenHeight() {
    if (g_override)
        return TwipsY(g_override->heightPixels);
    if (QScreen* screen = PrimaryScreen())
        return TwipsY(screen->geometry().height());
    return TwipsY(768);
}

}  // namespace vb
