// Three-line break: the direction of the line-break chart of the closes. A new line
// continues the trend past the last line, or reverses it past every one of the last n
// lines.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ThreeLineBreak final : public CandleIndicator<ThreeLineBreak> {
public:
    // n == 0: ZeroPeriod; above MAX_PERIOD: the maximum text.
    static std::expected<ThreeLineBreak, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return 2; }

private:
    explicit ThreeLineBreak(std::uint64_t n) : lines_(n + 1), n_(n) {}

    FixedRing<double> lines_;  // the last n lines, oldest first (room for one more)
    std::uint64_t n_;
    int direction_ = 0;  // 0 none, +1 up, -1 down
};

}  // namespace torvex
