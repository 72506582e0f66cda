// Dumpling top: the window's highest close sits in its middle half and the close has
// fallen below both the highest and the oldest close of the window (-1.0).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class DumplingTop final : public CandleIndicator<DumplingTop> {
public:
    // n below 5: "dumpling top needs period >= 5"; above MAX_PERIOD: the maximum text.
    static std::expected<DumplingTop, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return n_; }

    // The rounded top over the closes as seen through `sign` (+1.0 as they are, -1.0
    // reflected, which makes it the rounded bottom bit for bit): the first highest close
    // at an index in [n/4, n - n/4), and the newest close below it and below the oldest.
    static bool rounded_top(const FixedRing<double>& closes, double sign);

private:
    explicit DumplingTop(std::uint64_t n) : closes_(n), n_(n) {}

    FixedRing<double> closes_;
    std::uint64_t n_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, DumplingTop);

// Pushes the close into a window of the last n closes; true once the window is full.
bool push_close(FixedRing<double>& closes, double close);

}  // namespace torvex
