// DeMark DeMarker: the mean of the upward high moves over the mean of the upward high
// and downward low moves of the last n bars, in [0, 1]; 0.5 when nothing moved.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TdDeMarker final : public CandleIndicator<TdDeMarker> {
public:
    // n == 0: ZeroPeriod; above MAX_PERIOD: the maximum text.
    static std::expected<TdDeMarker, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
        if (!previous_) {
            previous_ = bar;
            return std::nullopt;
        }
        const double up = bar.high - previous_->high;
        const double down = previous_->low - bar.low;
        previous_ = bar;
        if (de_max_.full()) {
            de_max_.drop_oldest();
            de_min_.drop_oldest();
        }
        de_max_.push_back(up <= 0.0 ? 0.0 : up);
        de_min_.push_back(down <= 0.0 ? 0.0 : down);
        if (!de_max_.full()) return std::nullopt;
        const double n = static_cast<double>(n_);
        const double a = sum_from_oldest(de_max_) / n;
        const double b = sum_from_oldest(de_min_) / n;
        const double d = a + b;
        return d != 0.0 ? a / d : 0.5;
    }
    std::uint64_t warmup() const override { return n_ + 1; }

private:
    explicit TdDeMarker(std::uint64_t n) : de_max_(n), de_min_(n), n_(n) {}

    std::optional<Ohlcv> previous_;
    FixedRing<double> de_max_;
    FixedRing<double> de_min_;
    std::uint64_t n_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TdDeMarker);

}  // namespace torvex
