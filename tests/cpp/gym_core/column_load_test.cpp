// The column-at-a-time load against the bar-by-bar reference: random specifications
// over random bar sets must give the same response documents, byte for byte, errors
// included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "gym_core/env.hpp"
#include "gym_core/number_text.hpp"
#include "registry/registry.hpp"

namespace torvex::gym {
namespace {

struct Choice {
    std::string name;
    std::vector<double> params;
    std::vector<std::string> fields;  // published names; empty for single-output types
};

std::string num(double x) {
    std::string s;
    append_json_number(s, x);
    return s;
}

// A working parameter list for every buildable name, found by trying small lists.
const std::vector<Choice>& choices() {
    static const std::vector<Choice> all = [] {
        std::vector<Choice> out;
        std::mt19937_64 rng(7);
        const double pool[] = {1, 2, 3, 5, 9, 14, 20, 0.5, 0.7, 2.0, 0.1, 30};
        for (const RegistryRow& row : registry_rows()) {
            if (!row.build) continue;
            for (int attempt = 0; attempt < 400; ++attempt) {
                std::vector<double> params(attempt < 4 ? attempt : rng() % 6);
                for (double& p : params) p = pool[rng() % std::size(pool)];
                auto built = build_indicator(row.name, params);
                if (!built) continue;
                Choice c{std::string(row.name), params, {}};
                const Ohlcv bar{0, 10, 11, 9, 10.5, 3};
                for (int i = 0; i < 200 && c.fields.empty(); ++i) {
                    Ohlcv b = bar;
                    b.close += std::sin(i) * 0.5;
                    b.open += std::cos(i) * 0.5;
                    b.ts = i * 3'600'000;
                    (*built)->update(BarContext(b));
                    for (const NamedOutput& o : (*built)->outputs()) c.fields.emplace_back(o.name);
                }
                out.push_back(std::move(c));
                break;
            }
        }
        return out;
    }();
    return all;
}

// `count` features (random when 0); the warmup is random when not given. A clean
// specification loads on any bars: only indicators over plain bars, and only fields
// they publish.
std::string random_spec(std::mt19937_64& rng, int count, std::optional<std::uint64_t> warmup = std::nullopt,
                        bool clean = false) {
    const auto& pool = choices();
    std::string features;
    if (count == 0) count = 1 + static_cast<int>(rng() % 7);
    for (int i = 0; i < count; ++i) {
        if (!features.empty()) features += ',';
        const int kind = static_cast<int>(rng() % 10);
        if (kind == 0) {
            features += R"({"kind":"price","field":"close"})";
        } else if (kind == 1) {
            features += R"({"kind":"microstructure","field":"spread"})";
        } else {
            const Choice* pick = &pool[rng() % pool.size()];
            while (clean && feed_of(pick->name) != FeedClass::Bar) pick = &pool[rng() % pool.size()];
            const Choice& c = *pick;
            features += R"({"kind":"indicator","name":")" + c.name + R"(","params":[)";
            for (std::size_t k = 0; k < c.params.size(); ++k) {
                if (k) features += ',';
                features += num(c.params[k]);
            }
            features += "]";
            const int f = static_cast<int>(rng() % 4);
            if (!c.fields.empty() && f > 0) features += R"(,"field":")" + c.fields[rng() % c.fields.size()] + "\"";
            else if (f == 0 && rng() % 3 == 0 && !clean) features += R"(,"field":"nope")";
            features += "}";
        }
        if (rng() % 5 == 0) {  // the same feature again: one column for an equal key
            const std::string again = features.substr(features.rfind('{'));
            features += ',';
            features += again;
        }
    }
    const int levels = static_cast<int>(rng() % 3);
    return R"({"dataset_ref":"d","symbol":"s","observation":{"features":[)" + features +
           R"(],"include_book_levels":)" + std::to_string(levels) + R"(,"include_funding_oi":)" +
           (rng() % 2 ? "true" : "false") +
           R"(},"action_space":{"type":"discrete","n":3},"reward":"sharpe","episode":{"max_steps":1000,"warmup":)" +
           std::to_string(warmup ? *warmup : rng() % 3 == 0 ? 0 : rng() % 80) + "}}";
}

// `bars` bars (random when 0); with `every`, each bar carries book lists and funding.
std::string random_load(std::mt19937_64& rng, int bars, bool every = false) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    if (bars == 0) bars = 1 + static_cast<int>(rng() % 160);
    const bool book = every || rng() % 2, funding = every || rng() % 2;
    double price = 50 + 100 * u(rng);
    std::string out = R"({"cmd":"load","candles":[)";
    for (int i = 0; i < bars; ++i) {
        price *= std::exp((u(rng) - 0.5) * 0.04);
        double open = price * (1 + (u(rng) - 0.5) * 0.01), close = price;
        double high = std::max(open, close) * (1 + u(rng) * 0.01), low = std::min(open, close) * (1 - u(rng) * 0.01);
        double volume = rng() % 9 == 0 ? 0.0 : 100 * u(rng);
        if (rng() % 40 == 0) high = low * 0.99;      // breaks the candle rule
        if (rng() % 60 == 0) volume = -1.0;           // so does this
        if (i) out += ',';
        out += R"({"ts":)" + std::to_string(1'700'000'000'000LL + 3'600'000LL * i) + R"(,"open":)" + num(open) +
               R"(,"high":)" + num(high) + R"(,"low":)" + num(low) + R"(,"close":)" + num(close) +
               R"(,"volume":)" + num(volume);
        if (book && (every || rng() % 15 != 0)) {
            const double mid = (high + low) / 2;
            out += R"(,"bid_px":[)" + num(mid - 0.01) + "," + num(mid - 0.02) + R"(],"bid_sz":[)" + num(1 + u(rng)) +
                   "," + num(2 * u(rng)) + R"(],"ask_px":[)" + num(mid + 0.01) + "," + num(mid + 0.02) +
                   R"(],"ask_sz":[)" + num(1 + u(rng)) + "," + num(2 * u(rng)) + "]";
        }
        if (funding && (every || rng() % 15 != 0))
            out += R"(,"funding":)" + num((u(rng) - 0.4) * 1e-3) + R"(,"oi":)" + num(1e5 * (1 + u(rng)));
        out += "}";
    }
    return out + "]}";
}

