// Normalised average true range: the Wilder ATR in percent of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Natr final : public CandleIndicator<Natr> {
public:
    static constexpr bool kStepsOnFields = true;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Natr, IndicatorError> create(std::uint64_t n);

    // atr·100 / close once the ATR has a value; 0 for a zero close.
    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> atr = atr_.step(bar);
        if (!atr) return std::nullopt;
        last_ = bar.close == 0.0 ? 0.0 : *atr * 100.0 / bar.close;
        return last_;
    }
    std::uint64_t warmup() const override { return atr_.period(); }

private:
    explicit Natr(WilderAtr atr) : atr_(atr) {}
    WilderAtr atr_;
    std::optional<double> last_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Natr);

}  // namespace torvex
