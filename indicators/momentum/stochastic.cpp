#include "indicators/momentum/stochastic.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Stochastic, 2);

std::expected<Stochastic, IndicatorError> Stochastic::create(std::uint64_t k_period, std::uint64_t d_period) {
    if (k_period == 0 || d_period == 0) return std::unexpected(IndicatorError::zero_period());
    auto d_average = SmaCore::create(d_period);
    if (!d_average) return std::unexpected(d_average.error());
    if (auto ok = check_max_period(k_period); !ok) return std::unexpected(ok.error());
    return Stochastic(k_period, std::move(*d_average));
}

}  // namespace torvex
