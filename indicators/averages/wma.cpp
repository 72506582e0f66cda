#include "indicators/averages/wma.hpp"

namespace torvex {

WmaCore::WmaCore(std::uint64_t n)
    : ring_(n),
      period_(n),
      denominator_((static_cast<double>(n) + 1.0) * static_cast<double>(n) * 0.5) {}

std::expected<WmaCore, IndicatorError> WmaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return WmaCore(n);
}

std::optional<double> WmaCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    const double n = static_cast<double>(period_);
    if (!ring_.full()) {
        ring_.push_back(x);
        plain_sum_ = x + plain_sum_;
        if (!ring_.full()) return std::nullopt;
        // Full for the first time: the weighted sum is added up once, oldest first.
        double w = -0.0;
        double i = 1.0;
        ring_.for_each([&](double v) {
            w += i * v;
            i += 1.0;
        });
        weighted_sum_ = w;
        return weighted_sum_ / denominator_;
    }
    const double old = *ring_.push(x);
    weighted_sum_ = n * x + (weighted_sum_ - plain_sum_);
    plain_sum_ = x + (plain_sum_ - old);
    // Every n updates the ring has turned once; on every 16th turn both sums are
    // re-added so that drift cannot build up.
    since_full_ += 1;
    if (since_full_ == period_) {
        since_full_ = 0;
        wraps_ += 1;
        if (wraps_ == 16) {
            resum();
            wraps_ = 0;
        }
    }
    return weighted_sum_ / denominator_;
}

void WmaCore::resum() {
    double w = -0.0;
    double p = -0.0;
    double i = 1.0;
    ring_.for_each([&](double v) {
        w += i * v;
        p += v;
        i += 1.0;
    });
    weighted_sum_ = w;
    plain_sum_ = p;
}

std::expected<Wma, IndicatorError> Wma::create(std::uint64_t n) {
    auto core = WmaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Wma(std::move(*core));
}

}  // namespace torvex
