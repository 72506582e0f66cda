// Profile shape: which third of the window's price range holds the volume point of
// control: -1.0 the lowest third, +1.0 the highest, 0.0 the middle.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/indicator.hpp"
#include "indicators/profiles/profile_window.hpp"

namespace torvex {

class ProfileShape final : public CandleIndicator<ProfileShape> {
public:
    // n == 0: ZeroPeriod; n above MAX_PERIOD: the maximum text; bins below 3:
    // "profile shape needs bins >= 3"; bins above MAX_PERIOD: the maximum text.
    static std::expected<ProfileShape, IndicatorError> create(std::uint64_t n, std::uint64_t bins);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    ProfileShape(std::uint64_t n, std::uint64_t bins) : window_(n, bins) {}

    ProfileWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ProfileShape);

}  // namespace torvex
