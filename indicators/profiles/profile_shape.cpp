#include "indicators/profiles/profile_shape.hpp"

#include "indicators/cores/price_grid.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ProfileShape);

std::expected<ProfileShape, IndicatorError> ProfileShape::create(std::uint64_t n, std::uint64_t bins) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (bins < 3) return std::unexpected(IndicatorError::invalid_period("profile shape needs bins >= 3"));
    if (auto ok = check_max_period(bins); !ok) return std::unexpected(ok.error());
    return ProfileShape(n, bins);
}

std::optional<double> ProfileShape::step(const Ohlcv& bar) {
    if (!window_.push(bar)) return std::nullopt;
    // A single-price window has an all-zero profile, whose point of control is bin 0.
    const std::uint64_t bins = window_.bins();
    const std::uint64_t poc = window_.volume_profile().has_range() ? point_of_control(window_.amounts()) : 0;
    const std::uint64_t third = bins / 3;
    if (poc < third) return -1.0;
    if (poc >= bins - third) return 1.0;
    return 0.0;
}

}  // namespace torvex
