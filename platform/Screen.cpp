#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform {

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

int TwipsToPixelsX(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelX()));
}
int TwipsToPixelsY(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelY()));
}
float PixelsToTwipsX(int pixels) {
    return static_cast<float>(pixels * TwipsPerPixelX());
}
float PixelsToTwipsY(int pixels) {
    return static_cast<float>(pixels * TwipsPerPixelY());
}

float ScreenWidthTwips() {
    if (g_override)
        return PixelsToTwipsX(g_override->widthPixels);
    if (QScreen* screen = PrimaryScreen())
        return PixelsToTwipsX(screen->geometry().width());
    return PixelsToTwipsX(1024);
}

float ScreenHeightTwips() {
    if (g_override)
        return PixelsToTwipsY(g_override->heightPixels);
    if (QScreen* screen = PrimaryScreen())
        return PixelsToTwipsY(screen->geometry().height());
    return PixelsToTwipsY(768);
}

}  // namespace platform
