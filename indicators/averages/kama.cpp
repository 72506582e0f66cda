#include "indicators/averages/kama.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Kama);

std::expected<Kama, IndicatorError> Kama::create(std::uint64_t n, std::uint64_t fast, std::uint64_t slow) {
    if (n == 0 || fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow)
        return std::unexpected(IndicatorError::invalid_period("KAMA fast period must be strictly less than slow"));
    // The window holds n + 1 closes: bound it like every other window.
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return Kama(n, 2.0 / (static_cast<double>(fast) + 1.0), 2.0 / (static_cast<double>(slow) + 1.0));
}

}  // namespace torvex
