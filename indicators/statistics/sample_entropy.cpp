#include "indicators/statistics/sample_entropy.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, SampleEntropy);

SampleEntropy::SampleEntropy(std::uint64_t n, std::uint64_t m, double r_factor)
    : window_(n), period_(n), m_(m), r_factor_(r_factor) {
    scratch_.reserve(n);
}

std::expected<SampleEntropy, IndicatorError> SampleEntropy::create(std::uint64_t n, std::uint64_t m,
                                                                  double r_factor) {
    if (n == 0 || m == 0) return std::unexpected(IndicatorError::zero_period());
    // n >= m + 2 tested without forming m + 2, which could wrap.
    if (n < 2 || m > n - 2) {
        return std::unexpected(IndicatorError::invalid_period("sample entropy needs period >= m + 2"));
    }
    if (!is_finite(r_factor) || !(r_factor > 0.0)) {
        return std::unexpected(IndicatorError::invalid_parameter("sample entropy r_factor must be finite and positive"));
    }
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return SampleEntropy(n, m, r_factor);
}

std::optional<double> SampleEntropy::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    scratch_.assign(window_.begin(), window_.end());
    const double* x = scratch_.data();
    const double n = static_cast<double>(period_);

    double total = -0.0;
    for (std::uint64_t i = 0; i < period_; ++i) total += x[i];
    const double mean = total / n;
    double squares = 0.0;
    for (std::uint64_t i = 0; i < period_; ++i) {
        const double d = x[i] - mean;
        squares += d * d;
    }
    const double var = std::max(squares / n, 0.0);
    if (var == 0.0 || m_ == period_) return 0.0;
    const double r = std::sqrt(var) * r_factor_;

    std::uint64_t b = 0;
    std::uint64_t a = 0;
    const std::uint64_t starts = period_ - m_;  // start positions 0 .. n − m − 1
    for (std::uint64_t i = 0; i < starts; ++i) {
        for (std::uint64_t j = i + 1; j < starts; ++j) {
            bool matched = true;
            for (std::uint64_t k = 0; k < m_; ++k) {
                if (std::fabs(x[i + k] - x[j + k]) > r) {
                    matched = false;
                    break;
                }
            }
            if (!matched) continue;
            b += 1;
            if (!(std::fabs(x[i + m_] - x[j + m_]) > r)) a += 1;
        }
    }
    if (b == 0) return 0.0;
    if (a == 0) return std::log(static_cast<double>(b));
    return -std::log(static_cast<double>(a) / static_cast<double>(b));
}

}  // namespace torvex
