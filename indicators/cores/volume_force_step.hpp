// Volume times the close change from the previous bar: the force that the force
// index averages and the time-segmented volume sums.
#pragma once

#include <optional>

#include "indicators/bar.hpp"

namespace torvex {

class VolumeForceStep {
public:
    // Nothing on the first bar, whose close only becomes the previous one; after it,
    // volume · (close − previous close) of every bar, whatever its size.
    [[gnu::always_inline]] std::optional<double> push(const Ohlcv& bar) {
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        const double force = bar.volume * (bar.close - *prev_close_);
        prev_close_ = bar.close;
        return force;
    }

private:
    std::optional<double> prev_close_;
};

}  // namespace torvex
