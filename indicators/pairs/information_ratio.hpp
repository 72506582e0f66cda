// Mean active value (close minus reference) over its sample standard deviation, over
// the last `period` bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/variance_window.hpp"
#include "indicators/cores/written_spread.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class InformationRatio final : public PairIndicator<InformationRatio> {
public:
    static std::expected<InformationRatio, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit InformationRatio(VarianceWindow window) : window_(std::move(window)) {}

    // Whether the window's spreads are equal in the decimals of the newest prices.
    [[gnu::noinline]] bool flat_as_written() const;

    // A variance within this share of the squared mean is asked whether it is flat.
    static constexpr double kGate = kSpreadFlatGate * kSpreadFlatGate;

    // The newest bar's prices, which the decision out of line reads; kept apart, so
    // that each is stored with one move.
    double newest_a_ = 0.0;
    VarianceWindow window_;
    double newest_b_ = 0.0;
};

}  // namespace torvex
