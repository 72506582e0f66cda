// How the per-bar cost of the order-statistic indicators grows with their window:
// each name at a short and a long window over the same noisy walk, so the ratio of
// the two ns-per-bar figures shows the growth; and NakedPoc loads of a steady trend
// at two lengths, whose ratio shows how its load grows with the run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "registry/registry.hpp"

namespace {

using namespace torvex;

// A walk with uniform steps from a fixed generator, so windows hold values in
// shuffled order and a fresh close lands anywhere in them.
std::vector<Ohlcv> noisy_walk(std::size_t count) {
    std::vector<Ohlcv> v;
    v.reserve(count);
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    double price = 1000.0;
    for (std::size_t i = 0; i < count; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double u = static_cast<double>(state >> 11) * 0x1.0p-53 - 0.5;
        price += u;
        v.push_back({static_cast<std::int64_t>(i) * 60'000, price, price + 0.5, price - 0.5, price, 10.0});
    }
    return v;
}

// A steady rise of one unit per bar whose range touches only its own neighbours, so
// every block leaves a point of control that no later bar reaches.
std::vector<Ohlcv> steady_trend(std::size_t count) {
    std::vector<Ohlcv> v;
    v.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double p = 100.0 + static_cast<double>(i);
        v.push_back({static_cast<std::int64_t>(i) * 60'000, p, p + 0.25, p - 0.25, p, 10.0 + static_cast<double>(i % 7)});
    }
    return v;
}

void run(benchmark::State& state, const std::string& name, const std::vector<double>& params,
         const std::vector<Ohlcv>& data) {
    std::vector<double> closes;
    closes.reserve(data.size());
    for (const Ohlcv& b : data) closes.push_back(b.close);
    bench::run_loads(state, name, params, data, closes,
                     [](DynIndicator& ind, std::span<const Ohlcv> rows, std::span<const double> row_closes,
                        const CandleColumns& row_fields, ColumnRun& out) {
                         ind.run_column(BarColumns(rows, row_closes, row_fields), out);
                     });
}

struct Case {
    const char* name;
    std::vector<double> params;
    const std::vector<Ohlcv>* data;
    const char* series;
};

const int registered = [] {
    static const std::vector<Ohlcv> walk = noisy_walk(200'000);
    static const std::vector<Ohlcv> short_walk = noisy_walk(20'000);
    static const std::vector<Ohlcv> walk_100k = noisy_walk(100'000);
    static const std::vector<Ohlcv> trend_100k = steady_trend(100'000);
    static const std::vector<Ohlcv> trend_400k = steady_trend(400'000);
    static const std::vector<Case> cases = {
        {"RollingPercentileRank", {10}, &walk, "walk"},
        {"RollingPercentileRank", {1000}, &walk, "walk"},
        {"ConnorsRsi", {3, 2, 10}, &walk, "walk"},
        {"ConnorsRsi", {3, 2, 1000}, &walk, "walk"},
        {"MedianAbsoluteDeviation", {20}, &walk, "walk"},
        {"MedianAbsoluteDeviation", {1000}, &walk, "walk"},
        {"MedianChannel", {20, 2}, &walk, "walk"},
        {"MedianChannel", {1000, 2}, &walk, "walk"},
        // A window of 50,000 against one of 20: the sorted window's push grows as √n.
        {"RollingQuantile", {20, 0.5}, &walk_100k, "walk"},
        {"RollingQuantile", {50000, 0.5}, &walk_100k, "walk"},
        {"MedianMa", {20}, &walk_100k, "walk"},
        {"MedianMa", {50000}, &walk_100k, "walk"},
        // The spectrum costs (max - min + 1)(max - 2) terms a bar: 30,788 at 181 and
        // 86,718 at 300, so a constant cost per term gives a ratio near 2.8.
        {"AutocorrelationPeriodogram", {10, 181}, &short_walk, "walk"},
        {"AutocorrelationPeriodogram", {10, 300}, &short_walk, "walk"},
        {"NakedPoc", {20, 24}, &trend_100k, "trend"},
        {"NakedPoc", {20, 24}, &trend_400k, "trend"},
        // The volatility of the returns a window holds, at a window of 20 and of 50,000
        // over 100,000 bars, beside a history of two.
        {"VolatilityCone", {20, 2}, &walk_100k, "walk"},
        {"VolatilityCone", {50000, 2}, &walk_100k, "walk"},
        {"RegimeLabel", {20, 2}, &walk_100k, "walk"},
        {"RegimeLabel", {50000, 2}, &walk_100k, "walk"},
    };
    for (const Case& c : cases) {
        const std::string label = bench::case_label("Growth/", c.name, c.params) + "/" + c.series + "/" +
                                  std::to_string(c.data->size());
        benchmark::RegisterBenchmark(label.c_str(), [&c](benchmark::State& s) { run(s, c.name, c.params, *c.data); })
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

}  // namespace
