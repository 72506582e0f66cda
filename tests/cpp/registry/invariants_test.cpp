// What every registry name promises over histories built to break running sums:
// a random walk, 1e12 bars alone and in blocks, a collapse from 1e12 to 1e-9,
// tick-grid prices that go exactly flat, small returns of both signs, and a 1e12
// volume. Each name is built with its typical parameters and at periods 1, 2, 3
// and 5 where those build, and after every history:
//   (a) every answer and every published output is finite;
//   (b) every value lies within the name's possible range;
//   (c) a fresh object fed identical bars, and an object fed identical bars after a
//       1e12 bar, answers the flat-window value exactly (within one rounding where
//       the definition's own steps round);
//   (d) a finite-memory name answers, once its window has passed the last extreme
//       bar, what a fresh object fed only that window answers (1e-9 relative);
//   (e) a bar with a NaN close answers nothing and leaves the state as it was.
// What each name promises is in invariant_table.hpp. Every fault is reported with the
// first bar that shows it; TORVEX_INVARIANT_REPORT names a file that collects them.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "registry/invariant_checks.hpp"
#include "registry/invariant_histories.hpp"
#include "registry/invariant_table.hpp"
#include "registry/registry.hpp"
#include "registry/typical_params.hpp"

namespace torvex {
namespace {

using test::Answer;
using test::Bound;
using test::FlatWant;
using test::History;
using test::InvariantRow;
using test::agree;
using test::find_row;
using test::make;
using test::num;
using test::parse_flat;
using test::per_output;
using test::run;
using test::shown;
using test::window_of;

// Collects the faults of one name: the first offending bar of each (parameters,
// history, check), with the number of bars that broke it.
class Faults {
public:
    void note(const std::string& key, const std::string& first) {
        for (auto& [k, f, n] : faults_)
            if (k == key) {
                ++n;
                return;
            }
        faults_.push_back({key, first, 1});
    }
    void report() const {
        const char* path = std::getenv("TORVEX_INVARIANT_REPORT");
        std::ofstream file;
        if (path) file.open(path, std::ios::app);
        for (const auto& [k, f, n] : faults_) {
            ADD_FAILURE() << k << ": " << f << " (" << n << " bars)";
            if (file) file << k << ": " << f << " (" << n << " bars)\n";
        }
    }

private:
    struct Fault {
        std::string key, first;
        std::size_t count;
    };
    std::vector<Fault> faults_;
};

void check_history(const InvariantRow& row, const std::vector<double>& params, const History& h, Faults& faults) {
    const std::string who = test::label(row.name, params) + " | " + h.name + " | ";
    IndicatorBox ind = make(row.name, params);
    const std::vector<Answer> answers = run(*ind, h.bars, 0, h.bars.size());
    std::size_t outputs = 1;
    for (const Answer& a : answers) outputs = std::max(outputs, a.outputs.size());
    const bool positive_only = row.range && row.range[0] == '+';
    const std::vector<Bound> bounds = test::output_bounds(row, params, outputs, h.positive);

    for (std::size_t i = 0; i < answers.size(); ++i) {
        const std::vector<double> v = shown(answers[i]);
        for (std::size_t j = 0; j < v.size(); ++j) {
            const std::string at = "bar " + std::to_string(i + 1) + " output " + std::to_string(j);
            if (!std::isfinite(v[j]) && !row.nonfinite) faults.note(who + "(a) finite", at + ": " + num(v[j]));
            if (j < bounds.size() && !test::within(bounds[j], v[j]))
                faults.note(who + "(b) range [" + num(bounds[j].lo) + ", " + num(bounds[j].hi) + "]",
                            at + ": " + num(v[j]));
        }
    }

    // A name defined for positive prices only (it takes their logarithms) refuses or
    // skips the others, so over them its last bars are not its window.
    if (!row.window || (positive_only && !h.positive)) return;
    const std::size_t window = window_of(row, params, *ind);
    const std::size_t k = std::max<std::size_t>(window, ind->warmup());
    const std::size_t first = h.after_last_extreme() + k - 1;
    const std::size_t last = std::min(h.bars.size(), first + window + 20);
    for (std::size_t i = first; i < last; ++i) {
        IndicatorBox fresh = make(row.name, params);
        const std::vector<Answer> own = run(*fresh, h.bars, i + 1 - k, i + 1);
        const std::vector<double> want = shown(own.back());
        const std::vector<double> got = shown(answers[i]);
        if (want.empty()) continue;  // the window held refused bars (a non-positive price)
        const std::string at = "bar " + std::to_string(i + 1);
        if (want.size() != got.size()) {
            faults.note(who + "(d) window of " + std::to_string(k), at + ": answers " + std::to_string(got.size()) +
                                                                         " values, the window alone " +
                                                                         std::to_string(want.size()));
            continue;
        }
        for (std::size_t j = 0; j < want.size(); ++j)
            if (!agree(got[j], want[j], test::answer_scale(row, h.scale), test::recovery_tolerance(row)))
                faults.note(who + "(d) window of " + std::to_string(k),
                            at + " output " + std::to_string(j) + ": " + num(got[j]) + ", the window alone " +
                                num(want[j]));
    }
}

// (c): identical bars from the start, and identical bars after a 1e12 bar, at the
// price `kPrice` (two levels: a transient may vanish by chance at one of them). At a
// price that n copies of do not sum exactly (0.1, 7.3), an average of the window may miss
// it by a rounding: there the answers are held to within a rounding of the flat one,
// which still catches an index that divides such a rounding by another.
void check_flat(const InvariantRow& row, const std::vector<double>& params, double kPrice, bool exact_sums,
                Faults& faults) {
    if (!row.flat || std::string(row.flat).empty()) return;
    const bool marked = row.flat[0] == '~';
    const bool rounded = marked || !exact_sums;
    const char* flat_text = marked ? row.flat + 1 : row.flat;
    IndicatorBox ind = make(row.name, params);
    const std::size_t window = row.window ? window_of(row, params, *ind) : 0;
    const std::size_t count = ind->warmup() + window + 10;

    // Every answer from `from` on must be the flat one.
    auto expect = [&](const std::string& which, const std::vector<Answer>& answers, std::size_t from) {
        const std::string who = test::label(row.name, params) + " | " + which + " at " + num(kPrice) + " | (c) flat";
        if (shown(answers.back()).empty()) faults.note(who, "no value after " + std::to_string(answers.size()) + " bars");
        for (std::size_t i = from; i < answers.size(); ++i) {
            const std::vector<double> v = shown(answers[i]);
            const auto wants = per_output<FlatWant>(flat_text, v.size(), parse_flat);
            for (std::size_t j = 0; j < v.size(); ++j) {
                const FlatWant& w = wants[j];
                if (w.kind == FlatWant::Any) continue;
                const double want = w.kind == FlatWant::Price ? kPrice : w.value;
                if (rounded ? std::fabs(v[j] - want) > 1e-12 * std::max(1.0, kPrice) : v[j] != want)
                    faults.note(who, "bar " + std::to_string(i + 1) + " output " + std::to_string(j) + ": " + num(v[j]) +
                                         ", want " + num(want));
            }
        }
    };

    const History flat = test::flat_history(count, kPrice);
    expect("identical bars", run(*ind, flat.bars, 0, flat.bars.size()), 0);

    if (!row.window) return;  // an infinite memory keeps a trace of the 1e12 bar
    std::vector<test::HostileBar> bars;
    test::append_walk(bars, count, 100.0, 21);
    bars.push_back(test::level_bar(1e12, 0.5e12, true));
    test::append_level(bars, count, kPrice, 0.5 * kPrice);
    test::stamp_times(bars);
    IndicatorBox after = make(row.name, params);
    const std::size_t k = std::max<std::size_t>(window, after->warmup());
    expect("identical bars after a 1e12 bar", run(*after, bars, 0, bars.size()), count + 1 + k);
}

// (e): the walk with a NaN close among its bars answers, on every other bar, exactly
// what the walk alone answers. Only for the names whose feed is the candle: the
// others read their own feed and may answer on a bar whose candle is broken.
void check_refusal(const InvariantRow& row, const std::vector<double>& params, const History& walk, Faults& faults) {
    std::vector<test::HostileBar> dirty;
    std::vector<std::size_t> clean_index;  // for each dirty bar, its clean bar (or npos)
    for (std::size_t i = 0; i < walk.bars.size(); ++i) {
        if (i % 17 == 9) {
            test::HostileBar bad = walk.bars[i];
            bad.candle.close = std::numeric_limits<double>::quiet_NaN();
            dirty.push_back(bad);
            clean_index.push_back(std::string::npos);
        }
        dirty.push_back(walk.bars[i]);
        clean_index.push_back(i);
    }
    IndicatorBox clean = make(row.name, params);
    IndicatorBox other = make(row.name, params);
    const std::vector<Answer> want = run(*clean, walk.bars, 0, walk.bars.size());
    const std::vector<Answer> got = run(*other, dirty, 0, dirty.size());
    const std::string who = test::label(row.name, params) + " | walk with NaN closes | (e) refusal";
    for (std::size_t i = 0; i < dirty.size(); ++i) {
        const std::string at = "bar " + std::to_string(i + 1);
        if (clean_index[i] == std::string::npos) {
            if (got[i].value) faults.note(who, at + " (NaN close): answers " + num(*got[i].value));
            continue;
        }
        const Answer& w = want[clean_index[i]];
        const bool same_value = got[i].value.has_value() == w.value.has_value() &&
                                (!w.value || std::bit_cast<std::uint64_t>(*w.value) == std::bit_cast<std::uint64_t>(*got[i].value));
        const bool same_outputs = got[i].outputs.size() == w.outputs.size() &&
                                  std::equal(w.outputs.begin(), w.outputs.end(), got[i].outputs.begin(), [](double a, double b) {
                                      return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
                                  });
        if (!same_value || !same_outputs)
            faults.note(who, at + ": " + (got[i].value ? num(*got[i].value) : "none") + ", without the NaN bars " +
                                 (w.value ? num(*w.value) : "none"));
    }
}

class Invariants : public ::testing::TestWithParam<std::string> {};

TEST_P(Invariants, HoldOverHostileHistories) {
    const std::string& name = GetParam();
    const InvariantRow* row = find_row(name);
    ASSERT_NE(row, nullptr) << name << " has no row in the invariant table";
    bool candle_feed = false;
    for (const RegistryRow& r : registry_rows())
        if (r.name == name) candle_feed = r.feed == kFeedCandles;
    Faults faults;
    for (const std::vector<double>& params : test::period_variants(name, {1.0, 2.0, 3.0, 5.0})) {
        IndicatorBox probe = make(name, params);
        ASSERT_TRUE(probe) << test::label(name, params);
        const std::size_t window = row->window ? window_of(*row, params, *probe) : 0;
        const std::size_t fill = std::max<std::size_t>(probe->warmup(), 5);
        const std::size_t tail = std::max<std::size_t>(60, 2 * std::max<std::size_t>(window, fill) + window + 25);
        const std::vector<History> histories = test::hostile_histories(tail, fill);
        for (const History& h : histories) check_history(*row, params, h, faults);
        if (candle_feed) check_refusal(*row, params, histories.front(), faults);
        for (double price : {100.0, 5.0}) check_flat(*row, params, price, true, faults);
        for (double price : {0.1, 113.2074966078069, 7.3, 3e-5}) check_flat(*row, params, price, false, faults);
    }
    faults.report();
}

INSTANTIATE_TEST_SUITE_P(Registry, Invariants, ::testing::ValuesIn(test::all_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// The scale relation over two fixed walks (at 100, and at 0.01 where closes read as
// returns stay small): with every price times 2^k, for each k the row's power allows
// over the whole walk, every answer is the first one times 2^(k * degree).
class ScaleRelation : public ::testing::TestWithParam<std::string> {};

TEST_P(ScaleRelation, HoldsWhereTheRangeAllows) {
    const InvariantRow* row = find_row(GetParam());
    ASSERT_NE(row, nullptr);
    if (!*row->scaling.degree) GTEST_SKIP() << row->scaling.why;
    const std::vector<double> params = test::typical_list(row->name);
    std::uint8_t feed = kFeedCandles;
    for (const RegistryRow& r : registry_rows())
        if (r.name == row->name) feed = r.feed;
    const double tolerance = row->scaling.tolerance > 0.0 ? row->scaling.tolerance : 1e-12;
    for (const double level : {100.0, 0.01}) {
        std::vector<test::HostileBar> bars;
        test::append_walk(bars, 300, level, 31);
        test::stamp_times(bars);
        test::Span span;
        for (std::size_t i = 0; i < bars.size(); ++i) span.add(test::bar_span(bars[i], i, feed));
        const test::Exponents allowed =
            test::allowed_exponents(span, bars.size(), row->scaling.power, test::smoothing_depth(*row, params));
        IndicatorBox first = make(row->name, params);
        const std::vector<Answer> want = run(*first, bars, 0, bars.size());
        for (const int k : {-300, -60, 60, 300, 700}) {
            if (!(allowed.lo <= k && k <= allowed.hi)) continue;
            IndicatorBox scaled = make(row->name, params);
            const std::vector<Answer> got = run(*scaled, bars, 0, bars.size(), std::ldexp(1.0, k));
            const std::string at = test::label(row->name, params) + " at " + num(level) + " times 2^" + std::to_string(k);
            for (std::size_t i = 0; i < bars.size(); ++i) {
                const std::vector<double> w = shown(want[i]), g = shown(got[i]);
                ASSERT_EQ(w.size(), g.size()) << at << " bar " << i + 1;
                const auto degrees = per_output<std::optional<int>>(row->scaling.degree, w.size(), test::parse_degree);
                const std::vector<Bound> bounds = test::output_bounds(*row, params, w.size(), true);
                for (std::size_t j = 0; j < w.size(); ++j) {
                    const double width = j < bounds.size() && !bounds[j].any ? bounds[j].hi - bounds[j].lo : 1.0;
                    if (degrees[j] && !test::scales(g[j], w[j], k, *degrees[j], width, span.hi - span.lo, tolerance))
                        FAIL() << at << " bar " << i + 1 << " output " << j << ": " << num(g[j]) << ", due "
                               << num(std::ldexp(w[j], k * *degrees[j]));
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, ScaleRelation, ::testing::ValuesIn(test::all_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// Every row says how its outputs scale with the price, and why where they do not or
// only loosely.
TEST(InvariantTable, EveryRowHasItsDegreeInPrice) {
    for (const InvariantRow& r : test::invariant_table()) {
        ASSERT_NE(r.scaling.degree, nullptr) << r.name << " has no degree in price";
        EXPECT_TRUE(r.scaling.power >= 1 && r.scaling.power <= 4) << r.name << " takes prices to the power " << r.scaling.power;
        const std::string degree = r.scaling.degree;
        const bool skipped = degree.empty() || degree.find('*') != std::string::npos;
        if (skipped || r.scaling.tolerance > 0.0 || r.scaling.smoothing) {
            EXPECT_TRUE(r.scaling.why && *r.scaling.why) << r.name << " does not say why its relation is skipped or narrowed";
        }
        for (const std::string& part : test::split_outputs(degree))
            EXPECT_TRUE(part == "*" || (!part.empty() && part.find_first_not_of("-0123456789") == std::string::npos))
                << r.name << ": degree \"" << degree << "\"";
    }
}

// A chain of smoothing stages sinks a new difference by every stage's gain (and a bit
// for its seed); the scale relation's lowest exponent rises by as many bits.
TEST(InvariantTable, SmoothedDifferencesNarrowTheScales) {
    struct Case {
        test::Smoothing s;
        double weight;
    };
    const Case cases[] = {
        {test::stages({test::ema_stage(3), test::ema_stage(3)}), 4.0},  // Smi(10, 3, 3): halves twice
        {test::stages({test::wilder_stage(4)}), 3.0},
        {test::stages({test::wilder_stage(2), test::ema_stage(7)}), 5.0},
        {test::stages({test::ema_stage(1)}), 1.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(c.s.weight, c.weight);
    const InvariantRow* smi = find_row("Smi");
    ASSERT_NE(smi, nullptr);
    EXPECT_DOUBLE_EQ(test::smoothing_depth(*smi, {10, 3, 3}), 4.0);
    EXPECT_DOUBLE_EQ(test::smoothing_depth(*find_row("Sma"), {10}), 0.0);
    test::Span span;
    span.price(64.0), span.price(128.0);
    const double plain = test::allowed_exponents(span, 10, 1).lo;
    EXPECT_DOUBLE_EQ(plain, test::kBottomExponent - 6.0 + test::kUlpExponent);
    EXPECT_DOUBLE_EQ(test::allowed_exponents(span, 10, 1, 44.0).lo, plain + 44.0);
    EXPECT_DOUBLE_EQ(test::allowed_exponents(span, 10, 2, 44.0).lo, test::kBottomExponent / 2 + 44.0 - 6.0 + test::kUlpExponent);
    EXPECT_GT(test::allowed_exponents(span, 10, 1, 1000.0).lo, test::allowed_exponents(span, 10, 1, 1000.0).hi);  // not even k = 0
}

// Bars before a finite memory narrow its scales to those at which each of them is fed
// as itself times 2^k: past them one run refuses a bar the other takes. 1e300 (about
// 1.39 * 2^996) overflows past 2^27, 1e-300 (about 1.25 * 2^-997) sinks to zero below
// 2^-77 or so; a bar at 100 narrows nothing.
TEST(InvariantTable, ScalesKeepEveryEarlierBarFedAsItself) {
    test::Span memory;
    memory.price(64.0), memory.price(128.0);
    const test::Exponents plain = test::allowed_exponents(memory, 10, 1);
    struct Case {
        double earlier, lo, hi;
    };
    const Case cases[] = {
        {1e300, plain.lo, 27.0}, {-1e300, plain.lo, 27.0}, {1e-300, -77.0, plain.hi}, {100.0, plain.lo, plain.hi}};
    for (const Case& c : cases) {
        test::Span before;
        before.price(c.earlier);
        const test::Exponents e = test::allowed_exponents(memory, 10, 1, 0.0, before);
        EXPECT_DOUBLE_EQ(e.lo, c.lo) << c.earlier;
        EXPECT_DOUBLE_EQ(e.hi, c.hi) << c.earlier;
        EXPECT_TRUE(std::isfinite(std::ldexp(c.earlier, static_cast<int>(e.hi)))) << c.earlier;
        EXPECT_NE(std::ldexp(c.earlier, static_cast<int>(e.lo)), 0.0) << c.earlier;
    }
    EXPECT_TRUE(std::isinf(std::ldexp(1e300, 28)));
    EXPECT_EQ(std::ldexp(1e-300, -80), 0.0);
}

TEST(InvariantTable, OneRowForEveryRegistryName) {
    std::set<std::string> names;
    for (const RegistryRow& r : registry_rows()) names.insert(std::string(r.name));
    std::set<std::string> rows;
    for (const InvariantRow& r : test::invariant_table()) {
        EXPECT_TRUE(names.count(r.name)) << r.name << " is no registry name";
        EXPECT_TRUE(rows.insert(r.name).second) << r.name << " has two rows";
    }
    EXPECT_EQ(rows.size(), names.size());
}

}  // namespace
}  // namespace torvex
