// Every name a load can feed writes, through its column loop, exactly the column that
// stepping it bar by bar gives: the same bits on every bar, for the primary value and
// for each published field, whether the bars come whole or in pieces, and with or
// without the closes and the other candle fields handed over as columns. The histories
// are built to reach the loops' rare roads: hostile levels (1e12 bars, collapses,
// exact flats), rough series (ties, signed zeros, NaN, both infinities, magnitudes near
// the largest double, refused candles), and long walks that cross many blocks and
// re-centring periods, at periods 1, 2, 3, 14, 30 and 100 where a name takes them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "indicators/candle_columns.hpp"
#include "invariant_histories.hpp"
#include "reference_compare.hpp"
#include "registry/registry.hpp"
#include "typical_params.hpp"

namespace torvex {
namespace {

// The bars of a history with the book and derivatives snapshot that each bar's
// candle gives (as the whole-registry invariant test derives them), handed to a
// column loop the way a load hands them over.
class FedColumns final : public BarColumns {
public:
    FedColumns(std::span<const Ohlcv> candles, std::span<const double> closes, const CandleColumns& fields,
               const std::vector<test::HostileBar>* hostile, std::size_t offset)
        : BarColumns(candles, closes, fields), hostile_(hostile), offset_(offset) {}
    bool has_extras() const override { return true; }
    void fill(std::size_t r, BarContext& ctx, OrderBook& scratch) const override {
        const test::BarFeeds feeds((*hostile_)[offset_ + r], offset_ + r);
        const BarContext full = feeds.context();
        scratch = *full.book;
        ctx.book = &scratch;
        ctx.derivatives = full.derivatives;
    }

private:
    const std::vector<test::HostileBar>* hostile_;
    std::size_t offset_;
};

struct Series {
    std::string name;
    std::vector<test::HostileBar> bars;
};

// A long walk with, now and then, a spike of 1e12, a refused bar (a NaN close, or
// high and low swapped) and a repeat of the bar before, so that blocks, re-centring
// periods and restarts after a refused bar all come many times.
Series spiked_walk(std::size_t count, std::uint64_t seed) {
    std::vector<test::HostileBar> b;
    test::append_walk(b, count, 100.0, seed);
    std::mt19937_64 rng(seed);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const std::uint64_t pick = rng() % 400;
        if (pick == 0) {
            b[i] = test::level_bar(1e12, 5e11, true);
        } else if (pick == 1) {
            b[i].candle.close = NAN;
        } else if (pick == 2) {
            std::swap(b[i].candle.high, b[i].candle.low);
        } else if (pick < 12 && i > 0) {
            b[i] = b[i - 1];  // ties and flat runs
        }
    }
    test::stamp_times(b);
    return {"spiked_walk_" + std::to_string(seed), std::move(b)};
}

Series rough(std::uint64_t seed, std::size_t count) {
    std::vector<test::HostileBar> b;
    for (const Ohlcv& c : testing_reference::rough_candles(seed, count)) b.push_back({c, 0.5 * c.close, false});
    return {"rough_" + std::to_string(seed), std::move(b)};
}

const std::vector<Series>& histories() {
    static const std::vector<Series> all = [] {
        std::vector<Series> out;
        for (test::History& h : test::hostile_histories(130, 40)) out.push_back({h.name, std::move(h.bars)});
        for (std::uint64_t seed = 1; seed <= 3; ++seed) out.push_back(rough(seed, 700));
        out.push_back(spiked_walk(2600, 3));
        return out;
    }();
    return all;
}

struct Column {
    std::vector<double> cells;
    bool produced = false;
    bool field_found = false;
};

// What travels beside the candles: nothing, the closes as a column, or the closes and
// the other fields with the candle rule's answers (as a load hands them to a loop
// that reads them).
enum class Beside { Nothing, Closes, Fields };

struct Handover {
    std::size_t piece;  // bars per call; 0: all at once
    Beside beside;
};

constexpr Handover kHandovers[] = {
    {0, Beside::Fields}, {0, Beside::Closes}, {0, Beside::Nothing},
    {1, Beside::Fields}, {37, Beside::Closes}, {700, Beside::Nothing},
};

std::string describe(const Handover& h) {
    const char* beside[] = {"candles alone", "with the closes", "with every field"};
    return (h.piece == 0 ? std::string("whole") : "in pieces of " + std::to_string(h.piece)) + ", " +
           beside[static_cast<int>(h.beside)];
}

// The column of a fresh object over the series, handed over as `h` says;
// `reference`: stepped bar by bar (the default loop), else the type's own loop.
Column column_of(const std::string& name, const std::vector<double>& params, const Series& s,
                 const std::optional<std::string>& field, const Handover& h, bool reference) {
    IndicatorBox ind = std::move(*build_indicator(name, params));
    std::vector<Ohlcv> candles;
    std::vector<double> closes;
    for (const test::HostileBar& b : s.bars) {
        candles.push_back(b.candle);
        closes.push_back(b.candle.close);
    }
    CandleColumnStore store;
    store.resize(candles.size());
    store.fill(candles, 0, candles.size());
    const bool extras = indicator_feed(name) != kFeedCandles;
    Column out;
    out.cells.assign(candles.size(), 12345.0);
    const std::size_t piece = h.piece == 0 ? candles.size() : h.piece;
    for (std::size_t from = 0; from < candles.size(); from += piece) {
        const std::size_t len = std::min(piece, candles.size() - from);
        ColumnRun run{std::span<double>(out.cells).subspan(from, len),
                      field ? std::optional<std::string_view>(*field) : std::nullopt};
        const std::span<const Ohlcv> chunk = std::span<const Ohlcv>(candles).subspan(from, len);
        const std::span<const double> chunk_closes =
            h.beside != Beside::Nothing ? std::span<const double>(closes).subspan(from, len) : std::span<const double>{};
        const CandleColumns fields = h.beside == Beside::Fields ? store.view().subspan(from, len) : CandleColumns{};
        if (extras) {
            const FedColumns cols(chunk, chunk_closes, fields, &s.bars, from);
            reference ? ind->DynIndicator::run_column(cols, run) : ind->run_column(cols, run);
        } else {
            const BarColumns cols(chunk, chunk_closes, fields);
            reference ? ind->DynIndicator::run_column(cols, run) : ind->run_column(cols, run);
        }
        out.produced = out.produced || run.produced;
        out.field_found = out.field_found || run.field_found;
    }
    return out;
}

// The output names a stepped object publishes over the history.
std::vector<std::string> fields_of(const std::string& name, const std::vector<double>& params, const Series& s) {
    IndicatorBox ind = std::move(*build_indicator(name, params));
    std::vector<std::string> names;
    for (std::size_t i = 0; i < s.bars.size() && names.empty(); ++i) {
        const test::BarFeeds feeds(s.bars[i], i);
        BarContext ctx(s.bars[i].candle);
        const BarContext full = feeds.context();
        ctx.book = full.book;
        ctx.derivatives = full.derivatives;
        ind->update(ctx);
        for (const NamedOutput& o : ind->outputs()) names.emplace_back(o.name);
    }
    return names;
}

class ColumnRoads : public ::testing::TestWithParam<std::string> {};

TEST_P(ColumnRoads, EveryLoopWritesWhatSteppingGives) {
    const std::string& name = GetParam();
    const std::uint8_t feed = indicator_feed(name);
    if (feed != kFeedCandles && feed != kFeedOrderBook && feed != kFeedFunding)
        GTEST_SKIP() << "a load does not feed " << name;
    int compared = 0;
    for (const std::vector<double>& params : test::period_variants(name, {1.0, 2.0, 3.0, 14.0, 30.0, 100.0})) {
        if (!build_indicator(name, params)) continue;
        for (const Series& s : histories()) {
            std::vector<std::optional<std::string>> asked{std::nullopt};
            for (const std::string& f : fields_of(name, params, s)) asked.emplace_back(f);
            for (const auto& field : asked) {
                const Column want = column_of(name, params, s, field, kHandovers[0], true);
                for (const Handover& h : kHandovers) {
                    const Column got = column_of(name, params, s, field, h, false);
                    const std::string where = test::label(name, params) + " field " + field.value_or("(primary)") +
                                              " over " + s.name + ", " + describe(h);
                    // Any NaN matches any NaN: a load writes 0.0 for every one.
                    ASSERT_TRUE(test::same_column(got.cells, want.cells, true)) << where;
                    ASSERT_EQ(got.produced, want.produced) << where;
                    ASSERT_EQ(got.field_found, want.field_found) << where;
                    compared += 1;
                }
            }
        }
    }
    EXPECT_GT(compared, 0);
}

INSTANTIATE_TEST_SUITE_P(Registry, ColumnRoads, ::testing::ValuesIn(test::all_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace torvex
