// Williams accumulation/distribution: the close measured from the true low on an up
// close and from the true high on a down close, accumulated.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

// The bar's Williams amount against the previous close pc: c − min(l, pc) on an up
// close, c − max(h, pc) on a down close, 0 on an unchanged one.
double williams_ad(const Ohlcv& b, double pc);

class Wad final : public CandleIndicator<Wad> {
public:
    static std::expected<Wad, IndicatorError> create() { return Wad(); }

    // Nothing on the first bar; then the line.
    std::optional<double> step(const Ohlcv& bar) {
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        total_.add(williams_ad(bar, *prev_close_));
        prev_close_ = bar.close;
        return total_.value();
    }
    std::uint64_t warmup() const override { return 2; }

private:
    Wad() = default;
    std::optional<double> prev_close_;
    CompensatedSum total_;  // a cumulative line: compensated so long runs do not drift
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Wad);

}  // namespace torvex
