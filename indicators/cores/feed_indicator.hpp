// Gate shared by the indicators over a bar member other than the candle (the order
// book, the derivatives snapshot), and the shape of those that are a plain formula of
// that member.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

// The two members these indicators read, each found or absent in a context.
struct BookFeed {
    using Input = OrderBook;
    static const OrderBook* find(const BarContext& ctx) { return ctx.book; }
};
struct TickFeed {
    using Input = DerivativesTick;
    static const DerivativesTick* find(const BarContext& ctx) {
        return ctx.derivatives ? &*ctx.derivatives : nullptr;
    }
};

// A bar without the member answers nothing and leaves the state alone. The member
// itself is not validated: the environment only hands over books and snapshots that
// pass its own checks, so a step sees whatever the caller put there.
template <class Derived, class Feed>
class FeedIndicator : public DynIndicator {
public:
    std::optional<double> update(const BarContext& ctx) final {
        const typename Feed::Input* input = Feed::find(ctx);
        if (input == nullptr) return std::nullopt;
        return static_cast<Derived*>(this)->step(*input);
    }
};

template <class Derived>
using BookIndicator = FeedIndicator<Derived, BookFeed>;
template <class Derived>
using TickIndicator = FeedIndicator<Derived, TickFeed>;

// A measure of the current member alone: no parameter, no memory, a value on every
// bar that carries the member.
template <class Feed, double (*Formula)(const typename Feed::Input&)>
class StatelessFeedIndicator final : public FeedIndicator<StatelessFeedIndicator<Feed, Formula>, Feed> {
public:
    static std::expected<StatelessFeedIndicator, IndicatorError> create() { return StatelessFeedIndicator(); }

    std::optional<double> step(const typename Feed::Input& input) const { return Formula(input); }
    std::uint64_t warmup() const override { return 1; }

private:
    StatelessFeedIndicator() = default;
};

}  // namespace torvex
