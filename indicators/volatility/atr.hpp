// Average true range: the Wilder-smoothed true range of each bar.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Atr final : public CandleIndicator<Atr> {
public:
    static constexpr bool kStepsOnFields = true;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Atr, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) { return atr_.step(bar); }
    std::uint64_t warmup() const override { return atr_.period(); }

private:
    explicit Atr(WilderAtr atr) : atr_(atr) {}
    WilderAtr atr_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Atr);

}  // namespace torvex
