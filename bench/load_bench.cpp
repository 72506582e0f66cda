// Load of one million bars into the observation matrix, beside simdjson merely parsing
// the same document.
#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <cmath>
#include <string>

#include "gym_core/env.hpp"

namespace {

constexpr int kBars = 1'000'000;

const std::string& load_document() {
    static const std::string doc = [] {
        std::string s = R"({"cmd":"load","candles":[)";
        double price = 100.0;
        for (int i = 0; i < kBars; ++i) {
            price *= 1.0 + 0.001 * std::sin(i * 0.37);
            char buf[200];
            std::snprintf(buf, sizeof buf,
                          R"(%s{"ts":%d,"open":%.6f,"high":%.6f,"low":%.6f,"close":%.6f,"volume":%.3f})",
                          i ? "," : "", i, price, price + 0.25, price - 0.25, price + 0.1, 10.0 + i % 13);
            s += buf;
        }
        s += "]}";
        return s;
    }();
    return doc;
}

const char* kSpec = R"({"dataset_ref":"bench","symbol":"X","observation":{"features":[
  {"kind":"price","field":"open"},{"kind":"price","field":"high"},{"kind":"price","field":"low"},
  {"kind":"price","field":"close"},{"kind":"price","field":"volume"},
  {"kind":"indicator","name":"Sma","params":[5]},{"kind":"indicator","name":"Sma","params":[20]},
  {"kind":"indicator","name":"Sma","params":[50]},{"kind":"indicator","name":"Sma","params":[200]},
  {"kind":"indicator","name":"Sma","params":[1000]}]},
  "action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":100,"warmup":1000}})";

void BM_LoadMillionBars(benchmark::State& state) {
    const std::string& doc = load_document();
    auto env = torvex::gym::Env::create(kSpec);
    for (auto _ : state) {
        std::string out = env->command(doc);
        if (out != R"({"ok":true})") state.SkipWithError(out.c_str());
    }
    state.counters["bars_per_s"] = benchmark::Counter(double(state.iterations()) * kBars, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadMillionBars)->Unit(benchmark::kMillisecond);

// The same load into a fresh environment each time: no storage kept from a previous
// load, every page of the matrix and of the bar list touched for the first time.
void BM_LoadMillionBarsFresh(benchmark::State& state) {
    const std::string& doc = load_document();
    for (auto _ : state) {
        auto env = torvex::gym::Env::create(kSpec);
        std::string out = env->command(doc);
        if (out != R"({"ok":true})") state.SkipWithError(out.c_str());
        state.PauseTiming();
        env = std::unexpected(torvex::gym::EnvError::no_data());  // its release is not the load's
        state.ResumeTiming();
    }
    state.counters["bars_per_s"] = benchmark::Counter(double(state.iterations()) * kBars, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadMillionBarsFresh)->Unit(benchmark::kMillisecond);

// A load refused because its warm-up is shorter than a long-window feature needs,
// beside a load of the close alone: the refusal is known before any indicator runs.
const char* kCloseSpec = R"({"dataset_ref":"bench","symbol":"X","observation":{"features":[
  {"kind":"price","field":"close"}]},
  "action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":100,"warmup":1}})";
const char* kShortWarmupSpec = R"({"dataset_ref":"bench","symbol":"X","observation":{"features":[
  {"kind":"indicator","name":"VolatilityCone","params":[100000,100]}]},
  "action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":100,"warmup":1}})";

void load_answering(benchmark::State& state, const char* spec, std::string_view answer) {
    const std::string& doc = load_document();
    auto env = torvex::gym::Env::create(spec);
    for (auto _ : state) {
        std::string out = env->command(doc);
        if (!out.starts_with(answer)) state.SkipWithError(out.c_str());
    }
}
void BM_LoadCloseAlone(benchmark::State& state) { load_answering(state, kCloseSpec, R"({"ok":true})"); }
BENCHMARK(BM_LoadCloseAlone)->Unit(benchmark::kMillisecond);
void BM_LoadRefusedForWarmup(benchmark::State& state) {
    load_answering(state, kShortWarmupSpec, R"({"error":"bad spec: episode.warmup is 1 but)");
}
BENCHMARK(BM_LoadRefusedForWarmup)->Unit(benchmark::kMillisecond);

