#include "indicators/momentum/smi.hpp"

#include <algorithm>
#include <limits>

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Smi);

namespace {
// An average refuses a non-finite input (an overflowing range or distance): it
// does not move and answers nothing.
std::optional<double> finite_step(SeededEma& average, double x) {
    if (!is_finite(x)) return std::nullopt;
    return average.step(x);
}
}  // namespace

std::expected<Smi, IndicatorError> Smi::create(std::uint64_t k, std::uint64_t d1, std::uint64_t d2) {
    if (k == 0 || d1 == 0 || d2 == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(d1); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(d2); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(k); !ok) return std::unexpected(ok.error());
    return Smi(k, d1, d2);
}

std::optional<double> Smi::step(const Ohlcv& bar) {
    range_.push(bar.high, bar.low);
    if (!range_.full()) return std::nullopt;
    const double hh = range_.highest();
    const double ll = range_.lowest();
    const double range = hh - ll;
    // The close's distance from the midpoint, taken as its distance from the low less
    // half the range: a close inside the range then stays within half of it after
    // rounding, where the rounded midpoint of a range a few ulps wide can sit beyond
    // half of it and carry the index past ±100.
    const double distance = (bar.close - ll) - 0.5 * range;
    const std::optional<double> a = finite_step(e1_, distance);
    const std::optional<double> b = finite_step(e3_, range);
    std::optional<double> c;
    std::optional<double> d;
    if (a) c = finite_step(e2_, *a);
    if (b) d = finite_step(e4_, *b);
    if (!c || !d) return std::nullopt;
    // A flat run decays both averages alike, so the index holds still in exact
    // arithmetic; once the range's average has decayed below the smallest normal
    // double, the two have lost their digits to underflow (the quotient reads noise,
    // and infinity where half the range rounds to 0), so the last index stands.
    if (!positive_normal(*d)) return last_;
    // A close within its range keeps the index within ±100; the roundings of the
    // averages may carry it a few ulps past, and a distance too large for ×100 past
    // the largest double.
    const double smi = std::clamp((*c * 100.0) / (*d * 0.5), -100.0, 100.0);
    last_ = smi;
    return smi;
}

}  // namespace torvex
