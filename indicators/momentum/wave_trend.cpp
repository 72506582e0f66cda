#include "indicators/momentum/wave_trend.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, WaveTrend, 2);

std::expected<WaveTrend, IndicatorError> WaveTrend::create(std::uint64_t channel, std::uint64_t average,
                                                           std::uint64_t signal) {
    if (channel == 0 || average == 0 || signal == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(channel); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(average); !ok) return std::unexpected(ok.error());
    auto wt2 = SmaCore::create(signal);
    if (!wt2) return std::unexpected(wt2.error());
    return WaveTrend(channel, average, std::move(*wt2));
}

}  // namespace torvex
