// The shape shared by the Fibonacci swing tools: one swing tracker (reversal 0.05)
// stepped with every accepted bar's high and low, no value until it holds the
// pivots the tool needs, then the tool's levels on every accepted bar.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "indicators/cores/swing_tracker.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

// `Derived` supplies kOutputNames, `static constexpr bool kMovesWithTime` and
//   std::array<double, N> levels(std::span<const Pivot> kept, std::uint64_t now);
// where `now` is the index of the bar just stepped. Levels that depend on the
// pivots alone change only when a pivot is confirmed, so they are kept from that
// bar on rather than worked out again.
template <class Derived, std::size_t N, std::size_t kKept, std::size_t kNeeded>
class SwingLevels : public MultiOutput<Derived, N> {
public:
    static constexpr InputGate kGate = InputGate::Candle;

    std::optional<std::array<double, N>> step(const BarContext& ctx) {
        const bool confirmed = tracker_.step(ctx.candle.high, ctx.candle.low);
        if (tracker_.size() < kNeeded) return std::nullopt;
        // The needed count is first reached on a confirming bar, so the kept levels
        // are always those of the current pivots.
        if (Derived::kMovesWithTime || confirmed)
            levels_ = static_cast<Derived*>(this)->levels(tracker_.pivots(), tracker_.bar_count() - 1);
        return levels_;
    }

private:
    SwingTracker tracker_{0.05, kKept};
    std::array<double, N> levels_{};
};

}  // namespace torvex
