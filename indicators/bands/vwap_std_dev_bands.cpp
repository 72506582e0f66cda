#include "indicators/bands/vwap_std_dev_bands.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, VwapStdDevBands, 4);

std::expected<VwapStdDevBands, IndicatorError> VwapStdDevBands::create(double k) {
    if (!is_finite(k) || !(k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return VwapStdDevBands(k);
}

}  // namespace torvex
