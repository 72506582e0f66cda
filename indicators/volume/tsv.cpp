#include "indicators/volume/tsv.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Tsv);

std::expected<Tsv, IndicatorError> Tsv::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Tsv(n);
}

}  // namespace torvex
