// Trade-flow indicators fed trades (and books) directly through the bar context.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <vector>

#include "indicators/flow/amihud_illiquidity.hpp"
#include "indicators/flow/cumulative_volume_delta.hpp"
#include "indicators/flow/kyles_lambda.hpp"
#include "indicators/flow/pin.hpp"
#include "indicators/flow/realized_spread.hpp"
#include "indicators/flow/roll_measure.hpp"
#include "indicators/flow/trade_imbalance.hpp"
#include "indicators/flow/trade_measures.hpp"
#include "indicators/flow/trade_sign_autocorrelation.hpp"
#include "indicators/flow/vpin.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::boxed;
using test::refusal;

Trade buy(double price, double qty) { return Trade{price, qty, 0, false}; }
Trade sell(double price, double qty) { return Trade{price, qty, 0, true}; }

std::optional<double> feed_trades(DynIndicator& ind, const std::vector<Trade>& trades, double close = 100.0,
                                  const OrderBook* book = nullptr) {
    const Ohlcv bar{0, close, close, close, close, 1.0};
    BarContext ctx(bar);
    ctx.trades = trades;
    ctx.book = book;
    return ind.update(ctx);
}

// One trade per bar; the answers in order.
std::vector<std::optional<double>> feed_each(DynIndicator& ind, const std::vector<Trade>& trades) {
    std::vector<std::optional<double>> out;
    for (const Trade& t : trades) out.push_back(feed_trades(ind, {t}));
    return out;
}

