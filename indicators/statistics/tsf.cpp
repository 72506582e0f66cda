#include "indicators/statistics/tsf.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Tsf);

std::expected<TsfCore, IndicatorError> TsfCore::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("time series forecast needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    auto line = LinRegCore::create(n);
    if (!line) return std::unexpected(line.error());
    return TsfCore(std::move(*line));
}

std::expected<Tsf, IndicatorError> Tsf::create(std::uint64_t n) {
    auto core = TsfCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Tsf(std::move(*core));
}

}  // namespace torvex
