#include "indicators/pairs/hasbrouck_information_share.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

#include "indicators/cores/distinct_rows.hpp"
#include "indicators/cores/normal_equations.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

std::expected<HasbrouckInformationShare, IndicatorError> HasbrouckInformationShare::create(std::uint64_t period) {
    if (period < 6) return std::unexpected(IndicatorError::invalid_period("information share needs period >= 6"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return HasbrouckInformationShare(period);
}

std::optional<double> HasbrouckInformationShare::step(double a, double b) {
    const PairInput now{a, b};
    if (accepted_ < 2) {
        older_ = newer_;
        newer_ = now;
        accepted_ += 1;
        return std::nullopt;
    }
    const Record record{a - newer_.a, b - newer_.b, newer_.a - newer_.b, newer_.a - older_.a, newer_.b - older_.b, older_};
    records_.push(record);
    // The newest records distinct from each other: the run grows by the new one, or
    // restarts after the nearest equal one within it.
    const std::uint64_t reach = std::min<std::uint64_t>(distinct_newest_, 4);
    std::uint64_t back = 1;
    while (back <= reach && !same_regressors(records_.from_newest(back), record)) ++back;
    distinct_newest_ = back <= reach ? back : std::min<std::uint64_t>(distinct_newest_ + 1, 5);
    older_ = newer_;
    newer_ = now;
    if (!records_.full()) return std::nullopt;
    return share();
}

bool HasbrouckInformationShare::degenerate_rows() const {
    // Five distinct records among the newest make more distinct rows than columns.
    if (distinct_newest_ == 5) return false;
    using Row = CappedRing<Record>::const_iterator;
    const auto same_row = [](const Record* x, Row y) { return same_regressors(*x, *y); };
    const auto differing = [](const Record* x, Row y) {
        return static_cast<unsigned>(x->dc != y->dc) | static_cast<unsigned>(x->dr != y->dr) << 1;
    };
    std::array<const Record*, 5> firsts;
    return singular_or_exact_fit(count_distinct_rows(records_.begin(), records_.size(), 4,
                                                     std::span<const Record*>(firsts), same_row, differing),
                                 4, 3);
}

bool HasbrouckInformationShare::degenerate_exactly() const {
    // Columns: the regressors 1, z, dc1, dr1, then the changes dc and dr, formed
    // exactly from the n + 2 pairs of the window on one grid: the oldest pair of each
    // record, then the last two pairs accepted.
    const std::size_t n = records_.size();
    const auto pair = [&](std::size_t i) { return i < n ? records_[i].earliest : i == n ? older_ : newer_; };
    ColumnGrid grid;
    for (std::size_t i = 0; i < n + 2; ++i) {
        grid.add(pair(i).a);
        grid.add(pair(i).b);
    }
    // A difference of two integers has a bit more than either.
    const std::span<double> bits = gram_.bits();
    bits[0] = 0.5 * std::log2(static_cast<double>(n));
    std::fill(bits.begin() + 1, bits.end(), grid.norm_bits(n) + 1.0);
    const auto fill = [&](const ModPrime& mod, ModularGram& gram) {
        gram.clear();
        const std::span<std::uint64_t> x = gram.row();
        std::uint64_t c2 = mod.of(pair(0).a, grid), r2 = mod.of(pair(0).b, grid);
        std::uint64_t c1 = mod.of(pair(1).a, grid), r1 = mod.of(pair(1).b, grid);
        for (std::size_t i = 2; i < n + 2; ++i) {
            const std::uint64_t c = mod.of(pair(i).a, grid), r = mod.of(pair(i).b, grid);
            x[0] = mod.of_count(1);
            x[1] = mod.sub(c1, r1);
            x[2] = mod.sub(c1, c2);
            x[3] = mod.sub(r1, r2);
            x[4] = mod.sub(c, c1);
            x[5] = mod.sub(r, r1);
            gram.add_row(mod);
            c2 = c1;
            r2 = r1;
            c1 = c;
            r1 = r;
        }
    };
    // With X = [1, z, dc1, dr1] and X0 = [1, dc1, dr1]:
    // - [X dc] or [X dr] of lower rank: X is singular or a change is fitted exactly;
    // - else D = |b1 e1 − a1 e2|² / n is 0 where the residuals are parallel with
    //   b1 = λ a1, that is where a combination of dc and dr lies in the span of X0
    //   ([X0 dc dr] of lower rank), or where a1 = b1 = 0, which by Cramer's rule are
    //   the determinants of X'X with its z column replaced by X'dc and by X'dr.
    static constexpr std::uint32_t with_dc[] = {0, 1, 2, 3, 4}, with_dr[] = {0, 1, 2, 3, 5},
                                   changes[] = {0, 2, 3, 4, 5}, regressors[] = {0, 1, 2, 3},
                                   a1[] = {0, 4, 2, 3}, b1[] = {0, 5, 2, 3};
    static constexpr GramBlock blocks[] = {
        {with_dc, with_dc}, {with_dr, with_dr}, {changes, changes}, {regressors, a1}, {regressors, b1}};
    const std::uint32_t zero = zero_determinants(gram_, blocks, fill);
    return (zero & 7) != 0 || (zero & 24) == 24;
}

namespace {

// Whether the model's solve may have read roundings (see doubt::pivots): its
// regressors' pivots or either residual sum within rounding of zero, both z
// coefficients within rounding of zero beside the fit's other terms, or D within a
// wider margin of zero beside its terms, as the residuals and coefficients D is made
// of carry their own roundings. Out of line: it costs a natural-order elimination of
// the 4 x 4 matrix.
[[gnu::noinline]] bool in_doubt(std::array<double, 16> xtx, std::array<double, 4> ca, std::array<double, 4> cb,
                                double rss_c, double rss_r, double s11, double s22,
                                double s12, double d) {
    const double a1 = ca[1], b1 = cb[1];
    if (!(d > 0x1p-12 * (a1 * a1 * s22 + b1 * b1 * s11 + 2.0 * std::fabs(a1 * b1 * s12)))) return true;
    double fit_c = 0.0, fit_r = 0.0;
    for (std::size_t i = 0; i < 4; ++i) {
        fit_c += ca[i] * ca[i] * xtx[i * 5];
        fit_r += cb[i] * cb[i] * xtx[i * 5];
    }
    if (!(a1 * a1 * xtx[5] > 0x1p-40 * fit_c) && !(b1 * b1 * xtx[5] > 0x1p-40 * fit_r)) return true;
    const std::size_t rows = static_cast<std::size_t>(xtx[0]);
    constexpr std::integral_constant<std::size_t, 4> k;
    if (doubt::residual(xtx.data(), ca.data(), k, rss_c, rows) || doubt::residual(xtx.data(), cb.data(), k, rss_r, rows))
        return true;
    std::array<double, 16> upper = xtx;
    doubt::eliminate(upper.data(), k);
    std::array<double, 4> beta{};
    return doubt::pivots(xtx.data(), upper.data(), k, rows, beta.data());
}

// The midpoint of the two orderings' shares from the z coefficients a1 and b1 of the
// changes, their residuals' second moments and D = a1² s22 + b1² s11 − 2 a1 b1 s12.
[[gnu::always_inline]] inline double midpoint_share(double a1, double b1, double s11, double s22, double s12, double d) {
    const double u = b1 * std::sqrt(s11) - a1 * s12 / std::sqrt(s11);
    const double is1 = std::min(u * u / d, 1.0);
    const double v = b1 * s12 / std::sqrt(s22) - a1 * std::sqrt(s22);
    const double is2 = std::min(std::max(1.0 - v * v / d, 0.0), 1.0);
    const double share = midpoint(is1, is2);
    return is_finite(share) ? share : 0.5;
}

}  // namespace

double HasbrouckInformationShare::rotated_share() const {
    // With the intercept in the fits, a constant taken from every gap changes no
    // answer in exact arithmetic: the newest gap, taken from each, leaves the rows
    // sized by the gaps' moves, not by the spread's level.
    const double z0 = records_.from_newest(0).z;
    rotated_.clear(6);
    const std::span<double> x = rotated_.row();
    records_.for_each([&](const Record& r) {
        x[0] = 1.0;
        x[1] = r.z - z0;
        x[2] = r.dc1;
        x[3] = r.dr1;
        x[4] = r.dc;
        x[5] = r.dr;
        rotated_.add();
    });
    std::array<double, 4> ca{}, cb{};
    rotated_.solve(4, 4, ca);
    rotated_.solve(4, 5, cb);
    // The residuals of dc and dr beyond the regressors are (R44, 0) and (R45, R55) in
    // the rotated basis, so D, a sum of squares there, has no difference to cancel.
    const double r44 = rotated_.at(4, 4), r45 = rotated_.at(4, 5), r55 = rotated_.at(5, 5);
    const double n = static_cast<double>(period_);
    const double a1 = ca[1], b1 = cb[1];
    const double gap = a1 * r45 - b1 * r44;
    const double d = (gap * gap + (a1 * r55) * (a1 * r55)) / n;
    return midpoint_share(a1, b1, r44 * r44 / n, (r45 * r45 + r55 * r55) / n, r44 * r45 / n, d);
}

double HasbrouckInformationShare::share() const {
    // Equal records, as a halt of both legs makes, leave the systems singular or one
    // change fitted exactly (s11 or s22 is 0): 0.5, decided on the records, as the
    // solves would read pivots and residuals of roundings.
    if (degenerate_rows()) return 0.5;
    std::array<double, 16> xtx{};
    std::array<double, 4> rhs_c{};
    std::array<double, 4> rhs_r{};
    // The upper triangle of the regressors 1, z, dc1, dr1, mirrored after.
    records_.for_each([&](const Record& r) {
        const double z = r.z;
        xtx[1] += z;
        xtx[2] += r.dc1;
        xtx[3] += r.dr1;
        xtx[5] += z * z;
        xtx[6] += z * r.dc1;
        xtx[7] += z * r.dr1;
        xtx[10] += r.dc1 * r.dc1;
        xtx[11] += r.dc1 * r.dr1;
        xtx[15] += r.dr1 * r.dr1;
        rhs_c[0] += r.dc;
        rhs_c[1] += z * r.dc;
        rhs_c[2] += r.dc1 * r.dc;
        rhs_c[3] += r.dr1 * r.dc;
        rhs_r[0] += r.dr;
        rhs_r[1] += z * r.dr;
        rhs_r[2] += r.dc1 * r.dr;
        rhs_r[3] += r.dr1 * r.dr;
    });
    xtx[0] = static_cast<double>(records_.size());
    for (std::size_t i = 1; i < 4; ++i)
        for (std::size_t j = 0; j < i; ++j) xtx[i * 4 + j] = xtx[j * 4 + i];
    std::array<double, 4> ca{};
    std::array<double, 4> cb{};
    // A pivot the solve cannot go on from is decided on the window's prices.
    if (!solve_partial_pivot4(xtx, rhs_c, rhs_r, ca, cb)) [[unlikely]]
        return degenerate_exactly() ? 0.5 : rotated_share();
    double s11 = 0.0;
    double s22 = 0.0;
    double s12 = 0.0;
    records_.for_each([&](const Record& r) {
        const double e1 = r.dc - (ca[0] + ca[1] * r.z + ca[2] * r.dc1 + ca[3] * r.dr1);
        const double e2 = r.dr - (cb[0] + cb[1] * r.z + cb[2] * r.dc1 + cb[3] * r.dr1);
        s11 += e1 * e1;
        s22 += e2 * e2;
        s12 += e1 * e2;
    });
    const double n = static_cast<double>(period_);
    const double rss_c = s11, rss_r = s22;
    s11 /= n;
    s22 /= n;
    s12 /= n;
    const double a1 = ca[1];
    const double b1 = cb[1];
    const double d = a1 * a1 * s22 + b1 * b1 * s11 - 2.0 * a1 * b1 * s12;
    // A residual sum, a z coefficient or D at or within rounding of zero, or a pivot of
    // the regressors within rounding of it, may be a residue of roundings where exact
    // arithmetic finds the model degenerate: the window's prices decide, and a regular
    // model is solved by rotations.
    if (!(s11 > 0.0) || !(s22 > 0.0) || !(d > 0.0) || in_doubt(xtx, ca, cb, rss_c, rss_r, s11, s22, s12, d))
        [[unlikely]]
        return degenerate_exactly() ? 0.5 : rotated_share();
    return midpoint_share(a1, b1, s11, s22, s12, d);
}

}  // namespace torvex
