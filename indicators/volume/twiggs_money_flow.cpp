#include "indicators/volume/twiggs_money_flow.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TwiggsMoneyFlow);

std::expected<TwiggsMoneyFlow, IndicatorError> TwiggsMoneyFlow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TwiggsMoneyFlow(n);
}

}  // namespace torvex
