// The ultimate oscillator against its straightforward step (a capped history indexed
// from the oldest pair, one scalar division per ratio), bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/momentum/ultimate_oscillator.hpp"
#include "reference_compare.hpp"

namespace torvex {
namespace {

class ReferenceUltimate {
public:
    ReferenceUltimate(std::uint64_t p1, std::uint64_t p2, std::uint64_t p3)
        : longest_(std::max({p1, p2, p3})), history_(longest_ + 1), windows_{Window(p1), Window(p2), Window(p3)} {}

    std::optional<double> update(const Ohlcv& bar) {
        if (!validate_candle(bar)) return std::nullopt;
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        const double true_low = std::min(bar.low, *prev_close_);
        const double true_high = std::max(bar.high, *prev_close_);
        prev_close_ = bar.close;
        const Pair pair{bar.close - true_low, true_high - true_low};
        history_.push(pair);
        const std::size_t len = history_.size();
        for (Window& w : windows_) {
            w.pressure = w.pressure + pair.pressure;
            w.range = w.range + pair.range;
            if (len > w.period) {
                const Pair& gone = history_[len - 1 - w.period];
                w.pressure = w.pressure - gone.pressure;
                w.range = w.range - gone.range;
            }
            if (w.clock.tick(w.pressure, w.range)) {
                double p = 0.0;
                double r = 0.0;
                const std::size_t held = std::min<std::size_t>(len, w.period);
                for (std::size_t i = len - held; i < len; ++i) {
                    p += history_[i].pressure;
                    r += history_[i].range;
                }
                w.pressure = p;
                w.range = r;
                w.clock.settle(
                    ResumClock::first_leaves(w.period, held),
                    [&](auto&& fn) {
                        for (std::size_t i = len - held; i < len; ++i) fn(history_[i].pressure, history_[i].range);
                    },
                    p, r);
            }
        }
        if (len > longest_) history_.pop_front();
        count_ += 1;
        if (count_ < longest_) return std::nullopt;
        std::array<double, 3> ratio{};
        for (std::size_t j = 0; j < 3; ++j) {
            ratio[j] = windows_[j].range == 0.0 ? 0.5 : windows_[j].pressure / windows_[j].range;
        }
        return ((ratio[1] * 2.0 + ratio[0] * 4.0) + ratio[2]) * 100.0 / 7.0;
    }

private:
    struct Pair {
        double pressure = 0.0;
        double range = 0.0;
    };
    struct Window {
        explicit Window(std::uint64_t n) : period(n), clock(n) {}
        std::uint64_t period;
        double pressure = 0.0;
        double range = 0.0;
        ResumClock clock;
    };

    std::uint64_t longest_;
    std::optional<double> prev_close_;
    CappedRing<Pair> history_;
    std::array<Window, 3> windows_;
    std::uint64_t count_ = 0;
};

TEST(UltimateOscillator, StepsAsTheStraightforwardStepBitForBit) {
    struct Lengths {
        std::uint64_t p1, p2, p3;
    };
    const std::vector<Lengths> cases = {{1, 1, 1},   {2, 1, 2},    {1, 2, 14},   {7, 14, 28},
                                        {30, 14, 2}, {100, 30, 1}, {14, 1000, 100}};
    std::uint64_t seed = 11;
    for (const Lengths& l : cases) {
        const std::vector<Ohlcv> bars = testing_reference::rough_candles(seed++, 3000);
        ReferenceUltimate reference(l.p1, l.p2, l.p3);
        testing_reference::expect_same_bits(
            "UltimateOscillator", [&] { return IndicatorBox(new UltimateOscillator(*UltimateOscillator::create(l.p1, l.p2, l.p3))); },
            [&](const Ohlcv& bar) { return reference.update(bar); }, bars);
    }
}

}  // namespace
}  // namespace torvex
