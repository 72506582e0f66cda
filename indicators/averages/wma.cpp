#include "indicators/averages/wma.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Wma);

WmaCore::WmaCore(std::uint64_t n)
    : ring_(n),
      period_(n),
      n_(static_cast<double>(n)),
      denominator_((static_cast<double>(n) + 1.0) * static_cast<double>(n) * 0.5),
      clock_(16 * n) {}

std::expected<WmaCore, IndicatorError> WmaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return WmaCore(n);
}

std::expected<Wma, IndicatorError> Wma::create(std::uint64_t n) {
    auto core = WmaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Wma(std::move(*core));
}

}  // namespace torvex
