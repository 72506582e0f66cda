#include "indicators/cores/multiset_variance.hpp"

#include <span>

#include "indicators/cores/shifted_sums.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

namespace {

struct DeviationSums {
    double s1 = 0.0;  // Σ(v − c)
    double s2 = 0.0;  // Σ(v − c)²
};

// The sums over ascending values of their deviations from their median c (the
// deviations above c and the magnitudes of those below it, each summed from c
// outwards, then put together). Rounding is symmetric, so c − v is exactly the negated
// v − c: the negated values about −c have the same two sums with their roles swapped,
// which gives the negated first sum and the same second one.
DeviationSums sums_about_median(std::span<const double> v, double c) {
    // v − c keeps the order of v, so the negative deviations are a prefix, which ends
    // at the middle but for values equal to c.
    std::size_t split = v.size() / 2;
    while (split > 0 && !(v[split - 1] - c < 0.0)) --split;
    const std::size_t up = v.size() - split, down = split, both = up < down ? up : down;
    double above = 0.0, below = 0.0, squares_above = 0.0, squares_below = 0.0;
    // The two sides step together, their chains of additions side by side.
    for (std::size_t k = 0; k < both; ++k) {
        const double a = v[split + k] - c, b = c - v[split - 1 - k];
        above += a;
        below += b;
        squares_above += a * a;
        squares_below += b * b;
    }
    for (std::size_t k = both; k < up; ++k) {
        const double a = v[split + k] - c;
        above += a;
        squares_above += a * a;
    }
    for (std::size_t k = both; k < down; ++k) {
        const double b = c - v[split - 1 - k];
        below += b;
        squares_below += b * b;
    }
    return {above - below, squares_above + squares_below};
}

}  // namespace

std::expected<MultisetVariance, IndicatorError> MultisetVariance::create(std::uint64_t n) {
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return MultisetVariance(std::move(*window));
}

double MultisetVariance::sample_variance() const {
    const std::span<const double> v = window_.sorted();
    if (v.front() == v.back()) return 0.0;
    // An infinite value leaves no finite variance; it reads 0, as the not-a-number
    // that the running sums gave did.
    if (!is_finite(v.front()) || !is_finite(v.back())) return 0.0;
    // About the median, which negated values negate (the two middle values' midpoint
    // for an even count): within one standard deviation of the mean, it leaves the
    // shifted sums little to cancel.
    const std::size_t m = v.size() / 2;
    const double centre = v.size() % 2 == 1 ? v[m] : midpoint(v[m - 1], v[m]);
    const DeviationSums d = sums_about_median(v, centre);
    return ShiftedSums::sample_variance_of(d.s1, d.s2, static_cast<double>(v.size()));
}

}  // namespace torvex
