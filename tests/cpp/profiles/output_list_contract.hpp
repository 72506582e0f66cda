// The published-list contract of the multi-output profile, session and DeMark types:
// names and order, the first entry equal to the update's value, the first value on
// bar warmup(), and a refused candle answering nothing and changing nothing.
#pragma once

#include <string>
#include <vector>

#include "tests/cpp/candlesticks/whole_bar_cases.hpp"

namespace torvex::test {

struct ListedType {
    std::string name;
    std::vector<double> params;
    std::vector<std::string_view> outputs;
    bool first_on_warmup = true;  // false: the first value waits for the data (a day change, a run)
};

inline std::vector<std::string_view> names_of(const std::vector<NamedOutput>& list) {
    std::vector<std::string_view> names;
    for (const NamedOutput& o : list) names.push_back(o.name);
    return names;
}

// Bars one hour apart, so that the local-day types see days change.
inline std::vector<Ohlcv> hourly_bars(int count) {
    std::vector<Ohlcv> bars = wandering_bars(count);
    for (std::size_t i = 0; i < bars.size(); ++i) bars[i].ts = 1'700'000'000'000 + 3'600'000 * static_cast<std::int64_t>(i);
    return bars;
}

inline void expect_list_contract(const ListedType& t) {
    SCOPED_TRACE(t.name);
    IndicatorBox clean = make(t.name, t.params);
    IndicatorBox dirty = make(t.name, t.params);
    ASSERT_TRUE(clean && dirty);
    EXPECT_TRUE(clean->outputs().empty());
    const std::vector<Ohlcv> bars = hourly_bars(300);
    const std::vector<Ohlcv> refused = refused_bars();
    std::uint64_t first = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (i % 7 == 3) {
            const std::vector<NamedOutput> before = dirty->outputs();
            EXPECT_FALSE(feed(*dirty, refused[i % refused.size()]).has_value()) << "bar " << i + 1;
            EXPECT_EQ(dirty->outputs(), before) << "bar " << i + 1;
        }
        const std::optional<double> want = feed(*clean, bars[i]);
        const std::optional<double> got = feed(*dirty, bars[i]);
        // NaN is a value for the level tools: compare bit patterns through the lists.
        ASSERT_EQ(got.has_value(), want.has_value()) << "bar " << i + 1;
        const std::vector<NamedOutput> out = clean->outputs();
        ASSERT_EQ(out.size(), dirty->outputs().size());
        for (std::size_t k = 0; k < out.size(); ++k) {
            const double a = out[k].value;
            const double b = dirty->outputs()[k].value;
            EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << "bar " << i + 1 << " " << out[k].name;
        }
        if (!want) continue;
        if (first == 0) first = i + 1;
        EXPECT_EQ(names_of(out), t.outputs);
        EXPECT_TRUE(out[0].value == *want || (std::isnan(out[0].value) && std::isnan(*want))) << "bar " << i + 1;
    }
    ASSERT_NE(first, 0u);
    if (t.first_on_warmup) {
        EXPECT_EQ(first, clean->warmup());
    } else {
        EXPECT_GE(first, clean->warmup());
    }
}

}  // namespace torvex::test
