#include "indicators/averages/trima.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Trima);

std::expected<Trima, IndicatorError> Trima::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto first = SmaCore::create(n - n / 2);
    if (!first) return std::unexpected(first.error());
    auto second = SmaCore::create(n / 2 + 1);
    if (!second) return std::unexpected(second.error());
    return Trima(std::move(*first), std::move(*second), n);
}

}  // namespace torvex