TEST(ColumnLoad, SameDocumentsAsBarByBar) {
    ASSERT_GT(choices().size(), 50u);
    std::mt19937_64 rng(20261206);
    int loaded = 0, refused = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        // Every 50th trial is large enough for the load to run on several threads.
        const bool big = trial % 50 == 0;
        const std::string spec = random_spec(rng, big ? 16 : 0);
        auto fast = Env::create(spec);
        auto slow = Env::create(spec);
        ASSERT_EQ(fast.has_value(), slow.has_value()) << spec;
        if (!fast) continue;
        slow->use_reference_load(true);
        for (int load = 0; load < 2; ++load) {
            const std::string doc = random_load(rng, big ? 6000 : 0);
            const std::string a = fast->command(doc), b = slow->command(doc);
            ASSERT_EQ(a, b) << spec;
            (a == R"({"ok":true})" ? loaded : refused) += 1;
        }
        std::string a = fast->command(R"({"cmd":"reset"})"), b = slow->command(R"({"cmd":"reset"})");
        ASSERT_EQ(a, b) << spec;
        for (int s = 0; s < 400 && a.find("\"error\"") == std::string::npos; ++s) {
            std::string step = R"({"cmd":"step","action":)";
        step += std::to_string(rng() % 3);
        step += '}';
            a = fast->command(step);
            b = slow->command(step);
            ASSERT_EQ(a, b) << spec << " step " << s;
        }
    }
    // Both outcomes must have been exercised for the comparison to mean anything.
    EXPECT_GT(loaded, 200);
    EXPECT_GT(refused, 200);
}

