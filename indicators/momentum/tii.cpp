#include "indicators/momentum/tii.hpp"

namespace torvex {

std::expected<Tii, IndicatorError> Tii::create(std::uint64_t n, std::uint64_t m) {
    if (n == 0 || m == 0) return std::unexpected(IndicatorError::zero_period());
    auto average = SmaCore::create(n);
    if (!average) return std::unexpected(average.error());
    // m sizes the deviation window.
    if (auto ok = check_max_period(m); !ok) return std::unexpected(ok.error());
    return Tii(std::move(*average), m);
}

void Tii::resum() {
    double pos = 0.0;
    double neg = 0.0;
    for (double d : deviations_) {
        if (d > 0.0) pos = d + pos;
        else if (d < 0.0) neg = neg - d;
    }
    pos_sum_ = pos;
    neg_sum_ = neg;
}

}  // namespace torvex
