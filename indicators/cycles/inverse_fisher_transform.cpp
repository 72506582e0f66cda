#include "indicators/cycles/inverse_fisher_transform.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, InverseFisherTransform);

std::expected<InverseFisherTransform, IndicatorError> InverseFisherTransform::create(double scale) {
    if (!(std::isfinite(scale) && scale > 0.0)) {
        return std::unexpected(IndicatorError::invalid_period("scale must be a positive finite number"));
    }
    return InverseFisherTransform(scale);
}

}  // namespace torvex
