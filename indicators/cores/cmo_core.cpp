#include "indicators/cores/cmo_core.hpp"

#include "indicators/bar.hpp"

namespace torvex {

std::expected<CmoCore, IndicatorError> CmoCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CmoCore(n);
}

std::optional<double> CmoCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    if (!prev_) {
        prev_ = x;
        return std::nullopt;
    }
    const double d = x - *prev_;
    prev_ = x;
    if (window_.size() == period_) {
        const auto [g, l] = window_.front();
        window_.pop_front();
        sum_gain_ -= g;
        sum_loss_ -= l;
    }
    const double gain = d > 0.0 ? d : 0.0;
    const double loss = -d > 0.0 ? -d : 0.0;
    window_.push_back({gain, loss});
    sum_gain_ += gain;
    sum_loss_ += loss;
    if (clock_.tick(sum_gain_, sum_loss_)) {
        double g = -0.0;
        double l = -0.0;
        window_.for_each([&](const std::pair<double, double>& w) {
            g += w.first;
            l += w.second;
        });
        sum_gain_ = g;
        sum_loss_ = l;
    }
    if (window_.size() < period_) return std::nullopt;
    const double total = sum_gain_ + sum_loss_;
    const double answer = total == 0.0 ? 0.0 : 100.0 * (sum_gain_ - sum_loss_) / total;
    last_ = answer;
    return answer;
}

}  // namespace torvex
