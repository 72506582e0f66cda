#include "indicators/volume/vzo.hpp"

#include "indicators/cores/scaled_averages.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Vzo);

std::expected<Vzo, IndicatorError> Vzo::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Vzo(n);
}

// Both averages are seeded once the group is scaled: the usual steps on the held values.
std::optional<double> Vzo::step_scaled(double signed_volume, double volume) {
    enter_averages(scale_, signed_volume, volume, position_, total_);
    position_.smooth(signed_volume);
    total_.smooth(volume);
    return scaled_answer();
}

// The quotient of the held averages is that of the averages; 0 where the total is 0 in
// exact arithmetic (no volume at all).
double Vzo::scaled_answer() {
    settle_averages(scale_, position_, total_);
    const double tv = total_.value();
    return tv == 0.0 ? 0.0 : position_.value() * 100.0 / tv;
}

}  // namespace torvex