// `bars` bars of rough prices: small whole numbers of both signs (ties), zeros of
// both signs, flat runs, magnitudes near the largest double, values near the smallest,
// a fine binary grid; some candles break the candle rule, some volumes are zero.
std::string hostile_load(std::mt19937_64& rng, int bars) {
    std::string out = R"({"cmd":"load","candles":[)";
    double last = 3.0;
    int run = 0;
    for (int i = 0; i < bars; ++i) {
        double c = last;
        if (run > 0) {
            run -= 1;
        } else {
            const int pick = static_cast<int>(rng() % 100);
            if (pick < 30) c = static_cast<double>(static_cast<int>(rng() % 7) - 3);
            else if (pick < 36) c = rng() % 2 ? -0.0 : 0.0;
            else if (pick < 42) run = static_cast<int>(rng() % 30);
            else if (pick < 47) c = (rng() % 2 ? -1e308 : 1e308) * (1.0 + static_cast<double>(rng() % 4) * 0.25);
            else if (pick < 50) c = 1e-300 * static_cast<double>(rng() % 5);
            else if (pick < 53) c = 1e12;
            else c = std::ldexp(static_cast<double>(static_cast<std::int64_t>(rng() % 2'000'001) - 1'000'000), -17);
        }
        const double open = rng() % 3 ? last : c;
        const double spread = static_cast<double>(rng() % 4) * 0.5;
        double high = std::max(open, c) + spread, low = std::min(open, c) - (rng() % 2 ? spread : 0.0);
        if (!std::isfinite(high) || !std::isfinite(low)) {
            high = std::max(open, c);
            low = std::min(open, c);
        }
        if (rng() % 97 == 0) std::swap(high, low);  // breaks the candle rule where they differ
        const double volume = rng() % 9 == 0 ? 0.0 : static_cast<double>(rng() % 1000) * 0.25;
        if (i) out += ',';
        out += R"({"ts":)" + std::to_string(1'700'000'000'000LL + 3'600'000LL * i) + R"(,"open":)" + num(open) +
               R"(,"high":)" + num(high) + R"(,"low":)" + num(low) + R"(,"close":)" + num(c) +
               R"(,"volume":)" + num(volume) + "}";
        last = c;
    }
    return out + "]}";
}

// Steps through an episode of both environments, comparing every response.
void expect_same_episode(Env& fast, Env& slow, std::mt19937_64& rng, const std::string& context) {
    std::string a = fast.command(R"({"cmd":"reset"})"), b = slow.command(R"({"cmd":"reset"})");
    ASSERT_EQ(a, b) << context;
    for (int s = 0; s < 1000 && a.find("\"error\"") == std::string::npos; ++s) {
        std::string step = R"({"cmd":"step","action":)";
        step += std::to_string(rng() % 3);
        step += '}';
        a = fast.command(step);
        b = slow.command(step);
        ASSERT_EQ(a, b) << context << " step " << s;
    }
}

// Loads `loads` in turn into an environment of `spec`, and the last of them into the
// reference; every load succeeds, and an episode of both answers alike.
void expect_same_load(const std::string& spec, std::initializer_list<const std::string*> loads, std::mt19937_64& rng,
                      const std::string& context) {
    auto fast = Env::create(spec);
    auto slow = Env::create(spec);
    ASSERT_TRUE(fast.has_value()) << fast.error().display();
    ASSERT_TRUE(slow.has_value());
    slow->use_reference_load(true);
    for (const std::string* doc : loads) ASSERT_EQ(fast->command(*doc), R"({"ok":true})") << context;
    ASSERT_EQ(slow->command(**std::prev(loads.end())), R"({"ok":true})") << context;
    expect_same_episode(*fast, *slow, rng, context);
}

