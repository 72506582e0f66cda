#include "indicators/momentum/kst.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Kst, 2);

std::expected<Kst, IndicatorError> Kst::create(std::uint64_t roc1, std::uint64_t roc2, std::uint64_t roc3,
                                               std::uint64_t roc4, std::uint64_t sma1, std::uint64_t sma2,
                                               std::uint64_t sma3, std::uint64_t sma4, std::uint64_t signal) {
    const std::array<std::uint64_t, 4> spans{roc1, roc2, roc3, roc4};
    const std::array<std::uint64_t, 4> smooth{sma1, sma2, sma3, sma4};
    for (std::uint64_t n : {roc1, roc2, roc3, roc4, sma1, sma2, sma3, sma4, signal}) {
        if (n == 0) return std::unexpected(IndicatorError::zero_period());
    }
    for (std::uint64_t n : spans) {
        if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    }
    std::array<std::expected<SmaCore, IndicatorError>, 4> averages{
        SmaCore::create(sma1), SmaCore::create(sma2), SmaCore::create(sma3), SmaCore::create(sma4)};
    for (const auto& a : averages) {
        if (!a) return std::unexpected(a.error());
    }
    auto signal_average = SmaCore::create(signal);
    if (!signal_average) return std::unexpected(signal_average.error());

    std::uint64_t longest = 0;
    for (std::size_t i = 0; i < 4; ++i) longest = std::max(longest, spans[i] + smooth[i]);
    std::array<Leg, 4> legs{Leg{FixedRing<double>(roc1 + 1), std::move(*averages[0])},
                            Leg{FixedRing<double>(roc2 + 1), std::move(*averages[1])},
                            Leg{FixedRing<double>(roc3 + 1), std::move(*averages[2])},
                            Leg{FixedRing<double>(roc4 + 1), std::move(*averages[3])}};
    return Kst(std::move(legs), std::move(*signal_average), longest + signal - 1);
}

}  // namespace torvex
