#include "indicators/momentum/cci.hpp"

#include <algorithm>
#include <limits>

#include "indicators/cores/exact_sum.hpp"

namespace torvex {

std::expected<CciCore, IndicatorError> CciCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CciCore(n);
}

double CciCore::at_bound(double tp, double index) const {
    using i128 = __int128;
    // Of two prices that differ, each is alone on its side of their mean: every bar of a
    // two-bar window that moves is at the bound, and its side is that of the move.
    if (period_ == 2) {
        const double other = window_.ring().front();
        if (std::isfinite(other) && std::isfinite(tp) && other != tp) return tp > other ? bound(2) : -bound(2);
    }
    // A price v is on the newest one's side when n·v − Σ has the sign of n·tp − Σ; the
    // newest is alone there when it is the only such price (a copy of it is not).
    const auto alone = [&](auto&& sign) {
        const int side = sign(tp);
        int with = 0;
        window_.ring().for_each([&](double v) { with += sign(v) == side; });
        return with == 1 ? side : 0;
    };
    bool finite = true;
    int low = std::numeric_limits<int>::max(), high = std::numeric_limits<int>::min();
    window_.ring().for_each([&](double v) {
        const exact_sums::SplitDouble split = exact_sums::SplitDouble::of(v);
        finite = finite && std::isfinite(v);
        if (split.significand == 0) return;
        low = std::min(low, split.exponent);
        high = std::max(high, split.exponent);
    });
    if (!finite) return index;
    int side = 0;
    if (high - low <= kUnitSpan) [[likely]] {
        // Prices within kUnitSpan binades of each other (any market's window): each is a
        // whole number of units of the lowest bit any of them has, below 2^(53 +
        // kUnitSpan), and n of them fit in 127 bits.
        const auto units = [&](double v) {
            const exact_sums::SplitDouble split = exact_sums::SplitDouble::of(v);
            if (split.significand == 0) return i128{0};
            const i128 u = i128{static_cast<std::int64_t>(split.significand)} << (split.exponent - low);
            return split.negative ? -u : u;
        };
        i128 sum = 0;
        window_.ring().for_each([&](double v) { sum += units(v); });
        const i128 n = static_cast<i128>(period_);
        side = alone([&](double v) {
            const i128 d = n * units(v) - sum;
            return (d > 0) - (d < 0);
        });
        if (side == 0) {
            // Not alone on its side: the index from the exact distance n·tp − Σ and
            // deviations |n·v − Σ| (units cancel), n·distance / (Σ deviations · 0.015),
            // rather than the computed one, which a ring magnifies should it pass the
            // bound. Each deviation is below 2^118 but their sum may pass 2^127, so it is
            // kept in long double, whose 64 bits keep the quotient within a few 2^-64 of
            // the exact one before its rounding to double.
            long double deviations = 0.0L;
            window_.ring().for_each([&](double v) {
                const i128 d = n * units(v) - sum;
                deviations += static_cast<long double>(d < 0 ? -d : d);
            });
            if (deviations == 0.0L) return 0.0;
            const long double distance = static_cast<long double>(n * units(tp) - sum);
            const double inside = static_cast<double>(static_cast<long double>(period_) * distance /
                                                      (deviations * static_cast<long double>(0.015)));
            // Short of the bound however little: where the quotient rounds onto it, the
            // double just inside keeps a ring of such indices from reading flat.
            const double limit = bound(period_);
            if (std::fabs(inside) < limit) [[likely]] return inside;
            return std::copysign(std::nextafter(limit, 0.0), inside);
        }
    } else {
        ExactSum sum;
        window_.ring().for_each([&](double v) { sum.add(v); });
        side = alone([&](double v) { return sum.sign_of_count_times_minus_sum(period_, v); });
    }
    if (side == 0) return index;
    return side > 0 ? bound(period_) : -bound(period_);
}

std::expected<Cci, IndicatorError> Cci::create(std::uint64_t n) {
    auto core = CciCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Cci(std::move(*core));
}

}  // namespace torvex
