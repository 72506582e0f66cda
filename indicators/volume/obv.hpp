// On-balance volume: volume added on an up close and taken away on a down close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Obv final : public CandleIndicator<Obv> {
public:
    static std::expected<Obv, IndicatorError> create() { return Obv(); }

    static constexpr bool kStepsOnFields = true;

    // 0 on the first bar; the line after.
    //
    // The volume is multiplied by +1, -1 or 0 after the direction of the close, and
    // the product is always added: no branch hangs on the direction, and the first
    // bar, compared with its own close, adds a zero. Adding a zero leaves the line as
    // it was: the total and its carry are never -0.0, so a zero added to them returns
    // them bit for bit, and a total that has overflowed stays infinite whatever is
    // added (every volume is finite).
    std::optional<double> step(const Ohlcv& bar) {
        const double p = prev_close_.value_or(bar.close);
        const int direction = static_cast<int>(bar.close > p) - static_cast<int>(bar.close < p);
        line_.add(bar.volume * static_cast<double>(direction));
        prev_close_ = bar.close;
        return line_.value();
    }
    std::uint64_t warmup() const override { return 1; }

private:
    Obv() = default;
    std::optional<double> prev_close_;
    CompensatedSum line_;  // a cumulative line: compensated so long runs do not drift
};

}  // namespace torvex
