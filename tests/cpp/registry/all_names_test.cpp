// Every registry name builds with typical parameters, and the built object survives
// a run of ordinary bars (with and without the extra feeds) without crashing.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "registry/registry.hpp"
#include "registry/typical_params.hpp"

namespace torvex {
namespace {

using test::all_names;
using test::build_typical;

class AllNames : public ::testing::TestWithParam<std::string> {};

TEST_P(AllNames, BuildsAndRuns) {
    const std::string& name = GetParam();
    const RegistryRow* row = nullptr;
    for (const RegistryRow& r : registry_rows())
        if (r.name == name) row = &r;
    ASSERT_NE(row, nullptr);
    ASSERT_NE(row->build, nullptr) << name << " has no builder";
    BuildResult built = build_typical(name);
    ASSERT_TRUE(built) << name << ": " << built.error().message;
    IndicatorBox& ind = *built;
    (void)ind->warmup();

    OrderBook book;
    book.bids = {{99.9, 5.0}, {99.8, 7.0}};
    book.asks = {{100.1, 4.0}, {100.2, 6.0}};
    const std::vector<Trade> trades{{100.0, 2.0, 0, false}, {100.2, 1.0, 1, true}};
    CrossSection panel;
    panel.members = {{0.5, 10.0, true, false, true, true}, {-0.2, 4.0, false, true, false, false}};
    double price = 100.0;
    for (int i = 0; i < 300; ++i) {
        price *= 1.0 + 0.01 * std::sin(i * 0.7);
        const Ohlcv bar{1'700'000'000'000LL + 60'000LL * i, price, price + 0.5, price - 0.5, price + 0.1, 10.0 + i % 7};
        BarContext ctx(bar);
        if (i % 2 == 1) {
            ctx.reference = price * 0.5 + std::cos(i * 0.3);
            ctx.book = &book;
            ctx.trades = trades;
            ctx.cross_section = &panel;
            DerivativesTick tick;
            tick.funding_rate = 0.0001;
            tick.mark_price = price;
            tick.index_price = price;
            tick.futures_price = price * 1.001;
            tick.open_interest = 1e6 + i;
            ctx.derivatives = tick;
        }
        (void)ind->update(ctx);
        (void)ind->outputs();
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, AllNames, ::testing::ValuesIn(all_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(AllNamesTable, CountAndAliases) {
    EXPECT_EQ(registry_rows().size(), 495u);
    for (const char* alias : {"Macd", "Bollinger"}) {
        const std::string target = std::string(alias) == "Macd" ? "MacdIndicator" : "BollingerBands";
        EXPECT_NE(indicator_feed(target), kFeedUnknown) << target;
        EXPECT_TRUE(build_indicator(alias, std::vector<double>{12, 26, 9})) << alias;
    }
}

}  // namespace
}  // namespace torvex
