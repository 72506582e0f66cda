#include "indicators/momentum/rsx.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Rsx);

std::expected<Rsx, IndicatorError> Rsx::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Rsx(n, 3.0 / (static_cast<double>(n) + 2.0));
}

double Rsx::Cascade::step(double x, double alpha, double beta) {
    s1 = alpha * x + beta * s1;
    s2 = beta * s2 + alpha * s1;
    s3 = alpha * (1.5 * s1 - 0.5 * s2) + beta * s3;
    s4 = beta * s4 + alpha * s3;
    s5 = alpha * (1.5 * s3 - 0.5 * s4) + beta * s5;
    s6 = beta * s6 + alpha * s5;
    return 1.5 * s5 - 0.5 * s6;
}

}  // namespace torvex
