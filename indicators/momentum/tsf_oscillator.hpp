// Percent distance of the close from the time-series forecast of the window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/tsf.hpp"

namespace torvex {

class TsfOscillator final : public CloseIndicator<TsfOscillator> {
public:
    static std::expected<TsfOscillator, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return forecast_.period(); }

private:
    explicit TsfOscillator(TsfCore forecast) : forecast_(std::move(forecast)) {}

    // A zero close has no percent distance; the previous answer stands for it.
    std::optional<double> last_;
    TsfCore forecast_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, TsfOscillator);

}  // namespace torvex
