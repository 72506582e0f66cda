// Every registry name, at its typical parameters and at periods 2 and 5, through
// halts of 3,000 bars of every kind (a flat candle, the last candle repeated, a market
// pinned between bid and ask, one leg of a pair held), each followed by one kind of
// first bar (up, down, equal moves both ways, a gap, an inside bar) and a short walk.
// A halt of any length leaves each answer where exact arithmetic leaves it, so two
// relations that hold on the walk before the halts hold through them and after them:
//   scale  prices times 2^200 and 2^-200 give each output times 2^(k * degree) (its
//          degree from the invariant table), within the largest error the walk before
//          the halts showed (at least 1e-12 of the answer plus its unit: the range's
//          width for degree 0, the prices' spread to the degree otherwise);
//   level  +1000 on every price leaves each output that it leaves unchanged over a
//          separate walk (1e-9 relative, two distinct values at least) and over the
//          walk before the halts, as far as 8 decimals show it (the stored precision).
// A state that a quotient reads and that sinks out of the normal range does so at one
// scale before the other; a difference that cancels to the ulps of the price differs
// at another level. The same holds for whether each variant answers at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/invariant_checks.hpp"
#include "registry/invariant_histories.hpp"
#include "registry/invariant_table.hpp"
#include "registry/typical_params.hpp"

namespace torvex {
namespace {

using test::BarFeeds;
using test::Bound;
using test::FirstBar;
using test::HaltKind;
using test::HostileBar;
using test::num;

constexpr std::size_t kHalt = 3000;  // bars of each halt
constexpr std::size_t kAfter = 30;   // walk bars after each first bar
constexpr int kScale = 200;

// Names the relations do not hold, each with why. Answers decided against a constant
// in price units differ at another level and stay as they are:
const std::map<std::string, const char*> kPriceUnitThresholds = {
    {"ElderImpulse", "reads neutral once its average reaches the price: a tie at the price's own rounding"},
    {"HtDcPhase", "the phase core compares the cycle's imaginary part with 0.001"},
    {"SineWave", "the phase core compares the cycle's imaginary part with 0.001"},
    {"WaveTrend", "tests its deviation's average against 16 eps of max(|esa|, 1.0), a price"},
};
// Answers that leave exact arithmetic through a halt today (each must still fail here):
const std::map<std::string, const char*> kKnownFailing = {};

struct Segment {
    std::size_t start;
    std::string label;
};

// A walk, then each kind of halt in turn, each followed by one kind of first bar and
// a short walk: every halt kind and every first-bar kind once.
struct HaltHistory {
    std::vector<HostileBar> bars;
    std::size_t halt_start = 0;
    std::vector<Segment> segments;

