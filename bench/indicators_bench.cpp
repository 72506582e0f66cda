// Cost of every registry name, in ns per bar over 50,000 synthetic bars, measured two
// ways:
//   column/NAME(PARAMS)  its column loop alone, fed as a load feeds it (one column at a
//                        time, by the load's chunks of rows);
//   load/NAME(PARAMS)    what it adds to a whole load: the processor time of a load of
//                        the bars with eight copies of the feature, less that of the
//                        same load without them, divided by the eight columns' bars
//                        (bench/report.py holds the process to one core, where the
//                        load's team of threads takes turns).
// A name without a line in cases/*.inc takes no parameters. The names over two series
// (cases/pairs.inc) are fed a reference series in their column runs; a load has none
// to give them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "bench_columns.hpp"
#include "bench_support.hpp"
#include "gym_core/env.hpp"
#include "registry/registry.hpp"

namespace {

using namespace torvex;

constexpr std::size_t kBars = 50'000;

// The bar of index i: the one series every figure of the bench (and the TA-Lib
// comparison, which rebuilds it) is taken over.
Ohlcv bar_at(int i, double price) {
    const double spread = 0.2 + 0.1 * std::sin(i * 0.13);
    return {i * 60'000LL, price, price + spread, price - spread, price + 0.3 * spread * std::sin(i * 0.7),
            10.0 + (i % 13)};
}

const std::vector<Ohlcv>& bars() {
    static const std::vector<Ohlcv> data = [] {
        std::vector<Ohlcv> v;
        v.reserve(kBars);
        double price = 100.0;
        for (std::size_t i = 0; i < kBars; ++i) {
            price *= 1.0 + 0.001 * std::sin(i * 0.37) + 0.0005 * std::cos(i * 0.011);
            v.push_back(bar_at(static_cast<int>(i), price));
        }
        return v;
    }();
    return data;
}

struct Case {
    const char* name;
    std::vector<double> params;
};

// The reference series of the names over two series: half the close plus two cycles.
const std::vector<double>& references() {
    static const std::vector<double> data = [] {
        std::vector<double> v;
        v.reserve(kBars);
        for (std::size_t i = 0; i < kBars; ++i)
            v.push_back(0.5 * bars()[i].close + 2.0 * std::sin(i * 0.05) + 0.3 * std::cos(i * 1.3));
        return v;
    }();
    return data;
}

bool reads_reference(const std::string& name) {
    static const std::vector<std::string> names = [] {
        const std::vector<Case> cases = {
#include "cases/pairs.inc"
        };
        std::vector<std::string> v;
        for (const Case& c : cases) v.emplace_back(c.name);
        return v;
    }();
    return std::find(names.begin(), names.end(), name) != names.end();
}

// One benchmark per (name, params); each iteration runs a fresh object over every bar
// the way a load does: one column at a time, by chunks of rows.
void column_run(benchmark::State& state, const std::string& name, const std::vector<double>& params) {
    const auto& data = bars();
    // The closes as one column, as a load hands them over (and the other candle
    // columns, which bench::run_loads builds).
    static const std::vector<double> closes = [&] {
        std::vector<double> c;
        for (const Ohlcv& b : data) c.push_back(b.close);
        return c;
    }();
    const bool pair = reads_reference(name);
    const bool candles_only = indicator_feed(name) == kFeedCandles && !pair;
    bench::run_loads(state, name, params, data, closes,
                     [&](DynIndicator& ind, std::span<const Ohlcv> rows, std::span<const double> row_closes,
                         const CandleColumns& row_fields, ColumnRun& out) {
                         if (candles_only) {
                             ind.run_column(BarColumns(rows, row_closes, row_fields), out);
                         } else {
                             const std::size_t first = static_cast<std::size_t>(rows.data() - data.data());
                             const std::span<const double> reference =
                                 pair ? std::span<const double>(references()).subspan(first, rows.size())
                                      : std::span<const double>{};
                             ind.run_column(BenchColumns(rows, row_closes, row_fields, reference), out);
                         }
                     });
}

// The load document of the bars in the array form; `extras` adds a three-level book and
// funding and open interest to every bar.
std::string make_document(bool extras) {
    std::string s = R"({"cmd":"load","candles":[)";
    char buf[400];
    for (std::size_t i = 0; i < kBars; ++i) {
        const Ohlcv& b = bars()[i];
        int len = std::snprintf(buf, sizeof buf, "%s[%lld,%.17g,%.17g,%.17g,%.17g,%.17g", i ? "," : "",
                                static_cast<long long>(b.ts), b.open, b.high, b.low, b.close, b.volume);
        if (extras)
            len += std::snprintf(buf + len, sizeof buf - len,
                                 ",[%.6f,%.6f,%.6f],[5,7,9],[%.6f,%.6f,%.6f],[4,6,8],0.0001,1000000", b.close - 0.1,
                                 b.close - 0.2, b.close - 0.3, b.close + 0.1, b.close + 0.2, b.close + 0.3);
        s.append(buf, static_cast<std::size_t>(len));
        s += ']';
    }
    return s + "]}";
}

const std::string& load_document(bool extras) {
    static const std::string plain = make_document(false);
    static const std::string with_extras = make_document(true);
    return extras ? with_extras : plain;
}

// Copies of the feature in one load (see bench::copies_spec).
constexpr int kCopies = 8;

// Loads with and without the copies, interleaved; the figure is the median difference.
void load_run(benchmark::State& state, const std::string& name, const std::vector<double>& params) {
    auto probe = build_indicator(name, params);
    if (!probe) {
        state.SkipWithError("indicator not available");
        return;
    }
    const std::uint64_t warmup = (*probe)->warmup();
    const bool extras = indicator_feed(name) != kFeedCandles;
    const std::string& doc = load_document(extras);
    auto with = gym::Env::create(bench::copies_spec(name, params, kCopies, warmup));
    auto without = gym::Env::create(bench::copies_spec(name, params, 0, warmup));
    if (!with || !without) {
        state.SkipWithError("the environment refused the specification");
        return;
    }
    // Processor time of the whole process (every member of the load's team): what the
    // load cost, whatever else the machine runs.
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    const auto timed = [&](gym::Env& env) {
        const double start = now();
        const std::string out = env.command(doc);
        const double seconds = now() - start;
        if (out != R"({"ok":true})") state.SkipWithError(out.c_str());
        return seconds;
    };
    std::vector<double> extra;
    int turn = 0;
    for (auto _ : state) {
        double a = 0.0, b = 0.0;
        if (turn++ % 2 == 0) {
            a = timed(*with);
            b = timed(*without);
        } else {
            b = timed(*without);
            a = timed(*with);
        }
        extra.push_back(a - b);
        state.SetIterationTime(std::max(a - b, 0.0));
    }
    std::nth_element(extra.begin(), extra.begin() + extra.size() / 2, extra.end());
    const double median = extra.empty() ? 0.0 : extra[extra.size() / 2];
    state.counters["ns_per_bar"] = median / (kCopies * static_cast<double>(kBars)) * 1e9;
}

// Typical parameters per indicator; a name the library does not offer is skipped.
const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"Sma", {20}}, {"Sma", {2000}},
#include "cases/close_book_funding.inc"
#include "cases/statistics.inc"
#include "cases/candle_oscillators.inc"
#include "cases/bands.inc"
#include "cases/volume.inc"
#include "cases/risk.inc"
#include "cases/cycles.inc"
#include "cases/candlesticks.inc"
#include "cases/demark.inc"
#include "cases/range_trend.inc"
#include "cases/patterns.inc"
#include "cases/profiles.inc"
#include "cases/stops.inc"
#include "cases/multi_line.inc"
#include "cases/flow_pairs_breadth.inc"
    };
    return all;
}

// Every registry name in table order, with its cases.
const int registered = [] {
    for (const RegistryRow& row : registry_rows()) {
        const std::string name(row.name);
        std::vector<std::vector<double>> list;
        for (const Case& c : cases())
            if (c.name == name) list.push_back(c.params);
        if (list.empty()) list.emplace_back();
        // A load takes candles, the order book and funding, nothing else.
        const bool loadable = row.feed == kFeedCandles || row.feed == kFeedOrderBook || row.feed == kFeedFunding;
        for (const std::vector<double>& params : list) {
            const std::string label = bench::case_label("", name, params);
            benchmark::RegisterBenchmark(("column/" + label).c_str(),
                                         [name, params](benchmark::State& s) { column_run(s, name, params); })
                ->Unit(benchmark::kMicrosecond)
                ->MinTime(0.05);
            if (loadable)
                benchmark::RegisterBenchmark(("load/" + label).c_str(),
                                             [name, params](benchmark::State& s) { load_run(s, name, params); })
                    ->Unit(benchmark::kMicrosecond)
                    ->UseManualTime()
                    ->Iterations(15);
        }
    }
    return 0;
}();

}  // namespace
