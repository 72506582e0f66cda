// Dense solvers for the small normal-equation systems of the pair models. Neither
// raises, and neither reads a small pivot as singular: the pivot of a regular design
// whose columns nearly line up is small at any price level, and only the design's
// values tell it from a pivot that rounding left where exact arithmetic has zero. A
// solve refuses only a pivot that is exactly zero or not finite, with which it cannot
// go on; whether a small pivot is a residue of rounding is the caller's to decide
// (doubt::pivots, then indicators/cores/exact_gram.hpp), and a regular design it
// refuses is solved by rotations (RotatedRows).
#pragma once

#include <algorithm>
#include <cmath>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

namespace torvex {

// Solves the k x k system `a` (row-major, k*k values) for `rhs` by Gaussian
// elimination in natural pivot order with no row exchange, then back substitution
// into `x` (k values). `a` and `rhs` are overwritten.
bool solve_natural_order(std::span<double> a, std::span<double> rhs, std::span<double> x);

// Solves a 4 x 4 system by Gaussian elimination with partial pivoting: in each column
// the row of largest pivot magnitude is exchanged into place (on equal magnitudes the
// later row wins).
bool solve_partial_pivot4(std::array<double, 16> a, std::array<double, 4> rhs, std::array<double, 4>& x);

// The same for two right-hand sides at once, each solution as the single solve gives it.
bool solve_partial_pivot4(std::array<double, 16> a, std::array<double, 4> rhs1, std::array<double, 4> rhs2,
                          std::array<double, 4>& x1, std::array<double, 4>& x2);

// Whether a least-squares solve over `rows` rows may have read roundings as its
// answer: where a design is singular, or fits its target exactly, the pivot or the
// residual sum the solve reads is a residue of the rounding of the normal matrix,
// which a pivot test against a fixed fraction of the columns' sizes cannot tell from a
// small value. A pivot is in doubt when it lies within a wide multiple of that rounding
// of zero: the rounding
// of a column's pivot scales with the squared size of the column and of the multiples
// of the earlier columns that cancel it, found by back substitution in the upper
// triangle. A residual sum is in doubt when it lies within such a multiple of the
// squared size of the fitted terms. Neither answers what the design is: a caller
// decides a doubtful fit on the design's values (indicators/cores/exact_gram.hpp).
// `gram` is the k x k normal matrix (row-major), `upper` its natural-order
// elimination (row c from column c on), `beta` k values of scratch. A design whose
// values carry roundings of their own passes `floor`, the squared size of those
// roundings over its rows, below which a pivot or residual sum is in doubt too. K is a size or a
// std::integral_constant, for a fixed matrix whose loops unroll.
namespace doubt {

// A wide multiple of the rounding of a normal matrix summed over `rows` rows and
// eliminated over k columns: 2^10 times (rows + k) units in the last place.
inline double scale(std::size_t rows, std::size_t k) { return static_cast<double>(rows + k) * 0x1p-42; }

// A caller that wants more digits than the rounding leaves passes `margin`: a pivot
// or residual sum below that fraction of its size is in doubt too.
template <class K>
bool pivots(const double* gram, const double* upper, K k, std::size_t rows, double* beta, double floor = 0.0,
            double margin = 0.0) {
    const double tau = scale(rows, k);
    for (std::size_t c = 0; c < k; ++c) {
        // Column c less its least-squares multiples beta of the earlier columns is what
        // the pivot measures; the squares of the terms that cancel bound its rounding.
        double size = gram[c * k + c];
        for (std::size_t j = c; j-- > 0;) {
            double s = upper[j * k + c];
            for (std::size_t i = j + 1; i < c; ++i) s -= upper[j * k + i] * beta[i];
            beta[j] = s / upper[j * k + j];
            size += beta[j] * beta[j] * gram[j * k + j];
        }
        const double pivot = std::fabs(upper[c * k + c]);
        if (!(pivot > std::max(tau * static_cast<double>(c + 1), margin) * size && pivot > floor)) return true;
    }
    return false;
}

template <class K>
bool residual(const double* gram, const double* coef, K k, double rss, std::size_t rows, double floor = 0.0,
              double margin = 0.0) {
    double size = 0.0;
    for (std::size_t i = 0; i < k; ++i) size += coef[i] * coef[i] * gram[i * k + i];
    return !(rss > std::max(scale(rows, k) * static_cast<double>(k), margin) * size && rss > floor);
}

// Eliminates the k x k matrix `a` in natural order with no row exchange and no test
// of its pivots.
template <class K>
void eliminate(double* a, K k) {
    for (std::size_t c = 0; c < k; ++c) {
        const double pivot = a[c * k + c];
        for (std::size_t r = c + 1; r < k; ++r) {
            const double f = a[r * k + c] / pivot;
            for (std::size_t j = c; j < k; ++j) a[r * k + j] -= f * a[c * k + j];
        }
    }
}

}  // namespace doubt

// Ordinary least squares through the normal equations X'X b = X'y, accumulated row
// by row and solved in natural pivot order. The buffers are sized once for up to
// `max_k` regressors; a fit never allocates.
class LeastSquares {
public:
    explicit LeastSquares(std::size_t max_k)
        : row_(max_k), xtx_(max_k * max_k), xty_(max_k), work_(max_k * max_k), rhs_(max_k), coef_(max_k), unit_(max_k) {}

