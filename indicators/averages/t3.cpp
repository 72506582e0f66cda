#include "indicators/averages/t3.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, T3);

std::expected<T3, IndicatorError> T3::create(std::uint64_t n, double v) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(v >= 0.0 && v <= 1.0))
        return std::unexpected(IndicatorError::invalid_period("T3 volume factor must be a finite value in [0.0, 1.0]"));
    auto chain = EmaChain<6>::create(n);
    if (!chain) return std::unexpected(chain.error());
    return T3(std::move(*chain), v);
}

T3::T3(EmaChain<6> chain, double v) : chain_(std::move(chain)) {
    const double v2 = v * v;
    const double v3 = v2 * v;
    c6_ = -v3;
    c5_ = 3.0 * v2 + 3.0 * v3;
    c4_ = ((-6.0 * v2) - 3.0 * v) - 3.0 * v3;
    c3_ = ((3.0 * v + 1.0) + v3) + 3.0 * v2;
}

}  // namespace torvex
