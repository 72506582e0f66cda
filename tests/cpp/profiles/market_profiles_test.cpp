// Market and volume profiles and the volatility cone: checks and messages, value
// areas and volume nodes on known distributions, the published price ranges and
// their histograms, support and resistance, and the cone against a direct model.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "indicators/cores/price_grid.hpp"
#include "indicators/profiles/tpo_profile.hpp"
#include "indicators/profiles/volume_profile.hpp"
#include "tests/cpp/profiles/output_list_contract.hpp"

namespace torvex::test {
namespace {

const std::string kPct = "value_area_pct must be in (0, 1]";

std::vector<double> values_of(const DynIndicator& ind) {
    std::vector<double> v;
    for (const NamedOutput& o : ind.outputs()) v.push_back(o.value);
    return v;
}

// Feeds every bar and answers the list published after the last one.
std::vector<double> after(const std::string& name, std::vector<double> params, const std::vector<Ohlcv>& bars) {
    IndicatorBox ind = make(name, std::move(params));
    if (!ind) return {};
    for (const Ohlcv& b : bars) feed(*ind, b);
    return values_of(*ind);
}

TEST(MarketProfiles, ParameterChecks) {
    const double above_one = std::nextafter(1.0, 2.0);
    struct Case {
        const char* name;
        std::vector<double> params;
        std::string want;
    };
    const Case cases[] = {
        {"ValueArea", {20, 10, 1}, "built"},
        {"ValueArea", {20, 10, 0.7}, "built"},
        {"ValueArea", {20, 10, 0}, "invalid period: " + kPct},
        {"ValueArea", {20, 10, -0.5}, "invalid period: " + kPct},
        {"ValueArea", {20, 10, above_one}, "invalid period: " + kPct},
        {"ValueArea", {20, 1e-300, 2}, kZero},  // the zero test comes first
        {"ValueArea", {16777217, 10, 0.7}, kTooLong},
        {"ValueArea", {20, 16777217, 0.7}, kTooLong},
        {"ValueArea", {16777217, 10, 2}, "invalid period: " + kPct},  // the bound comes last
        {"CompositeProfile", {20, 10, 1}, "built"},
        {"CompositeProfile", {20, 10, 0}, "invalid parameter: " + kPct},
        {"CompositeProfile", {20, 10, above_one}, "invalid parameter: " + kPct},
        {"CompositeProfile", {1e-300, 10, 2}, kZero},
        {"CompositeProfile", {20, 16777217, 0.5}, kTooLong},
        {"VolumeProfile", {20, 1e-300}, kZero},
        {"ValueArea", {20, 16777216, 0.7}, "built"},
        {"VolumeProfile", {16777217, 10}, kTooLong},
        {"TpoProfile", {1e-300, 10}, kZero},
        {"TpoProfile", {20, 16777217}, kTooLong},
        {"HighLowVolumeNodes", {20, 1e-300}, kZero},
        {"HighLowVolumeNodes", {20, 16777217}, kTooLong},
        {"VolumeWeightedSr", {1e-300}, kZero},
        {"VolumeWeightedSr", {16777217}, kTooLong},
        {"VolumeWeightedSr", {16777216}, "built"},
        {"VolatilityCone", {20, 252}, "built"},
        {"VolatilityCone", {2, 1}, "invalid period: volatility cone window and lookback must both be >= 2"},
        {"VolatilityCone", {1, 2}, "invalid period: volatility cone window and lookback must both be >= 2"},
        {"VolatilityCone", {1e-300, 1}, kZero},
        {"VolatilityCone", {2, 16777217}, kTooLong},
        {"VolatilityCone", {16777217, 2}, kTooLong},
    };
    for (const Case& c : cases) EXPECT_EQ(build_message(c.name, c.params), c.want) << c.name;
    EXPECT_EQ(make("ValueArea", {7, 5, 0.7})->warmup(), 7u);
    EXPECT_EQ(make("VolumeWeightedSr", {9})->warmup(), 9u);
    EXPECT_EQ(make("VolatilityCone", {20, 30})->warmup(), 50u);
}

TEST(MarketProfiles, OutputListContract) {
    const ListedType types[] = {
        {"ValueArea", {12, 8, 0.7}, {"poc", "vah", "val"}},
        {"CompositeProfile", {12, 8, 0.7}, {"poc", "vah", "val"}},
        {"VolumeProfile", {12, 8}, {"price_low", "price_high"}},
        {"TpoProfile", {12, 8}, {"price_low", "price_high"}},
        {"HighLowVolumeNodes", {12, 8}, {"hvn", "lvn"}},
        {"VolumeWeightedSr", {12}, {"support", "resistance"}},
        {"VolatilityCone", {5, 8}, {"current", "min", "median", "max", "percentile"}},
    };
    for (const ListedType& t : types) expect_list_contract(t);
}

// The value area's growth rule on the distributions worked out by hand.
TEST(MarketProfiles, ValueAreaGrowthAndLowNodes) {
    struct Case {
        const char* label;
        std::vector<double> amounts;
        double pct;
        std::size_t poc, lo, hi;
    };
    const Case cases[] = {
        {"first of two maxima, larger neighbour", {2, 5, 5, 1}, 0.5, 1, 1, 2},
        {"tie goes upward, then the only one left", {3, 4, 3}, 0.8, 1, 0, 2},
        {"empty ends left out", {0, 2, 3, 0}, 1.0, 2, 1, 2},
        {"the target bin alone", {1, 9, 1}, 0.8, 1, 1, 1},
        {"just short of the target", {1, 9, 1}, 0.9, 1, 1, 2},
        {"all zero", {0, 0, 0}, 0.7, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const std::size_t poc = point_of_control(c.amounts);
        EXPECT_EQ(poc, c.poc) << c.label;
        const BinSpan area = value_area(c.amounts, poc, c.pct);
        EXPECT_EQ(area.lo, c.lo) << c.label;
        EXPECT_EQ(area.hi, c.hi) << c.label;
    }
    EXPECT_EQ(low_volume_node({0, 7, 2, 0, 2}, 1), 2u);
    EXPECT_EQ(low_volume_node({0, 0, 0}, 0), 0u);
}

// Range 10 to 14 in four bins of 1: amounts [1, 4, 6, 2]; the point of control is
// bin 2 and with 70% (target 9.1) the area takes bin 1 (4 below against 2 above).
TEST(MarketProfiles, ValueAreaOnAKnownDistribution) {
    const std::vector<Ohlcv> bars = {B(12, 14, 10, 12, 4), B(11, 11.5, 11, 11.2, 3), B(12.5, 12.8, 12.2, 12.6, 5),
                                     B(13.5, 13.9, 13.1, 13.5, 1)};
    EXPECT_EQ(after("ValueArea", {4, 4, 0.7}, bars), (std::vector<double>{12.5, 13.0, 11.0}));
    EXPECT_EQ(after("CompositeProfile", {4, 4, 0.7}, bars), (std::vector<double>{12.5, 12.5, 11.5}));
    EXPECT_EQ(after("HighLowVolumeNodes", {4, 4}, bars), (std::vector<double>{12.5, 10.5}));
    EXPECT_EQ(after("VolumeProfile", {4, 4}, bars), (std::vector<double>{10.0, 14.0}));
    // A fifth bar pushes the wide first bar out: range 11 to 14.5 in bins of 0.875,
    // amounts [3, 2.5, 2.5 + 0.5, 0.5 + 1]: bins 0 and 2 tie and the lower one wins;
    // the least volume is in bin 3.
    std::vector<Ohlcv> rolled = bars;
    rolled.push_back(B(14, 14.5, 13.9, 14.2, 1));
    EXPECT_EQ(after("HighLowVolumeNodes", {4, 4}, rolled), (std::vector<double>{11.0 + 0.5 * 0.875, 11.0 + 3.5 * 0.875}));
    EXPECT_EQ(after("VolumeProfile", {4, 4}, rolled), (std::vector<double>{11.0, 14.5}));
}

// A fresh profile of the window written out directly: the rolling types must give
// the very same numbers on every bar, whether the grid moved or stayed put.
struct ModelArea {
    double poc, vah, val, lvn;
};
ModelArea model_area(const std::vector<Ohlcv>& w, std::size_t bins, double pct) {
    double lo = INFINITY, hi = -INFINITY;
    for (const Ohlcv& b : w) {
        lo = std::min(lo, b.low);
        hi = std::max(hi, b.high);
    }
    const double width = (hi - lo) / static_cast<double>(bins);
    auto bin = [&](double x) {
        const double k = std::floor((x - lo) / width);
        return k < 0 ? std::size_t{0} : std::min(static_cast<std::size_t>(k), bins - 1);
    };
    std::vector<double> a(bins, 0.0);
    for (const Ohlcv& b : w) {
        if (b.volume == 0) continue;
        const std::size_t f = bin(b.low), l = bin(b.high);
        for (std::size_t i = f; i <= l; ++i) a[i] += b.volume / static_cast<double>(l - f + 1);
    }
    const std::size_t poc = static_cast<std::size_t>(std::max_element(a.begin(), a.end()) - a.begin());
    double total = 0;
    for (double x : a) total += x;
    std::size_t l = poc, h = poc;
    double acc = a[poc];
    while (acc < total * pct && (l > 0 || h + 1 < bins)) {
        if (h + 1 < bins && (l == 0 || a[h + 1] >= a[l - 1])) {
            acc += a[++h];
        } else {
            acc += a[--l];
        }
    }
    std::size_t lvn = poc;
    for (std::size_t i = 0; i < bins; ++i)
        if (a[i] > 0 && (a[lvn] <= 0 || a[i] < a[lvn])) lvn = i;
    auto centre = [&](std::size_t k) { return lo + (static_cast<double>(k) + 0.5) * width; };
    return {centre(poc), lo + static_cast<double>(h + 1) * width, lo + static_cast<double>(l) * width, centre(lvn)};
}

TEST(MarketProfiles, RollingProfilesMatchAFreshBuild) {
    // Wandering bars, then a stretch where a wide bar every fourth bar holds the grid
    // of a five-bar window still while narrow bars come and go.
    std::vector<Ohlcv> bars = wandering_bars(120);
    for (int i = 0; i < 80; ++i) {
        const double x = 50 + 10 * std::sin(i * 0.9);
        bars.push_back(i % 4 == 0 ? B(50, 100, 0, 50, 2) : B(x, x + 3, x - 2, x, (i % 3) * 1.5));
    }
    IndicatorBox va = make("ValueArea", {5, 16, 0.6});
    IndicatorBox nodes = make("HighLowVolumeNodes", {5, 16});
    for (std::size_t i = 0; i < bars.size(); ++i) {
        feed(*va, bars[i]);
        feed(*nodes, bars[i]);
        if (i < 4) continue;
        const ModelArea m = model_area(std::vector<Ohlcv>(bars.begin() + static_cast<long>(i) - 4, bars.begin() + static_cast<long>(i) + 1), 16, 0.6);
        EXPECT_EQ(values_of(*va), (std::vector<double>{m.poc, m.vah, m.val})) << "bar " << i + 1;
        EXPECT_EQ(values_of(*nodes), (std::vector<double>{m.poc, m.lvn})) << "bar " << i + 1;
    }
}

TEST(MarketProfiles, DegenerateAndEmptyWindows) {
    const std::vector<Ohlcv> flat = {B(10, 10, 10, 10, 3), B(10, 10, 10, 10, 0), B(10, 10, 10, 10, 2)};
    for (const char* name : {"ValueArea", "CompositeProfile"}) {
        EXPECT_EQ(after(name, {3, 5, 0.7}, flat), (std::vector<double>{10, 10, 10})) << name;
    }
    for (const char* name : {"HighLowVolumeNodes", "VolumeProfile", "TpoProfile"}) {
        EXPECT_EQ(after(name, {3, 5}, flat), (std::vector<double>{10, 10})) << name;
    }
    EXPECT_EQ(after("VolumeWeightedSr", {3}, flat), (std::vector<double>{10, 10}));
    // Range 10 to 12 in four bins of 0.5 without any volume: everything sits in bin 0.
    const std::vector<Ohlcv> dry = {B(11, 12, 10, 11, 0), B(11, 11.5, 10.5, 11, 0)};
    EXPECT_EQ(after("ValueArea", {2, 4, 0.7}, dry), (std::vector<double>{10.25, 10.5, 10.0}));
    EXPECT_EQ(after("CompositeProfile", {2, 4, 0.7}, dry), (std::vector<double>{10.25, 10.25, 10.25}));
    EXPECT_EQ(after("HighLowVolumeNodes", {2, 4}, dry), (std::vector<double>{10.25, 10.25}));
}

TEST(MarketProfiles, LastProfilesOfTheWindow) {
    auto vp = VolumeProfile::create(2, 4);
    auto tpo = TpoProfile::create(2, 4);
    ASSERT_TRUE(vp && tpo);
    EXPECT_TRUE(vp->last_profile().empty());
    // Range 10 to 14: the first bar covers bins 0 to 2 with 6 volume, the second (no
    // volume) bins 2 to 3; its high is the window's, so it lands in bin 3.
    const std::vector<Ohlcv> bars = {B(11, 12.5, 10, 12, 6), B(13, 14, 12.2, 13, 0)};
    for (const Ohlcv& b : bars) {
        feed(*vp, b);
        feed(*tpo, b);
    }
    EXPECT_EQ(vp->last_profile(), (std::vector<double>{2, 2, 2, 0}));
    EXPECT_EQ(tpo->last_profile(), (std::vector<double>{1, 1, 2, 1}));
    // A refused candle leaves the profile as it was.
    feed(*vp, B(1, 0, 2, 1));
    EXPECT_EQ(vp->last_profile(), (std::vector<double>{2, 2, 2, 0}));
    // A single-price window: the whole volume, or every bar, in bin 0.
    for (int i = 0; i < 2; ++i) {
        feed(*vp, B(7, 7, 7, 7, 2.5));
        feed(*tpo, B(7, 7, 7, 7, 0));
    }
    EXPECT_EQ(vp->last_profile(), (std::vector<double>{5, 0, 0, 0}));
    EXPECT_EQ(tpo->last_profile(), (std::vector<double>{2, 0, 0, 0}));
    // One bar over four bins: a quarter of its volume in each.
    auto one = VolumeProfile::create(1, 4);
    ASSERT_TRUE(one);
    EXPECT_EQ(feed(*one, B(10, 14, 10, 12, 8)), 10.0);
    EXPECT_EQ(one->last_profile(), (std::vector<double>{2, 2, 2, 2}));
}

// The published range follows the window's extremes as bars leave it.
TEST(MarketProfiles, PriceRangeSlidesWithTheWindow) {
    IndicatorBox ind = make("TpoProfile", {3, 4});
    const std::vector<Ohlcv> bars = wandering_bars(60);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        feed(*ind, bars[i]);
        if (i < 2) continue;
        double lo = INFINITY, hi = -INFINITY;
        for (std::size_t k = i - 2; k <= i; ++k) {
            lo = std::min(lo, bars[k].low);
            hi = std::max(hi, bars[k].high);
        }
        EXPECT_EQ(values_of(*ind), (std::vector<double>{lo, hi})) << "bar " << i + 1;
    }
}

TEST(MarketProfiles, VolumeWeightedSupportAndResistance) {
    EXPECT_EQ(after("VolumeWeightedSr", {2}, {B(10, 11, 9, 10, 1), B(11, 13, 10, 12, 3)}),
              (std::vector<double>{9.75, 12.5}));
    EXPECT_EQ(after("VolumeWeightedSr", {2}, {B(10, 11, 9, 10, 0), B(11, 13, 10, 12, 0)}),
              (std::vector<double>{9.5, 12.0}));
    // Against the window recomputed directly, on a long run with the sums re-added.
    IndicatorBox ind = make("VolumeWeightedSr", {7});
    const std::vector<Ohlcv> bars = wandering_bars(200);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto got = feed(*ind, bars[i]);
        ASSERT_EQ(got.has_value(), i >= 6);
        if (!got) continue;
        double vh = 0, vl = 0, v = 0;
        for (std::size_t k = i - 6; k <= i; ++k) {
            vh += bars[k].volume * bars[k].high;
            vl += bars[k].volume * bars[k].low;
            v += bars[k].volume;
        }
        EXPECT_NEAR(*got, vl / v, 1e-9);
        EXPECT_NEAR(values_of(*ind)[1], vh / v, 1e-9);
    }
}

// A huge volume that has left the window leaves nothing behind once the sums are
// re-added: a window without volume then reads the plain means.
TEST(MarketProfiles, SupportForgetsAHugeVolume) {
    IndicatorBox ind = make("VolumeWeightedSr", {2});
    feed(*ind, B(10, 11, 9, 10, 1e300));
    feed(*ind, B(10, 11, 9, 10, 1));
    for (int i = 0; i < 4; ++i) feed(*ind, B(10, 12, 8, 10, 0));
    EXPECT_EQ(values_of(*ind), (std::vector<double>{8.0, 12.0}));
}

// The cone against a model that takes the sample deviation of each window of
// returns in two passes and ranks it in the sorted history.
std::vector<std::vector<double>> cone_model(const std::vector<double>& closes, std::size_t w, std::size_t lb) {
    std::vector<double> r;
    for (std::size_t i = 1; i < closes.size(); ++i) r.push_back(std::log(closes[i] / closes[i - 1]));
    std::vector<double> vols;
    std::vector<std::vector<double>> out(closes.size());
    for (std::size_t j = w; j <= r.size(); ++j) {
        const double mean = std::accumulate(r.begin() + static_cast<long>(j - w), r.begin() + static_cast<long>(j), 0.0) / static_cast<double>(w);
        double ss = 0;
        for (std::size_t k = j - w; k < j; ++k) ss += (r[k] - mean) * (r[k] - mean);
        vols.push_back(std::sqrt(ss / static_cast<double>(w - 1)));
        if (vols.size() < lb) continue;
        std::vector<double> h(vols.end() - static_cast<long>(lb), vols.end());
        const double cur = h.back();
        std::sort(h.begin(), h.end());
        const double median = lb % 2 ? h[lb / 2] : (h[lb / 2 - 1] + h[lb / 2]) / 2;
        const double rank = static_cast<double>(std::count_if(h.begin(), h.end(), [&](double v) { return v <= cur; }));
        out[j] = {cur, h.front(), median, h.back(), 100.0 * rank / static_cast<double>(lb)};
    }
    return out;
}

TEST(VolatilityCone, MatchesADirectModel) {
    for (const auto& [w, lb] : {std::pair{5, 4}, std::pair{3, 7}, std::pair{2, 2}}) {
        SCOPED_TRACE(w * 100 + lb);
        std::vector<double> closes;
        for (int i = 0; i < 120; ++i) closes.push_back(100.0 * std::exp(0.05 * std::sin(i * 1.3) + 0.01 * i));
        const auto want = cone_model(closes, static_cast<std::size_t>(w), static_cast<std::size_t>(lb));
        IndicatorBox ind = make("VolatilityCone", {static_cast<double>(w), static_cast<double>(lb)});
        ASSERT_EQ(ind->warmup(), static_cast<std::uint64_t>(w + lb));
        for (std::size_t i = 0; i < closes.size(); ++i) {
            const auto got = feed(*ind, B(closes[i], closes[i], closes[i], closes[i]));
            ASSERT_EQ(got.has_value(), !want[i].empty()) << "bar " << i + 1;
            if (i + 1 == ind->warmup()) {
                EXPECT_TRUE(got.has_value());
            }
            if (!got) continue;
            const std::vector<double> v = values_of(*ind);
            for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(v[k], want[i][k], 1e-12) << "bar " << i + 1 << " " << k;
            EXPECT_EQ(v[4], want[i][4]) << "bar " << i + 1;
        }
    }
}

TEST(VolatilityCone, FlatClosesAndNonPositiveCloses) {
    IndicatorBox flat = make("VolatilityCone", {3, 4});
    for (int i = 0; i < 10; ++i) feed(*flat, B(50, 50, 50, 50));
    EXPECT_EQ(values_of(*flat), (std::vector<double>{0, 0, 0, 0, 100}));

    // A close of 0 before any value: nothing, and the previous close stays; after the
    // first value: the previous list again. The next return spans the refused close.
    const std::vector<double> closes = {100, 101, 99, 103, 0, 102, 98, 0, 105, 104};
    std::vector<double> kept;
    for (double c : closes)
        if (c > 0) kept.push_back(c);
    IndicatorBox with_zero = make("VolatilityCone", {2, 2});
    IndicatorBox reference = make("VolatilityCone", {2, 2});
    std::vector<double> before;
    std::size_t r = 0;
    for (double c : closes) {
        const auto got = feed(*with_zero, B(std::max(c, 1.0), std::max(c, 1.0), c, c));
        if (c <= 0) {
            EXPECT_EQ(got.has_value(), !before.empty());
            if (got) {
                EXPECT_EQ(*got, before[0]);
            }
            EXPECT_EQ(values_of(*with_zero), before);
            continue;
        }
        const auto want = feed(*reference, B(kept[r], kept[r], kept[r], kept[r]));
        ++r;
        EXPECT_EQ(got, want);
        EXPECT_EQ(values_of(*with_zero), values_of(*reference));
        before = values_of(*with_zero);
    }
}

}  // namespace
}  // namespace torvex::test
