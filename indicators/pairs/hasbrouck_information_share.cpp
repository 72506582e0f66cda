#include "indicators/pairs/hasbrouck_information_share.hpp"

#include <algorithm>
#include <array>
#include <cmath>

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
    const Record record{a - newer_.a, b - newer_.b, newer_.a - newer_.b, newer_.a - older_.a, newer_.b - older_.b};
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

double HasbrouckInformationShare::share() const {
    // Equal records, as a halt of both legs makes, leave the systems singular or one
    // change fitted exactly (s11 or s22 is 0): 0.5, decided on the records, as the
    // solves would read pivots and residuals of roundings.
    if (degenerate_rows()) return 0.5;
    std::array<double, 16> xtx{};
    std::array<double, 4> rhs_c{};
    std::array<double, 4> rhs_r{};
    records_.for_each([&](const Record& r) {
        const std::array<double, 4> x{1.0, r.z, r.dc1, r.dr1};
        for (std::size_t i = 0; i < 4; ++i) {
            for (std::size_t j = 0; j < 4; ++j) xtx[i * 4 + j] += x[i] * x[j];
            rhs_c[i] += x[i] * r.dc;
            rhs_r[i] += x[i] * r.dr;
        }
    });
    std::array<double, 4> ca{};
    std::array<double, 4> cb{};
    if (!solve_partial_pivot4(xtx, rhs_c, ca) || !solve_partial_pivot4(xtx, rhs_r, cb)) return 0.5;
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
    s11 /= n;
    s22 /= n;
    s12 /= n;
    if (!(s11 > 0.0) || !(s22 > 0.0)) return 0.5;
    const double a1 = ca[1];
    const double b1 = cb[1];
    const double d = a1 * a1 * s22 + b1 * b1 * s11 - 2.0 * a1 * b1 * s12;
    if (!(d > 0.0)) return 0.5;
    const double u = b1 * std::sqrt(s11) - a1 * s12 / std::sqrt(s11);
    const double is1 = std::min(u * u / d, 1.0);
    const double v = b1 * s12 / std::sqrt(s22) - a1 * std::sqrt(s22);
    const double is2 = std::min(std::max(1.0 - v * v / d, 0.0), 1.0);
    const double share = midpoint(is1, is2);
    return is_finite(share) ? share : 0.5;
}

}  // namespace torvex
