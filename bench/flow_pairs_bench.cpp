// Update cost of the trade-flow, pair and breadth indicators, fed what they read: three
// trades and a book per bar, a reference series, or a panel of 50 markets.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "registry/registry.hpp"

namespace {

using namespace torvex;

constexpr int kBars = 200'000;

struct Feeds {
    std::vector<Ohlcv> bars;
    std::vector<double> reference;
    std::vector<std::vector<Trade>> trades;
    std::vector<CrossSection> panels;
};

const Feeds& feeds() {
    static const Feeds data = [] {
        Feeds f;
        double price = 100.0;
        double ref = 50.0;
        for (int i = 0; i < kBars; ++i) {
            price *= 1.0 + 0.001 * std::sin(i * 0.37) + 0.0005 * std::cos(i * 0.011);
            ref = 0.5 * price + 2.0 * std::sin(i * 0.05) + 0.3 * std::cos(i * 1.3);
            f.bars.push_back({i * 60'000LL, price, price + 0.2, price - 0.2, price, 10.0 + (i % 13)});
            f.reference.push_back(ref);
            std::vector<Trade> t;
            for (int k = 0; k < 3; ++k)
                t.push_back({price + 0.05 * std::sin(i * 0.9 + k), 1.0 + ((i + k) % 5), 0, (i * 7 + k) % 3 == 0});
            f.trades.push_back(std::move(t));
        }
        // Panels cycle through 64 distinct cross-sections.
        for (int p = 0; p < 64; ++p) {
            CrossSection panel;
            for (int m = 0; m < 50; ++m) {
                const double change = std::sin(p * 0.7 + m * 1.1);
                panel.members.push_back({change, 100.0 + m, (p + m) % 9 == 0, (p + m) % 11 == 0, change > 0.2,
                                         (p * m) % 3 == 0});
            }
            f.panels.push_back(std::move(panel));
        }
        return f;
    }();
    return data;
}

void run(benchmark::State& state, const std::string& name, std::vector<double> params) {
    const Feeds& f = feeds();
    OrderBook book;
    book.bids = {{99.9, 5.0}, {99.8, 7.0}};
    book.asks = {{100.1, 4.0}, {100.2, 6.0}};
    const std::uint8_t feed = indicator_feed(name);
    for (auto _ : state) {
        auto ind = build_indicator(name, params);
        if (!ind) {
            state.SkipWithError("indicator not available");
            return;
        }
        double sink = 0.0;
        for (int i = 0; i < kBars; ++i) {
            BarContext ctx(f.bars[i]);
            if (feed == kFeedTrades || feed == kFeedTradesAndBook) ctx.trades = f.trades[i];
            if (feed == kFeedTradesAndBook) ctx.book = &book;
            if (feed == kFeedCrossSection) ctx.cross_section = &f.panels[i % 64];
            if (feed == kFeedCandles) ctx.reference = f.reference[i];
            sink += (*ind)->update(ctx).value_or(0.0);
        }
        benchmark::DoNotOptimize(sink);
    }
    state.counters["ns_per_bar"] = benchmark::Counter(static_cast<double>(state.iterations()) * kBars,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

struct Case {
    const char* name;
    std::vector<double> params;
};

const int registered = [] {
    static const std::vector<Case> cases = {
#include "cases/flow_pairs_breadth.inc"
    };
    for (const Case& c : cases) {
        const std::string label = bench::case_label("Fed/", c.name, c.params);
        benchmark::RegisterBenchmark(label.c_str(), [c](benchmark::State& s) { run(s, c.name, c.params); })
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

}  // namespace
