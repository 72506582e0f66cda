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

// The values a parameter accepts: an interval, then any relations to the other
// parameters, an evenness rule and conditions on the whole list, all of which must
// hold. Written in the table as `[1..16777216]`, `(0..1]`, `(..)`,
// `[2..16777216] and > fast and even`, `[1..16777216] and cos(x) > 0 or cos(x) = -1`
// (see the table's header comment).
struct Relation {
    std::string op;    // "<", "<=", ">" or ">="
    std::string expr;  // a formula in the other parameters, as the warm-up formulas
};
// A comparison of two formulas in all the parameters, the parameter itself included:
// for a rule that no interval of the parameter states.
struct Comparison {
    std::string lhs;
    std::string op;    // "<", "<=", ">", ">=" or "="
    std::string rhs;
};
// Comparisons joined by " or ": at least one must hold.
struct Condition {
    std::vector<Comparison> any;
};
struct Accepted {
    std::optional<double> lo, hi;  // an end left out is unbounded
    bool lo_closed = false, hi_closed = false;
    std::vector<Relation> relations;
    bool even = false;
    std::vector<Condition> conditions;
};

struct ParamDoc {
    std::string name;     // lower_snake_case, as the warm-up formula names it
    double typical = 0.0;
    Accepted accepted;
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
// (half away from zero), sqrt(x), cos(x) and the constant pi, all in doubles.
std::expected<double, std::string> eval_formula(std::string_view formula, const NameDoc& doc,
                                                std::span<const double> values);

// The accepted values of parameter #k in words: "2 to 16,777,216; above `fast`".
std::string describe_accepted(const Accepted& a);

// The kind of parameter #k of a name as the registry reads it: "positive integer",
// "i32", "u32" or "number" (the other positions at `params`, a list that builds).
std::string param_kind(std::string_view name, std::vector<double> params, std::size_t k);

// A value of one parameter, the others at their typical values, and whether the
// table says the name builds with it.
struct EdgeProbe {
    double value = 0.0;
    bool accepted = false;
};

// The values at each edge of parameter #k's accepted values and just past it, the
// relations and conditions taken at the other parameters' values in `at` (their
// typical values when `at` is empty); an unbounded end is probed far out (16,777,217
// for a whole number, ±1e300 for a number). `whole`: the kind takes whole numbers
// only, so "just past" is one step of 1. A whole-number parameter with conditions is
// also probed on both sides of every change of them over its 64 lowest values.
std::expected<std::vector<EdgeProbe>, std::string> edge_probes(const NameDoc& doc, std::size_t k, bool whole,
                                                               std::span<const double> at = {});

// Builds the name at every edge probe of every parameter, the others at `at` (the
// typical values when empty): the probes made and a line for each answer the table
// does not predict.
struct ProbeReport {
    std::size_t probes = 0;
    std::vector<std::string> faults;
};
ProbeReport probe_accepted(const NameDoc& doc, std::span<const double> at = {});

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
