#include "indicators/momentum/cci.hpp"

#include "indicators/cores/exact_sum.hpp"

namespace torvex {

std::expected<CciCore, IndicatorError> CciCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CciCore(n);
}

double CciCore::at_bound(double tp, double index) const {
    // A price is on the newest one's side when n·v − Σ has the sign of n·tp − Σ; the
    // newest is alone there when it is the only such price (a copy of it is not).
    bool finite = true;
    ExactSum sum;
    window_.ring().for_each([&](double v) {
        if (std::isfinite(v)) [[likely]] sum.add(v);
        else finite = false;
    });
    if (!finite) return index;
    const int side = sum.sign_of_count_times_minus_sum(period_, tp);
    if (side == 0) return index;
    int with = 0;
    window_.ring().for_each([&](double v) { with += sum.sign_of_count_times_minus_sum(period_, v) == side; });
    if (with != 1) return index;
    return side > 0 ? bound(period_) : -bound(period_);
}

std::expected<Cci, IndicatorError> Cci::create(std::uint64_t n) {
    auto core = CciCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Cci(std::move(*core));
}

}  // namespace torvex
