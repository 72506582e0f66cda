// The frame that the DeMark countdown and combo share: a setup run against the close
// a bars back; a completed setup of s bars makes its side active (clearing the counts
// when the side changes); then the type's own count step against the bar b bars back.
// The answer is the active side's count, positive for buy, negative for sell.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/demark/setup_count.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

enum class CountSide : std::uint8_t { None, Buy, Sell };

// The four lengths, in parameter order: setup lookback a, setup length s, countdown
// lookback b, countdown length c.
struct SequentialLengths {
    std::uint64_t a;
    std::uint64_t s;
    std::uint64_t b;
    std::uint64_t c;

    // Any length 0: ZeroPeriod. The lookbacks size the bar window and are bounded by
    // MAX_PERIOD; the two lengths are counts without storage and stay unbounded.
    Checked check() const {
        if (a == 0 || s == 0 || b == 0 || c == 0) return std::unexpected(IndicatorError::zero_period());
        if (auto ok = check_max_period(std::max(a, b)); !ok) return ok;
        return {};
    }
    std::uint64_t span() const { return std::max(a, b); }
};

// `Derived` supplies `void count(const Ohlcv& bar, const Ohlcv& previous, const Ohlcv& b_back)`
// (advancing buy_count_ or sell_count_ for the active side) and `void restart()` (run when
// the active side changes, after both counts went back to 0).
template <class Derived>
class SequentialCount : public CandleIndicator<Derived> {
public:
    std::optional<double> step(const Ohlcv& bar) {
        const std::uint64_t span = lengths_.span();
        if (bars_.full()) bars_.drop_oldest();
        if (bars_.size() < span) {
            bars_.push_back(bar);
            return std::nullopt;
        }
        setup_.step(bar.close, bars_.from_newest(lengths_.a - 1).close, lengths_.s);
        if (setup_.buy == lengths_.s) {
            activate(CountSide::Buy);
        } else if (setup_.sell == lengths_.s) {
            activate(CountSide::Sell);
        }
        static_cast<Derived*>(this)->count(bar, bars_.from_newest(0), bars_.from_newest(lengths_.b - 1));
        bars_.push_back(bar);
        // A side whose count is still 0 answers 0.0 (never -0.0).
        if (side_ == CountSide::Buy) return static_cast<double>(buy_count_);
        if (side_ == CountSide::Sell && sell_count_ > 0) return -static_cast<double>(sell_count_);
        return 0.0;
    }

    std::uint64_t warmup() const override { return lengths_.span() + 1; }

protected:
    explicit SequentialCount(SequentialLengths lengths) : lengths_(lengths), bars_(lengths.span() + 1) {}

    CountSide side_ = CountSide::None;
    std::uint64_t buy_count_ = 0;
    std::uint64_t sell_count_ = 0;
    SequentialLengths lengths_;

private:
    void activate(CountSide side) {
        if (side_ != side) {
            buy_count_ = 0;
            sell_count_ = 0;
            static_cast<Derived*>(this)->restart();
        }
        side_ = side;
    }

    FixedRing<Ohlcv> bars_;  // the span bars before the current one
    SetupCount setup_;
};

}  // namespace torvex
