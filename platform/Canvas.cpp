#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/SystemColors.h"

namespace platform {

Canvas::Canvas() {
    SetSize(QSize(1, 1));
}

void Canvas::SetSize(QSize logicalSize, qreal devicePixelRatio) {
    logicalSize = logicalSize.expandedTo(QSize(1, 1));
    if (devicePixelRatio <= 0)
        devicePixelRatio = 1.0;
    const QSize device(static_cast<int>(std::lround(logicalSize.width() * devicePixelRatio)),
                       static_cast<int>(std::lround(logicalSize.height() * devicePixelRatio)));
    if (!image_.isNull() && image_.size() == device && dpr_ == devicePixelRatio) {
        logical_ = logicalSize;
        return;
    }
    QImage grown(device, QImage::Format_RGB32);
    grown.fill(ResolveColor(backgroundColor_).rgb());
    if (!image_.isNull() && dpr_ == devicePixelRatio) {
        const int rows = std::min(image_.height(), grown.height());
        const int bytes = std::min(image_.width(), grown.width()) * 4;
        for (int y = 0; y < rows; ++y) {
            std::memcpy(grown.scanLine(y), image_.constScanLine(y), static_cast<size_t>(bytes));
        }
    }
    image_ = grown;
    image_.setDevicePixelRatio(devicePixelRatio);
    logical_ = logicalSize;
    dpr_ = devicePixelRatio;
    if (!userScale_) {
        userLeft_ = userTop_ = 0;
        userWidth_ = logical_.width();
        userHeight_ = logical_.height();
    }
    pixels_ = reinterpret_cast<QRgb*>(image_.bits());
    stride_ = image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    MarkAllDirty();
}

void Canvas::MarkAllDirty() {
    dirtyLeft_ = 0;
    dirtyTop_ = 0;
    dirtyRight_ = image_.width() - 1;
    dirtyBottom_ = image_.height() - 1;
}

void Canvas::SetUserScale(double x1, double y1, double x2, double y2) {
    userLeft_ = x1;
    userTop_ = y1;
    userWidth_ = x2 - x1;
    userHeight_ = y2 - y1;
    userScale_ = true;
}

double Canvas::DeviceX(double x) const {
    return (x - userLeft_) * image_.width() / (userWidth_ != 0 ? userWidth_ : 1);
}
double Canvas::DeviceY(double y) const {
    return (y - userTop_) * image_.height() / (userHeight_ != 0 ? userHeight_ : 1);
}
double Canvas::UserX(double logicalX) const {
    return userLeft_ + logicalX * userWidth_ / std::max(1, logical_.width());
}
double Canvas::UserY(double logicalY) const {
    return userTop_ + logicalY * userHeight_ / std::max(1, logical_.height());
}

void Canvas::Detach() {
    // Whoever copied the image keeps what it showed then: the first drawing after a copy gets
    // pixels of its own.
    if (!image_.isDetached())
        pixels_ = reinterpret_cast<QRgb*>(image_.bits());
}

void Canvas::Fill(QRgb rgb) {
    Detach();
    std::fill(pixels_, pixels_ + stride_ * image_.height(), rgb);
    MarkAllDirty();
}

int Canvas::WidestDotInCells(int columns, int rows) const {
    // A dot covers the pixels whose centres lie within half its diameter of its own centre; a
    // line at a coordinate covers the pixels DrawLine gives it (a logical pixel wide).
    const int width = std::max(1, static_cast<int>(std::lround(dpr_))), offset = (width - 1) / 2;
    double room = 1e9;
    auto apart = [&](int cells, double from, double size, auto device) {
        for (int k = 1; k <= cells; ++k) {
            const double a = device(from + (k - 1) * size / cells),
                         b = device(from + k * size / cells), centre = (a + b) / 2;
            const double last = std::floor(a) - offset + width - 1, first = std::floor(b) - offset;
            room = std::min({room, centre - last - 0.5, first + 0.5 - centre});
        }
    };
    apart(columns, userLeft_, userWidth_, [this](double x) { return DeviceX(x); });
    apart(rows, userTop_, userHeight_, [this](double y) { return DeviceY(y); });
    // The widest w with w * dpr < 2 * room.
    return std::max(1, static_cast<int>(std::ceil(2 * room / dpr_)) - 1);
}

void Canvas::Clear() {
    Fill(ResolveColor(backgroundColor_).rgb());
}

void Canvas::SetBackgroundColor(PackedColor c) {
    backgroundColor_ = c;
    Fill(ResolveColor(c).rgb());
}

void Canvas::FillSpan(int y, int x1, int x2, QRgb rgb) {
    if (y < 0 || y >= image_.height())
        return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, image_.width() - 1);
    QRgb* line = pixels_ + stride_ * y;
    while (x1 <= x2 && line[x1] == rgb)
        ++x1;
    while (x2 >= x1 && line[x2] == rgb)
        --x2;
    if (x1 > x2)
        return;
    std::fill(line + x1, line + x2 + 1, rgb);
    if (dirtyLeft_ > dirtyRight_) {
        dirtyLeft_ = x1;
        dirtyRight_ = x2;
        dirtyTop_ = dirtyBottom_ = y;
        return;
    }
    dirtyLeft_ = std::min(dirtyLeft_, x1);
    dirtyRight_ = std::max(dirtyRight_, x2);
    dirtyTop_ = std::min(dirtyTop_, y);
    dirtyBottom_ = std::max(dirtyBottom_, y);
}

