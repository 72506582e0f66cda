#include "indicators/cycles/cybernetic_cycle.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, CyberneticCycle);

CyberneticCycle::CyberneticCycle(std::uint64_t n)
    : period_(n), alpha_(2.0 / (static_cast<double>(n) + 1.0)), gains_(TwoPoleGains::from_alpha(alpha_)) {}

std::expected<CyberneticCycle, IndicatorError> CyberneticCycle::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CyberneticCycle(n);
}

}  // namespace torvex
