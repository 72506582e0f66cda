#include "indicators/volatility/mass_index.hpp"

namespace torvex {

std::expected<MassIndex, IndicatorError> MassIndex::create(std::uint64_t e, std::uint64_t s) {
    if (e == 0 || s == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(e); !ok) return std::unexpected(ok.error());
    // The sum window is allocated whole: a length beyond the window limit is refused
    // rather than left to exhaust memory.
    if (auto ok = check_max_period(s); !ok) return std::unexpected(ok.error());
    auto emas = EmaChain<2>::create(e);
    if (!emas) return std::unexpected(emas.error());
    return MassIndex(*emas, e, s);
}

std::optional<double> MassIndex::step(const Ohlcv& bar) {
    const double range = bar.high - bar.low;
    if (!is_finite(range)) return std::nullopt;
    const std::optional<std::array<double, 2>> emas = emas_.step(range);
    if (!emas) return std::nullopt;
    const auto [first, second] = *emas;
    const double ratio = second == 0.0 ? 1.0 : first / second;
    if (const std::optional<double> old = ratios_.push(ratio)) ratio_sum_ -= *old;
    ratio_sum_ += ratio;
    if (!ratios_.full()) return std::nullopt;
    last_ = ratio_sum_;
    return ratio_sum_;
}

}  // namespace torvex
