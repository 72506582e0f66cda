// Frying-pan bottom: the mirror of the dumpling top: the window's lowest close sits in
// its middle half and the close has risen above both the lowest and the oldest close
// (+1.0).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class FryPanBottom final : public CandleIndicator<FryPanBottom> {
public:
    // n below 5: "frying pan bottom needs period >= 5"; above MAX_PERIOD: the maximum text.
    static std::expected<FryPanBottom, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return n_; }

private:
    explicit FryPanBottom(std::uint64_t n) : closes_(n), n_(n) {}

    FixedRing<double> closes_;
    std::uint64_t n_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, FryPanBottom);

}  // namespace torvex
