#include "indicators/cores/sma_core.hpp"

#include "indicators/bar.hpp"

namespace torvex {

std::expected<SmaCore, IndicatorError> SmaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return SmaCore(n);
}

std::optional<double> SmaCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    const bool outweighs = ResumClock::dwarfs(x, sum_);
    if (const std::optional<double> old = ring_.push(x)) {
        sum_ = x + (sum_ - *old);
    } else {
        sum_ = x + sum_;
    }
    if (clock_.tick(outweighs)) sum_ = sum_from_oldest(ring_);
    if (ring_.full()) return sum_ / static_cast<double>(period_);
    return std::nullopt;
}

}  // namespace torvex
