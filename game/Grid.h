// A grid of 16-bit cells indexed (x, y): first index the column, second the row. The board's grids
// are never larger than 0..9 by 0..9, so the cells live in a fixed 10 by 10 block.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

namespace qv {

class Grid {
  public:
    static constexpr int kMaxIndex = 9;

    Grid() = default;
    Grid(int xLow, int xHigh, int yLow, int yHigh) { Create(xLow, xHigh, yLow, yHigh); }

    // Makes the grid anew with the given index bounds, every cell 0.
    void Create(int xLow, int xHigh, int yLow, int yHigh) {
        assert(xLow >= 0 && yLow >= 0 && xHigh <= kMaxIndex && yHigh <= kMaxIndex);
        xLow_ = xLow;
        xHigh_ = xHigh;
        yLow_ = yLow;
        yHigh_ = yHigh;
        cells_.fill(0);
    }

    std::int16_t& operator()(int x, int y) {
        assert(Contains(x, y));
        return cells_[static_cast<std::size_t>(y * 10 + x)];
    }
    std::int16_t operator()(int x, int y) const {
        assert(Contains(x, y));
        return cells_[static_cast<std::size_t>(y * 10 + x)];
    }

    bool Contains(int x, int y) const {
        return x >= xLow_ && x <= xHigh_ && y >= yLow_ && y <= yHigh_;
    }
    int XLow() const { return xLow_; }
    int XHigh() const { return xHigh_; }
    int YLow() const { return yLow_; }
    int YHigh() const { return yHigh_; }

    bool operator==(const Grid& other) const = default;

  private:
    int xLow_ = 0, xHigh_ = -1, yLow_ = 0, yHigh_ = -1;
    std::array<std::int16_t, 100> cells_{};
};

}  // namespace qv
