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

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return 2; }

private:
    explicit NewPriceLines(std::uint64_t n) : n_(n) {}

    std::optional<double> previous_close_;
    std::uint64_t n_;
    std::uint64_t rising_ = 0;
    std::uint64_t falling_ = 0;
};

}  // namespace torvex