TEST(TradeFlow, ConstructorChecks) {
    const std::string kMax = test::kTooLong;
    struct Case {
        const char* label;
        std::string got;
        std::string want;
    };
    const Case cases[] = {
        {"imbalance 0", refusal(TradeImbalance::create(0)), test::kZero},
        {"imbalance over", refusal(TradeImbalance::create(test::kOver)), kMax},
        {"imbalance max", refusal(TradeImbalance::create(MAX_PERIOD)), "built"},
        {"autocorr 1", refusal(TradeSignAutocorrelation::create(1)),
         "invalid period: trade-sign autocorrelation needs period >= 2"},
        {"autocorr 0", refusal(TradeSignAutocorrelation::create(0)),
         "invalid period: trade-sign autocorrelation needs period >= 2"},
        {"autocorr over", refusal(TradeSignAutocorrelation::create(test::kOver)), kMax},
        {"pin 0", refusal(Pin::create(0)), test::kZero},
        {"pin over", refusal(Pin::create(test::kOver)), kMax},
        {"vpin period first", refusal(Vpin::create(-1.0, 0)), test::kZero},
        {"vpin volume", refusal(Vpin::create(-1.0, 5)),
         "invalid parameter: VPIN bucket_volume must be finite and positive"},
        {"vpin zero volume", refusal(Vpin::create(0.0, 5)),
         "invalid parameter: VPIN bucket_volume must be finite and positive"},
        {"vpin nan", refusal(Vpin::create(std::nan(""), 5)),
         "invalid parameter: VPIN bucket_volume must be finite and positive"},
        {"vpin subnormal", refusal(Vpin::create(5e-324, 5)), "built"},
        {"roll 2", refusal(RollMeasure::create(2)), "invalid period: Roll measure needs period >= 3"},
        {"roll over", refusal(RollMeasure::create(test::kOver)), kMax},
        {"amihud 0", refusal(AmihudIlliquidity::create(0)), test::kZero},
        {"realized 0", refusal(RealizedSpread::create(0)), test::kZero},
        {"realized over", refusal(RealizedSpread::create(UINT64_MAX)), kMax},
        {"kyle 1", refusal(KylesLambda::create(1)), "invalid period: kyle's lambda needs window >= 2"},
        {"kyle over", refusal(KylesLambda::create(test::kOver)), kMax},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.label;
}

TEST(TradeFlow, NoTradesChangesNothing) {
    auto cvd = boxed(CumulativeVolumeDelta::create());
    EXPECT_EQ(feed_trades(*cvd, {buy(1, 2)}), 2.0);
    EXPECT_EQ(feed_trades(*cvd, {}), std::nullopt);
    EXPECT_EQ(feed_trades(*cvd, {sell(1, 0.5), sell(1, 0.25)}), 1.25);

    auto pin = boxed(Pin::create(2));
    EXPECT_EQ(feed_trades(*pin, {buy(1, 1)}), std::nullopt);
    EXPECT_EQ(feed_trades(*pin, {}), std::nullopt);
    EXPECT_EQ(feed_trades(*pin, {buy(1, 1)}), 1.0);
}

TEST(TradeFlow, HandWorkedValues) {
    auto sv = boxed(SignedVolume::create());
    EXPECT_EQ(feed_trades(*sv, {buy(1, 4), sell(1, 2.5)}), -2.5);
    EXPECT_EQ(sv->warmup(), 1u);

    OrderBook book;
    book.bids = {{99.0, 1.0}};
    book.asks = {{101.0, 1.0}};
    auto es = boxed(EffectiveSpread::create());
    EXPECT_EQ(feed_trades(*es, {buy(101, 1)}, 500.0, &book), 200.0);  // mid 100
    EXPECT_EQ(feed_trades(*es, {sell(99, 1)}, 500.0, &book), 200.0);
    EXPECT_EQ(feed_trades(*es, {buy(101, 1)}, 100.0), 200.0);          // no book: the close
    OrderBook one_sided;
    one_sided.bids = {{99.0, 1.0}};
    EXPECT_EQ(feed_trades(*es, {buy(102, 1)}, 100.0, &one_sided), 400.0);
    EXPECT_EQ(feed_trades(*es, {buy(102, 1)}, 0.0), std::nullopt);      // a mid of 0 is refused

    auto pin = boxed(Pin::create(4));
    EXPECT_EQ(feed_trades(*pin, {buy(1, 1), buy(1, 1), buy(1, 1), sell(1, 1)}), 0.5);

    auto tsa = boxed(TradeSignAutocorrelation::create(5));
    EXPECT_EQ(feed_trades(*tsa, {buy(1, 1), sell(1, 1), buy(1, 1), sell(1, 1)}), std::nullopt);
    EXPECT_EQ(feed_trades(*tsa, {buy(1, 1), sell(1, 1), buy(1, 1)}), -1.0);

    auto imb = boxed(TradeImbalance::create(3));
    EXPECT_EQ(feed_trades(*imb, {buy(1, 3), sell(1, 1)}), std::nullopt);
    EXPECT_EQ(feed_trades(*imb, {buy(1, 2)}), 4.0 / 6.0);
    EXPECT_EQ(feed_trades(*imb, {sell(1, 2)}), -0.2);  // window: sell 1, buy 2, sell 2
}

TEST(TradeFlow, VpinBuckets) {
    auto vpin = boxed(Vpin::create(10.0, 1));
    EXPECT_EQ(feed_trades(*vpin, {buy(1, 25)}), 1.0);  // two full buy buckets, 5 left open
    // The open bucket holds 5 bought; 5 sold close it balanced.
    EXPECT_EQ(feed_trades(*vpin, {sell(1, 5)}), 0.0);

    auto two = boxed(Vpin::create(10.0, 2));
    EXPECT_EQ(feed_trades(*two, {buy(1, 10)}), std::nullopt);
    EXPECT_EQ(feed_trades(*two, {buy(1, 6), sell(1, 4)}), (10.0 + 2.0) / 20.0);

    // A huge or infinite print ends in bounded work and leaves full buy buckets.
    auto huge = boxed(Vpin::create(10.0, 3));
    EXPECT_EQ(feed_trades(*huge, {buy(1, 1e300)}), 1.0);
    EXPECT_EQ(feed_trades(*huge, {sell(1, std::numeric_limits<double>::infinity())}), 1.0);
    auto overflow = boxed(Vpin::create(1e308, 16));
    EXPECT_EQ(feed_trades(*overflow, {buy(1, std::numeric_limits<double>::infinity())}), 1.0);
}

TEST(TradeFlow, RollMeasure) {
    auto roll = boxed(RollMeasure::create(4));
    EXPECT_EQ(roll->warmup(), 5u);
    std::vector<Trade> bounce;
    for (int i = 0; i < 9; ++i) bounce.push_back(buy(i % 2 == 0 ? 100.0 : 101.0, 1));
    const auto got = feed_each(*roll, bounce);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(got[i]) << i;
    // Changes +1, -1, +1, -1: mean 0, autocovariance (3 · -1) / 3 = -1.
    EXPECT_EQ(got[4], 2.0);
    EXPECT_EQ(got[8], 2.0);

    auto drift = boxed(RollMeasure::create(3));
    std::optional<double> last;
    for (int i = 0; i < 8; ++i) last = feed_trades(*drift, {buy(100.0 + 0.5 * i, 1)});
    EXPECT_EQ(last, 0.0);
}

TEST(TradeFlow, AmihudSkipsEmptyPrints) {
    auto a = boxed(AmihudIlliquidity::create(2));
    EXPECT_EQ(feed_trades(*a, {buy(100, 1)}), std::nullopt);
    EXPECT_EQ(feed_trades(*a, {buy(110, 0)}), std::nullopt);  // skipped, nothing answered yet
    EXPECT_EQ(feed_trades(*a, {buy(110, 2)}), std::nullopt);
    const double i1 = std::log(110.0 / 100.0) / (110.0 * 2.0);  // previous price still 100
    const double i2 = std::log(121.0 / 110.0) / (121.0 * 1.0);
    const auto v = feed_trades(*a, {buy(121, 1)});
    ASSERT_TRUE(v);
    EXPECT_DOUBLE_EQ(*v, (i1 + i2) / 2.0);
    EXPECT_EQ(feed_trades(*a, {sell(50, 0)}), v);  // a skipped print answers the last value
}

TEST(TradeFlow, RealizedSpread) {
    auto rs = boxed(RealizedSpread::create(1));
    EXPECT_EQ(rs->warmup(), 2u);
    EXPECT_EQ(feed_trades(*rs, {buy(101, 1)}, 100.0), std::nullopt);
    // The first print (buy at 101, mid 100 then) against today's mid of 100.5.
    const auto v = feed_trades(*rs, {sell(99, 1)}, 100.5);
    ASSERT_TRUE(v);
    EXPECT_DOUBLE_EQ(*v, 2.0 * (101.0 - 100.5) / 100.0 * 10000.0);
}

// An independent least-squares slope of y on x.
double ols_slope(const std::vector<double>& x, const std::vector<double>& y) {
    const double n = static_cast<double>(x.size());
    double mx = 0, my = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        mx += x[i] / n;
        my += y[i] / n;
    }
    double sxy = 0, sxx = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
    }
    return sxx == 0 ? 0.0 : sxy / sxx;
}

