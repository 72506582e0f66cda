// Load time against the number of indicator features with distinct keys: linear, so
// 200,000 features take ten times as long as 20,000.
#include <benchmark/benchmark.h>

#include <string>

#include "gym_core/env.hpp"

namespace {

void BM_LoadManyFeatures(benchmark::State& state) {
    const auto features = static_cast<int>(state.range(0));
    std::string spec = R"({"dataset_ref":"bench","symbol":"X","observation":{"features":[)";
    for (int i = 0; i < features; ++i) {  // the second parameter only makes each key distinct
        if (i) spec += ',';
        spec += R"({"kind":"indicator","name":"Sma","params":[2,)";
        spec += std::to_string(i);
        spec += "]}";
    }
    spec += R"(]},"action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":5,"warmup":2}})";
    std::string load = R"({"cmd":"load","candles":[)";
    for (int i = 0; i < 10; ++i) {
        if (i) load += ',';
        load += '[';
        load += std::to_string(i);
        load += ",1,2,0.5,1.5]";
    }
    load += "]}";
    auto env = torvex::gym::Env::create(spec);
    if (!env) {
        state.SkipWithError(env.error().display().c_str());
        return;
    }
    for (auto _ : state) {
        std::string out = env->command(load);
        if (out != R"({"ok":true})") state.SkipWithError(out.c_str());
    }
    state.counters["features_per_s"] =
        benchmark::Counter(double(state.iterations()) * features, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadManyFeatures)->Arg(20'000)->Arg(100'000)->Arg(200'000)->Arg(400'000)->Unit(benchmark::kMillisecond);

}  // namespace
