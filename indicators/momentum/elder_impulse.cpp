#include "indicators/momentum/elder_impulse.hpp"

#include <algorithm>

namespace torvex {

std::expected<ElderImpulse, IndicatorError> ElderImpulse::create(std::uint64_t e, std::uint64_t fast,
                                                                 std::uint64_t slow, std::uint64_t signal) {
    auto ema = SeededEma::create(e);
    if (!ema) return std::unexpected(ema.error());
    auto macd = MacdCore::create(fast, slow, signal);
    if (!macd) return std::unexpected(macd.error());
    return ElderImpulse(*ema, *macd);
}

std::uint64_t ElderImpulse::warmup() const {
    // The first bar with both an average and a histogram only primes the comparison.
    return std::max(ema_.period(), macd_.first_value_bar()) + 1;
}

std::optional<double> ElderImpulse::step(double close) {
    const std::optional<double> ema = ema_.step(close);
    if (!macd_.step(close)) return std::nullopt;
    if (!ema) return std::nullopt;
    const double histogram = macd_.histogram();
    const std::optional<double> prev_ema = prev_ema_;
    const std::optional<double> prev_histogram = prev_histogram_;
    prev_ema_ = *ema;
    prev_histogram_ = histogram;
    if (!prev_ema || !prev_histogram) return std::nullopt;
    if (*ema > *prev_ema && histogram > *prev_histogram) return 1.0;
    if (*ema < *prev_ema && histogram < *prev_histogram) return -1.0;
    return 0.0;
}

}  // namespace torvex
