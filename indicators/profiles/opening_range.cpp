#include "indicators/profiles/opening_range.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, OpeningRange, 3);

std::expected<OpeningRange, IndicatorError> OpeningRange::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return OpeningRange(n);
}

}  // namespace torvex
