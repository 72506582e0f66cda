#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

PositionSums PositionSums::of(std::uint64_t n) {
    const double nf = static_cast<double>(n);
    const double sum_x = 0.5 * ((nf - 1.0) * nf);
    const double sum_x2 = ((2.0 * nf - 1.0) * ((nf - 1.0) * nf)) / 6.0;
    return PositionSums{nf, sum_x, sum_x2, nf * sum_x2 - sum_x * sum_x};
}

std::expected<LinRegCore, IndicatorError> LinRegCore::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("linear regression needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return LinRegCore(n);
}

}  // namespace torvex
