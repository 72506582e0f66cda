// Mark price weighted by open interest over the whole history fed so far.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/feed_indicator.hpp"

namespace torvex {

class OIWeighted final : public TickIndicator<OIWeighted> {
public:
    static std::expected<OIWeighted, IndicatorError> create() { return OIWeighted(); }

    // Without any open interest so far there is no weight, so the current mark stands.
    std::optional<double> step(const DerivativesTick& tick) {
        weighted_sum_ += tick.open_interest * tick.mark_price;
        oi_sum_ += tick.open_interest;
        if (oi_sum_ == 0.0) return tick.mark_price;
        return weighted_sum_ / oi_sum_;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    OIWeighted() = default;

    double weighted_sum_ = 0.0;
    double oi_sum_ = 0.0;
};

}  // namespace torvex
