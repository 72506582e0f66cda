// On-balance volume: volume added on an up close and taken away on a down close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Obv final : public CandleIndicator<Obv> {
public:
    static std::expected<Obv, IndicatorError> create() { return Obv(); }

    // 0 on the first bar; the line after.
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return 1; }

private:
    Obv() = default;
    std::optional<double> prev_close_;
    CompensatedSum line_;  // a cumulative line: compensated so long runs do not drift
};

}  // namespace torvex
