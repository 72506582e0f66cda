// Chaikin oscillator: fast minus slow exponential average of the accumulation/
// distribution line.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"
#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

class ChaikinOscillator final : public CandleIndicator<ChaikinOscillator> {
public:
    static constexpr bool kStepsOnFields = true;

    // fast or slow 0: ZeroPeriod; fast >= slow: InvalidPeriod; a length above
    // MAX_PERIOD: InvalidPeriod.
    static std::expected<ChaikinOscillator, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    // Nothing until the slow average has its first value, and nothing for a bar whose
    // line is not finite (the averages skip it).
    std::optional<double> step(const Ohlcv& bar) {
        line_.add(money_flow_volume(bar));
        const double line = line_.value();
        if (!is_finite(line)) return std::nullopt;
        // Both averages take every finite line, the fast one seeding first: once the
        // slow one is seeded the step is two smoothing steps.
        if (slow_.seeded()) [[likely]] {
            fast_.smooth(line);
            slow_.smooth(line);
            return fast_.value() - slow_.value();
        }
        const std::optional<double> f = fast_.step(line);
        const std::optional<double> s = slow_.step(line);
        if (!f || !s) return std::nullopt;
        return *f - *s;
    }
    std::uint64_t warmup() const override { return slow_.period(); }

    // A run of valid candles: bar by bar until the slow average is seeded, then in
    // blocks. The money-flow volumes of a block are worked out first, several bars at
    // once; then the line and the two averages run bar by bar with their state in
    // registers and nothing else on their chains. A bar whose line is not finite
    // leaves the averages as they were, as the step does.
    TORVEX_INLINE_LOOP void run_valid_fields(const FieldRows& rows, std::size_t count, double* __restrict out) {
        std::size_t r = 0;
        for (; r < count && !slow_.seeded(); ++r)
            out[r] = step(Ohlcv{0, rows.open[r], rows.high[r], rows.low[r], rows.close[r], rows.volume[r]})
                         .value_or(0.0);
        if (r == count) return;
        const double fast_alpha = fast_.alpha(), fast_keep = fast_.one_minus_alpha();
        const double slow_alpha = slow_.alpha(), slow_keep = slow_.one_minus_alpha();
        CompensatedSum line = line_;
        double fast = fast_.value();
        double slow = slow_.value();
        constexpr std::size_t kBlock = 256;
        double flows[kBlock];
        while (r < count) {
            // The block's flows are read by their place in it: no pointer is formed
            // before the array.
            const std::size_t start = r, end = r + std::min(kBlock, count - r);
            block_flows(rows, start, end - start, flows);
            while (r < end) {
                // Finite lines, until one is not (the averages skip that bar).
                for (; r < end; ++r) {
                    line.add(flows[r - start]);
                    const double value = line.value();
                    if (!is_finite(value)) [[unlikely]]
                        break;
                    fast = std::fma(fast_alpha, value, fast_keep * fast);
                    slow = std::fma(slow_alpha, value, slow_keep * slow);
                    out[r] = fast - slow;
                }
                if (r < end) out[r++] = 0.0;
            }
        }
        line_ = line;
        fast_.set_value(fast);
        slow_.set_value(slow);
    }

private:
    // The money-flow volumes of rows first .. first + n - 1, several at a time.
    static TORVEX_INLINE_LOOP void block_flows(const FieldRows& rows, std::size_t first, std::size_t n,
                                               double* __restrict flows) {
        const double* __restrict high = rows.high + first;
        const double* __restrict low = rows.low + first;
        const double* __restrict close = rows.close + first;
        const double* __restrict volume = rows.volume + first;
        // Four lanes in explicit vectors (each lane the same correctly rounded
        // arithmetic as money_flow_volume): written as a choice per bar, the compiler
        // would divide only where the range is not zero, one bar at a time.
        using Quad = double __attribute__((vector_size(32)));
        using Mask = std::int64_t __attribute__((vector_size(32)));
        std::size_t k = 0;
        for (; k + 4 <= n; k += 4) {
            Quad h, l, c, v;
            std::memcpy(&h, high + k, sizeof h);
            std::memcpy(&l, low + k, sizeof l);
            std::memcpy(&c, close + k, sizeof c);
            std::memcpy(&v, volume + k, sizeof v);
            const Quad range = h - l;
            const Quad flow = ((c - l) - (h - c)) / range * v;
            const Mask kept = (Mask)flow & ~(range == 0.0);  // a vector cast keeps the bits
            std::memcpy(flows + k, &kept, sizeof kept);
        }
        for (; k < n; ++k) flows[k] = money_flow_volume(Ohlcv{0, 0.0, high[k], low[k], close[k], volume[k]});
    }

    ChaikinOscillator(std::uint64_t fast, std::uint64_t slow) : fast_(fast), slow_(slow) {}

    CompensatedSum line_;  // the accumulation/distribution line since the first bar
    SeededEma fast_;
    SeededEma slow_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ChaikinOscillator);

}  // namespace torvex