void Canvas::Stamp(double cx, double cy, double diameter, QRgb rgb) {
    const double r = diameter / 2.0;
    const double r2 = r * r;
    const int px = static_cast<int>(std::floor(cx));
    const int py = static_cast<int>(std::floor(cy));
    const int top = static_cast<int>(std::floor(cy - r - 1));
    const int bottom = static_cast<int>(std::ceil(cy + r + 1));
    for (int y = top; y <= bottom; ++y) {
        const double dy = y + 0.5 - cy;
        const double rest = r2 - dy * dy;
        int x1 = 1, x2 = 0;
        if (rest >= 0) {
            // Pixels whose centres lie in the disc: |x + 0.5 - cx| <= sqrt(rest).
            const double half = std::sqrt(rest);
            x1 = static_cast<int>(std::ceil(cx - half - 0.5));
            x2 = static_cast<int>(std::floor(cx + half - 0.5));
        }
        if (y == py) {
            // The pixel that holds the centre always belongs to the dot.
            if (x1 > x2) {
                x1 = x2 = px;
            } else {
                x1 = std::min(x1, px);
                x2 = std::max(x2, px);
            }
        }
        if (x1 <= x2)
            FillSpan(y, x1, x2, rgb);
    }
}

void Canvas::DrawDot(double x, double y, PackedColor c) {
    Detach();
    Stamp(DeviceX(x), DeviceY(y), penWidth_ * dpr_, ResolveColor(c).rgb());
}

void Canvas::DrawDotMark(double x, double y, const std::function<bool(int, int, int)>& shape,
                         PackedColor c) {
    Detach();
    const QRgb rgb = ResolveColor(c).rgb();
    const int size = static_cast<int>(std::lround(penWidth_ * dpr_));
    const double cx = DeviceX(x), cy = DeviceY(y), r = size / 2.0;
    const int px = static_cast<int>(std::floor(cx)), py = static_cast<int>(std::floor(cy));
    for (int dy = -size / 2; dy <= size / 2; ++dy) {
        for (int dx = -size / 2; dx <= size / 2; ++dx) {
            const double ex = px + dx + 0.5 - cx, ey = py + dy + 0.5 - cy;
            if (ex * ex + ey * ey <= r * r && shape(dx, dy, size))
                FillSpan(py + dy, px + dx, px + dx, rgb);
        }
    }
}

void Canvas::DrawLine(double x1, double y1, double x2, double y2) {
    Detach();
    const QRgb rgb = ResolveColor(penColor_).rgb();
    const int width = std::max(1, static_cast<int>(std::lround(penWidth_ * dpr_)));
    const double dx1 = DeviceX(x1), dy1 = DeviceY(y1), dx2 = DeviceX(x2), dy2 = DeviceY(y2);
    // Pixels i with [i, i + 1) meeting [lo, hi): the end point is not part of the line.
    auto span = [](double a, double b, int* first, int* last) {
        const double lo = std::min(a, b), hi = std::max(a, b);
        *first = static_cast<int>(std::floor(lo));
        *last = hi > lo ? static_cast<int>(std::ceil(hi)) - 1 : *first;
    };
    const int offset = (width - 1) / 2;
    // The board's grid needs lines across and down only.
    Q_ASSERT(dy1 == dy2 || dx1 == dx2);
    int first, last;
    if (dy1 == dy2) {
        span(dx1, dx2, &first, &last);
        const int row = static_cast<int>(std::floor(dy1)) - offset;
        for (int k = 0; k < width; ++k)
            FillSpan(row + k, first, last, rgb);
        return;
    }
    span(dy1, dy2, &first, &last);
    const int col = static_cast<int>(std::floor(dx1)) - offset;
    for (int y = first; y <= last; ++y)
        FillSpan(y, col, col + width - 1, rgb);
}

QRect Canvas::TakeDirty() {
    if (dirtyLeft_ > dirtyRight_)
        return QRect();
    const QRect d(QPoint(dirtyLeft_, dirtyTop_), QPoint(dirtyRight_, dirtyBottom_));
    dirtyLeft_ = 0;
    dirtyRight_ = -1;
    return d;
}

}  // namespace platform