// Five price columns and 45 close-price indicators.
const std::string& wide_spec() {
    static const std::string spec = [] {
        std::string f = R"({"kind":"price","field":"open"},{"kind":"price","field":"high"},)"
                        R"({"kind":"price","field":"low"},{"kind":"price","field":"close"},)"
                        R"({"kind":"price","field":"volume"})";
        const char* names[] = {"Sma", "Ema", "Wma", "Dema", "Tema", "Trima", "Rsi", "Cmo", "StdDev"};
        const int periods[] = {5, 10, 20, 50, 100};
        for (const char* n : names)
            for (int p : periods) f += std::string(R"(,{"kind":"indicator","name":")") + n + R"(","params":[)" +
                                        std::to_string(p) + "]}";
        return R"({"dataset_ref":"bench","symbol":"X","observation":{"features":[)" + f +
               R"(]},"action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":100,"warmup":1000}})";
    }();
    return spec;
}

void BM_LoadMillionBars50Features(benchmark::State& state) {
    const std::string& doc = load_document();
    auto env = torvex::gym::Env::create(wide_spec());
    for (auto _ : state) {
        std::string out = env->command(doc);
        if (out != R"({"ok":true})") state.SkipWithError(out.c_str());
    }
    state.counters["bars_per_s"] = benchmark::Counter(double(state.iterations()) * kBars, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadMillionBars50Features)->Unit(benchmark::kMillisecond);

// The native part of one step (the command call alone), at 10 and 50 columns.
void step_bench(benchmark::State& state, const std::string& spec) {
    std::string doc = R"({"cmd":"load","candles":[)";
    for (int i = 0; i < 20'000; ++i) {
        const double p = 100.0 + 5 * std::sin(i / 50.0);
        char buf[160];
        std::snprintf(buf, sizeof buf, R"(%s{"ts":%d,"open":%.4f,"high":%.4f,"low":%.4f,"close":%.4f,"volume":10})",
                      i ? "," : "", i, p, p + 0.5, p - 0.5, p + 0.1);
        doc += buf;
    }
    doc += "]}";
    auto env = torvex::gym::Env::create(spec);
    env->command(doc);
    env->command(R"({"cmd":"reset"})");
    const std::string steps[3] = {R"({"cmd":"step","action":0})", R"({"cmd":"step","action":1})",
                                  R"({"cmd":"step","action":2})"};
    int k = 0;
    for (auto _ : state) {
        std::string out = env->command(steps[k++ % 3]);
        if (out.size() > 7 && out[2] == 'e') {  // {"error":...}: the episode ended
            state.PauseTiming();
            env->command(R"({"cmd":"reset"})");
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(out);
    }
}
void BM_Step10Columns(benchmark::State& state) { step_bench(state, kSpec); }
void BM_Step50Columns(benchmark::State& state) { step_bench(state, wide_spec()); }
BENCHMARK(BM_Step10Columns)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Step50Columns)->Unit(benchmark::kMicrosecond);

void BM_SimdjsonParseOnly(benchmark::State& state) {
    const simdjson::padded_string doc(load_document());
    simdjson::ondemand::parser parser;
    for (auto _ : state) {
        double sum = 0.0;
        auto d = parser.iterate(doc);
        for (auto candle : d["candles"].get_array()) {
            for (auto field : candle.get_object()) sum += field.value().get_double().value_unsafe();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["bars_per_s"] = benchmark::Counter(double(state.iterations()) * kBars, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimdjsonParseOnly)->Unit(benchmark::kMillisecond);

}  // namespace