    std::string where(std::size_t i) const {
        const Segment* s = &segments.front();
        for (const Segment& x : segments)
            if (x.start <= i) s = &x;
        return s->label + " bar " + std::to_string(i - s->start + 1);
    }
};

HaltHistory halt_history(std::size_t lead) {
    static const char* kHaltNames[] = {"flat halt", "repeated candle", "pinned market", "held reference", "held close"};
    static const char* kFirstNames[] = {"up", "down", "equal", "gap", "inside"};
    static const std::pair<HaltKind, FirstBar> kPlan[] = {{HaltKind::Flat, FirstBar::Equal},
                                                          {HaltKind::Repeat, FirstBar::Up},
                                                          {HaltKind::Pinned, FirstBar::Inside},
                                                          {HaltKind::ReferenceHeld, FirstBar::Down},
                                                          {HaltKind::CloseHeld, FirstBar::Gap}};
    HaltHistory h;
    test::append_grid_walk(h.bars, lead, 7);
    h.halt_start = h.bars.size();
    std::uint64_t seed = 11;
    for (const auto& [halt, first] : kPlan) {
        const HostileBar before = h.bars.back();
        h.segments.push_back({h.bars.size(), kHaltNames[static_cast<int>(halt)]});
        test::append_halt(h.bars, halt, kHalt, seed++);
        h.segments.push_back({h.bars.size(), std::string("first bar ") + kFirstNames[static_cast<int>(first)] + " and walk"});
        test::append_first_bar(h.bars, first, before);
        test::append_grid_walk(h.bars, kAfter, seed++);
    }
    test::stamp_times(h.bars);
    return h;
}

// The history's feeds at the four variants: as they are, at 2^200, at 2^-200, at +1000.
struct Variants {
    HaltHistory history;
    double spread = 0.0;  // of the prices before the halt
    std::vector<std::unique_ptr<BarFeeds>> feeds[4];
};

const Variants& variants(std::size_t lead) {
    static std::map<std::size_t, std::unique_ptr<Variants>> cache;
    auto& slot = cache[lead];
    if (slot) return *slot;
    slot = std::make_unique<Variants>();
    Variants& v = *slot;
    v.history = halt_history(lead);
    const std::vector<HostileBar>& bars = v.history.bars;
    double lo = bars.front().candle.low, hi = lo;
    for (std::size_t i = 0; i < v.history.halt_start; ++i)
        lo = std::min({lo, bars[i].candle.low, bars[i].reference}), hi = std::max({hi, bars[i].candle.high, bars[i].reference});
    v.spread = hi - lo;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        v.feeds[0].push_back(std::make_unique<BarFeeds>(bars[i], i));
        v.feeds[1].push_back(std::make_unique<BarFeeds>(bars[i], i, std::ldexp(1.0, kScale)));
        v.feeds[2].push_back(std::make_unique<BarFeeds>(bars[i], i, std::ldexp(1.0, -kScale)));
        v.feeds[3].push_back(std::make_unique<BarFeeds>(bars[i], i, 1.0, 1000.0));
    }
    return v;
}

// The values a bar shows: the published outputs, else the primary value; none when
// the update answers nothing.
std::vector<double> values(DynIndicator& ind, const BarFeeds& feeds) {
    std::vector<double> v;
    const std::optional<double> y = ind.update(feeds.context());
    if (!y) return v;
    for (const NamedOutput& o : ind.outputs()) v.push_back(o.value);
    if (v.empty()) v.push_back(*y);
    return v;
}

double round8(double x) { return std::round(x * 1e8) / 1e8; }

bool level_moves(double a, double b, double relative) {
    if (std::isfinite(a) != std::isfinite(b)) return true;
    if (!std::isfinite(a)) return false;
    return std::fabs(a - b) > relative * std::max(std::fabs(a), std::fabs(b)) + relative;
}

// The outputs that +1000 on every price leaves as they are over a 1,000-bar walk,
// and that take two distinct values there.
std::vector<bool> level_free(const std::string& name, const std::vector<double>& params) {
    std::vector<HostileBar> bars;
    test::append_grid_walk(bars, 1000, 3);
    test::stamp_times(bars);
    IndicatorBox a = test::make(name, params), b = test::make(name, params);
    std::vector<bool> free, varied;
    std::vector<double> first;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const BarFeeds f(bars[i], i), g(bars[i], i, 1.0, 1000.0);
        const std::vector<double> va = values(*a, f), vb = values(*b, g);
        if (va.size() != vb.size()) return {};
        if (va.size() > free.size()) free.resize(va.size(), true), varied.resize(va.size(), false), first.resize(va.size(), NAN);
        for (std::size_t j = 0; j < va.size(); ++j) {
            if (level_moves(va[j], vb[j], 1e-9)) free[j] = false;
            if (std::isnan(first[j])) first[j] = va[j];
            else if (va[j] != first[j] && std::isfinite(va[j])) varied[j] = true;
        }
    }
    for (std::size_t j = 0; j < free.size(); ++j) free[j] = free[j] && varied[j];
    return free;
}

class HaltRelations : public ::testing::TestWithParam<std::string> {};

