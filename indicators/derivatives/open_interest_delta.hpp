// Change of open interest since the previous snapshot.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/feed_indicator.hpp"

namespace torvex {

class OpenInterestDelta final : public TickIndicator<OpenInterestDelta> {
public:
    static std::expected<OpenInterestDelta, IndicatorError> create() { return OpenInterestDelta(); }

    // Nothing on the first snapshot; the current open interest is kept either way.
    std::optional<double> step(const DerivativesTick& tick) {
        const std::optional<double> previous = previous_;
        previous_ = tick.open_interest;
        if (!previous) return std::nullopt;
        return tick.open_interest - *previous;
    }
    std::uint64_t warmup() const override { return 2; }

private:
    OpenInterestDelta() = default;

    std::optional<double> previous_;
};

}  // namespace torvex
