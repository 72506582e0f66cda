// New price lines: +1.0 while the run of consecutive lower closes is at least n long,
// -1.0 while the run of higher closes is; an unchanged close ends both runs.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class NewPriceLines final : public CandleIndicator<NewPriceLines> {
public:
    // n below 2: "new price lines count must be >= 2"; above MAX_PERIOD: the maximum text.
    static std::expected<NewPriceLines, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
        if (!previous_close_) {
            previous_close_ = bar.close;
            return std::nullopt;
        }
        // A run only needs to reach n, so it stops growing there and can never wrap.
        if (bar.close > *previous_close_) {
            if (rising_ < n_) ++rising_;
            falling_ = 0;
        } else if (bar.close < *previous_close_) {
            if (falling_ < n_) ++falling_;
            rising_ = 0;
        } else {
            rising_ = 0;
            falling_ = 0;
        }
        previous_close_ = bar.close;
        double result = 0.0;
        if (falling_ >= n_) result = 1.0;
        if (rising_ >= n_) result = -1.0;
        return result;
    }
    std::uint64_t warmup() const override { return 2; }

private:
    explicit NewPriceLines(std::uint64_t n) : n_(n) {}

    std::optional<double> previous_close_;
    std::uint64_t n_;
    std::uint64_t rising_ = 0;
    std::uint64_t falling_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, NewPriceLines);

}  // namespace torvex
