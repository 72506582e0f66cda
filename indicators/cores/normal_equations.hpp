// Dense solvers for the small normal-equation systems of the pair models. Neither
// raises: a pivot whose magnitude is below 1e-12 in the units of its row and column
// marks the system as singular and the solve answers false, leaving the caller to give
// its fixed fallback.
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

// The systems are Gram matrices, whose pivots scale with the squared sizes of the
// columns: prices near 1e-4 make pivots near 1e-8 of a well-conditioned fit. A pivot
// at row r and column c is read in units of 2^(e_r + e_c), where 2^e_i is the power of
// two of column i's size taken from the diagonal, e_i = ceil(ilogb(a_ii) / 2), which
// shifts by exactly k where the column and its row scale by 2^k: the pivot passes when
// its magnitude is at least kSingularPivot · 2^(e_r + e_c). Scaling by powers of two
// is exact, so the elimination itself reads the same at every price level; only the
// test is made in these units. A zero or subnormal diagonal reads as size 2^-511, a
// non-finite one as 2^512, so that every threshold is a positive double.
inline constexpr double kSingularPivot = 1e-12;

// Solves the k x k system `a` (row-major, k*k values) for `rhs` by Gaussian
// elimination in natural pivot order with no row exchange, then back substitution
// into `x` (k values). `a` and `rhs` are overwritten; `x` is also the scratch of the
// pivot units.
bool solve_natural_order(std::span<double> a, std::span<double> rhs, std::span<double> x);

// Solves a 4 x 4 system by Gaussian elimination with partial pivoting: in each column
// the row of largest pivot magnitude is exchanged into place (on equal magnitudes the
// later row wins), and the pivot is read in the units of the row it came from.
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

template <class K>
bool pivots(const double* gram, const double* upper, K k, std::size_t rows, double* beta, double floor = 0.0) {
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
        if (!(pivot > tau * static_cast<double>(c + 1) * size && pivot > floor)) return true;
    }
    return false;
}

template <class K>
bool residual(const double* gram, const double* coef, K k, double rss, std::size_t rows, double floor = 0.0) {
    double size = 0.0;
    for (std::size_t i = 0; i < k; ++i) size += coef[i] * coef[i] * gram[i * k + i];
    return !(rss > scale(rows, k) * static_cast<double>(k) * size && rss > floor);
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
    // nothing when the system is singular.
    template <class Row>
    std::optional<double> fit(std::size_t k, std::size_t first, std::size_t last, const Row& row) {
        k_ = k;
        const std::span<double> x(row_.data(), k);
        std::fill_n(xtx_.begin(), k * k, 0.0);
        std::fill_n(xty_.begin(), k, 0.0);
        for (std::size_t t = first; t < last; ++t) {
            const double y = row(t, x);
            for (std::size_t i = 0; i < k; ++i) {
                for (std::size_t j = 0; j < k; ++j) xtx_[i * k + j] += x[i] * x[j];
                xty_[i] += x[i] * y;
            }
        }
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
    // doubt (doubt::pivots, doubt::residual); before inverse_first.
    [[gnu::noinline]] bool in_doubt(double rss, std::size_t rows, double floor = 0.0) const {
        // The small systems of the usual parameters unrolled.
        switch (k_) {
            case 2: return in_doubt(std::integral_constant<std::size_t, 2>{}, rss, rows, floor);
            case 3: return in_doubt(std::integral_constant<std::size_t, 3>{}, rss, rows, floor);
            case 5: return in_doubt(std::integral_constant<std::size_t, 5>{}, rss, rows, floor);
            default: return in_doubt(k_, rss, rows, floor);
        }
    }

    // The solution of the last successful fit.
    std::span<double> coefficients() { return std::span(coef_.data(), k_); }

    // First component of the solution of X'X z = (1, 0, ..., 0) for the last fit's
    // matrix (the variance factor of the first coefficient); nothing when singular.
    std::optional<double> inverse_first();

private:
    template <class K>
    bool in_doubt(K k, double rss, std::size_t rows, double floor) const {
        return doubt::pivots(xtx_.data(), work_.data(), k, rows, unit_.data(), floor) ||
               doubt::residual(xtx_.data(), coef_.data(), k, rss, rows, floor);
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

}  // namespace torvex
