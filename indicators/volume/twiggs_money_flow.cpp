#include "indicators/volume/twiggs_money_flow.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TwiggsMoneyFlow);

std::expected<TwiggsMoneyFlow, IndicatorError> TwiggsMoneyFlow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TwiggsMoneyFlow(n);
}

// Both averages are seeded once the group is scaled: the usual steps on the held values.
double TwiggsMoneyFlow::step_scaled(double adv, double volume) {
    scale_.enter({{&*smoothed_ad_}, {&*smoothed_volume_}}, {{&adv}, {&volume}});
    smoothed_ad_ = *smoothed_ad_ + (adv - *smoothed_ad_) / n_;
    smoothed_volume_ = *smoothed_volume_ + (volume - *smoothed_volume_) / n_;
    return scaled_answer();
}

// The quotient of the held averages is that of the averages; 0 where the smoothed
// volume is 0 in exact arithmetic (no volume at all).
double TwiggsMoneyFlow::scaled_answer() {
    scale_.settle({{&*smoothed_ad_}, {&*smoothed_volume_}});
    return *smoothed_volume_ == 0.0 ? 0.0 : flow();
}

}  // namespace torvex
