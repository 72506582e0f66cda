#include "indicators/demark/td_d_wave.hpp"

#include "indicators/cores/strict_extremes.hpp"

namespace torvex {

std::expected<TdDWave, IndicatorError> TdDWave::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TdDWave(n);
}

std::optional<double> TdDWave::step(const Ohlcv& bar) {
    if (bars_.full()) bars_.drop_oldest();
    const std::size_t held = bars_.size();
    bars_.push_back(bar);
    if (held != 2 * n_) return last_;

    // The centre bar, n bars back from the newest.
    const StrictExtremes centre = strict_extremes(bars_, n_);
    if (centre.high == centre.low) return last_;
    const Swing swing = centre.high ? Swing::High : Swing::Low;
    if (swing != last_swing_) {
        wave_ = wave_ % 8 + 1;
        last_swing_ = swing;
        last_ = static_cast<double>(wave_);
    }
    return last_;
}

}  // namespace torvex
