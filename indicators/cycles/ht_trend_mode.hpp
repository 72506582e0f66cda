// Whether the close trends (1.0) or cycles (0.0), from the dominant cycle's phase,
// its sine and lead sine, and the distance of the smoothed price from the
// instantaneous trendline (Hilbert transform).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/hilbert_core.hpp"
#include "indicators/cores/mirrored_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class HtTrendMode final : public CloseIndicator<HtTrendMode> {
public:
    static std::expected<HtTrendMode, IndicatorError> create() { return HtTrendMode(); }

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 50; }

private:
    HtTrendMode() : close_history_(50) {}

    HomodyneEstimator est_;
    HistoryList<50> smooth_history_;
    MirroredWindow close_history_;  // the last 50 closes, oldest first
    double smooth_period_ = 0.0;
    double prev_phase_ = 0.0;
    double prev_sine_ = 0.0;
    double prev_lead_ = 0.0;
    double days_in_trend_ = 0.0;
    double itrend1_ = 0.0;
    double itrend2_ = 0.0;
    double itrend3_ = 0.0;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, HtTrendMode);

}  // namespace torvex
