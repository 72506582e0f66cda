#include "indicators/averages/frama.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Frama);

std::expected<Frama, IndicatorError> Frama::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("FRAMA period must be at least 2"));
    if (n % 2 != 0) return std::unexpected(IndicatorError::invalid_period("FRAMA period must be even"));
    return Frama(n);
}

std::optional<double> Frama::step(double close) {
    if (const std::optional<double> left = push_capped(recent_, half_, close)) older_.push(*left, *left);
    newer_.push(close, close);
    all_.push(close, close);
    if (!all_.full()) return std::nullopt;

    // Among equal extremes the oldest, as a scan of each from its oldest close finds.
    const double half = static_cast<double>(half_);
    const double n1 = (older_.highest() - older_.lowest()) / half;
    const double n2 = (newer_.highest() - newer_.lowest()) / half;
    const double n3 = (all_.highest() - all_.lowest()) / static_cast<double>(period_);

    double alpha = 0.01;
    if (n3 > 0.0 && n1 > 0.0 && n2 > 0.0) {
        const double dimension = (std::log(n1 + n2) - std::log(n3)) / 0.6931471805599453;
        alpha = std::exp(-4.6 * (dimension - 1.0));
        // Ranges so wide that they overflow make the dimension NaN; such a window
        // takes the same slow fallback as a flat one rather than poisoning the value.
        if (!(alpha >= 0.01)) alpha = 0.01;
        if (alpha > 1.0) alpha = 1.0;
    }
    const double prev = last_.value_or(close);
    const double value = (1.0 - alpha) * prev + close * alpha;
    last_ = value;
    return value;
}

}  // namespace torvex
