#include "indicators/cores/bollinger_core.hpp"

#include <cmath>

#include "indicators/bar.hpp"

namespace torvex {

std::expected<BollingerCore, IndicatorError> BollingerCore::create(std::uint64_t n, double k) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return BollingerCore(n, k);
}

std::optional<BandPoint> BollingerCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    const bool was_full = count_ == period_;
    if (was_full) sums_.remove(buf_[head_]);
    buf_[head_] = x;
    sums_.add(x);
    if (!was_full) count_ += 1;
    head_ += 1;
    if (head_ == period_) head_ = 0;
    if (sums_.recenter_due(period_)) {
        const bool full = count_ == period_;
        sums_.recenter(count_, [&](auto&& fn) {
            if (full) {
                for (std::uint64_t i = head_; i < period_; ++i) fn(buf_[i]);
                for (std::uint64_t i = 0; i < head_; ++i) fn(buf_[i]);
            } else {
                for (std::uint64_t i = 0; i < count_; ++i) fn(buf_[i]);
            }
        });
    }
    if (count_ < period_) return std::nullopt;
    const double n = static_cast<double>(period_);
    const double mean = sums_.mean(n);
    const double sd = std::sqrt(sums_.population_variance(n));
    return BandPoint{mean + k_ * sd, mean, mean - k_ * sd, sd};
}

}  // namespace torvex