TEST_P(HaltRelations, HoldThroughEveryKindOfHalt) {
    const std::string& name = GetParam();
    if (auto it = kPriceUnitThresholds.find(name); it != kPriceUnitThresholds.end()) GTEST_SKIP() << it->second;
    const auto known = kKnownFailing.find(name);
    std::vector<std::string> failures;
    const test::InvariantRow* row = test::find_row(name);
    ASSERT_NE(row, nullptr);
    for (const std::vector<double>& params : test::period_variants(name, {2.0, 5.0})) {
        IndicatorBox probe = test::make(name, params);
        ASSERT_TRUE(probe) << test::label(name, params);
        const std::size_t lead = std::max<std::size_t>(300, (probe->warmup() + 249) / 100 * 100);  // the warm-up and 150 bars
        const Variants& v = variants(lead);
        const HaltHistory& h = v.history;
        const std::vector<bool> free = level_free(name, params);
        const bool level_checked = std::find(free.begin(), free.end(), true) != free.end();
        IndicatorBox ind[4];
        for (IndicatorBox& i : ind) i = test::make(name, params);

        std::vector<std::optional<int>> degrees;
        std::vector<Bound> bounds;
        std::vector<double> before[2];    // the largest scale error before the halt, per output
        std::vector<bool> level_held;     // the level relation held before the halt, per output
        bool answered_alike[4] = {true, true, true, true};  // each variant answered when the first did, before the halt
        std::map<std::string, std::pair<std::string, std::size_t>> faults;  // first bar and count, per relation
        auto fault = [&](const std::string& what, std::size_t i, const std::string& detail) {
            auto [it, fresh] = faults.try_emplace(what, h.where(i) + ": " + detail, 0);
            ++it->second.second;
        };
        for (std::size_t i = 0; i < h.bars.size(); ++i) {
            std::vector<double> got[4];
            for (int k = 0; k < 4; ++k) got[k] = values(*ind[k], *v.feeds[k][i]);
            const bool halted = i >= h.halt_start;
            const std::vector<double>& a = got[0];
            if (a.size() > degrees.size()) {
                degrees = test::per_output<std::optional<int>>(row->scaling.degree, a.size(), test::parse_degree);
                bounds = test::output_bounds(*row, params, a.size(), true);
                for (auto& b : before) b.assign(a.size(), 0.0);
                level_held.assign(a.size(), true);
            }
            // Whether a variant answers (and with as many outputs) is held like the values.
            bool same[4] = {true, got[1].size() == a.size(), got[2].size() == a.size(), got[3].size() == a.size()};
            for (int k = 1; k < 4; ++k) {
                if (!halted) answered_alike[k] = answered_alike[k] && same[k];
                else if (answered_alike[k] && !same[k] && (k < 3 || level_checked)) fault("answers at variant " + std::to_string(k), i, "nothing or another count");
            }
            if (!same[1] || !same[2] || !same[3]) continue;
            for (std::size_t j = 0; j < a.size(); ++j) {
                const std::string out = " output " + std::to_string(j);
                if (halted && !row->nonfinite && !std::isfinite(a[j])) fault("finite" + out, i, num(a[j]));
                if (halted && !test::within(bounds[j], a[j])) fault("range" + out, i, num(a[j]));
                if (degrees[j] && std::isfinite(a[j])) {
                    const int d = *degrees[j];
                    const double width = bounds[j].any ? 1.0 : bounds[j].hi - bounds[j].lo;
                    for (int s = 0; s < 2; ++s) {
                        const int k = s == 0 ? kScale : -kScale;
                        const double due = std::ldexp(a[j], k * d), g = got[1 + s][j];
                        double e = 0.0;
                        if (g != due) {
                            const double unit = d == 0 ? std::max(1.0, width) : std::exp2(d * (std::log2(v.spread) + k));
                            e = std::fabs(g - due) / (std::max(std::fabs(g), std::fabs(due)) + unit);
                            if (!(e <= 1.0)) e = 1.0;  // not finite
                        }
                        if (!halted) before[s][j] = std::max(before[s][j], e);
                        else if (e > std::max(before[s][j], 1e-12))
                            fault("scale 2^" + std::to_string(k) + out, i,
                                  num(std::ldexp(g, -k * d)) + " where " + num(a[j]) + " (error " + num(e) +
                                      ", before the halt " + num(before[s][j]) + ")");
                    }
                }
                const double b = got[3][j];
                if (!halted) level_held[j] = level_held[j] && !level_moves(a[j], b, 1e-9);
                else if (j < free.size() && free[j] && level_held[j] && level_moves(a[j], b, 1e-9) &&
                         (!std::isfinite(a[j]) || round8(a[j]) != round8(b)))
                    fault("level +1000" + out, i, num(b) + " where " + num(a[j]));
            }
        }
        for (const auto& [what, first] : faults)
            failures.push_back(test::label(name, params) + " | " + what + " | " + first.first + " (" +
                               std::to_string(first.second) + " bars)");
    }
    if (known == kKnownFailing.end()) {
        for (const std::string& f : failures) ADD_FAILURE() << f;
        return;
    }
    // A name on the list must still fail, so that the list empties as names are mended.
    if (failures.empty()) FAIL() << name << " holds both relations now: take it off the known-failing list";
    GTEST_SKIP() << known->second << "; first: " << failures.front();
}

