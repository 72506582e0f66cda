#include "indicators/cores/normal_equations.hpp"

#include <cmath>
#include <limits>
#include <utility>

namespace torvex {

namespace {

// Whether elimination can go on from a pivot: not zero and finite. Any other pivot,
// however small, is the caller's to doubt.
inline bool usable_pivot(double pivot) {
    const double m = std::fabs(pivot);
    return m > 0.0 && m <= std::numeric_limits<double>::max();
}

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
    for (std::size_t c = 0; c < k; ++c) {
        if (!usable_pivot(a[c * k + c])) return false;
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
    for (std::size_t c = 0; c < k; ++c) {
        std::size_t best = c;
        for (std::size_t r = c + 1; r < k; ++r)
            if (std::fabs(a[r * k + c]) >= std::fabs(a[best * k + c])) best = r;
        if (best != c) {
            for (std::size_t j = 0; j < k; ++j) std::swap(a[c * k + j], a[best * k + j]);
            std::swap(rhs1[c], rhs1[best]);
            std::swap(rhs2[c], rhs2[best]);
        }
        if (!usable_pivot(a[c * k + c])) return false;
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

void RotatedRows::add() {
    const std::size_t m = m_;
    for (std::size_t i = 0; i < m; ++i) {
        const double v = row_[i];
        if (v == 0.0) continue;
        // The rotation that takes v into the diagonal, which stays at least 0.
        double* r = &r_[i * m];
        const double h = std::hypot(r[i], v);
        const double c = r[i] / h, s = v / h;
        r[i] = h;
        for (std::size_t j = i + 1; j < m; ++j) {
            const double rj = r[j], vj = row_[j];
            r[j] = c * rj + s * vj;
            row_[j] = c * vj - s * rj;
        }
    }
}

void RotatedRows::solve(std::size_t k, std::size_t target, std::span<double> x) const {
    for (std::size_t i = k; i-- > 0;) {
        double s = at(i, target);
        for (std::size_t j = i + 1; j < k; ++j) s -= at(i, j) * x[j];
        x[i] = s / at(i, i);
    }
}

}  // namespace torvex
