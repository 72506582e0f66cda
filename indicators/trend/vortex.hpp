// Vortex indicator: over the last n bars, the summed upward and downward vortex
// movements |high − previous low| and |low − previous high|, each divided by the
// summed true range.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Vortex final : public MultiOutput<Vortex, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"plus", "minus"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Vortex, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        if (!prev_) {
            prev_ = bar;
            return std::nullopt;
        }
        const Movement m{std::fabs(bar.high - prev_->low), std::fabs(bar.low - prev_->high), true_range(bar, prev_->close)};
        prev_ = bar;

        if (const std::optional<Movement> old = window_.push(m)) {
            sums_.plus -= old->plus;
            sums_.minus -= old->minus;
            sums_.tr -= old->tr;
        }
        sums_.plus += m.plus;
        sums_.minus += m.minus;
        sums_.tr += m.tr;
        if (clock_.tick(sums_.plus, sums_.minus, sums_.tr)) {
            Movement s{-0.0, -0.0, -0.0};
            window_.for_each([&](const Movement& e) {
                s.plus += e.plus;
                s.minus += e.minus;
                s.tr += e.tr;
            });
            sums_ = s;
            clock_.settle(
                ResumClock::first_leaves(window_.capacity(), window_.size()),
                [this](auto&& fn) { window_.for_each([&fn](const Movement& e) { fn(e.plus, e.minus, e.tr); }); }, s.plus,
                s.minus, s.tr);
        }
        if (!window_.full()) return std::nullopt;
        if (sums_.tr == 0.0) return std::array<double, 2>{0.0, 0.0};
        return std::array<double, 2>{sums_.plus / sums_.tr, sums_.minus / sums_.tr};
    }
    std::uint64_t warmup() const override { return window_.capacity() + 1; }

private:
    struct Movement {
        double plus;
        double minus;
        double tr;
    };

    explicit Vortex(std::uint64_t n) : window_(n), clock_(n) {}

    std::optional<Ohlcv> prev_;
    FixedRing<Movement> window_;
    Movement sums_{0.0, 0.0, 0.0};
    // The true-range sum is tested for exactly zero: it is re-added from the window
    // every n bars and as a value that dwarfed it leaves, so a window that has
    // turned flat reads as flat.
    ResumClock clock_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Vortex, 2);

}  // namespace torvex
