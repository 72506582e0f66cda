#include "indicators/trend/nrtr.hpp"

namespace torvex {

std::expected<Nrtr, IndicatorError> Nrtr::create(double percentage) {
    if (!(percentage > 0.0 && percentage < 100.0))
        return std::unexpected(IndicatorError::invalid_parameter("NRTR percentage must be in (0, 100)"));
    return Nrtr(percentage);
}

}  // namespace torvex
