// Yang-Zhang volatility: the overnight variance plus k times the open-to-close
// variance plus (1 − k) times the Rogers-Satchell variance, annualised in percent.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/shifted_sums.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class YangZhangVolatility final : public CandleIndicator<YangZhangVolatility> {
public:
    // n = 0 or y = 0: ZeroPeriod; n = 1: InvalidPeriod "Yang-Zhang period must be
    // >= 2"; n above MAX_PERIOD: InvalidPeriod.
    static std::expected<YangZhangVolatility, IndicatorError> create(std::uint64_t n, std::uint64_t y);

    // The first bar only keeps its close; answers once n bars have a previous close.
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    // One bar's three log terms: overnight, open to close, Rogers-Satchell.
    struct Terms {
        double overnight = 0.0;
        double open_close = 0.0;
        double rs = 0.0;
    };

    YangZhangVolatility(std::uint64_t n, std::uint64_t y);

    // The rest of the moment windows' re-centring test after a periodic turn, or an
    // update whose first questions left a watch to ask (`ask_*`; `overnight` and
    // `open_close` are the terms it added), with the re-centring it calls for. Out of
    // line: rare, and step keeps its registers.
    [[gnu::noinline]] void settle(bool periodic, bool ask_overnight, bool ask_open_close, double overnight,
                                  double open_close);

    // Sample variance of a moment window, fma(n, −m·m, Σ²) / (n − 1), clamped at 0.
    double sample_variance(const ShiftedSums& s) const;

    std::optional<double> prev_close_;
    std::optional<double> last_;
    CappedRing<Terms> window_;
    ShiftedSums overnight_;
    ShiftedSums open_close_;
    std::uint64_t period_;
    std::uint64_t per_year_;
    double k_;
    // Kept by adding and subtracting, and re-added from the window (from 0.0) only
    // when it falls far below its recent size: the range terms of a flat stretch
    // then sum to an exact zero once a huge range has left.
    double rs_sum_ = 0.0;
    ResumClock rs_clock_{ResumClock::kNoDrift};
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, YangZhangVolatility);

}  // namespace torvex
