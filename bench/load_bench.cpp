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
