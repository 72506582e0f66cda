#include "indicators/momentum/apo.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Apo);

std::expected<Apo, IndicatorError> Apo::create(std::uint64_t fast, std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) {
        return std::unexpected(IndicatorError::invalid_period("APO fast period must be strictly less than slow"));
    }
    if (auto ok = check_max_period(fast); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(slow); !ok) return std::unexpected(ok.error());
    return Apo(fast, slow);
}

}  // namespace torvex
