#include "indicators/momentum/trix.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Trix);

std::expected<Trix, IndicatorError> Trix::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Trix(n);
}

}  // namespace torvex
