#include "indicators/averages/zlema.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Zlema);

std::expected<ZlemaCore, IndicatorError> ZlemaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ZlemaCore(n);
}

std::expected<Zlema, IndicatorError> Zlema::create(std::uint64_t n) {
    auto core = ZlemaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Zlema(std::move(*core));
}

}  // namespace torvex
