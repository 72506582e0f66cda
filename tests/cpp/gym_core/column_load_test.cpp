// The column-at-a-time load against the bar-by-bar reference: random specifications
// over random bar sets must give the same response documents, byte for byte, errors
// included.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <string>
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

std::string random_spec(std::mt19937_64& rng, bool big) {
    const auto& pool = choices();
    std::string features;
    const int count = big ? 16 : 1 + static_cast<int>(rng() % 7);
    for (int i = 0; i < count; ++i) {
        if (!features.empty()) features += ',';
        const int kind = static_cast<int>(rng() % 10);
        if (kind == 0) {
            features += R"({"kind":"price","field":"close"})";
        } else if (kind == 1) {
            features += R"({"kind":"micro","field":"spread"})";
        } else {
            const Choice& c = pool[rng() % pool.size()];
            features += R"({"kind":"indicator","name":")" + c.name + R"(","params":[)";
            for (std::size_t k = 0; k < c.params.size(); ++k) {
                if (k) features += ',';
                features += num(c.params[k]);
            }
            features += "]";
            const int f = static_cast<int>(rng() % 4);
            if (!c.fields.empty() && f > 0) features += R"(,"field":")" + c.fields[rng() % c.fields.size()] + "\"";
            else if (f == 0 && rng() % 3 == 0) features += R"(,"field":"nope")";
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
           std::to_string(rng() % 3 == 0 ? 0 : rng() % 80) + "}}";
}

std::string random_load(std::mt19937_64& rng, bool big) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const int bars = big ? 6000 : 1 + static_cast<int>(rng() % 160);
    const bool book = rng() % 2, funding = rng() % 2;
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
        if (book && rng() % 15 != 0) {
            const double mid = (high + low) / 2;
            out += R"(,"bid_px":[)" + num(mid - 0.01) + "," + num(mid - 0.02) + R"(],"bid_sz":[)" + num(1 + u(rng)) +
                   "," + num(2 * u(rng)) + R"(],"ask_px":[)" + num(mid + 0.01) + "," + num(mid + 0.02) +
                   R"(],"ask_sz":[)" + num(1 + u(rng)) + "," + num(2 * u(rng)) + "]";
        }
        if (funding && rng() % 15 != 0)
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
        const std::string spec = random_spec(rng, big);
        auto fast = Env::create(spec);
        auto slow = Env::create(spec);
        ASSERT_EQ(fast.has_value(), slow.has_value()) << spec;
        if (!fast) continue;
        slow->use_reference_load(true);
        for (int load = 0; load < 2; ++load) {
            const std::string doc = random_load(rng, big);
            const std::string a = fast->command(doc), b = slow->command(doc);
            ASSERT_EQ(a, b) << spec;
            (a == R"({"ok":true})" ? loaded : refused) += 1;
        }
        std::string a = fast->command(R"({"cmd":"reset"})"), b = slow->command(R"({"cmd":"reset"})");
        ASSERT_EQ(a, b) << spec;
        for (int s = 0; s < 400 && a.find("\"error\"") == std::string::npos; ++s) {
            const std::string step = R"({"cmd":"step","action":)" + std::to_string(rng() % 3) + "}";
            a = fast->command(step);
            b = slow->command(step);
            ASSERT_EQ(a, b) << spec << " step " << s;
        }
    }
    // Both outcomes must have been exercised for the comparison to mean anything.
    EXPECT_GT(loaded, 200);
    EXPECT_GT(refused, 200);
}

}  // namespace
}  // namespace torvex::gym
