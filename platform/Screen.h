// Twips and pixels. A twip is 1/1440 inch; at the screen's logical resolution of 96 dots per inch
// a pixel is 15 twips.
#pragma once

#include <QSizeF>
#include <optional>

#include "platform/Types.h"

namespace platform {

double TwipsPerPixelX();
double TwipsPerPixelY();

// Pixels to twips and back (to the nearest whole pixel).
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
float PixelsToTwipsX(int pixels);
float PixelsToTwipsY(int pixels);

// The primary screen's size in twips.
float ScreenWidthTwips();
float ScreenHeightTwips();

// Tests may lay the game out for a screen of their own: a size in pixels and a resolution.
struct ScreenOverride {
    int widthPixels = 1024;
    int heightPixels = 768;
    double dotsPerInch = 96.0;
};
void SetScreenOverride(std::optional<ScreenOverride> screen);

}  // namespace platform
