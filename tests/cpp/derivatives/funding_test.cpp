// Funding, basis, open-interest and liquidation measures of the derivatives snapshot.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

#include "indicators/derivatives/derivatives_measures.hpp"
#include "indicators/derivatives/estimated_leverage_ratio.hpp"
#include "indicators/derivatives/funding_implied_apr.hpp"
#include "indicators/derivatives/funding_rate_mean.hpp"
#include "indicators/derivatives/funding_rate_z_score.hpp"
#include "indicators/derivatives/liquidation_features.hpp"
#include "indicators/derivatives/oi_price_divergence.hpp"
#include "indicators/derivatives/oi_weighted.hpp"
#include "indicators/derivatives/open_interest_delta.hpp"
#include "indicators/derivatives/open_interest_momentum.hpp"

namespace torvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::nullopt_t kNone = std::nullopt;
const Ohlcv kBar{0, 10, 10, 10, 10, 1};

std::optional<double> feed_tick(DynIndicator& ind, std::optional<DerivativesTick> tick) {
    BarContext ctx(kBar);
    ctx.derivatives = tick;
    return ind.update(ctx);
}

DerivativesTick funding(double rate) { return {.funding_rate = rate}; }
DerivativesTick oi_mark(double oi, double mark) { return {.mark_price = mark, .open_interest = oi}; }
DerivativesTick oi_only(double oi) { return oi_mark(oi, 1); }

// Feeds one snapshot per input and compares every answer.
void expect_series(DynIndicator& ind, DerivativesTick (*make)(double), const std::vector<double>& inputs,
                   const std::vector<std::optional<double>>& expected, double tol = 0.0) {
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::optional<double> got = feed_tick(ind, make(inputs[i]));
        ASSERT_EQ(got.has_value(), expected[i].has_value()) << "bar " << i;
        if (got) {
            EXPECT_NEAR(*got, *expected[i], tol) << "bar " << i;
        }
    }
}

