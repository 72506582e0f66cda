#include "indicators/cores/normal_equations.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace torvex {

namespace {

// The power of two of the size of a column whose Gram diagonal is `diagonal` (see
// kSingularPivot): 2^e with e = ceil(ilogb(diagonal) / 2), taken from the exponent
// bits, so that it is a normal double for every diagonal: a zero or subnormal one
// reads as 2^-511, a non-finite one as 2^512.
inline double column_size(double diagonal) {
    const std::uint64_t half_exponent = (std::bit_cast<std::uint64_t>(diagonal) >> 53) & 0x3ff;
    return std::bit_cast<double>((half_exponent + 512) << 52);
}

// Whether a pivot holds the system as regular against `threshold`, kSingularPivot
// times the sizes of its row and column: a product of powers of two with it, never
// zero, so that a zero pivot never passes.
inline bool regular_pivot(double pivot, double threshold) { return std::fabs(pivot) >= threshold; }

// Back substitution over an upper-triangular k x k system.
void back_substitute(std::span<const double> a, std::span<const double> rhs, std::span<double> x, std::size_t k) {
    for (std::size_t i = k; i-- > 0;) {
        double s = rhs[i];
        for (std::size_t j = i + 1; j < k; ++j) s -= a[i * k + j] * x[j];
        x[i] = s / a[i * k + i];
    }
}

// Eliminates column c below row c with the pivot in place.
void eliminate_below(std::span<double> a, std::span<double> rhs, std::size_t k, std::size_t c) {
    const double pivot = a[c * k + c];
    for (std::size_t r = c + 1; r < k; ++r) {
        const double f = a[r * k + c] / pivot;
        for (std::size_t j = c; j < k; ++j) a[r * k + j] -= f * a[c * k + j];
        rhs[r] -= f * rhs[c];
    }
}

}  // namespace

bool solve_natural_order(std::span<double> a, std::span<double> rhs, std::span<double> x) {
    const std::size_t k = rhs.size();
    // Row c is column c's own row: its pivot is read in the square of the column's size.
    for (std::size_t c = 0; c < k; ++c) {
        const double size = column_size(a[c * k + c]);
        x[c] = kSingularPivot * size * size;
    }
    for (std::size_t c = 0; c < k; ++c) {
        if (!regular_pivot(a[c * k + c], x[c])) return false;
        eliminate_below(a, rhs, k, c);
    }
    back_substitute(a, rhs, x, k);
    return true;
}

bool solve_partial_pivot4(std::array<double, 16> a, std::array<double, 4> rhs, std::array<double, 4>& x) {
    std::array<double, 4> unused{};
    return solve_partial_pivot4(a, rhs, {}, x, unused);
}

bool solve_partial_pivot4(std::array<double, 16> a, std::array<double, 4> rhs1, std::array<double, 4> rhs2,
                          std::array<double, 4>& x1, std::array<double, 4>& x2) {
    constexpr std::size_t k = 4;
    // The sizes of the rows, which travel with their rows, and of the columns, with
    // the threshold's factor.
    std::array<double, k> row{}, column{};
    for (std::size_t c = 0; c < k; ++c) {
        row[c] = column_size(a[c * k + c]);
        column[c] = kSingularPivot * row[c];
    }
    for (std::size_t c = 0; c < k; ++c) {
        std::size_t best = c;
        for (std::size_t r = c + 1; r < k; ++r)
            if (std::fabs(a[r * k + c]) >= std::fabs(a[best * k + c])) best = r;
        if (best != c) {
            for (std::size_t j = 0; j < k; ++j) std::swap(a[c * k + j], a[best * k + j]);
            std::swap(rhs1[c], rhs1[best]);
            std::swap(rhs2[c], rhs2[best]);
            std::swap(row[c], row[best]);
        }
        if (!regular_pivot(a[c * k + c], row[c] * column[c])) return false;
        const double pivot = a[c * k + c];
        for (std::size_t r = c + 1; r < k; ++r) {
            const double f = a[r * k + c] / pivot;
            for (std::size_t j = c; j < k; ++j) a[r * k + j] -= f * a[c * k + j];
            rhs1[r] -= f * rhs1[c];
            rhs2[r] -= f * rhs2[c];
        }
    }
    back_substitute(a, rhs1, x1, k);
    back_substitute(a, rhs2, x2, k);
    return true;
}

std::optional<double> LeastSquares::inverse_first() {
    const std::size_t k = k_;
    std::copy_n(xtx_.begin(), k * k, work_.begin());
    std::fill_n(rhs_.begin(), k, 0.0);
    rhs_[0] = 1.0;
    if (!solve_natural_order(std::span(work_.data(), k * k), std::span(rhs_.data(), k), std::span(unit_.data(), k)))
        return std::nullopt;
    return unit_[0];
}

}  // namespace torvex
