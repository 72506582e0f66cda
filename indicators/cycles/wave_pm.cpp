#include "indicators/cycles/wave_pm.hpp"

namespace torvex {

std::expected<WavePm, IndicatorError> WavePm::create(std::uint64_t n, std::uint64_t m) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (auto ok = check_period(m); !ok) return std::unexpected(ok.error());
    return WavePm(n, m);
}

}  // namespace torvex
