// The frame that the DeMark countdown, combo and sequential share: a setup run against
// the close a bars back; a completed setup of s bars makes its side active (clearing
// the counts when the side changes); then the type's own count step against the bar b
// bars back.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <limits>
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

// The four lengths in parameter order, checked.
inline std::expected<SequentialLengths, IndicatorError> sequential_lengths(std::uint64_t a, std::uint64_t s,
                                                                          std::uint64_t b, std::uint64_t c) {
    const SequentialLengths lengths{a, s, b, c};
    if (auto ok = lengths.check(); !ok) return std::unexpected(ok.error());
    return lengths;
}

// The state machine of one sequence of counts, held by value by its owner.
class SequentialFrame {
public:
    explicit SequentialFrame(SequentialLengths lengths) : lengths_(lengths), bars_(lengths.span() + 1) {}

    // One accepted bar. While fewer than `span` earlier bars are kept the bar is only
    // stored and the answer is false. Otherwise the setup step, the side switch
    // (`counter.restart()` after both counts went back to 0 when the side changes)
    // and `counter.count(bar, previous, b_back)` run, the bar is stored, and the
    // answer is true.
    template <class Counter>
    bool advance(const Ohlcv& bar, Counter& counter) {
        const std::uint64_t span = lengths_.span();
        if (bars_.full()) bars_.drop_oldest();
        if (bars_.size() < span) {
            bars_.push_back(bar);
            return false;
        }
        setup_.step(bar.close, bars_.from_newest(lengths_.a - 1).close, lengths_.s);
        if (setup_.buy == lengths_.s) {
            activate(CountSide::Buy, counter);
        } else if (setup_.sell == lengths_.s) {
            activate(CountSide::Sell, counter);
        }
        counter.count(bar, bars_.from_newest(0), bars_.from_newest(lengths_.b - 1));
        bars_.push_back(bar);
        return true;
    }

    // The active side's count, positive for buy, negative for sell; a side whose
    // count is still 0 (and no side) answers 0.0, never -0.0.
    double signed_count() const {
        if (side == CountSide::Buy) return static_cast<double>(buy_count);
        if (side == CountSide::Sell && sell_count > 0) return -static_cast<double>(sell_count);
        return 0.0;
    }

    const SetupCount& setup() const { return setup_; }
    const SequentialLengths& lengths() const { return lengths_; }

    CountSide side = CountSide::None;
    std::uint64_t buy_count = 0;
    std::uint64_t sell_count = 0;

private:
    template <class Counter>
    void activate(CountSide to, Counter& counter) {
        if (side != to) {
            buy_count = 0;
            sell_count = 0;
            counter.restart();
        }
        side = to;
    }

    SequentialLengths lengths_;
    FixedRing<Ohlcv> bars_;  // the span bars before the current one
    SetupCount setup_;
};

// The close recorded when a countdown reaches c - 5, which the final count of c must
// reach (buy: the bar's low at or below it; sell: the high at or above it).
struct CountdownReference {
    double close = std::numeric_limits<double>::quiet_NaN();

    // Advances k towards c: freely up to c - 1, the last step only when
    // `final_allowed`; records the close when k becomes c - 5. No subtraction wraps.
    void advance(std::uint64_t& k, std::uint64_t c, bool final_allowed, double bar_close) {
        if (k < c && (k + 1 < c || final_allowed)) {
            ++k;
            if (c >= 5 && k == c - 5) close = bar_close;
        }
    }
    void clear() { close = std::numeric_limits<double>::quiet_NaN(); }
};

// A single-output count over the frame. `Derived` supplies
// `void count(const Ohlcv& bar, const Ohlcv& previous, const Ohlcv& b_back)` (advancing
// frame_.buy_count or frame_.sell_count for the active side) and `void restart()`.
template <class Derived>
class SequentialCount : public CandleIndicator<Derived> {
public:
    std::optional<double> step(const Ohlcv& bar) {
        if (!frame_.advance(bar, *static_cast<Derived*>(this))) return std::nullopt;
        return frame_.signed_count();
    }

    std::uint64_t warmup() const override { return frame_.lengths().span() + 1; }

protected:
    explicit SequentialCount(SequentialLengths lengths) : frame_(lengths) {}

    SequentialFrame frame_;
};

}  // namespace torvex
