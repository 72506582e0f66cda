#include "indicators/pairs/distance_ssd.hpp"

namespace torvex {

std::expected<DistanceSsd, IndicatorError> DistanceSsd::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("distance SSD needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return DistanceSsd(period);
}

std::optional<double> DistanceSsd::step(double a, double b) {
    window_.push(PairInput{a, b});
    if (!window_.full()) return std::nullopt;
    const PairInput first = window_.front();
    if (first.a == 0.0 || first.b == 0.0) return 0.0;
    double sum = 0.0;
    window_.for_each([&](const PairInput& p) {
        const double d = p.a / first.a - p.b / first.b;
        sum += d * d;
    });
    return sum;
}

}  // namespace torvex
