#include "view/BallMarks.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "game/GameState.h"
#include "platform/SettingsFile.h"
#include "platform/SystemColors.h"
#include "view/BallColor.h"

namespace qv {

namespace {

const QString kSetting = QStringLiteral("marks");

// Dots narrower than this carry no mark: it would fill them.
constexpr int kSmallestMarked = 9;

// Black on the light balls, white on the dark ones. The white is one step off the board's: the
// keyboard cursor's frame, laid on the board's white ground only, leaves a mark crossing its cell
// alone.
constexpr platform::PackedColor kDarkMark = platform::PackRgb(0, 0, 0);
constexpr platform::PackedColor kLightMark = platform::PackRgb(255, 255, 254);

platform::PackedColor MarkColour(platform::PackedColor ball) {
    return qGray(platform::ResolveColor(ball).rgb()) < 128 ? kLightMark : kDarkMark;
}

}  // namespace

bool InBallMark(std::int16_t kind, int dx, int dy, int size) {
    // Half the mark's width, two thirds of the dot's, and half its strokes' width beyond the
    // middle pixel: on the smallest dots a mark of five pixels drawn with one-pixel strokes.
    const int half = std::max(2, static_cast<int>(std::ceil(size * 0.34)));
    const int stroke = static_cast<int>(std::lround(size * 0.07));
    const int ax = std::abs(dx), ay = std::abs(dy), far = std::max(ax, ay);
    switch (kind) {
        case 1:  // red: a bar across
            return ay <= stroke && ax <= half;
        case 2:  // green: a diagonal cross, as wide as the bars
            return far <= half && (std::abs(dx - dy) <= stroke || std::abs(dx + dy) <= stroke);
        case 3:  // blue: a bar down
            return ax <= stroke && ay <= half;
        case 4:  // yellow: a round dot
            return dx * dx + dy * dy <= half * half;
        case 5:  // cyan: a hollow square
            return far <= half && far > half - stroke - 1;
        case 6: {  // pink: a hollow triangle, point up, with equal sides, as round the ball as fits
            const int r = std::max(half, static_cast<int>(std::lround(size * 0.42)));
            const int base = static_cast<int>(std::lround(r * 0.5)), t = stroke + 1;
            const bool inside = dy >= -r && dy <= base && ax * 1.732 <= dy + r;
            const bool hollow = dy <= base - t && ax * 1.732 <= dy + r - 2 * t;
            return inside && !hollow;
        }
        default:
            return false;
    }
}

void DrawBallDot(platform::CanvasControl& picture, double x, double y,
                 platform::PackedColor colour) {
    for (std::int16_t kind = 1; kind <= 6 && BallMarks; ++kind) {
        const int width = picture.PenWidth();
        if (BallColor(kind) != colour || width < kSmallestMarked)
            continue;
        // A dark rim, so that no ball fades into the board, then the ball inside it and its mark.
        picture.DrawDot(x, y, kDarkMark);
        picture.SetPenWidth(width - 2);
        picture.DrawDot(x, y, colour);
        const auto shape = [kind](int dx, int dy, int size) {
            return InBallMark(kind, dx, dy, size);
        };
        picture.DrawDotMark(x, y, shape, MarkColour(colour));
        picture.SetPenWidth(width);
        return;
    }
    picture.DrawDot(x, y, colour);
}

bool SavedBallMarks() {
    return platform::KeptSetting(kSetting) == QLatin1String("true");
}

void SaveBallMarks(bool on) {
    platform::KeepSetting(kSetting, on ? QStringLiteral("true") : QStringLiteral("false"));
}

void StartBallMarks(const QStringList& options) {
    std::optional<bool> chosen;
    for (const QString& option : options) {
        if (option == QLatin1String("marks"))
            chosen = true;
        else if (option == QLatin1String("no-marks"))
            chosen = false;
    }
    BallMarks = chosen ? *chosen : SavedBallMarks();
}

}  // namespace qv