// Rough prices reach the loops' rare roads (zeros of both signs, ties, overflowing
// differences): the column load writes what the bar-by-bar load writes, to the bit, as
// every step's observation shows.
TEST(ColumnLoad, RoughPricesAsBarByBar) {
    std::mt19937_64 rng(1);
    int loaded = 0;
    for (int trial = 0; trial < 600; ++trial) {
        const std::string spec = random_spec(rng, 0);
        auto fast = Env::create(spec);
        auto slow = Env::create(spec);
        ASSERT_EQ(fast.has_value(), slow.has_value()) << spec;
        if (!fast) continue;
        slow->use_reference_load(true);
        const std::string doc = hostile_load(rng, 100 + static_cast<int>(rng() % 1500));
        const std::string a = fast->command(doc), b = slow->command(doc);
        ASSERT_EQ(a, b) << spec;
        if (a != R"({"ok":true})") continue;
        loaded += 1;
        expect_same_episode(*fast, *slow, rng, spec);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(loaded, 150);
}

// Long loads run by chunks of rows, and many features by groups taking turns: episodes
// that start just before a chunk boundary see rows on both sides of it, every column of
// every group.
TEST(ColumnLoad, ChunkAndGroupBoundariesAsBarByBar) {
    std::mt19937_64 rng(77);
    // Long enough for the load to let go of the bars' pages as it passes them.
    const std::string doc = random_load(rng, 50'000);
    for (const std::uint64_t warmup : {16'200u, 32'700u, 48'900u}) {
        const std::string spec = random_spec(rng, 90, warmup, true);
        auto fast = Env::create(spec);
        auto slow = Env::create(spec);
        ASSERT_TRUE(fast.has_value()) << fast.error().display() << spec;
        ASSERT_TRUE(slow.has_value()) << spec;
        slow->use_reference_load(true);
        const std::string a = fast->command(doc), b = slow->command(doc);
        ASSERT_EQ(a, b) << spec;
        ASSERT_EQ(a, R"({"ok":true})") << spec;
        expect_same_episode(*fast, *slow, rng, spec);
    }
}

// A team runs the indicators over one chunk while it writes the rows of the chunk
// before: loads of many chunks (an odd and an even count, with the book and funding and
// the candle columns read, and long enough for the bars' pages to be let go as the
// load passes them), every kind of input in play, twice over the same storage.
TEST(ColumnLoad, OverlappedChunksAsBarByBar) {
    const char* features =
        R"({"kind":"price","field":"close"},{"kind":"indicator","name":"Sma","params":[7]},)"
        R"({"kind":"indicator","name":"WilliamsR","params":[14]},{"kind":"indicator","name":"Atr","params":[5]},)"
        R"({"kind":"indicator","name":"Microprice","params":[]},)"
        R"({"kind":"indicator","name":"OrderBookImbalanceTopN","params":[2]},)"
        R"({"kind":"indicator","name":"FundingRateZScore","params":[5]},)"
        R"({"kind":"indicator","name":"Ema","params":[30]},{"kind":"indicator","name":"MidPrice","params":[9]},)"
        R"({"kind":"microstructure","field":"spread"}],"include_book_levels":2,"include_funding_oi":true)";
    std::mt19937_64 rng(29);
    for (const int bars : {57'000, 66'001}) {
        const std::string doc = random_load(rng, bars, true);
        // One episode over every row after the warm-up: each row of the matrix is seen.
        const std::string spec = std::string(R"({"dataset_ref":"d","symbol":"s","observation":{"features":[)") +
                                 features + R"(},"action_space":{"type":"discrete","n":3},"reward":"pnl",)" +
                                 R"("episode":{"max_steps":)" + std::to_string(bars) + R"(,"warmup":200}})";
        auto fast = Env::create(spec);
        auto slow = Env::create(spec);
        ASSERT_TRUE(fast.has_value()) << fast.error().display();
        ASSERT_TRUE(slow.has_value());
        slow->use_reference_load(true);
        ASSERT_EQ(fast->command(doc), R"({"ok":true})");
        ASSERT_EQ(fast->command(doc), R"({"ok":true})");  // into the storage of the first
        ASSERT_EQ(slow->command(doc), R"({"ok":true})");
        std::string a = fast->command(R"({"cmd":"reset"})"), b = slow->command(R"({"cmd":"reset"})");
        ASSERT_EQ(a, b);
        int steps = 0;
        while (a.find("\"done\":true") == std::string::npos && a.find("\"error\"") == std::string::npos) {
            std::string step = R"({"cmd":"step","action":)";
        step += std::to_string(rng() % 3);
        step += '}';
            a = fast->command(step);
            b = slow->command(step);
            ASSERT_EQ(a, b) << bars << " bars, step " << steps;
            ++steps;
        }
        EXPECT_GE(steps, bars - 201) << a;  // every row after the warm-up was stepped over
    }
}

// Storage kept from one large load serves the next: a load after a load, after a refused
// load, and after an ordinary command answers as a fresh environment does.
TEST(ColumnLoad, ReusedStorageAnswersAsFresh) {
    std::mt19937_64 rng(5);
    const std::string spec = random_spec(rng, 12, 100, true);
    // Over the size of an ordinary command, so that the buffers are kept.
    const std::string first = random_load(rng, 140'000), second = random_load(rng, 125'000);
    ASSERT_GT(first.size(), ReadBuffers::kKeepBytes);
    ASSERT_GT(second.size(), ReadBuffers::kKeepBytes);
    std::string refused = second;
    refused.replace(refused.rfind(R"("volume":)"), 9, R"("volume":"x",)");
    auto reused = Env::create(spec);
    ASSERT_TRUE(reused.has_value());
    ASSERT_EQ(reused->command(first), R"({"ok":true})");
    ASSERT_EQ(reused->command(second), R"({"ok":true})");
    ASSERT_NE(reused->command(refused).find(R"("ok":false)"), std::string::npos);
    // The refused load left the second in place.
    auto fresh = Env::create(spec);
    ASSERT_EQ(fresh->command(second), R"({"ok":true})");
    expect_same_episode(*reused, *fresh, rng, "after a refused load");
    // After the episode's small commands let go of the kept storage, a load still answers
    // as a fresh environment does.
    ASSERT_EQ(reused->command(first), R"({"ok":true})");
    auto fresh_first = Env::create(spec);
    ASSERT_EQ(fresh_first->command(first), R"({"ok":true})");
    ASSERT_EQ(reused->command(second), R"({"ok":true})");
    ASSERT_EQ(fresh_first->command(second), R"({"ok":true})");
    expect_same_episode(*reused, *fresh_first, rng, "load after load");
}

// More indicators than one group holds, and rows too wide for a tile: the groups take
// turns over the rows and write their cells column by column, across chunk boundaries.
TEST(ColumnLoad, ManyIndicatorsAsBarByBar) {
    std::string features = R"({"kind":"price","field":"close"})";
    for (int p = 1; p <= 1100; ++p)
        features += std::string(R"(,{"kind":"indicator","name":")") + (p <= 600 ? "Sma" : "Ema") + R"(","params":[)" +
                    std::to_string(p <= 600 ? p : p - 600) + "]}";
    const std::string spec = R"({"dataset_ref":"d","symbol":"s","observation":{"features":[)" + features +
                             R"(],"include_book_levels":1,"include_funding_oi":true},)"
                             R"("action_space":{"type":"discrete","n":3},"reward":"pnl",)"
                             R"("episode":{"max_steps":1000,"warmup":2040}})";
    std::mt19937_64 rng(13);
    const std::string doc = random_load(rng, 5000);
    expect_same_load(spec, {&doc}, rng, "many indicators");
}

// The closes column is taken in the same pass as the candle columns where the first
// group reads those, and in a pass of its own where it does not, even when a later
// group does: either way every close-only loop of every group sees every close.
TEST(ColumnLoad, ClosesWithOrWithoutTheFirstGroupsCandleColumns) {
    const auto many = [](const std::string& before, const std::string& after) {
        std::string features = R"({"kind":"price","field":"close"})" + before;
        // Distinct keys, so that every one runs: three groups on a team.
        for (int p = 1; p <= 900; ++p)
            features += std::string(R"(,{"kind":"indicator","name":")") + (p % 2 ? "Sma" : "Roc") +
                        R"(","params":[)" + std::to_string((p + 1) / 2) + "]}";
        return std::string(R"({"dataset_ref":"d","symbol":"s","observation":{"features":[)") + features + after +
               R"(]},"action_space":{"type":"discrete","n":3},"reward":"pnl",)"
               R"("episode":{"max_steps":1000,"warmup":500}})";
    };
    const std::string readers = R"(,{"kind":"indicator","name":"Atr","params":[5]},)"
                                R"({"kind":"indicator","name":"MidPrice","params":[9]},)"
                                R"({"kind":"indicator","name":"WilliamsR","params":[14]})";
    std::mt19937_64 rng(41);
    const std::string doc = random_load(rng, 5000);
    expect_same_load(many(readers, ""), {&doc}, rng, "candle columns in the first group");
    expect_same_load(many("", readers), {&doc}, rng, "candle columns in the last group only");
    // One group: the few features of an ordinary observation.
    const std::string few = std::string(R"({"dataset_ref":"d","symbol":"s","observation":{"features":[)") +
                            R"({"kind":"indicator","name":"Sma","params":[3]})" + readers +
                            R"(]},"action_space":{"type":"discrete","n":3},"reward":"pnl",)"
                            R"("episode":{"max_steps":1000,"warmup":20}})";
    expect_same_load(few, {&doc}, rng, "one group");
}

// Indicators over the order book alone, over funding alone, and over both, on bars that
// all carry both: each chunk prepares only the snapshots its indicators read.
TEST(ColumnLoad, BookAndFundingFeedsAsBarByBar) {
    const char* book = R"({"kind":"indicator","name":"Microprice","params":[]},)"
                       R"({"kind":"indicator","name":"OrderBookImbalanceTopN","params":[2]})";
    const char* funding = R"({"kind":"indicator","name":"FundingRateZScore","params":[5]},)"
                          R"({"kind":"indicator","name":"OIPriceDivergence","params":[4]})";
    std::mt19937_64 rng(17);
    const std::string doc = random_load(rng, 20'000, true);
    for (const std::string& features : {std::string(book), std::string(funding), std::string(book) + "," + funding}) {
        const std::string spec = R"({"dataset_ref":"d","symbol":"s","observation":{"features":[)" + features +
                                 R"(]},"action_space":{"type":"discrete","n":3},"reward":"pnl",)"
                                 R"("episode":{"max_steps":1000,"warmup":8100}})";
        expect_same_load(spec, {&doc}, rng, features);
    }
}

// Cells are rounded several at a time on the way to the matrix: the values where the
// rounding is delicate (ties at the eighth decimal, either sign, zeros, values too
// large to scale, sums that overflow) must come out as the one-at-a-time rounding of
// the reference load gives them, in every position of a run and in the last rows.
TEST(ColumnLoad, DelicateRoundingAsBarByBar) {
    const double values[] = {5e-9,   -5e-9,   1.5e-8,  -2.5e-8, 0.0,     -0.0,     1.000000005, -1.000000005,
                             1e-300, 1e300,   1.7e300, 1e308,   -1e308,  1.79e308, 123.4567890149, 2.5e-9,
                             7.5e-9, 0.3,     -0.3,    4.9999999999e-9};
    std::string doc = R"({"cmd":"load","candles":[)";
    const int bars = 67;  // a run of whole tiles and a short one
    for (int i = 0; i < bars; ++i) {
        const auto at = [&](int k) { return num(values[(i * 7 + k) % std::size(values)]); };
        if (i) doc += ',';
        doc += R"({"ts":)" + std::to_string(i) + R"(,"open":)" + at(0) + R"(,"high":)" + at(1) + R"(,"low":)" + at(2) +
               R"(,"close":)" + at(3) + R"(,"volume":)" + at(4) + R"(,"bid_px":[)" + at(5) + R"(],"ask_sz":[)" + at(6) +
               R"(],"funding":)" + at(7) + "}";
    }
    doc += "]}";
    const std::string spec =
        R"({"dataset_ref":"d","symbol":"s","observation":{"features":[)"
        R"({"kind":"price","field":"open"},{"kind":"price","field":"high"},{"kind":"price","field":"low"},)"
        R"({"kind":"price","field":"close"},{"kind":"price","field":"volume"},)"
        R"({"kind":"indicator","name":"Sma","params":[2]},{"kind":"indicator","name":"Ema","params":[3]},)"
        R"({"kind":"indicator","name":"StdDev","params":[3]},{"kind":"indicator","name":"Roc","params":[1]},)"
        R"({"kind":"microstructure","field":"bid_px","level":0}],"include_book_levels":1,"include_funding_oi":true},)"
        R"("action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":1000,"warmup":3}})";
    std::mt19937_64 rng(3);
    expect_same_load(spec, {&doc}, rng, "delicate values");
    // Four neighbouring columns that each answer the close itself: the delicate values
    // reach the rounding unchanged, four columns and four rows at a time.
    const std::string echoes =
        R"({"dataset_ref":"d","symbol":"s","observation":{"features":[{"kind":"price","field":"close"},)"
        R"({"kind":"indicator","name":"Sma","params":[1]},{"kind":"indicator","name":"Wma","params":[1]},)"
        R"({"kind":"indicator","name":"MidPoint","params":[1]},{"kind":"indicator","name":"Trima","params":[1]},)"
        R"({"kind":"indicator","name":"Roc","params":[1]}]},)"
        R"("action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":1000,"warmup":2}})";
    expect_same_load(echoes, {&doc}, rng, "delicate values, four columns together");
}

// The rounding of four cells at a time takes a short road where all four are of
// ordinary size: values of every size, near the points halfway between two
// eighth-decimal steps, around the edge of that road and beyond it, mixed four to a
// run, round as the reference's one-at-a-time rounding does.
TEST(ColumnLoad, RoundingOfEveryMagnitudeAsBarByBar) {
    std::mt19937_64 rng(29);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto signed_ = [&](double v) { return rng() % 2 ? -v : v; };
    const auto ulps = [&](double v) {  // v moved by up to four ulps either way
        for (int k = static_cast<int>(rng() % 9) - 4; k != 0; k += k > 0 ? -1 : 1)
            v = std::nextafter(v, k > 0 ? HUGE_VAL : -HUGE_VAL);
        return v;
    };
    const auto draw = [&]() -> double {
        switch (rng() % 7) {
            case 0:  // halfway between two steps of 1e-8, up to the short road's edge
                return signed_(ulps((static_cast<double>(rng() >> (4 + rng() % 50)) + 0.5) / 1e8));
            case 1:  // on a step
                return signed_(ulps(static_cast<double>(rng() >> (4 + rng() % 50)) / 1e8));
            case 2:  // any size from 1e-30 to 1e12
                return signed_(std::pow(10.0, -30.0 + 42.0 * unit(rng)));
            case 3:  // around the edge of the short road, 2^60 once scaled
                return signed_(ulps(0x1p60 / 1e8 * (1.0 + (unit(rng) - 0.5) * 1e-6)));
            case 4:
                return signed_(std::pow(10.0, 12.0 + 296.0 * unit(rng)));
            case 5: {
                const double rare[] = {0.0, -0.0, 5e-9, -5e-9, 1e-320, 1.79e308, 0x1p52 / 1e8, 0x1p53 / 1e8};
                return rare[rng() % std::size(rare)];
            }
            default:
                return signed_(100.0 * unit(rng));
        }
    };
    const std::string spec =
        R"({"dataset_ref":"d","symbol":"s","observation":{"features":[{"kind":"price","field":"close"},)"
        R"({"kind":"indicator","name":"Sma","params":[1]},{"kind":"indicator","name":"Wma","params":[1]},)"
        R"({"kind":"indicator","name":"MidPoint","params":[1]},{"kind":"indicator","name":"Trima","params":[1]}]},)"
        R"("action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":5000,"warmup":2}})";
    for (int trial = 0; trial < 30; ++trial) {
        std::string doc = R"({"cmd":"load","candles":[)";
        for (int i = 0; i < 1031; ++i) {
            const std::string v = num(draw());
            if (i) doc += ',';
            doc += '[';
            doc += std::to_string(i);
            for (int k = 0; k < 4; ++k) (doc += ',') += v;
            doc += ",1]";
        }
        doc += "]}";
        expect_same_load(spec, {&doc}, rng, "trial " + std::to_string(trial));
        if (HasFatalFailure()) return;
    }
}

// A matrix larger than the caches, into storage an earlier load wrote, is written past
// the caches: the third load (the first whose matrix storage is kept) answers as the
// reference does, up to its last rows.
TEST(ColumnLoad, StreamedMatrixAsBarByBar) {
    std::mt19937_64 rng(11);
    const int bars = 110'001;  // the last tile's cells are an odd count
    const std::string earlier = random_load(rng, bars), doc = random_load(rng, bars);
    // 41 columns (an odd count: rows start on either alignment): over 32 MiB of matrix.
    const std::string spec =
        R"({"dataset_ref":"d","symbol":"s","observation":{"features":[)"
        R"({"kind":"price","field":"open"},{"kind":"price","field":"high"},{"kind":"price","field":"low"},)"
        R"({"kind":"price","field":"close"},{"kind":"price","field":"volume"},)"
        R"({"kind":"indicator","name":"Sma","params":[3]},{"kind":"indicator","name":"Sma","params":[7]}],)"
        R"("include_book_levels":8,"include_funding_oi":true},)"
        R"("action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":1000,"warmup":)" +
        std::to_string(bars - 1001) + "}}";
    // The third load writes over the storage of the first, which held other bars.
    expect_same_load(spec, {&earlier, &doc, &doc}, rng, "streamed matrix");
}

}  // namespace
}  // namespace torvex::gym
