#include "indicators/volatility/volatility_ratio.hpp"

#include <algorithm>
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
// overflows. Beyond the largest double it reads 0.
double VolatilityRatio::step_scaled(double tr) {
    const double e = *ema_;
    const int k = static_cast<int>(std::min<std::int64_t>(scale_.exponent(), 1 << 20));
    const double scaled_tr = std::ldexp(tr, k);
    double ratio = std::isfinite(scaled_tr) ? scaled_tr / e : std::ldexp(tr / e, k);
    if (!std::isfinite(ratio)) ratio = 0.0;
    scale_.enter({{&*ema_}}, {{&tr}});
    ema_ = tr * alpha_ + *ema_ * (1.0 - alpha_);
    settle();
    last_ = ratio;
    return ratio;
}

void VolatilityRatio::settle() { scale_.settle({{&*ema_}}); }

}  // namespace torvex
