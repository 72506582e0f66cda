// Elder's SafeZone stop: k times the average depth by which bars pierced the previous
// bar's low (while long) or high (while short), averaged over the last n bars that
// pierced, beyond this bar's low or high. The stop only tightens; a close strictly
// beyond it flips the trend and restarts it from that bar.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/penetration_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/rolling_window.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class ElderSafeZone final : public MultiOutput<ElderSafeZone, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"value", "direction"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod; then k not finite or not
    // above 0: NonPositiveMultiplier.
    static std::expected<ElderSafeZone, IndicatorError> create(std::uint64_t n, double k);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        if (!previous_) {
            previous_ = bar;
            return std::nullopt;
        }
        const double down = max_skipping_nan(previous_->low - bar.low, 0.0);
        const double up = max_skipping_nan(bar.high - previous_->high, 0.0);
        previous_ = bar;
        down_.push(down);
        up_.push(up);
        if (!down_.ring.full()) return std::nullopt;
        const double avg_down = down_.ring.average_positive();
        const double avg_up = up_.ring.average_positive();
        if (direction_ == 0.0) {
            direction_ = 1.0;
            stop_ = bar.low - multiplier_ * avg_down;
        } else if (direction_ > 0.0) {
            stop_ = max_skipping_nan(bar.low - multiplier_ * avg_down, stop_);
            if (stop_ > bar.close) {
                direction_ = -1.0;
                stop_ = bar.high + multiplier_ * avg_up;
            }
        } else {
            stop_ = min_skipping_nan(bar.high + multiplier_ * avg_up, stop_);
            if (bar.close > stop_) {
                direction_ = 1.0;
                stop_ = bar.low - multiplier_ * avg_down;
            }
        }
        return std::array<double, 2>{stop_, direction_};
    }
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    // The penetrations of one side and when their running sum is re-added: every n
    // pushes, and as a depth that dwarfed the sum leaves, so a window in which no
    // bar pierced far reads its own small depths exactly.
    struct Side {
        PenetrationRing ring;
        ResumClock clock;

        void push(double depth) {
            ring.push(depth);
            if (clock.tick(ring.sum())) {
                ring.resum();
                settle_window(clock, ring.values(), ring.values().capacity(), ring.sum());
            }
        }
    };

    ElderSafeZone(PenetrationRing down, PenetrationRing up, std::uint64_t n, double k)
        : down_{std::move(down), ResumClock(n)}, up_{std::move(up), ResumClock(n)}, period_(n), multiplier_(k) {}

    Side down_;
    Side up_;
    std::uint64_t period_;
    double multiplier_;
    std::optional<Ohlcv> previous_;
    double direction_ = 0.0;  // 0.0 until the first value, then +1.0 or -1.0
    double stop_ = 0.0;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ElderSafeZone, 2);

}  // namespace torvex
