// The registry names and the typical parameters every whole-registry test builds
// them with: the benchmark case lists first, then a short list of common shapes
// for a name none of them lists.
#pragma once

#include <cmath>
#include <initializer_list>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry.hpp"

namespace torvex::test {

struct Typical {
    const char* name;
    std::vector<double> params;
};

inline const std::map<std::string, std::vector<double>>& typical_params() {
    static const std::map<std::string, std::vector<double>> table = [] {
        const std::vector<Typical> cases = {
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
#include "bench/cases/flow_pairs_breadth.inc"
        };
        std::map<std::string, std::vector<double>> m;
        for (const Typical& t : cases) m.emplace(t.name, t.params);  // the first listed wins
        return m;
    }();
    return table;
}

// Parameter lists tried, in order, for a name without an entry in the table.
inline const std::vector<std::vector<double>> kFallbacks = {
    {14}, {}, {14, 2}, {20, 2, 2}, {12, 26, 9}, {14, 3, 3}, {0.5, 0.05}, {0.02, 0.2}, {10, 20}, {14, 0.5},
    {5, 3, 3, 5}, {9, 4, 9, 13}, {10, 10, 10, 15, 10, 10, 10, 15, 9},
};

inline BuildResult build_typical(std::string_view name) {
    const auto& table = typical_params();
    if (const auto it = table.find(std::string(name)); it != table.end()) return build_indicator(name, it->second);
    BuildResult last = build_indicator(name, kFallbacks.front());
    for (std::size_t i = 1; i < kFallbacks.size() && !last; ++i) last = build_indicator(name, kFallbacks[i]);
    return last;
}

// The typical parameter list of a name: the table's entry, else the first fallback
// that builds (empty when none does).
inline std::vector<double> typical_list(const std::string& name) {
    if (const auto it = typical_params().find(name); it != typical_params().end()) return it->second;
    for (const auto& f : kFallbacks)
        if (build_indicator(name, f)) return f;
    return {};
}

// The parameter lists a whole-registry test tries a name with: its typical list, and
// that list with the first parameter (a period where it is a whole number of at least
// 1) set to each of `periods`, for those that build. A name that ignores its
// parameters is tried once.
inline std::vector<std::vector<double>> period_variants(const std::string& name, std::initializer_list<double> periods) {
    const std::vector<double> typical = typical_list(name);
    std::vector<std::vector<double>> out{typical};
    if (build_indicator(name, std::vector<double>{}) || typical.empty()) return out;
    const double p0 = typical[0];
    if (p0 < 1.0 || p0 != std::floor(p0)) return out;
    for (const double n : periods) {
        if (n == p0) continue;
        std::vector<double> v = typical;
        v[0] = n;
        if (build_indicator(name, v)) out.push_back(v);
    }
    return out;
}

// A name with its parameters, as a failure names them: Name(p1, p2, ...).
inline std::string label(const std::string& name, const std::vector<double>& params) {
    std::ostringstream s;
    s.precision(17);
    s << name << '(';
    for (std::size_t i = 0; i < params.size(); ++i) s << (i ? ", " : "") << params[i];
    s << ')';
    return s.str();
}

inline std::vector<std::string> all_names() {
    std::vector<std::string> names;
    for (const RegistryRow& row : registry_rows()) names.emplace_back(row.name);
    return names;
}

}  // namespace torvex::test
