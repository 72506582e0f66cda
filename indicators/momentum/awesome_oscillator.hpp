// Awesome oscillator: the fast simple average of the bar midpoint minus the slow
// one; its core is shared by the histogram and accelerator forms.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class AwesomeCore {
public:
    // Z(fast) and Z(slow); fast >= slow: InvalidPeriod "AO fast period must be
    // strictly less than slow"; M(fast), then M(slow).
    static std::expected<AwesomeCore, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    // A candle that already passed the candle rule. Both averages take the midpoint
    // on every bar; the difference once the slow one has its value.
    std::optional<double> step(const Ohlcv& bar) {
        const double m = midpoint(bar.high, bar.low);
        const std::optional<double> f = fast_.step(m);
        const std::optional<double> s = slow_.step(m);
        if (!f || !s) return std::nullopt;
        return *f - *s;
    }

    std::uint64_t fast() const { return fast_.period(); }
    std::uint64_t slow() const { return slow_.period(); }

private:
    AwesomeCore(SmaCore fast, SmaCore slow) : fast_(std::move(fast)), slow_(std::move(slow)) {}

    SmaCore fast_;
    SmaCore slow_;
};

class AwesomeOscillator final : public CandleIndicator<AwesomeOscillator> {
public:
    static std::expected<AwesomeOscillator, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    std::optional<double> step(const Ohlcv& bar) { return core_.step(bar); }
    std::uint64_t warmup() const override { return core_.slow(); }

private:
    explicit AwesomeOscillator(AwesomeCore core) : core_(std::move(core)) {}
    AwesomeCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, AwesomeOscillator);

}  // namespace torvex
