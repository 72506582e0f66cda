#include "indicators/momentum/rmi.hpp"

namespace torvex {

std::expected<Rmi, IndicatorError> Rmi::create(std::uint64_t n, std::uint64_t m) {
    if (n == 0 || m == 0) return std::unexpected(IndicatorError::zero_period());
    // The lag sizes the ring of closes and n the seed; neither may ask for an
    // unbounded allocation.
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(m); !ok) return std::unexpected(ok.error());
    return Rmi(n, m);
}

std::optional<double> Rmi::step(double close) {
    if (closes_.size() < lag_) {
        closes_.push_back(close);
        return std::nullopt;
    }
    const double old = closes_.front();
    closes_.pop_front();
    closes_.push_back(close);
    const double change = close - old;
    const double gain = change > 0.0 ? change : 0.0;
    const double loss = change < 0.0 ? -change : 0.0;

    const double n = static_cast<double>(period_);
    if (seeded_) {
        avg_gain_ = (gain + (n - 1.0) * avg_gain_) / n;
        avg_loss_ = (loss + (n - 1.0) * avg_loss_) / n;
    } else {
        seed_gain_ = seed_gain_ + gain;
        seed_loss_ = seed_loss_ + loss;
        seed_count_ += 1;
        if (seed_count_ < period_) return std::nullopt;
        avg_gain_ = seed_gain_ / n;
        avg_loss_ = seed_loss_ / n;
        seeded_ = true;
    }
    const double total = avg_gain_ + avg_loss_;
    if (total == 0.0) return 50.0;
    return (avg_gain_ / total) * 100.0;
}

}  // namespace torvex
