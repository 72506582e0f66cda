#include "indicators/momentum/derivative_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, DerivativeOscillator);

DerivativeOscillator::DerivativeOscillator(RsiCore rsi, std::uint64_t smooth1, std::uint64_t smooth2,
                                           SmaCore signal)
    : rsi_(std::move(rsi)),
      smooth1_(smooth1),
      smooth2_(smooth2),
      signal_(std::move(signal)),
      // Each stage's first value is the previous stage's first plus its length less one.
      warmup_(rsi_.period() + smooth1 + smooth2 + signal_.period() - 2) {}

std::expected<DerivativeOscillator, IndicatorError> DerivativeOscillator::create(std::uint64_t rsi_period,
                                                                                 std::uint64_t smooth1,
                                                                                 std::uint64_t smooth2,
                                                                                 std::uint64_t signal) {
    if (rsi_period == 0 || smooth1 == 0 || smooth2 == 0 || signal == 0) {
        return std::unexpected(IndicatorError::zero_period());
    }
    auto rsi = RsiCore::create(rsi_period);
    if (!rsi) return std::unexpected(rsi.error());
    if (auto ok = check_max_period(smooth1); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(smooth2); !ok) return std::unexpected(ok.error());
    auto sma = SmaCore::create(signal);
    if (!sma) return std::unexpected(sma.error());
    return DerivativeOscillator(std::move(*rsi), smooth1, smooth2, std::move(*sma));
}

std::optional<double> DerivativeOscillator::step(double close) {
    const std::optional<double> r = rsi_.step(close);
    if (!r || !is_finite(*r)) return std::nullopt;
    const std::optional<double> a = smooth1_.step(*r);
    if (!a || !is_finite(*a)) return std::nullopt;
    const std::optional<double> b = smooth2_.step(*a);
    if (!b) return std::nullopt;
    // The simple average refuses a non-finite b by itself.
    const std::optional<double> m = signal_.step(*b);
    if (!m) return std::nullopt;
    return *b - *m;
}

}  // namespace torvex
