// Volume-weighted support and resistance: the volume-weighted means of the window's
// lows and highs, or their plain means over a window without volume.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class VolumeWeightedSr final : public MultiOutput<VolumeWeightedSr, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"support", "resistance"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Z then M on the period.
    static std::expected<VolumeWeightedSr, IndicatorError> create(std::uint64_t period);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& c = ctx.candle;
        if (const std::optional<Entry> old = window_.push(Entry{c.high, c.low, c.volume})) {
            sums_.vh = sums_.vh - old->volume * old->high;
            sums_.vl = sums_.vl - old->volume * old->low;
            sums_.v = sums_.v - old->volume;
            sums_.h = sums_.h - old->high;
            sums_.l = sums_.l - old->low;
        }
        sums_.vh = sums_.vh + c.volume * c.high;
        sums_.vl = sums_.vl + c.volume * c.low;
        sums_.v = sums_.v + c.volume;
        sums_.h = sums_.h + c.high;
        sums_.l = sums_.l + c.low;
        // Every `period` bars the sums are re-added exactly, which bounds the drift of the
        // subtract-and-add updates, and as soon as one has fallen far below its recent
        // size (a huge bar has left). The prices are of one sign in any real series, so
        // their sums are their own magnitudes.
        if (clock_.tick(std::fabs(sums_.vh) + std::fabs(sums_.vl), sums_.v, std::fabs(sums_.h) + std::fabs(sums_.l))) {
            Sums exact;
            window_.for_each([&exact](const Entry& e) {
                exact.vh += e.volume * e.high;
                exact.vl += e.volume * e.low;
                exact.v += e.volume;
                exact.h += e.high;
                exact.l += e.low;
            });
            sums_ = exact;
            clock_.settle(
                ResumClock::first_leaves(window_.capacity(), window_.size()),
                [this](auto&& fn) {
                    window_.for_each([&fn](const Entry& e) { fn(e.volume * e.high, e.volume * e.low, e.volume, e.high, e.low); });
                },
                std::fabs(exact.vh) + std::fabs(exact.vl), exact.v, std::fabs(exact.h) + std::fabs(exact.l));
        }
        if (!window_.full()) return std::nullopt;
        if (sums_.v > 0.0) return std::array<double, 2>{sums_.vl / sums_.v, sums_.vh / sums_.v};
        const double n = static_cast<double>(window_.capacity());
        return std::array<double, 2>{sums_.l / n, sums_.h / n};
    }
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    explicit VolumeWeightedSr(std::uint64_t period) : window_(period), clock_(period) {}

    struct Entry {
        double high;
        double low;
        double volume;
    };
    // The five running sums move together: a bar in adds, the bar that leaves subtracts.
    struct Sums {
        double vh = 0.0;
        double vl = 0.0;
        double v = 0.0;
        double h = 0.0;
        double l = 0.0;
    };

    FixedRing<Entry> window_;
    Sums sums_;
    ResumClock clock_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, VolumeWeightedSr, 2);

}  // namespace torvex
