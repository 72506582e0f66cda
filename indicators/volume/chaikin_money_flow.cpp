#include "indicators/volume/chaikin_money_flow.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ChaikinMoneyFlow);

std::expected<ChaikinMoneyFlow, IndicatorError> ChaikinMoneyFlow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ChaikinMoneyFlow(n);
}

}  // namespace torvex
