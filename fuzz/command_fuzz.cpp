// Fuzz target: one command document against environments that hold every indicator the
// registry can build, each with its typical parameters, beside order-book level and
// funding columns. One environment per feed that a dataset can offer (bars, order book,
// funding), so that a load carrying that feed runs every indicator reading it; after
// a successful load an episode is reset and stepped to its end. Every document is also
// read with its candle list cut into small pieces, against the same document read as
// one.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.hpp"
#include "registry/registry.hpp"

namespace {

using torvex::gym::Env;
using torvex::gym::FeedClass;

struct Typical {
    const char* name;
    std::vector<double> params;
};

// The benchmark's typical parameters of the name; else the first of a few common
// parameter lists that its builder accepts (extra parameters are ignored by builders).
std::optional<std::vector<double>> typical_params(const torvex::RegistryRow& row) {
    static const std::vector<Typical> typical = {
#include "bench/cases/close_book_funding.inc"
#include "bench/cases/statistics.inc"
#include "bench/cases/candle_oscillators.inc"
#include "bench/cases/bands.inc"
#include "bench/cases/volume.inc"
#include "bench/cases/risk.inc"
#include "bench/cases/cycles.inc"
#include "bench/cases/candlesticks.inc"
#include "bench/cases/demark.inc"
#include "bench/cases/range_trend.inc"
#include "bench/cases/patterns.inc"
#include "bench/cases/profiles.inc"
#include "bench/cases/stops.inc"
#include "bench/cases/multi_line.inc"
    };
    for (const Typical& t : typical)
        if (t.name == row.name && row.build(t.params, row.name)) return t.params;
    static const std::vector<double> candidates[] = {
        {14, 2, 3, 4}, {12, 26, 9, 2}, {5, 10, 20, 2}, {20, 2}, {14}, {}, {10, 0.5, 2}, {3, 0.02, 0.2},
        {0.5, 0.05}, {23, 50, 10, 0.5},
    };
    for (const auto& c : candidates)
        if (row.build(c, row.name)) return c;
    return std::nullopt;
}

std::string spec_with(const std::vector<std::string>& features, std::uint64_t warmup) {
    std::string s = R"({"dataset_ref":"fuzz","symbol":"X","observation":{"features":[)";
    s += R"({"kind":"price","field":"close"},{"kind":"microstructure","field":"imbalance"},)";
    s += R"({"kind":"microstructure","field":"ask_sz","level":1})";
    for (const std::string& f : features) s += "," + f;
    s += R"(],"include_book_levels":2,"include_funding_oi":true},"action_space":{"type":"discrete","n":3},)";
    s += R"("reward":"sharpe","episode":{"max_steps":5,"warmup":)" + std::to_string(warmup) + "}}";
    return s;
}

std::vector<Env> make_environments() {
    constexpr std::array<FeedClass, 3> kFeeds = {FeedClass::Bar, FeedClass::OrderBook, FeedClass::Funding};
    std::array<std::vector<std::string>, 3> features;
    std::array<std::uint64_t, 3> warmup{};
    for (const torvex::RegistryRow& row : torvex::registry_rows()) {
        if (row.build == nullptr) continue;
        const auto cls = torvex::gym::feed_of(row.name);
        const auto at = std::find(kFeeds.begin(), kFeeds.end(), cls.value_or(FeedClass::Bar));
        if (at == kFeeds.end()) continue;  // a feed that no dataset of one symbol has
        const auto params = typical_params(row);
        if (!params) {
            std::fprintf(stderr, "command_fuzz: no typical parameters for %.*s\n", static_cast<int>(row.name.size()),
                         row.name.data());
            continue;
        }
        std::string f = R"({"kind":"indicator","name":")" + std::string(row.name) + R"(","params":[)";
        for (std::size_t i = 0; i < params->size(); ++i) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%s%.17g", i ? "," : "", (*params)[i]);
            f += buf;
        }
        f += "]}";
        const auto k = static_cast<std::size_t>(at - kFeeds.begin());
        features[k].push_back(std::move(f));
        warmup[k] = std::max(warmup[k], (*row.build(*params, row.name))->warmup());
    }
    std::fprintf(stderr, "command_fuzz: %zu indicators over bars, %zu over the order book, %zu over funding\n",
                 features[0].size(), features[1].size(), features[2].size());
    std::vector<Env> envs;
    for (std::size_t k = 0; k < kFeeds.size(); ++k) {
        auto env = Env::create(spec_with(features[k], warmup[k]));
        torvex::fuzz::require(env.has_value(), "the environment of every indicator", env ? "" : env.error().display());
        envs.push_back(std::move(*env));
    }
    return envs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::vector<Env> envs = make_environments();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const Env& original : envs) {
        Env env = original;  // every input starts from a fresh environment
        // The same document read as one: the same answer, whatever the pieces.
        Env whole = original;
        env.read_in_pieces(1, 16 + size % 997);
        whole.read_in_pieces(SIZE_MAX, 0);
        const std::string answer = env.command(text);
        torvex::fuzz::require(answer == whole.command(text), "read in pieces and as one, different answers", answer);
        if (torvex::fuzz::require_document(answer) || answer != R"({"ok":true})") continue;
        if (torvex::fuzz::require_document(env.command(R"({"cmd":"reset"})"))) continue;
        for (int i = 0; i < 6; ++i)
            if (torvex::fuzz::require_document(env.command(R"({"cmd":"step","action":)" + std::to_string(i % 3) + "}")))
                break;
    }
    return 0;
}
