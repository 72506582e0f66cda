// DeMark D-wave: numbers the alternating swings 1 to 8 (then 1 again). A swing high
// (low) is a bar whose high (low) is strictly beyond those of the n bars on each side;
// only a swing of the other kind than the last one advances the wave.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/strict_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TdDWave final : public CandleIndicator<TdDWave> {
public:
    // n == 0: ZeroPeriod; above MAX_PERIOD: the maximum text.
    static std::expected<TdDWave, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
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
    std::uint64_t warmup() const override { return 2 * n_ + 1; }

private:
    enum class Swing : std::uint8_t { Low = 0, High = 1, None = 2 };

    explicit TdDWave(std::uint64_t n) : bars_(2 * n + 1), n_(n) {}

    std::optional<double> last_;
    FixedRing<Ohlcv> bars_;
    std::uint64_t n_;
    std::uint64_t wave_ = 0;
    Swing last_swing_ = Swing::None;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TdDWave);

}  // namespace torvex
