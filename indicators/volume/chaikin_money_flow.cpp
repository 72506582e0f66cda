#include "indicators/volume/chaikin_money_flow.hpp"

namespace torvex {

std::expected<ChaikinMoneyFlow, IndicatorError> ChaikinMoneyFlow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ChaikinMoneyFlow(n);
}

}  // namespace torvex
