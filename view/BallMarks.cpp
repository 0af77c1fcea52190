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
constexpr int kSmallestMarked = 7;

// Black on the light balls, white on the dark ones. The white is one step off the board's: the
// keyboard cursor's frame, laid on the board's white ground only, leaves a mark crossing its cell
// alone.
constexpr vb::Color kDarkMark = vb::RGB(0, 0, 0);
constexpr vb::Color kLightMark = vb::RGB(255, 255, 254);

vb::Color MarkColour(vb::Color ball) {
    return qGray(vb::ResolveColor(ball).rgb()) < 128 ? kLightMark : kDarkMark;
}

}  // namespace

bool InBallMark(vb::Integer kind, int dx, int dy, int size) {
    // Half the mark's width, and half its strokes' width beyond the middle pixel: on the smallest
    // dots a mark of five pixels drawn with one-pixel strokes.
    const int half = std::max(2, static_cast<int>(std::lround(size * 0.2)));
    const int stroke = static_cast<int>(std::lround(size * 0.045));
    const int ax = std::abs(dx), ay = std::abs(dy), far = std::max(ax, ay);
    const bool across = ay <= stroke && ax <= half, down = ax <= stroke && ay <= half;
    switch (kind) {
        case 1:  // red: a bar across
            return across;
        case 2:  // green: a diagonal cross, as long on the slant as the bars
            return far <= std::lround(half * 0.8) &&
                   (std::abs(dx - dy) <= stroke || std::abs(dx + dy) <= stroke);
        case 3:  // blue: a bar down
            return down;
        case 4:  // yellow: a round dot
            return dx * dx + dy * dy <= 0.5625 * half * half;
        case 5:  // cyan: a hollow square
            return far <= half && far > half - stroke - 1;
        case 6:  // pink: an upright cross
            return across || down;
        default:
            return false;
    }
}

void PSetBall(vb::Picture& picture, double x, double y, vb::Color colour) {
    picture.PSet(x, y, colour);
    if (!BallMarks)
        return;
    for (vb::Integer kind = 1; kind <= 6; ++kind) {
        if (BallColor(kind) == colour) {
            const auto shape = [kind](int dx, int dy, int size) {
                return size >= kSmallestMarked && InBallMark(kind, dx, dy, size);
            };
            picture.PMark(x, y, shape, MarkColour(colour));
            return;
        }
    }
}

bool SavedBallMarks() {
    return vb::KeptSetting(kSetting) == QLatin1String("true");
}

void SaveBallMarks(bool on) {
    vb::KeepSetting(kSetting, on ? QStringLiteral("true") : QStringLiteral("false"));
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
