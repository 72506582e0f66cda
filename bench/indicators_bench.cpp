// Update cost of indicators, in ns per bar, over one million synthetic bars.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench_columns.hpp"
#include "registry/registry.hpp"

namespace {

using namespace torvex;

const std::vector<Ohlcv>& bars() {
    static const std::vector<Ohlcv> data = [] {
        std::vector<Ohlcv> v;
        v.reserve(1'000'000);
        double price = 100.0;
        for (int i = 0; i < 1'000'000; ++i) {
            price *= 1.0 + 0.001 * std::sin(i * 0.37) + 0.0005 * std::cos(i * 0.011);
            const double spread = 0.2 + 0.1 * std::sin(i * 0.13);
            v.push_back({i * 60'000LL, price, price + spread, price - spread, price + 0.3 * spread * std::sin(i * 0.7),
                         10.0 + (i % 13)});
        }
        return v;
    }();
    return data;
}

// One benchmark per (name, params); each iteration runs a fresh object over every bar
// the way a load does: one column at a time, by chunks of rows.
// The rows a load hands an indicator at a time.
constexpr std::size_t kChunkRows = 16384;

void run(benchmark::State& state, const std::string& name, std::vector<double> params) {
    const auto& data = bars();
    // The closes as one column, as a load hands them over.
    static const std::vector<double> closes = [&] {
        std::vector<double> c;
        for (const Ohlcv& b : data) c.push_back(b.close);
        return c;
    }();
    const bool candles_only = indicator_feed(name) == kFeedCandles;
    std::vector<double> column(data.size());
    for (auto _ : state) {
        auto ind = build_indicator(name, params);
        if (!ind) {
            state.SkipWithError("indicator not available");
            return;
        }
        for (std::size_t first = 0; first < data.size(); first += kChunkRows) {
            const std::size_t n = std::min(kChunkRows, data.size() - first);
            const std::span<const Ohlcv> rows = std::span<const Ohlcv>(data).subspan(first, n);
            const std::span<const double> row_closes = std::span<const double>(closes).subspan(first, n);
            ColumnRun out{std::span<double>(column).subspan(first, n), std::nullopt};
            if (candles_only) {
                (*ind)->run_column(BarColumns(rows, row_closes), out);
            } else {
                (*ind)->run_column(BenchColumns(rows, row_closes), out);
            }
        }
        benchmark::DoNotOptimize(column.data());
    }
    state.counters["ns_per_bar"] = benchmark::Counter(
        static_cast<double>(state.iterations() * data.size()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

struct Case {
    const char* name;
    std::vector<double> params;
};

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
    };
    return all;
}

const int registered = [] {
    for (const Case& c : cases()) {
        std::string label = c.name;
        label += "(";
        for (std::size_t i = 0; i < c.params.size(); ++i) {
            if (i > 0) label += ',';
            label += format_param_value(c.params[i]);
        }
        label += ")";
        benchmark::RegisterBenchmark(label.c_str(), [c](benchmark::State& s) { run(s, c.name, c.params); })
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

}  // namespace
