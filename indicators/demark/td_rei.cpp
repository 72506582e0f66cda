#include "indicators/demark/td_rei.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TdRei);

std::expected<TdRei, IndicatorError> TdRei::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TdRei(n);
}

std::optional<double> TdRei::step(const Ohlcv& bar) {
    if (bars_.full()) bars_.drop_oldest();
    if (bars_.size() < 8) {
        bars_.push_back(bar);
        return std::nullopt;
    }
    // k bars back is the (k - 1)-th from the newest held bar.
    const auto back = [this](std::size_t k) -> const Ohlcv& { return bars_.from_newest(k - 1); };
    const double h = bar.high;
    const double l = bar.low;
    const Ohlcv& b2 = back(2);
    const bool overlaps_five_six = (h >= back(5).low || h >= back(6).low) && (l <= back(5).high || l <= back(6).high);
    const bool two_overlaps_seven_eight = (b2.high >= back(7).close || b2.high >= back(8).close) &&
                                          (b2.low <= back(7).close || b2.low <= back(8).close);
    const double numerator = overlaps_five_six || two_overlaps_seven_eight ? (h - b2.high) + (l - b2.low) : 0.0;
    const double denominator = std::fabs(h - b2.high) + std::fabs(l - b2.low);
    if (numerators_.full()) {
        numerators_.drop_oldest();
        denominators_.drop_oldest();
    }
    numerators_.push_back(numerator);
    denominators_.push_back(denominator);
    bars_.push_back(bar);
    if (!numerators_.full()) return std::nullopt;
    const double d = sum_from_oldest(denominators_);
    if (d == 0.0) return 0.0;
    return std::clamp(sum_from_oldest(numerators_) * 100.0 / d, -100.0, 100.0);
}

}  // namespace torvex
