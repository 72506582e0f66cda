#include "indicators/averages/decycler.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Decycler);

std::expected<Decycler, IndicatorError> Decycler::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!TwoPoleHighpassCore::stable(n)) {
        return std::unexpected(IndicatorError::invalid_period("decycler needs period >= 2"));
    }
    return Decycler(n);
}

}  // namespace torvex