TEST(TradeFlow, KylesLambdaAgainstRegression) {
    const std::size_t window = 6;
    auto kyle = boxed(KylesLambda::create(window));
    EXPECT_EQ(kyle->warmup(), 7u);
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> xs, ys;
    double prev_mid = 0.0;
    for (int bar = 0; bar < 40; ++bar) {
        const double mid = 100.0 + u(rng);
        const double q = 1.0 + u(rng);
        const bool is_sell = u(rng) < 0;
        const auto got = feed_trades(*kyle, {Trade{mid, q, 0, is_sell}}, mid);
        if (bar > 0) {
            xs.push_back(is_sell ? -q : q);
            ys.push_back(mid - prev_mid);
        }
        prev_mid = mid;
        if (xs.size() < window) {
            EXPECT_FALSE(got) << bar;
            continue;
        }
        const std::vector<double> wx(xs.end() - window, xs.end()), wy(ys.end() - window, ys.end());
        ASSERT_TRUE(got) << bar;
        EXPECT_NEAR(*got, ols_slope(wx, wy), 1e-9) << bar;
    }
    // Equal signed quantities: no variance, 0.
    auto flat = boxed(KylesLambda::create(3));
    std::optional<double> last;
    for (int i = 0; i < 6; ++i) last = feed_trades(*flat, {buy(1, 2)}, 100.0 + i * i);
    EXPECT_EQ(last, 0.0);
    // Quantities 0.1, 0.8, 0.8 re-anchor the window on 17/30, off the grid; the windows of
    // 0.8s that follow are flat all the same.
    auto turned = boxed(KylesLambda::create(3));
    const double quantities[] = {1.0, 0.1, 0.8, 0.8, 0.8, 0.8};
    for (int i = 0; i < 6; ++i) last = feed_trades(*turned, {buy(1, quantities[i])}, 100.0 + 0.1 * (i % 3));
    EXPECT_EQ(last, 0.0);
}

