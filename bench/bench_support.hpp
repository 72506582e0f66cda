// What the indicator benchmarks share: the way a load hands bars to an indicator
// (one column at a time, by chunks of rows, reporting ns per bar) and the labels.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "indicators/indicator.hpp"
#include "registry/registry.hpp"

namespace torvex::bench {

// The rows a load hands an indicator at a time.
inline constexpr std::size_t kChunkRows = 16384;

// Each iteration builds a fresh `name` object and runs it over every bar the way a
// load does, one chunk of rows at a time: run_chunk(indicator, rows, row_closes,
// row_fields, out) hands it the chunk's columns (the candle columns built once, as a
// load builds them for the loops that read them).
template <class RunChunk>
void run_loads(benchmark::State& state, std::string_view name, const std::vector<double>& params,
               std::span<const Ohlcv> data, std::span<const double> closes, RunChunk run_chunk) {
    std::vector<double> column(data.size());
    CandleColumnStore fields;
    fields.resize(data.size());
    fields.fill(data, 0, data.size());
    for (auto _ : state) {
        auto ind = build_indicator(name, params);
        if (!ind) {
            state.SkipWithError("indicator not available");
            return;
        }
        for (std::size_t first = 0; first < data.size(); first += kChunkRows) {
            const std::size_t n = std::min(kChunkRows, data.size() - first);
            ColumnRun out{std::span<double>(column).subspan(first, n), std::nullopt};
            run_chunk(**ind, data.subspan(first, n), closes.subspan(first, n), fields.view().subspan(first, n), out);
        }
        benchmark::DoNotOptimize(column.data());
    }
    state.counters["ns_per_bar"] = benchmark::Counter(static_cast<double>(state.iterations() * data.size()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// prefix + name + "(p0,p1,...)", the parameters as feature keys write them.
inline std::string case_label(std::string_view prefix, std::string_view name, const std::vector<double>& params) {
    std::string label(prefix);
    label += name;
    label += "(";
    for (std::size_t i = 0; i < params.size(); ++i) {
        if (i > 0) label += ',';
        label += format_param_value(params[i]);
    }
    label += ")";
    return label;
}

// A specification whose observation is the close and `copies` copies of the feature
// `name(params)`. Each copy takes one more trailing parameter, which the registry does
// not read, so that every copy has its own key and its own column.
inline std::string copies_spec(std::string_view name, const std::vector<double>& params, int copies,
                               std::uint64_t warmup) {
    std::string f = R"({"kind":"price","field":"close"})";
    for (int k = 0; k < copies; ++k) {
        f += R"(,{"kind":"indicator","name":")";
        f += name;
        f += R"(","params":[)";
        for (double p : params) f += format_param_value(p) + ",";
        f += std::to_string(k) + "]}";
    }
    return R"({"dataset_ref":"bench","symbol":"X","observation":{"features":[)" + f +
           R"(]},"action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":100,"warmup":)" +
           std::to_string(warmup) + "}}";
}

}  // namespace torvex::bench
