// Accumulation/distribution line: the money-flow volume of every bar, accumulated.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"
#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

class Adl final : public CandleIndicator<Adl> {
public:
    static std::expected<Adl, IndicatorError> create() { return Adl(); }

    std::optional<double> step(const Ohlcv& bar) {
        line_.add(money_flow_volume(bar));
        return line_.value();
    }
    std::uint64_t warmup() const override { return 1; }

private:
    Adl() = default;
    CompensatedSum line_;  // a cumulative line: compensated so long runs do not drift
};

}  // namespace torvex
