// The persistent image of a picture box: what is drawn stays until it is drawn over or cleared,
// whatever covers the window meanwhile. Drawing happens in a user coordinate system set by two
// corners; pen widths are in (logical) pixels. The image is kept at the device's resolution, so it
// stays crisp on high-density screens.
//
// Dots and lines are drawn without antialiasing: a pixel belongs to a dot exactly when its centre
// lies inside the disc (the pixel holding the dot's centre always does). So a dot drawn at the
// same point with the same or a larger width covers an earlier dot completely; the game erases
// balls that way all the time.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <functional>

#include "platform/Types.h"

namespace platform {

class Canvas {
  public:
    Canvas();

    // The drawing area in logical pixels and the device pixel ratio. Growing keeps what was
    // drawn at the top-left corner and fills the new area with the background colour; the user
    // scale keeps its corners, so it stretches over the new size.
    void SetSize(QSize logicalSize, qreal devicePixelRatio = 1.0);
    QSize LogicalSize() const { return logical_; }
    qreal DevicePixelRatio() const { return dpr_; }

    // User coordinates: (x1, y1) at the top-left corner, (x2, y2) at the bottom-right corner.
    void SetUserScale(double x1, double y1, double x2, double y2);
    double UserLeft() const { return userLeft_; }
    double UserTop() const { return userTop_; }
    double UserWidth() const { return userWidth_; }
    double UserHeight() const { return userHeight_; }
    // The widest pen width whose dot, drawn at the centre of any cell of a grid of `columns` by
    // `rows` cells over the user scale, leaves every pixel of the grid's lines (and of the edges
    // where lines would be) unpainted.
    int WidestDotInCells(int columns, int rows) const;

    // Clears the whole picture to the background colour.
    void Clear();
    PackedColor BackgroundColor() const { return backgroundColor_; }
    // Setting the background colour repaints the whole picture in it.
    void SetBackgroundColor(PackedColor c);
    PackedColor PenColor() const { return penColor_; }
    void SetPenColor(PackedColor c) { penColor_ = c; }
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int pixels) { penWidth_ = pixels < 1 ? 1 : pixels; }

    // A filled disc whose diameter is the pen width, centred on (x, y), in colour c.
    void DrawDot(double x, double y, PackedColor c);
    // A mark over the dot DrawDot draws at (x, y) with the pen width, in colour c: the pixel dx
    // columns right of and dy rows below the one holding the dot's centre belongs to it when
    // shape(dx, dy, size) holds, size being the dot's diameter in device pixels. Only pixels of the
    // dot are asked, so a mark never reaches past it.
    void DrawDotMark(double x, double y, const std::function<bool(int, int, int)>& shape,
                     PackedColor c);
    // A line across or down in the drawing colour and the pen width; the end point itself is not
    // drawn.
    void DrawLine(double x1, double y1, double x2, double y2);

    const QImage& Image() const { return image_; }
    // The device-pixel rectangle changed since the last call, then forgets it.
    QRect TakeDirty();

    // Device pixel coordinates (continuous) of a user point.
    double DeviceX(double x) const;
    double DeviceY(double y) const;
    // User coordinates of a logical pixel position.
    double UserX(double logicalX) const;
    double UserY(double logicalY) const;

  private:
    void Fill(QRgb rgb);
    // Paints x1..x2 (inclusive, clipped) of row y; only pixels that change count as dirty, so
    // drawing over what is already there (the grid redrawn after a move) repaints nothing.
    void FillSpan(int y, int x1, int x2, QRgb rgb);
    void MarkAllDirty();
    void Detach();
    void Stamp(double cx, double cy, double diameter, QRgb rgb);

    QImage image_;
    QSize logical_{0, 0};
    qreal dpr_ = 1.0;
    double userLeft_ = 0, userTop_ = 0, userWidth_ = 1, userHeight_ = 1;
    bool userScale_ = false;
    PackedColor backgroundColor_ = PackRgb(255, 255, 255);
    PackedColor penColor_ = 0;
    int penWidth_ = 1;
    QRgb* pixels_ = nullptr;  // the image's pixels, detached once per size
    qsizetype stride_ = 0;    // pixels a row
    int dirtyLeft_ = 0, dirtyTop_ = 0, dirtyRight_ = -1, dirtyBottom_ = -1;
};

}  // namespace platform