TEST(FundSnapshot, FormulasAndGuards) {
    const DerivativesTick t{.funding_rate = 0.0001, .mark_price = 101, .index_price = 100, .futures_price = 102,
                            .open_interest = 1000, .long_side = 3, .short_side = 2, .taker_buy_volume = 6,
                            .taker_sell_volume = 4};
    const DerivativesTick zeros{.open_interest = 1000};
    namespace f = tick_formula;
    const std::pair<double, double> cases[] = {
        {f::funding_rate(t), 0.0001},       {f::premium(t), 0.01},            {f::term_basis(t), 0.02},
        {f::calendar_spread(t), 1 / 101.0}, {f::long_short(t), 1.5},          {f::long_short(zeros), 0.0},
        {f::taker_buy_sell(t), 1.5},        {f::taker_buy_sell(zeros), 0.0}, {f::oi_to_volume(t), 100.0},
        {f::oi_to_volume(zeros), 0.0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_DOUBLE_EQ(cases[i].first, cases[i].second) << i;
    // The price ratios divide unguarded; a NaN passes the zero guards.
    EXPECT_FALSE(std::isfinite(f::premium({.mark_price = 1})));
    EXPECT_TRUE(std::isnan(f::long_short({.long_side = 1, .short_side = kNaN})));

    auto apr = FundingImpliedApr::create(1095);
    EXPECT_DOUBLE_EQ(feed_tick(*apr, funding(0.0001)).value(), 0.1095);
    for (double bad : {0.0, -1.0, kNaN, std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(FundingImpliedApr::create(bad).error().display(),
                  "invalid parameter: intervals_per_year must be finite and positive");
    }
}

TEST(FundSnapshot, AbsentSnapshotWarmupsAndPeriodChecks) {
    auto mean = FundingRateMean::create(3);
    auto z = FundingRateZScore::create(4);
    auto div = OIPriceDivergence::create(5);
    auto mom = OpenInterestMomentum::create(6);
    auto rate = FundingRate::create();
    auto delta = OpenInterestDelta::create();
    auto liq = LiquidationFeatures::create();
    const std::pair<DynIndicator*, std::uint64_t> cases[] = {{&*mean, 3}, {&*z, 4},     {&*div, 6},  {&*mom, 7},
                                                             {&*rate, 1}, {&*delta, 2}, {&*liq, 1}};
    for (const auto& [ind, warmup] : cases) {
        EXPECT_EQ(ind->warmup(), warmup);
        EXPECT_FALSE(feed_tick(*ind, kNone));
    }
    const std::pair<std::uint64_t, IndicatorError> bad_periods[] = {{0, IndicatorError::zero_period()},
                                                                    {16'777'217, IndicatorError::period_too_long()}};
    for (const auto& [n, e] : bad_periods) {
        EXPECT_EQ(FundingRateMean::create(n).error(), e);
        EXPECT_EQ(FundingRateZScore::create(n).error(), e);
        EXPECT_EQ(OIPriceDivergence::create(n).error(), e);
        EXPECT_EQ(OpenInterestMomentum::create(n).error(), e);
    }
}

TEST(FundRolling, MeanAndZScore) {
    auto mean = FundingRateMean::create(3);
    expect_series(*mean, funding, {1, 2, 3, 4}, {kNone, kNone, 2.0, 3.0});
    // The sum is re-added as soon as the huge rate leaves: the window of ones reads 1
    // on that very bar, not the 0 that subtracting 1e16 from 1e16 + 1 would leave.
    auto drift = FundingRateMean::create(2);
    expect_series(*drift, funding, {1e16, 1, 1, 1}, {kNone, 5e15, 1.0, 1.0});
    // Window 1, 2, 3 (anchor moves to 2): z of 3 = 1 / sqrt(2/3); window 2, 3, 4 gives
    // the same for 4; window 3, 4, 0 has mean 7/3 and variance 26/9.
    auto z = FundingRateZScore::create(3);
    expect_series(*z, funding, {1, 2, 3, 4, 0}, {kNone, kNone, std::sqrt(1.5), std::sqrt(1.5), -7 / std::sqrt(26.0)},
                  1e-12);
    auto flat = FundingRateZScore::create(2);
    expect_series(*flat, funding, {0.3, 0.3, 0.3, 0.3}, {kNone, 0.0, 0.0, 0.0});
    // Rates that leave the anchor at their mean, then a window of 1e-4 before the
    // next periodic re-anchoring (bar 8): the sums' rounding about the old anchor once
    // read as a spread there, a z of -2.5e-9.
    auto settles = FundingRateZScore::create(5);
    const double rates[] = {0.0262, -0.0498, -0.0055, 0.0222, 1e-4, 1e-4, 1e-4, 1e-4, 1e-4, 1e-4};
    for (std::size_t i = 0; i < std::size(rates); ++i) {
        const std::optional<double> got = feed_tick(*settles, funding(rates[i]));
        if (i >= 8) {
            EXPECT_EQ(got, std::optional<double>(0.0)) << "bar " << i;
        }
    }
}

TEST(FundOpenInterest, DeltaMomentumDivergenceWeighted) {
    auto delta = OpenInterestDelta::create();
    expect_series(*delta, oi_only, {100, 130, 125}, {kNone, 30.0, -5.0});
    auto mom = OpenInterestMomentum::create(1);
    expect_series(*mom, oi_only, {100, 110, 0, 50}, {kNone, 10.0, -100.0, 0.0});  // old 0: 0.0
    auto mom2 = OpenInterestMomentum::create(2);
    expect_series(*mom2, oi_only, {200, 1, 250, 50}, {kNone, kNone, 25.0, 4900.0});

    auto div = OIPriceDivergence::create(1);
    EXPECT_FALSE(feed_tick(*div, oi_mark(100, 50)));
    EXPECT_NEAR(feed_tick(*div, oi_mark(120, 55)).value(), 0.2 - 0.1, 1e-15);
    EXPECT_NEAR(feed_tick(*div, oi_mark(0, 44)).value(), -1.0 + 0.2, 1e-15);
    EXPECT_NEAR(feed_tick(*div, oi_mark(10, 55)).value(), 0.0 - 0.25, 1e-15);  // old oi 0: no oi change

    auto weighted = OIWeighted::create();
    EXPECT_EQ(feed_tick(*weighted, oi_mark(0, 12)), 12.0);  // no weight yet: the mark itself
    EXPECT_EQ(feed_tick(*weighted, oi_mark(1, 10)), 10.0);
    EXPECT_EQ(feed_tick(*weighted, oi_mark(3, 20)), 17.5);
    EXPECT_EQ(feed_tick(*weighted, oi_mark(0, 99)), 17.5);  // the whole history still counts
}

TEST(FundLiquidation, OutputsAndAdapterContract) {
    auto liq = LiquidationFeatures::create();
    EXPECT_TRUE(liq->outputs().empty());
    EXPECT_EQ(feed_tick(*liq, DerivativesTick{.long_liquidations = 3, .short_liquidations = 1}), 3.0);
    const std::vector<NamedOutput> expected{
        {"long", 3.0}, {"short", 1.0}, {"net", 2.0}, {"total", 4.0}, {"imbalance", 0.5}};
    EXPECT_EQ(liq->outputs(), expected);
    // No snapshot: nothing published, the list kept; copies are independent.
    EXPECT_FALSE(feed_tick(*liq, kNone));
    std::vector<NamedOutput> copy = liq->outputs();
    copy[0].value = -1.0;
    EXPECT_EQ(liq->outputs(), expected);
    EXPECT_EQ(feed_tick(*liq, DerivativesTick{}), 0.0);
    for (const NamedOutput& o : liq->outputs()) EXPECT_EQ(o.value, 0.0) << o.name;
}

TEST(FundLeverage, ReferenceRules) {
    auto lev = EstimatedLeverageRatio::create();
    const std::tuple<double, std::optional<double>, std::optional<double>> cases[] = {
        {10, kNone, kNone}, {10, 4.0, 2.5}, {10, 0.0, 0.0}, {10, -1.0, 0.0}, {10, kNaN, kNone}, {kNaN, 4.0, kNone}};
    for (const auto& [close, reference, expected] : cases) {
        const Ohlcv bar{0, close, close, close, close, 1};
        BarContext ctx(bar);
        ctx.reference = reference;
        EXPECT_EQ(lev->update(ctx), expected) << close;
    }
}

}  // namespace
}  // namespace torvex
