// Demand index: buying against selling pressure, scaled from −100 to 100.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resummed_ring.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class DemandIndex final : public CandleIndicator<DemandIndex> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<DemandIndex, IndicatorError> create(std::uint64_t n);

    // Nothing on the first bar and until n two-bar ranges are held; the last value
    // (0 at first) while a price, the mean range or the mean volume is 0.
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return ranges_.period() + 1; }

private:
    explicit DemandIndex(std::uint64_t n);

    std::optional<Ohlcv> prev_;
    // Both means are tested for zero, so the sums are re-added every n bars.
    ResummedRing volumes_;
    ResummedRing ranges_;
    SeededEma buying_;   // seed length 1, alpha 2/(n + 1)
    SeededEma selling_;
    double n_;
    double last_ = 0.0;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, DemandIndex);

}  // namespace torvex
