// A stop that follows the close in whole bricks of a fixed size and flips side on
// a reversal of more than one brick beyond its anchor.
#pragma once

#include <cmath>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class RenkoTrailingStop final : public CloseIndicator<RenkoTrailingStop> {
public:
    // brick must be finite and above zero, else NonPositiveMultiplier.
    static std::expected<RenkoTrailingStop, IndicatorError> create(double brick);

    // anchor − brick while the bricks run up, anchor + brick while they run down.
    // Bricks are counted on the printed decimals of the close, the anchor and the
    // brick: a move of exactly k bricks is k bricks, a reversal of exactly one brick
    // does not flip, and an anchor k bricks on, and the stop a brick behind it, are
    // the decimals they should be.
    //
    // Between lo_ and hi_ (the bounds of a flip and of a whole brick on, less the
    // roundings) nothing moves, and the close is compared with them only.
    std::optional<double> step(double close) {
        if (close < lo_) [[unlikely]] return below(close);
        if (close > hi_) [[unlikely]] return above(close);
        return stop_;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit RenkoTrailingStop(double brick) : brick_(brick) {}

    // A close at or under lo_: the first close, a flip while up, bricks down while down.
    double below(double close);
    // A close at or over hi_: bricks up while up, a flip while down.
    double above(double close);
    // The other side from the close, where it flips.
    double flip_if(bool flips, double close);
    // The anchor k whole bricks on (sign −1 down, +1 up), where k is at least 1.
    double move_on(double k, double sign);
    // Whole bricks from the anchor to the close (a move away from the anchor).
    double bricks(double from, double to) const;
    // The double nearest the anchor's decimal k bricks on.
    double shift(double k) const;
    // The stop (the anchor's decimal a brick behind) and the bounds of the anchor and side.
    void settle();

    double anchor_ = 0.0;
    double stop_ = 0.0;
    double lo_ = std::numeric_limits<double>::infinity();  // every close is below it until the first
    double hi_ = std::numeric_limits<double>::infinity();
    double slack_ = 0.0;  // the roundings of a close, the anchor and the brick near a bound
    double brick_;
    bool short_brick_ = false;  // multiples of the brick are exact in binary
    bool started_ = false;
    bool is_up_ = true;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RenkoTrailingStop);

}  // namespace torvex
