// The user reference of the indicator names: the hand-written table beside the
// registry (registry/name_docs.txt: family, parameter names, roles and typical
// values, the warm-up as a formula, one line of description) joined to what the
// registry itself tells (parameter kinds, output fields, feed, warm-up of a built
// object, the load's refusal), rendered as docs/indicators.md.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace torvex::docs {

struct ParamDoc {
    std::string name;     // lower_snake_case, as the warm-up formula names it
    double typical = 0.0;
    std::string role;
};

struct NameDoc {
    std::string name;
    std::string family;   // the folder of the name's type under indicators/
    std::vector<ParamDoc> params;
    std::string warmup;   // an expression in the parameter names
    std::string description;

    std::vector<double> typical() const;
};

// Reads the table: one line per name, ` | ` between the five fields, `#` lines and
// blank lines skipped. The first fault is the error, with its line number.
std::expected<std::vector<NameDoc>, std::string> parse_name_docs(std::string_view text);

// Evaluates a warm-up formula: numbers, the parameter names of `doc` bound to
// `values`, + - * /, parentheses, min(a, b), max(a, b), floor(x), ceil(x), round(x)
// (half away from zero), sqrt(x).
std::expected<double, std::string> eval_formula(std::string_view formula, const NameDoc& doc,
                                                std::span<const double> values);

// The families in the order the reference lists them, with their titles.
struct Family {
    std::string_view key;
    std::string_view title;
};
std::span<const Family> families();

// Renders docs/indicators.md from the table; fails when the table and the registry
// disagree (a name missing, twice or unknown, a parameter count or typical list the
// registry refuses, a multi-output name that never publishes).
std::expected<std::string, std::string> render_indicator_reference(const std::vector<NameDoc>& docs);

}  // namespace torvex::docs
