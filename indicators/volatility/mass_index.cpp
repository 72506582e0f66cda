#include "indicators/volatility/mass_index.hpp"

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

}  // namespace torvex
