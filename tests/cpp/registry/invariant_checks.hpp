// The pieces that the whole-registry invariant test and the recovery fuzz target
// share: reading the invariant table's little languages, stepping an object over
// hostile bars, and the agreement of a streamed answer with a fresh one.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "registry/invariant_histories.hpp"
#include "registry/invariant_table.hpp"
#include "registry/registry.hpp"

namespace torvex::test {

// ---- The table's little languages: "lo:hi" per output ("*" for none), and the
// flat answer per output (a number, "P" for the flat price, "*" for none), outputs
// separated by '|'; one entry stands for every output.

inline std::vector<std::string> split_outputs(const std::string& s) {
    std::vector<std::string> parts;
    std::stringstream in(s);
    std::string part;
    while (std::getline(in, part, '|')) parts.push_back(part);
    return parts;
}

struct Bound {
    bool any = true;
    double lo = 0.0, hi = 0.0;
};

inline Bound parse_bound(const std::string& text) {
    const std::string s = !text.empty() && text[0] == '+' ? text.substr(1) : text;
    if (s.empty() || s == "*") return {};
    const auto colon = s.find(':');
    return {false, std::stod(s.substr(0, colon)), std::stod(s.substr(colon + 1))};
}

struct FlatWant {
    enum Kind { Any, Price, Value } kind = Any;
    double value = 0.0;
};

inline FlatWant parse_flat(const std::string& s) {
    if (s.empty() || s == "*" || s == "?") return {};
    if (s == "P") return {FlatWant::Price, 0.0};
    return {FlatWant::Value, std::stod(s)};
}

template <class T, class F>
std::vector<T> per_output(const char* text, std::size_t outputs, F parse) {
    const std::vector<std::string> parts = split_outputs(text ? text : "");
    std::vector<T> out(std::max<std::size_t>(outputs, 1));
    if (parts.empty()) return out;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = parse(parts.size() == 1 ? parts[0] : (i < parts.size() ? parts[i] : "*"));
    return out;
}

// The range of every output of `row` for `params`: the parameter-dependent bound
// where the row has one, else its range text ("" when `positive_prices` is false and
// the range holds for positive prices only).
inline std::vector<Bound> output_bounds(const InvariantRow& row, const std::vector<double>& params, std::size_t outputs,
                                        bool positive_prices) {
    const bool positive_only = row.range && row.range[0] == '+';
    std::vector<Bound> bounds = per_output<Bound>(positive_only && !positive_prices ? "" : row.range, outputs, parse_bound);
    if (row.bound) {
        const auto [lo, hi] = row.bound(params);
        bounds.assign(std::max<std::size_t>(outputs, 1), Bound{false, lo, hi});
    }
    return bounds;
}

// Whether a finite value lies within `b`, with a slack of 1e-9 of the range's width.
inline bool within(const Bound& b, double v) {
    if (b.any || !std::isfinite(v)) return true;
    const double slack = 1e-9 * std::max(1.0, b.hi - b.lo);
    return v >= b.lo - slack && v <= b.hi + slack;
}

// ---- One object's answers over a history.

struct Answer {
    std::optional<double> value;
    std::vector<double> outputs;  // the published list after this bar (empty for single-output names)
};

inline Answer step(DynIndicator& ind, const HostileBar& bar, std::size_t index) {
    const BarFeeds feeds(bar, index);
    Answer a;
    a.value = ind.update(feeds.context());
    for (const NamedOutput& o : ind.outputs()) a.outputs.push_back(o.value);
    return a;
}

inline std::vector<Answer> run(DynIndicator& ind, const std::vector<HostileBar>& bars, std::size_t from, std::size_t to) {
    std::vector<Answer> out;
    out.reserve(to - from);
    for (std::size_t i = from; i < to; ++i) out.push_back(step(ind, bars[i], i));
    return out;
}

// The values a bar's answer shows: the published list where there is one, else the
// primary value.
inline std::vector<double> shown(const Answer& a) {
    if (!a.value) return {};
    if (!a.outputs.empty()) return a.outputs;
    return {*a.value};
}

inline std::string num(double x) {
    std::ostringstream s;
    s.precision(17);
    s << x;
    return s.str();
}

inline IndicatorBox make(const std::string& name, const std::vector<double>& params) {
    BuildResult b = build_indicator(name, params);
    return b ? std::move(*b) : nullptr;
}

inline const InvariantRow* find_row(const std::string& name) {
    for (const InvariantRow& r : invariant_table())
        if (r.name == name) return &r;
    return nullptr;
}

// The bars a finite-memory value depends on.
inline std::size_t window_of(const InvariantRow& row, const std::vector<double>& params, const DynIndicator& ind) {
    const double w = row.window(params);
    return w == 0.0 ? static_cast<std::size_t>(ind.warmup()) + 1 : static_cast<std::size_t>(w);
}

// The relative tolerance of the recovery comparison for `row`.
inline double recovery_tolerance(const InvariantRow& row) { return row.tolerance > 0.0 ? row.tolerance : 1e-9; }

// Relative agreement with a floor that scales with the history's price level. The
// sums of an honest window differ from a fresh one's by the rounding of values of
// the window's own size (some 1e-13 at the level 100), while the residue of a 1e12
// value is some 1e-4: the floor of 1e-9 at the level 100 lies far from both.
inline bool agree(double got, double want, double scale, double tolerance = 1e-9) {
    if (std::isnan(got) || std::isnan(want)) return std::isnan(got) && std::isnan(want);
    if (got == want) return true;
    const double floor = tolerance * std::min(1.0, scale / 100.0);
    return std::fabs(got - want) <= tolerance * std::max(std::fabs(got), std::fabs(want)) + floor;
}

// The scale of `row`'s answers for agree's floor over bars at the price `level`.
inline double answer_scale(const InvariantRow& row, double level) { return row.unscaled ? 100.0 : level; }

}  // namespace torvex::test
