#include "indicators/profiles/initial_balance.hpp"

namespace torvex {

std::expected<InitialBalance, IndicatorError> InitialBalance::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return InitialBalance(n);
}

}  // namespace torvex