INSTANTIATE_TEST_SUITE_P(Registry, HaltRelations, ::testing::ValuesIn(test::all_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// The halts and first bars are what their names say, on every scale and level.
TEST(HaltHistories, EachKindIsWhatItSays) {
    std::vector<HostileBar> base;
    test::append_grid_walk(base, 20, 5);
    const HostileBar last = base.back();
    const double c = last.candle.close, t = test::kGridTick;
    auto halted = [&](HaltKind kind) {
        std::vector<HostileBar> b = base;
        test::append_halt(b, kind, 6, 9);
        return std::vector<HostileBar>(b.begin() + 20, b.end());
    };
    for (const HostileBar& x : halted(HaltKind::Flat)) {
        EXPECT_TRUE(x.candle.open == c && x.candle.high == c && x.candle.low == c && x.candle.close == c);
        EXPECT_EQ(x.candle.volume, 0.0);
        EXPECT_EQ(x.reference, last.reference);
    }
    for (const HostileBar& x : halted(HaltKind::Repeat))
        EXPECT_TRUE(x.candle.open == last.candle.open && x.candle.high == last.candle.high && x.candle.low == last.candle.low &&
                    x.candle.close == last.candle.close && x.candle.volume == last.candle.volume);
    const std::vector<HostileBar> pinned = halted(HaltKind::Pinned);
    for (std::size_t i = 0; i < pinned.size(); ++i) {
        EXPECT_EQ(pinned[i].candle.high, c + 2 * t);
        EXPECT_EQ(pinned[i].candle.low, c - 2 * t);
        EXPECT_EQ(pinned[i].candle.close, i % 2 == 0 ? c + 2 * t : c - 2 * t);
        EXPECT_GT(pinned[i].candle.volume, 0.0);
    }
    const std::vector<HostileBar> held_ref = halted(HaltKind::ReferenceHeld), held_close = halted(HaltKind::CloseHeld);
    for (std::size_t i = 0; i < held_ref.size(); ++i) {
        EXPECT_EQ(held_ref[i].reference, last.reference);
        EXPECT_EQ(held_close[i].candle.close, c);
    }
    EXPECT_NE(held_ref.back().candle.close, c);
    EXPECT_NE(held_close.back().reference, last.reference);
    // After a flat halt, equal moves: a tick above and below, closing where it opened.
    std::vector<HostileBar> b = base;
    test::append_halt(b, HaltKind::Flat, 3, 9);
    test::append_first_bar(b, FirstBar::Equal, last);
    const Ohlcv& e = b.back().candle;
    EXPECT_EQ(e.high - c, c - e.low);
    EXPECT_EQ(e.close, c);
    // Every grid move stays exact at the scales and the level the relations use.
    for (const double k : {std::ldexp(1.0, 200), std::ldexp(1.0, -200)})
        EXPECT_EQ(e.high * k - c * k, (c - e.low) * k);
    EXPECT_EQ((e.high + 1000.0) - (c + 1000.0), (c + 1000.0) - (e.low + 1000.0));
}

}  // namespace
}  // namespace torvex
