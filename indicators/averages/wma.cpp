#include "indicators/averages/wma.hpp"

namespace torvex {

WmaCore::WmaCore(std::uint64_t n)
    : buf_(n, 0.0),
      period_(n),
      denominator_((static_cast<double>(n) + 1.0) * static_cast<double>(n) * 0.5) {}

std::expected<WmaCore, IndicatorError> WmaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return WmaCore(n);
}

std::optional<double> WmaCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    const double n = static_cast<double>(period_);
    if (count_ < period_) {
        buf_[head_] = x;
        head_ += 1;
        if (head_ == period_) head_ = 0;
        plain_sum_ = x + plain_sum_;
        count_ += 1;
        if (count_ < period_) return std::nullopt;
        // Full for the first time: head is back at 0, so the ring is in arrival order.
        double w = -0.0;
        for (std::uint64_t i = 0; i < period_; ++i) w += static_cast<double>(i + 1) * buf_[i];
        weighted_sum_ = w;
        return weighted_sum_ / denominator_;
    }
    const double old = buf_[head_];
    buf_[head_] = x;
    weighted_sum_ = n * x + (weighted_sum_ - plain_sum_);
    plain_sum_ = x + (plain_sum_ - old);
    head_ += 1;
    if (head_ == period_) {
        head_ = 0;
        wraps_ += 1;
        if (wraps_ == 16) {
            double w = -0.0;
            double p = -0.0;
            for (std::uint64_t i = 0; i < period_; ++i) {
                w += static_cast<double>(i + 1) * buf_[i];
                p += buf_[i];
            }
            weighted_sum_ = w;
            plain_sum_ = p;
            wraps_ = 0;
        }
    }
    return weighted_sum_ / denominator_;
}

std::expected<Wma, IndicatorError> Wma::create(std::uint64_t n) {
    auto core = WmaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Wma(std::move(*core));
}

}  // namespace torvex
