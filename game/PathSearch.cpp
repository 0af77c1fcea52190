#include "game/PathSearch.h"

#include <array>
#include <cstdint>

#include "game/GameState.h"

namespace qv {

namespace {

// The board with a one-cell border: cell (x, y), both 0..10, sits at position y * kStride + x.
constexpr int kStride = 11;
constexpr int kPadded = kStride * kStride;

// Right, up, left, down: the order decides which cells of the last wave are labelled before the
// target is met, and the move animation traces routes back in the same order.
constexpr std::array<int, 4> kStep{1, -kStride, -1, kStride};

// A reached cell: its position in the low byte, its distance from the start in the high byte.
std::uint16_t Entry(int position, int distance) {
    return static_cast<std::uint16_t>(position | distance << 8);
}

bool OnBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

}  // namespace

std::int16_t FindPath(std::int16_t fromX, std::int16_t fromY, std::int16_t toX, std::int16_t toY) {
    PathGrid.Create(0, 9, 0, 9);
    if (!OnBoard(fromX, fromY) || !OnBoard(toX, toY))
        return 0;

    // open: a free board cell that has not been reached yet. The border never is.
    std::array<std::uint8_t, kPadded> open{};
    const int width = BoardWidth;
    const int height = BoardHeight;
    for (int y = 1; y <= height; ++y) {
        for (int x = 1; x <= width; ++x)
            open[static_cast<std::size_t>(y * kStride + x)] = Board(x, y) == 0 ? 1 : 0;
    }

    // The search walks the cells in the order they were reached. Walking the earlier cells again
    // in every later wave, as a plain wave-by-wave search does, would find nothing new: each
    // cell's free neighbours were all labelled when it was first walked, and a cell that touches
    // the target ends the search the first time it is walked. So one pass over the list labels
    // exactly the same cells with the same distances, in the same order.
    //
    // Every neighbour is written at the end of the list, which grows only by those that were
    // open: no branch depends on the board, so the walk keeps an even pace on any position.
    std::array<std::uint16_t, kPadded + 4> reached;
    reached[0] = Entry(fromY * kStride + fromX, 0);
    const int target = toY * kStride + toX;
    int walked = 0;
    int count = 1;
    std::int16_t result = 0;
    while (walked < count && result == 0) {
        const int cell = reached[static_cast<std::size_t>(walked)] & 0xFF;
        const int distance = (reached[static_cast<std::size_t>(walked)] >> 8) + 1;
        ++walked;
        for (const int step : kStep) {
            const int neighbour = cell + step;
            // The target is recognised before any other test, as soon as a walked cell touches it.
            if (neighbour == target) {
                result = static_cast<std::int16_t>(distance);
                break;
            }
            const int wasOpen = open[static_cast<std::size_t>(neighbour)];
            open[static_cast<std::size_t>(neighbour)] = 0;
            reached[static_cast<std::size_t>(count)] = Entry(neighbour, distance);
            count += wasOpen;
        }
    }

    // The start keeps 0.
    for (int i = 1; i < count; ++i) {
        const int cell = reached[static_cast<std::size_t>(i)] & 0xFF;
        PathGrid(cell % kStride, cell / kStride) =
            static_cast<std::int16_t>(reached[static_cast<std::size_t>(i)] >> 8);
    }
    if (result != 0)
        PathGrid(toX, toY) = result;
    return result;
}

}  // namespace qv
