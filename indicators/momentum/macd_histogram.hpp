// MACD histogram: the MACD line minus its signal average.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/macd_core.hpp"

namespace torvex {

class MacdHistogram final : public CloseIndicator<MacdHistogram> {
public:
    static std::expected<MacdHistogram, IndicatorError> create(std::uint64_t fast, std::uint64_t slow,
                                                               std::uint64_t signal);

    std::optional<double> step(double close) {
        if (!core_.step(close)) return std::nullopt;
        return core_.histogram();
    }
    std::uint64_t warmup() const override { return core_.first_value_bar(); }

private:
    explicit MacdHistogram(MacdCore core) : core_(core) {}
    MacdCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, MacdHistogram);

}  // namespace torvex
