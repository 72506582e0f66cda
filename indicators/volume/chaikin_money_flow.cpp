#include "indicators/volume/chaikin_money_flow.hpp"

#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

std::expected<ChaikinMoneyFlow, IndicatorError> ChaikinMoneyFlow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ChaikinMoneyFlow(n);
}

std::optional<double> ChaikinMoneyFlow::step(const Ohlcv& bar) {
    flows_.push(money_flow_volume(bar));
    volumes_.push(bar.volume);
    if (!volumes_.full()) return std::nullopt;
    if (volumes_.sum() == 0.0) return 0.0;
    return flows_.sum() / volumes_.sum();
}

}  // namespace torvex
