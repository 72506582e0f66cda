#include "indicators/cores/penetration_ring.hpp"

namespace torvex {

std::expected<PenetrationRing, IndicatorError> PenetrationRing::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return PenetrationRing(n);
}

void PenetrationRing::push(double x) {
    if (ring_.full()) {
        const double o = ring_[0];
        ring_.drop_oldest();
        sum_ -= o;
        if (o > 0.0) positives_ -= 1;
    }
    ring_.push_back(x);
    sum_ += x;
    if (x > 0.0) positives_ += 1;
}

double PenetrationRing::average_positive() const {
    if (positives_ == 0) return 0.0;
    return sum_ / static_cast<double>(positives_);
}

}  // namespace torvex
