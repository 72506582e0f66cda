// Indicators over the order book or funding, in a load beside their column loop alone.
// The load's share of one such feature is what 16 copies of it (distinct keys, the same
// indicator) add to a load of the same bars without them, per copy and bar; the column
// loop alone is fed the indicator bench's fixed snapshot. The load runs
// on one processor (the team follows the affinity mask), as the loop does.
#include <benchmark/benchmark.h>
#include <sched.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "bench_columns.hpp"
#include "bench_support.hpp"
#include "gym_core/env.hpp"
#include "registry/registry.hpp"

namespace {

using namespace torvex;

constexpr int kBars = 100'000;
constexpr int kCopies = 16;

const std::string& book_document() {
    static const std::string doc = [] {
        std::string s = R"({"cmd":"load","candles":[)";
        double price = 100.0;
        char buf[512];
        for (int i = 0; i < kBars; ++i) {
            price *= 1.0 + 0.001 * std::sin(i * 0.37);
            const double mid = price + 0.05;
            std::snprintf(buf, sizeof buf,
                          R"(%s{"ts":%lld,"open":%.6f,"high":%.6f,"low":%.6f,"close":%.6f,"volume":%.3f,)"
                          R"("bid_px":[%.4f,%.4f,%.4f],"bid_sz":[%.2f,%.2f,%.2f],)"
                          R"("ask_px":[%.4f,%.4f,%.4f],"ask_sz":[%.2f,%.2f,%.2f],"funding":%.6f,"oi":%.1f})",
                          i ? "," : "", i * 60000LL, price, price + 0.25, price - 0.25, price + 0.1, 10.0 + i % 13,
                          mid - 0.01, mid - 0.02, mid - 0.03, 5.0 + i % 7, 6.0, 7.0, mid + 0.01, mid + 0.02,
                          mid + 0.03, 4.0 + i % 5, 6.0, 8.0, 1e-4 * std::sin(i * 0.01), 1e6 + 1e3 * std::cos(i * 0.02));
            s += buf;
        }
        return s + "]}";
    }();
    return doc;
}

double seconds_since(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

void run(benchmark::State& state, const std::string& name, const std::vector<double>& params) {
    auto probe = build_indicator(name, params);
    if (!probe) {
        state.SkipWithError("indicator not available");
        return;
    }
    const std::uint64_t warmup = (*probe)->warmup();
    auto plain = gym::Env::create(bench::copies_spec(name, params, 0, warmup));
    auto fed = gym::Env::create(bench::copies_spec(name, params, kCopies, warmup));
    if (!plain || !fed) {
        state.SkipWithError("specification refused");
        return;
    }
    std::vector<Ohlcv> bars;
    for (int i = 0; i < kBars; ++i) {
        const double p = 100.0 + std::sin(i * 0.37);
        bars.push_back({i * 60'000LL, p, p + 0.25, p - 0.25, p + 0.1, 10.0 + i % 13});
    }
    std::vector<double> column(kBars);
    const std::string& doc = book_document();
    cpu_set_t original, one;
    sched_getaffinity(0, sizeof original, &original);
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    sched_setaffinity(0, sizeof one, &one);
    double load_s = 0.0, loop_s = 0.0;
    for (auto _ : state) {
        auto t = std::chrono::steady_clock::now();
        const std::string a = plain->command(doc);
        const double without = seconds_since(t);
        t = std::chrono::steady_clock::now();
        const std::string b = fed->command(doc);
        const double with = seconds_since(t);
        if (a != R"({"ok":true})" || b != R"({"ok":true})") {
            state.SkipWithError((a + b).c_str());
            break;
        }
        load_s += (with - without) / kCopies;
        auto ind = build_indicator(name, params);
        t = std::chrono::steady_clock::now();
        constexpr std::size_t kChunk = 32768;
        for (std::size_t first = 0; first < bars.size(); first += kChunk) {
            const std::size_t n = std::min(kChunk, bars.size() - first);
            ColumnRun out{std::span<double>(column).subspan(first, n), std::nullopt};
            (*ind)->run_column(BenchColumns(std::span<const Ohlcv>(bars).subspan(first, n), {}), out);
        }
        loop_s += seconds_since(t);
        benchmark::DoNotOptimize(column.data());
    }
    sched_setaffinity(0, sizeof original, &original);
    const double n = static_cast<double>(state.iterations()) * kBars;
    state.counters["load_ns_per_bar"] = load_s / n * 1e9;
    state.counters["loop_ns_per_bar"] = loop_s / n * 1e9;
    state.counters["load_per_loop"] = load_s / loop_s;
}

struct Case {
    const char* name;
    std::vector<double> params;
};

const int registered = [] {
    // The typical parameters of the indicator bench; the registry is not asked here,
    // since its table may not be built yet while benchmarks register.
    static const std::vector<Case> cases = {
        {"QuotedSpread", {}},        {"Microprice", {}},           {"OrderBookImbalanceTop1", {}},
        {"OrderBookImbalanceTopN", {3}}, {"OrderBookImbalanceFull", {}}, {"OrderFlowImbalance", {10}},
        {"DepthSlope", {}},          {"FundingRate", {}},          {"FundingImpliedApr", {1095}},
        {"FundingRateMean", {8}},    {"FundingRateZScore", {20}},  {"OpenInterestDelta", {}},
        {"OpenInterestMomentum", {10}}, {"OIPriceDivergence", {14}}, {"OIWeighted", {}},
    };
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark((std::string("LoadBook/") + c.name).c_str(),
                                     [c](benchmark::State& s) { run(s, c.name, c.params); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    }
    return 0;
}();

}  // namespace
