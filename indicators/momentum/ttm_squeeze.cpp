#include "indicators/momentum/ttm_squeeze.hpp"

#include <algorithm>

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, TtmSqueeze, 2);

std::expected<TtmSqueeze, IndicatorError> TtmSqueeze::create(std::uint64_t n, double bb_mult, double kc_mult) {
    if (n < 2)
        return std::unexpected(IndicatorError::invalid_period("TTM squeeze needs period >= 2 for the momentum regression"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    auto bands = BollingerCore::create(n, bb_mult);
    if (!bands) return std::unexpected(bands.error());
    if (!(is_finite(kc_mult) && kc_mult > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto atr = WilderAtr::create(n);
    if (!atr) return std::unexpected(atr.error());
    auto middle = SmaCore::create(n);
    if (!middle) return std::unexpected(middle.error());
    return TtmSqueeze(*atr, std::move(*bands), std::move(*middle), n, kc_mult);
}

TtmSqueeze::TtmSqueeze(WilderAtr atr, BollingerCore bands, SmaCore middle, std::uint64_t n, double kc_mult)
    : atr_(atr),
      range_(n),
      closes_(n),
      bands_(std::move(bands)),
      middle_(std::move(middle)),
      kc_mult_(kc_mult),
      pos_(PositionSums::of(n)) {}

std::optional<std::array<double, 2>> TtmSqueeze::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    range_.push(bar.high, bar.low);
    closes_.push(bar.close);
    const std::optional<BandPoint> band = bands_.step(bar.close);
    const std::optional<double> middle = middle_.step(bar.close);
    const std::optional<double> atr = atr_.step(bar);
    if (!atr || !band || !middle) return std::nullopt;
    double keltner = *middle;
    double lower = band->lower;
    double upper = band->upper;
    if (band->stddev == 0.0 && closes_flat()) [[unlikely]] keltner = lower = upper = closes_.newest();
    const double width = *atr * kc_mult_;
    const bool inside = keltner - width <= lower && upper <= keltner + width;
    const double mid = midpoint(keltner, midpoint(range_.highest(), range_.lowest()));
    return std::array<double, 2>{inside ? 1.0 : 0.0, momentum(mid)};
}

bool TtmSqueeze::closes_flat() {
    const std::uint64_t n = closes_.capacity();
    const std::uint64_t now = middle_.updates_since_full();
    const double last = closes_.newest();
    if (run_asked_ != 0 && run_asked_ + 1 == now) {
        // The run ended one close back; this close extends it or starts a new one.
        run_ = closes_.from_newest(1) == last ? std::min(run_ + 1, n) : 1;
    } else {
        run_ = 1;
        while (run_ < n && closes_.from_newest(run_) == last) run_ += 1;
    }
    run_asked_ = now;
    return run_ == n;
}

double TtmSqueeze::momentum(double mid) const {
    const LineFit fit = fit_about(closes_, mid, pos_);
    return fit.intercept + (pos_.n - 1.0) * fit.slope;
}

}  // namespace torvex