    // Fits the rows t = first .. last-1, where `row(t, x)` writes the k regressors of
    // row t into x and answers its target. Answers the residual sum of squares, or
    // nothing when a pivot is zero or not finite.
    template <class Row>
    std::optional<double> fit(std::size_t k, std::size_t first, std::size_t last, const Row& row) {
        k_ = k;
        const std::span<double> x(row_.data(), k);
        std::fill_n(xtx_.begin(), k * k, 0.0);
        std::fill_n(xty_.begin(), k, 0.0);
        // The upper triangle, mirrored after: x_i x_j and x_j x_i round alike.
        for (std::size_t t = first; t < last; ++t) {
            const double y = row(t, x);
            for (std::size_t i = 0; i < k; ++i) {
                for (std::size_t j = i; j < k; ++j) xtx_[i * k + j] += x[i] * x[j];
                xty_[i] += x[i] * y;
            }
        }
        for (std::size_t i = 0; i < k; ++i)
            for (std::size_t j = 0; j < i; ++j) xtx_[i * k + j] = xtx_[j * k + i];
        std::copy_n(xtx_.begin(), k * k, work_.begin());
        std::copy_n(xty_.begin(), k, rhs_.begin());
        if (!solve_natural_order(std::span(work_.data(), k * k), std::span(rhs_.data(), k), coefficients()))
            return std::nullopt;
        double rss = 0.0;
        for (std::size_t t = first; t < last; ++t) {
            const double y = row(t, x);
            double fitted = 0.0;
            for (std::size_t i = 0; i < k; ++i) fitted += x[i] * coef_[i];
            rss += (y - fitted) * (y - fitted);
        }
        return rss;
    }

    // Whether the last successful fit, over `rows` rows with residual sum `rss`, is in
    // doubt (doubt::pivots, doubt::residual, with their `margin`); before inverse_first.
    [[gnu::noinline]] bool in_doubt(double rss, std::size_t rows, double floor = 0.0, double margin = 0.0) const {
        // The small systems of the usual parameters unrolled.
        switch (k_) {
            case 2: return in_doubt(std::integral_constant<std::size_t, 2>{}, rss, rows, floor, margin);
            case 3: return in_doubt(std::integral_constant<std::size_t, 3>{}, rss, rows, floor, margin);
            case 5: return in_doubt(std::integral_constant<std::size_t, 5>{}, rss, rows, floor, margin);
            default: return in_doubt(k_, rss, rows, floor, margin);
        }
    }

    // The solution of the last successful fit.
    std::span<double> coefficients() { return std::span(coef_.data(), k_); }

    // First component of the solution of X'X z = (1, 0, ..., 0) for the last fit's
    // matrix (the variance factor of the first coefficient); nothing when singular.
    std::optional<double> inverse_first();

private:
    template <class K>
    bool in_doubt(K k, double rss, std::size_t rows, double floor, double margin) const {
        return doubt::pivots(xtx_.data(), work_.data(), k, rows, unit_.data(), floor, margin) ||
               doubt::residual(xtx_.data(), coef_.data(), k, rss, rows, floor, margin);
    }

    std::vector<double> row_;
    std::vector<double> xtx_;
    std::vector<double> xty_;
    std::vector<double> work_;
    std::vector<double> rhs_;
    std::vector<double> coef_;
    mutable std::vector<double> unit_;  // also the scratch of in_doubt
    std::size_t k_ = 0;
};

// Least squares by plane rotations: each row of a design, its targets last, is
// rotated into an upper triangle R with R'R = X'X in exact arithmetic, at the rounding
// of the rows themselves rather than of their squares, so that a regular design whose
// columns nearly line up keeps the digits the normal equations lose. Of the columns
// [regressors, target], R's last diagonal is the root of the residual sum, and the
// entries above it the target's parts along each regressor beyond the earlier ones.
// The triangle is sized once for up to `max_m` columns.
class RotatedRows {
public:
    explicit RotatedRows(std::size_t max_m) : r_(max_m * max_m), row_(max_m) {}

    // Starts a triangle of m columns.
    void clear(std::size_t m) {
        m_ = m;
        std::fill_n(r_.begin(), m * m, 0.0);
    }
    // The buffer a caller writes a row into before add().
    std::span<double> row() { return std::span(row_.data(), m_); }
    void add();
    double at(std::size_t i, std::size_t j) const { return r_[i * m_ + j]; }
    // The coefficients x (k values) of the fit of column `target` on the first k
    // columns, by back substitution; the first k diagonals must not be zero.
    void solve(std::size_t k, std::size_t target, std::span<double> x) const;

private:
    std::vector<double> r_;
    std::vector<double> row_;
    std::size_t m_ = 0;
};

}  // namespace torvex
