#include "indicators/bands/lin_reg_channel.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, LinRegChannel, 3);

std::expected<LinRegChannel, IndicatorError> LinRegChannel::create(std::uint64_t n, double k) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("linear regression channel needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    // The residual sum of squares is divided by n.
    return LinRegChannel(RegressionChannelCore(n, k, static_cast<double>(n)));
}

}  // namespace torvex
