// Bands at k Wilder ATRs (period n) around an average of the close (period m): the
// shared body of the Keltner channel and the STARC bands, which differ only in the
// centre average. Both the average and the ATR advance on every bar.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/bar.hpp"
#include "indicators/cores/wilder_atr.hpp"
#include "indicators/error.hpp"

namespace torvex {

// `Centre` offers `static create(m)`, `std::optional<double> step(double)` and `period()`.
template <class Centre>
class AtrEnvelope {
public:
    // In order: k not finite or not above 0: NonPositiveMultiplier; then the centre's
    // checks on m; then n = 0: ZeroPeriod, n above MAX_PERIOD: InvalidPeriod.
    static std::expected<AtrEnvelope, IndicatorError> create(std::uint64_t m, std::uint64_t n, double k) {
        if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
        auto centre = Centre::create(m);
        if (!centre) return std::unexpected(centre.error());
        auto atr = WilderAtr::create(n);
        if (!atr) return std::unexpected(atr.error());
        return AtrEnvelope(std::move(*centre), *atr, k);
    }

    // A bar that passed the candle rule; (upper, middle, lower) once both are ready.
    std::optional<std::array<double, 3>> step(const Ohlcv& bar) {
        const std::optional<double> middle = centre_.step(bar.close);
        const std::optional<double> atr = atr_.step(bar);
        if (!atr || !middle) return std::nullopt;
        const double offset = *atr * multiplier_;
        return std::array<double, 3>{*middle + offset, *middle, *middle - offset};
    }

    std::uint64_t warmup() const { return std::max<std::uint64_t>(centre_.period(), atr_.period()); }

private:
    AtrEnvelope(Centre centre, WilderAtr atr, double k) : centre_(std::move(centre)), atr_(atr), multiplier_(k) {}

    Centre centre_;
    WilderAtr atr_;
    double multiplier_;
};

}  // namespace torvex
