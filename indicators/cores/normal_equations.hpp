// Dense solvers for the small normal-equation systems of the pair models. Neither
// raises: a pivot whose magnitude is below 1e-12 marks the system as singular and the
// solve answers false, leaving the caller to give its fixed fallback.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace torvex {

inline constexpr double kSingularPivot = 1e-12;

// Solves the k x k system `a` (row-major, k*k values) for `rhs` by Gaussian
// elimination in natural pivot order with no row exchange, then back substitution
// into `x` (k values). `a` and `rhs` are overwritten.
bool solve_natural_order(std::span<double> a, std::span<double> rhs, std::span<double> x);

// Solves a 4 x 4 system by Gaussian elimination with partial pivoting: in each column
// the row of largest pivot magnitude is exchanged into place (on equal magnitudes the
// later row wins).
bool solve_partial_pivot4(std::array<double, 16> a, std::array<double, 4> rhs, std::array<double, 4>& x);

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

    // The solution of the last successful fit.
    std::span<double> coefficients() { return std::span(coef_.data(), k_); }

    // First component of the solution of X'X z = (1, 0, ..., 0) for the last fit's
    // matrix (the variance factor of the first coefficient); nothing when singular.
    std::optional<double> inverse_first();

private:
    std::vector<double> row_;
    std::vector<double> xtx_;
    std::vector<double> xty_;
    std::vector<double> work_;
    std::vector<double> rhs_;
    std::vector<double> coef_;
    std::vector<double> unit_;
    std::size_t k_ = 0;
};

}  // namespace torvex
