// Chaikin volatility: the rate of change, over r bars, of the exponential average
// of the bars' ranges, in percent.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ChaikinVolatility final : public CandleIndicator<ChaikinVolatility> {
public:
    // e = 0: ZeroPeriod; e above MAX_PERIOD: InvalidPeriod; then the same for r.
    static std::expected<ChaikinVolatility, IndicatorError> create(std::uint64_t e, std::uint64_t r);

    // A range or an average that is not finite answers nothing and leaves the
    // window alone. Once r + 1 averages are in: (ema − oldest) / oldest · 100, 0 for a
    // zero oldest.
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return ema_.period() + window_.capacity() - 1; }

private:
    ChaikinVolatility(std::uint64_t e, std::uint64_t r) : window_(r + 1), ema_(e) {}

    std::optional<double> last_;
    CappedRing<double> window_;
    SeededEma ema_;
};

}  // namespace torvex
