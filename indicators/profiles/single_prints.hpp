// Single prints: the number of price bins of the window's range that exactly one bar
// of the last n touched.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/indicator.hpp"
#include "indicators/profiles/profile_window.hpp"

namespace torvex {

class SinglePrints final : public CandleIndicator<SinglePrints> {
public:
    // n == 0 or bins == 0: ZeroPeriod; either above MAX_PERIOD: the maximum text.
    static std::expected<SinglePrints, IndicatorError> create(std::uint64_t n, std::uint64_t bins);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    SinglePrints(std::uint64_t n, std::uint64_t bins) : window_(n, bins) { edges_.reserve(bins + 1); }

    ProfileWindow window_;
    std::vector<std::int64_t> edges_;  // scratch: +1 where a bar's cover starts, -1 past its end
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, SinglePrints);

}  // namespace torvex