TEST(TradeFlow, TradeSignsAgainstFullPass) {
    const std::size_t n = 7;
    auto tsa = boxed(TradeSignAutocorrelation::create(n));
    std::mt19937 rng(9);
    std::vector<double> signs;
    for (int bar = 0; bar < 60; ++bar) {
        std::vector<Trade> trades;
        for (int k = 0; k < bar % 3 + 1; ++k) {
            const bool s = rng() % 3 == 0;
            trades.push_back(Trade{1, 1, 0, s});
            signs.push_back(s ? -1.0 : 1.0);
        }
        const auto got = feed_trades(*tsa, trades);
        if (signs.size() < n) {
            EXPECT_FALSE(got);
            continue;
        }
        double sum = 0;
        for (std::size_t i = signs.size() - n + 1; i < signs.size(); ++i) sum += signs[i - 1] * signs[i];
        EXPECT_EQ(got, sum / (n - 1)) << bar;
    }
}

// A bar whose reference mid is refused (no book and a close of 0 or NaN, or a book
// whose mid is not positive) answers nothing and changes nothing.
TEST(TradeFlow, RefusedMidChangesNothing) {
    OrderBook crossed;
    crossed.bids = {{-3.0, 1.0}};
    crossed.asks = {{1.0, 1.0}};
    struct Case {
        const char* label;
        std::function<IndicatorBox()> make;
    };
    const Case cases[] = {
        {"realized", [] { return boxed(RealizedSpread::create(2)); }},
        {"kyle", [] { return boxed(KylesLambda::create(2)); }},
        {"effective", [] { return boxed(EffectiveSpread::create()); }},
    };
    for (const Case& c : cases) {
        IndicatorBox clean = c.make();
        IndicatorBox dirty = c.make();
        for (int i = 0; i < 8; ++i) {
            if (i % 3 == 1) {
                EXPECT_FALSE(feed_trades(*dirty, {buy(5, 1)}, 0.0)) << c.label;
                EXPECT_FALSE(feed_trades(*dirty, {sell(5, 1)}, std::nan(""))) << c.label;
                EXPECT_FALSE(feed_trades(*dirty, {sell(5, 1)}, 100.0, &crossed)) << c.label;
            }
            const std::vector<Trade> t{buy(100 + i, 1 + i % 2), sell(99 + i * 0.5, 2)};
            EXPECT_EQ(feed_trades(*dirty, t, 100.0 + i * i), feed_trades(*clean, t, 100.0 + i * i)) << c.label << i;
        }
    }
}

// A huge print that has left the window leaves no residue: a window of equal buys
// and sells reads exactly 0 again.
TEST(TradeFlow, ImbalanceResumsAfterHugePrint) {
    auto imb = boxed(TradeImbalance::create(4));
    feed_trades(*imb, {buy(1, 1e18), buy(1, 0.1), sell(1, 0.3), buy(1, 0.7)});
    std::optional<double> last;
    for (int i = 0; i < 4; ++i) last = feed_trades(*imb, {buy(1, 0.1), sell(1, 0.1)});
    EXPECT_EQ(last, 0.0);
}

}  // namespace
}  // namespace torvex
