// Update cost of indicators, in ns per bar, over one million synthetic bars.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench_support.hpp"
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

// The book and funding snapshot that every bar of the benchmark carries.
class BenchColumns final : public BarColumns {
public:
    BenchColumns(std::span<const Ohlcv> candles, std::span<const double> closes) : BarColumns(candles, closes) {
        book_.bids = {{99.9, 5.0}, {99.8, 7.0}, {99.7, 9.0}};
        book_.asks = {{100.1, 4.0}, {100.2, 6.0}, {100.3, 8.0}};
        tick_.funding_rate = 0.0001;
        tick_.open_interest = 1e6;
    }
    bool has_extras() const override { return true; }
    void fill(std::size_t, BarContext& ctx, OrderBook&) const override {
        ctx.book = &book_;
        ctx.derivatives = tick_;
    }

private:
    OrderBook book_;
    DerivativesTick tick_;
};

// One benchmark per (name, params); each iteration runs a fresh object over every bar
// the way a load does.
void run(benchmark::State& state, const std::string& name, std::vector<double> params) {
    const auto& data = bars();
    // The closes as one column, as a load hands them over.
    static const std::vector<double> closes = [&] {
        std::vector<double> c;
        for (const Ohlcv& b : data) c.push_back(b.close);
        return c;
    }();
    const bool candles_only = indicator_feed(name) == kFeedCandles;
    bench::run_loads(state, name, params, data, closes,
                     [&](DynIndicator& ind, std::span<const Ohlcv> rows, std::span<const double> row_closes,
                         ColumnRun& out) {
                         if (candles_only) {
                             ind.run_column(BarColumns(rows, row_closes), out);
                         } else {
                             ind.run_column(BenchColumns(rows, row_closes), out);
                         }
                     });
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
        const std::string label = bench::case_label("", c.name, c.params);
        benchmark::RegisterBenchmark(label.c_str(), [c](benchmark::State& s) { run(s, c.name, c.params); })
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

}  // namespace
