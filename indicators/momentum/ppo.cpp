#include "indicators/momentum/ppo.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Ppo);

std::expected<PpoLine, IndicatorError> PpoLine::create(std::uint64_t fast, std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) return std::unexpected(IndicatorError::invalid_period("PPO fast period must be < slow period"));
    if (auto ok = check_max_period(slow); !ok) return std::unexpected(ok.error());
    return PpoLine(SeededEma(fast), SeededEma(slow));
}

std::expected<Ppo, IndicatorError> Ppo::create(std::uint64_t fast, std::uint64_t slow) {
    auto line = PpoLine::create(fast, slow);
    if (!line) return std::unexpected(line.error());
    return Ppo(*line);
}

}  // namespace torvex
