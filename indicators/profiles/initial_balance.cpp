#include "indicators/profiles/initial_balance.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, InitialBalance, 2);

std::expected<InitialBalance, IndicatorError> InitialBalance::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return InitialBalance(n);
}

}  // namespace torvex
