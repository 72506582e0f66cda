#include "indicators/momentum/smi.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "indicators/cores/scaled_averages.hpp"
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
    if (scale_.active()) [[unlikely]] return step_scaled(distance, range);
    const std::optional<double> a = finite_step(e1_, distance);
    const std::optional<double> b = finite_step(e3_, range);
    std::optional<double> c;
    std::optional<double> d;
    if (a) c = finite_step(e2_, *a);
    if (b) d = finite_step(e4_, *b);
    if (!c || !d) return std::nullopt;
    if (!(*d >= DecayScale::kLow)) [[unlikely]] return scaled_answer();
    return answer(*c, *d);
}

// The index of averages whose range average is above 0. A close within its range keeps
// the index within ±100; the roundings of the averages may carry it a few ulps past,
// and a distance too large for ×100 past the largest double.
double Smi::answer(double c, double d) {
    const double smi = std::clamp((c * 100.0) / (d * 0.5), -100.0, 100.0);
    last_ = smi;
    return smi;
}

// Every average is seeded once the group is scaled: the usual steps on the held values.
std::optional<double> Smi::step_scaled(double distance, double range) {
    enter_averages(scale_, distance, range, e1_, e2_, e3_, e4_);
    const bool a = is_finite(distance);
    const bool b = is_finite(range);
    if (a) e1_.smooth(distance);
    if (b) e3_.smooth(range);
    const bool c = a && is_finite(e1_.value());
    const bool d = b && is_finite(e3_.value());
    if (c) e2_.smooth(e1_.value());
    if (d) e4_.smooth(e3_.value());
    if (!c || !d) return std::nullopt;
    return scaled_answer();
}

// The held averages' index, or the last index where the range's average is not above
// 0 (no range in exact arithmetic).
std::optional<double> Smi::scaled_answer() {
    settle_averages(scale_, e1_, e2_, e3_, e4_);
    if (!(e4_.value() > 0.0)) return last_;
    return answer(e2_.value(), e4_.value());
}

}  // namespace torvex
