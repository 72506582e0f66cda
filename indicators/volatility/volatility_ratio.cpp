#include "indicators/volatility/volatility_ratio.hpp"

#include <cmath>
#include <cstdint>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, VolatilityRatio);

std::expected<VolatilityRatio, IndicatorError> VolatilityRatio::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VolatilityRatio(n);
}

// E is held times 2^k: the ratio to E in its own units is 2^k·TR over the held E (one
// rounding, as the plain quotient), or the ratio to the held E times 2^k where 2^k·TR
// overflows. Beyond the largest double it reads 0, as does an E that is not above 0.
double VolatilityRatio::step_low(double tr) {
    if (!scale_.active()) held_ = *ema_;
    scale_.settle({&held_});
    const double e = held_;
    double ratio = 0.0;
    if (e > 0.0) {
        const int k = DecayScale::shift_of(scale_.exponent());
        const double scaled_tr = std::ldexp(tr, k);
        ratio = std::isfinite(scaled_tr) ? scaled_tr / e : std::ldexp(tr / e, k);
        if (!std::isfinite(ratio)) ratio = 0.0;
    }
    scale_.enter({&held_}, {&tr});
    held_ = tr * alpha_ + held_ * (1.0 - alpha_);
    scale_.settle({&held_});
    ema_ = scale_.own(held_);
    last_ = ratio;
    return ratio;
}

}  // namespace torvex
