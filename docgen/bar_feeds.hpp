// Bars and the feeds each one carries (candle, reference, trades, book, derivatives
// snapshot and market panel, all derived from the bar's price level so that a bar
// reaches every feed at once), and a seeded walk of whole candles: what the page
// generator feeds every name to learn its outputs, and what the whole-registry tests
// build their histories from.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "indicators/indicator.hpp"

namespace torvex::feeds {

struct FedBar {
    Ohlcv candle;
    double reference = 0.0;
    bool extreme = false;  // a value far outside the scale of the bars around it
};

// The feeds of one bar, owned here so that the context can borrow them.
//
// `price_scale` multiplies every price of the bar and of its feeds (both legs, book
// and trade prices, the derivatives prices, the panel's changes) after the feeds are
// derived from the bar as it is, so that a history fed at 2^k is the same history
// with its prices moved: volumes, sizes, counts, rates and time stamps stay.
// `price_shift` then adds to every price the same way (not to the panel's changes,
// which are differences): the same history at another level.
class BarFeeds {
public:
    BarFeeds(const FedBar& bar, std::size_t index, double price_scale = 1.0, double price_shift = 0.0)
        : candle_(bar.candle) {
        // Every feed is a function of the candle alone, so that identical bars give
        // identical feeds.
        const double p = candle_.close;
        const double change = candle_.close - candle_.open;
        const double rel = std::tanh(change / std::max(std::fabs(p), 1e-300));  // in (-1, 1)
        const double tick = std::max(std::fabs(p) * 1e-4, 1e-12);
        const double wobble = 2.0 + 2.0 * rel;
        book_.bids = {{p - tick, 5.0 + wobble}, {p - 2 * tick, 7.0}, {p - 3 * tick, 9.0}};
        book_.asks = {{p + tick, 4.0 + (4 - wobble)}, {p + 2 * tick, 6.0}, {p + 3 * tick, 8.0}};
        const double q = std::max(candle_.volume, 0.0);
        trades_ = {{candle_.open, q * 0.5, 2 * index, false}, {p, q * 0.3 + 0.25, 2 * index + 1, true},
                   {candle_.low, q * 0.2 + 0.5, 2 * index + 2, change < 0}};
        tick_.funding_rate = 1e-4 + 1e-3 * rel;
        tick_.mark_price = p;
        tick_.index_price = p * (1.0 - 1e-4);
        tick_.futures_price = p * (1.0 + 2e-4);
        tick_.open_interest = 1e4 * std::fabs(p) + 1.0;
        tick_.long_side = 0.55;
        tick_.short_side = 0.45;
        tick_.taker_buy_volume = q * 0.6;
        tick_.taker_sell_volume = q * 0.4;
        tick_.long_liquidations = q * 0.01;
        tick_.short_liquidations = q * 0.02;
        tick_.ts = candle_.ts;
        panel_.members = {{change, q, change > 0, change < 0, true, change > 0},
                          {-0.5 * change, 2.0 * q + 1.0, false, change > 0, change < 0, false},
                          {0.25, 3.0, false, false, true, true}};
        reference_ = bar.reference;
        if (price_scale != 1.0) scale_prices(price_scale);
        if (price_shift != 0.0) shift_prices(price_shift);
    }
    BarFeeds(const BarFeeds&) = delete;
    BarFeeds& operator=(const BarFeeds&) = delete;

    BarContext context() const {
        BarContext ctx(candle_);
        ctx.reference = reference_;
        ctx.derivatives = tick_;
        ctx.trades = trades_;
        ctx.book = &book_;
        ctx.cross_section = &panel_;
        return ctx;
    }

private:
    void scale_prices(double s) {
        for (double* x : {&candle_.open, &candle_.high, &candle_.low, &candle_.close, &reference_, &tick_.mark_price,
                          &tick_.index_price, &tick_.futures_price})
            *x *= s;
        for (BookLevel& l : book_.bids) l.price *= s;
        for (BookLevel& l : book_.asks) l.price *= s;
        for (Trade& t : trades_) t.price *= s;
        for (CrossSectionMember& m : panel_.members) m.change *= s;
    }
    void shift_prices(double d) {
        for (double* x : {&candle_.open, &candle_.high, &candle_.low, &candle_.close, &reference_, &tick_.mark_price,
                          &tick_.index_price, &tick_.futures_price})
            *x += d;
        for (BookLevel& l : book_.bids) l.price += d;
        for (BookLevel& l : book_.asks) l.price += d;
        for (Trade& t : trades_) t.price += d;
    }

    Ohlcv candle_;
    double reference_;
    OrderBook book_;
    std::vector<Trade> trades_;
    DerivativesTick tick_;
    CrossSection panel_;
};

// A deterministic random walk of whole candles (real bodies and wicks) around `base`,
// each step a fraction of the level; the reference follows at half the level with
// its own wobble.
inline void append_walk(std::vector<FedBar>& out, std::size_t count, double base, std::uint64_t seed) {
    std::uint64_t s = seed * 6364136223846793005ull + 1442695040888963407ull;
    auto unit = [&s] {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(s >> 11) / 9007199254740992.0 - 0.5;  // [-0.5, 0.5)
    };
    double x = base;
    for (std::size_t i = 0; i < count; ++i) {
        const double o = x;
        x += base * 0.02 * unit();
        const double h = std::max(o, x) + base * 0.005 * (unit() + 0.5);
        const double l = std::min(o, x) - base * 0.005 * (unit() + 0.5);
        const double v = 1.0 + 10.0 * (unit() + 0.5);
        out.push_back({Ohlcv{0, o, h, l, x, v}, 0.5 * x + base * 0.01 * unit(), false});
    }
}

}  // namespace torvex::feeds
