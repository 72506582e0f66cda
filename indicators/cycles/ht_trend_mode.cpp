#include "indicators/cycles/ht_trend_mode.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, HtTrendMode);

std::optional<double> HtTrendMode::step(double close) {
    close_history_.push(close);
    const HomodyneStep st = est_.advance(close);
    if (st.smoothed) smooth_history_.push(*st.smoothed);
    if (!st.period_updated) return std::nullopt;

    smooth_period_ = 0.67 * smooth_period_ + 0.33 * est_.period();
    const DcPhase dc = measure_dc_phase(smooth_history_, smooth_period_);
    const double phase = dc.phase;
    const double sine = std::sin((phase * 3.141592653589793) / 180.0);
    const double lead = std::sin(((phase + 45.0) * 3.141592653589793) / 180.0);

    // The newest dc.window closes, newest first.
    const std::span<const double> closes = close_history_.view();
    double sum = 0.0;
    for (std::size_t k = 0; k < dc.window; ++k) sum += closes[closes.size() - 1 - k];
    const double itrend = sum / static_cast<double>(dc.window);
    const double trendline = ((2.0 * itrend2_ + (3.0 * itrend1_ + 4.0 * itrend)) + itrend3_) / 10.0;
    itrend3_ = itrend2_;
    itrend2_ = itrend1_;
    itrend1_ = itrend;

    double trend = 1.0;
    if ((sine > lead && prev_lead_ >= prev_sine_) || (lead > sine && prev_sine_ >= prev_lead_)) {
        days_in_trend_ = 0.0;
        trend = 0.0;
    }
    days_in_trend_ += 1.0;
    if (days_in_trend_ < 0.5 * smooth_period_) trend = 0.0;
    const double dphase = phase - prev_phase_;
    if (smooth_period_ != 0.0 && 241.20000000000002 / smooth_period_ < dphase && dphase < 540.0 / smooth_period_) {
        trend = 0.0;
    }
    const double s = *st.smoothed;
    if (trendline != 0.0 && std::fabs((s - trendline) / trendline) >= 0.015) trend = 1.0;
    prev_phase_ = phase;
    prev_sine_ = sine;
    prev_lead_ = lead;
    if (est_.count() < 50) return std::nullopt;
    return trend;
}

}  // namespace torvex
