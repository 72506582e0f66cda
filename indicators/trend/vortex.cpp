#include "indicators/trend/vortex.hpp"

#include <cmath>

#include "indicators/cores/wilder_atr.hpp"

namespace torvex {

std::expected<Vortex, IndicatorError> Vortex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Vortex(n);
}

std::optional<std::array<double, 2>> Vortex::step(const BarContext& ctx) {
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
    }
    if (!window_.full()) return std::nullopt;
    if (sums_.tr == 0.0) return std::array<double, 2>{0.0, 0.0};
    return std::array<double, 2>{sums_.plus / sums_.tr, sums_.minus / sums_.tr};
}

}  // namespace torvex
