#include "indicators/volatility/mass_index.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, MassIndex);

std::expected<MassIndex, IndicatorError> MassIndex::create(std::uint64_t e, std::uint64_t s) {
    if (e == 0 || s == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(e); !ok) return std::unexpected(ok.error());
    // The sum window is allocated whole: a length beyond the window limit is refused
    // rather than left to exhaust memory.
    if (auto ok = check_max_period(s); !ok) return std::unexpected(ok.error());
    auto emas = EmaChain<2>::create(e);
    if (!emas) return std::unexpected(emas.error());
    return MassIndex(*emas, e, s);
}

double MassIndex::careful_ratio(double first, double second) {
    double f = first, s = second;
    scale_.settle({&f, &s});
    emas_.set_value(0, f);
    emas_.set_value(1, s);
    return s == 0.0 ? 1.0 : f / s;
}

std::optional<double> MassIndex::careful_step(double range) {
    double f = emas_.value(0), s = emas_.value(1), x = range;
    scale_.enter({&f, &s}, {&x});
    emas_.set_value(0, f);
    emas_.set_value(1, s);
    const bool advanced = emas_.advance(x);
    f = emas_.value(0);
    s = emas_.value(1);
    scale_.settle({&f, &s});
    emas_.set_value(0, f);
    emas_.set_value(1, s);
    if (!advanced) return std::nullopt;
    return add_ratio(s == 0.0 ? 1.0 : f / s);
}

}  // namespace torvex
