#include "docgen/name_docs.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <numbers>
#include <set>
#include <sstream>
#include <utility>

#include "gym_core/env.hpp"
#include "indicators/number_format.hpp"
#include "docgen/bar_feeds.hpp"
#include "registry/registry.hpp"

namespace torvex::docs {

std::vector<double> NameDoc::typical() const {
    std::vector<double> v;
    for (const ParamDoc& p : params) v.push_back(p.typical);
    return v;
}

namespace {

constexpr Family kFamilies[] = {
    {"averages", "Moving averages"},
    {"cycles", "Cycles and signal filters"},
    {"momentum", "Momentum and oscillators"},
    {"statistics", "Statistics"},
    {"volatility", "Volatility"},
    {"risk", "Risk and performance"},
    {"trend", "Trend and trailing stops"},
    {"volume", "Volume"},
    {"bands", "Bands and channels"},
    {"candlesticks", "Candlestick patterns"},
    {"patterns", "Chart and harmonic patterns"},
    {"levels", "Price levels"},
    {"demark", "DeMark tools"},
    {"profiles", "Sessions and market profiles"},
    {"orderbook", "Order book"},
    {"derivatives", "Derivatives: funding and open interest"},
    {"flow", "Order flow"},
    {"pairs", "Pairs: two series"},
    {"breadth", "Market breadth"},
};

// The names that build_indicator accepts beside the registry's own.
constexpr std::pair<std::string_view, std::string_view> kAliases[] = {
    {"Macd", "MacdIndicator"},
    {"Bollinger", "BollingerBands"},
};

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> split(std::string_view s, std::string_view sep) {
    std::vector<std::string_view> out;
    for (std::size_t at = s.find(sep); at != std::string_view::npos; at = s.find(sep)) {
        out.push_back(s.substr(0, at));
        s.remove_prefix(at + sep.size());
    }
    out.push_back(s);
    return out;
}

bool is_param_name(std::string_view s) {
    if (s.empty() || !std::islower(static_cast<unsigned char>(s[0]))) return false;
    return std::ranges::all_of(s, [](char c) {
        return std::islower(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) || c == '_';
    });
}

bool is_indicator_name(std::string_view s) {
    return !s.empty() && std::isupper(static_cast<unsigned char>(s[0])) &&
           std::ranges::all_of(s, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

std::optional<double> parse_number(std::string_view s) {
    double x = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), x);
    if (ec != std::errc{} || end != s.data() + s.size() || !std::isfinite(x)) return std::nullopt;
    return x;
}

// "[2..16777216]", "(0..1]", "(..)": an end left out is unbounded and takes a round
// bracket.
std::expected<Accepted, std::string> parse_interval(std::string_view text) {
    const std::string bad = "'" + std::string(text) + "' is not an interval such as [1..16777216] or (0..1]";
    const std::size_t dots = text.find("..");
    if (text.size() < 4 || dots == std::string_view::npos || !std::string_view("[(").contains(text.front()) ||
        !std::string_view("])").contains(text.back()))
        return std::unexpected(bad);
    Accepted a;
    a.lo_closed = text.front() == '[';
    a.hi_closed = text.back() == ']';
    const std::string_view lo = text.substr(1, dots - 1), hi = text.substr(dots + 2, text.size() - dots - 3);
    if (!lo.empty()) {
        a.lo = parse_number(lo);
        if (!a.lo) return std::unexpected(bad);
    }
    if (!hi.empty()) {
        a.hi = parse_number(hi);
        if (!a.hi) return std::unexpected(bad);
    }
    if ((!a.lo && a.lo_closed) || (!a.hi && a.hi_closed))
        return std::unexpected("'" + std::string(text) + "': an unbounded end takes a round bracket");
    if (a.lo && a.hi && (*a.lo > *a.hi || (*a.lo == *a.hi && !(a.lo_closed && a.hi_closed))))
        return std::unexpected("'" + std::string(text) + "' is empty");
    return a;
}

// "cos(x) > 0 or cos(x) = -1": comparisons of two formulas, one of which must hold.
std::expected<Condition, std::string> parse_condition(std::string_view text) {
    Condition c;
    for (std::string_view piece : split(text, " or ")) {
        piece = trim(piece);
        const std::size_t at = piece.find_first_of("<>=");
        const std::size_t width = at != std::string_view::npos && at + 1 < piece.size() && piece[at] != '=' &&
                                          piece[at + 1] == '='
                                      ? 2
                                      : 1;
        if (at == std::string_view::npos || trim(piece.substr(0, at)).empty() || trim(piece.substr(at + width)).empty())
            return std::unexpected("'" + std::string(piece) + "' is not a comparison such as 'cos(x) > 0'");
        c.any.push_back({std::string(trim(piece.substr(0, at))), std::string(piece.substr(at, width)),
                         std::string(trim(piece.substr(at + width)))});
    }
    return c;
}

// "[2..16777216] and > fast and even": the interval, then relations, `even` and
// conditions.
std::expected<Accepted, std::string> parse_accepted(std::string_view text) {
    const std::vector<std::string_view> clauses = split(text, " and ");
    auto a = parse_interval(trim(clauses[0]));
    if (!a) return a;
    for (std::size_t i = 1; i < clauses.size(); ++i) {
        const std::string_view c = trim(clauses[i]);
        if (c == "even") {
            a->even = true;
            continue;
        }
        const std::size_t op = c.starts_with("<=") || c.starts_with(">=") ? 2 : c.starts_with('<') || c.starts_with('>') ? 1 : 0;
        if (op == 0 && c.find_first_of("<>=") != std::string_view::npos) {
            auto condition = parse_condition(c);
            if (!condition) return std::unexpected(condition.error());
            a->conditions.push_back(std::move(*condition));
            continue;
        }
        if (op == 0 || trim(c.substr(op)).empty())
            return std::unexpected("'" + std::string(c) + "' is neither 'even' nor a relation such as '> fast'");
        a->relations.push_back({std::string(c.substr(0, op)), std::string(trim(c.substr(op)))});
    }
    return a;
}

// "period=20 [1..16777216]: window length in bars; mult=2 (0..): band width" into its
// parameters.
std::expected<std::vector<ParamDoc>, std::string> parse_params(std::string_view text) {
    std::vector<ParamDoc> out;
    if (text.empty()) return out;
    // A role may hold "; " itself: a piece that does not open with `name=` continues
    // the role before it.
    std::vector<std::string> items;
    for (std::string_view piece : split(text, "; ")) {
        const std::size_t eq = piece.find('=');
        if ((eq != std::string_view::npos && is_param_name(piece.substr(0, eq))) || items.empty())
            items.emplace_back(piece);
        else
            items.back() += "; " + std::string(piece);
    }
    for (const std::string& item : items) {
        const std::size_t eq = item.find('=');
        const std::size_t colon = item.find(": ");
        if (eq == std::string::npos || colon == std::string::npos || colon < eq)
            return std::unexpected("parameter '" + item + "' is not name=typical accepted: role");
        ParamDoc p;
        p.name = item.substr(0, eq);
        if (!is_param_name(p.name)) return std::unexpected("parameter name '" + p.name + "' is not lower_snake_case");
        const std::string_view head = trim(std::string_view(item).substr(eq + 1, colon - eq - 1));
        const std::size_t space = std::min(head.find(' '), head.size());
        const auto typical = parse_number(head.substr(0, space));
        if (!typical) return std::unexpected("parameter '" + p.name + "' has no numeric typical value");
        p.typical = *typical;
        if (space == head.size()) return std::unexpected("parameter '" + p.name + "' has no accepted values");
        auto accepted = parse_accepted(trim(head.substr(space)));
        if (!accepted) return std::unexpected("parameter '" + p.name + "': " + accepted.error());
        p.accepted = std::move(*accepted);
        p.role = std::string(trim(std::string_view(item).substr(colon + 2)));
        if (p.role.empty()) return std::unexpected("parameter '" + p.name + "' has no role");
        for (const ParamDoc& q : out)
            if (q.name == p.name) return std::unexpected("parameter '" + p.name + "' is named twice");
        out.push_back(std::move(p));
    }
    return out;
}

// ---- The warm-up formulas.

class FormulaReader {
public:
    FormulaReader(std::string_view text, const NameDoc& doc, std::span<const double> values)
        : text_(text), doc_(doc), values_(values) {}

    std::expected<double, std::string> read() {
        auto v = expr();
        if (!v) return v;
        skip();
        if (at_ < text_.size()) return fail("unexpected '" + std::string(1, text_[at_]) + "'");
        return v;
    }

private:
    void skip() {
        while (at_ < text_.size() && text_[at_] == ' ') ++at_;
    }
    bool take(char c) {
        skip();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    std::unexpected<std::string> fail(const std::string& what) const {
        return std::unexpected("formula '" + std::string(text_) + "': " + what);
    }

    std::expected<double, std::string> expr() {
        auto v = term();
        while (v) {
            if (take('+')) {
                auto r = term();
                if (!r) return r;
                *v += *r;
            } else if (take('-')) {
                auto r = term();
                if (!r) return r;
                *v -= *r;
            } else {
                break;
            }
        }
        return v;
    }

    std::expected<double, std::string> term() {
        auto v = unary();
        while (v) {
            if (take('*')) {
                auto r = unary();
                if (!r) return r;
                *v *= *r;
            } else if (take('/')) {
                auto r = unary();
                if (!r) return r;
                *v /= *r;
            } else {
                break;
            }
        }
        return v;
    }

    std::expected<double, std::string> unary() {
        if (take('-')) {
            auto v = unary();
            if (v) *v = -*v;
            return v;
        }
        return primary();
    }

    std::expected<double, std::string> primary() {
        skip();
        if (take('(')) {
            auto v = expr();
            if (!v) return v;
            if (!take(')')) return fail("missing ')'");
            return v;
        }
        const std::size_t from = at_;
        if (at_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.')) {
            while (at_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.')) ++at_;
            const auto x = parse_number(text_.substr(from, at_ - from));
            if (!x) return fail("bad number '" + std::string(text_.substr(from, at_ - from)) + "'");
            return *x;
        }
        while (at_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_'))
            ++at_;
        const std::string_view word = text_.substr(from, at_ - from);
        if (word.empty()) return fail(at_ < text_.size() ? "unexpected '" + std::string(1, text_[at_]) + "'" : "ends early");
        if (take('(')) {
            std::vector<double> args;
            do {
                auto a = expr();
                if (!a) return a;
                args.push_back(*a);
            } while (take(','));
            if (!take(')')) return fail("missing ')' after the arguments of " + std::string(word));
            const std::size_t want = (word == "min" || word == "max") ? 2 : 1;
            if (word != "min" && word != "max" && word != "floor" && word != "ceil" && word != "round" && word != "sqrt" &&
                word != "cos")
                return fail("unknown function '" + std::string(word) + "'");
            if (args.size() != want) return fail(std::string(word) + " takes " + std::to_string(want) + " argument(s)");
            if (word == "min") return std::min(args[0], args[1]);
            if (word == "max") return std::max(args[0], args[1]);
            if (word == "floor") return std::floor(args[0]);
            if (word == "ceil") return std::ceil(args[0]);
            if (word == "sqrt") return std::sqrt(args[0]);
            if (word == "cos") return std::cos(args[0]);
            return std::round(args[0]);
        }
        if (word == "pi") return std::numbers::pi;
        for (std::size_t i = 0; i < doc_.params.size(); ++i)
            if (doc_.params[i].name == word) {
                if (i >= values_.size()) return fail("no value for '" + std::string(word) + "'");
                return values_[i];
            }
        return fail("'" + std::string(word) + "' is not a parameter of " + doc_.name);
    }

    std::string_view text_;
    const NameDoc& doc_;
    std::span<const double> values_;
    std::size_t at_ = 0;
};

// ---- What the registry tells about a name.

struct Facts {
    std::vector<std::string> kinds;   // one per parameter
    std::vector<std::string> fields;  // empty for a name with one output
    std::size_t default_field = 0;    // the field a feature without `field` reads
    std::uint64_t warmup = 0;
    std::optional<gym::FeedClass> feed;
    std::string refusal;              // what a load of bars without book or funding answers
};

std::string json_number(double x) { return format_param_value(x); }

std::string feature_json(std::string_view name, const std::vector<double>& params, const std::string* field) {
    std::string s = "{\"kind\": \"indicator\", \"name\": \"" + std::string(name) + "\", \"params\": [";
    for (std::size_t i = 0; i < params.size(); ++i) s += (i ? ", " : "") + json_number(params[i]);
    s += "]";
    if (field) s += ", \"field\": \"" + *field + "\"";
    return s + "}";
}

// The environment's answer to a load of three plain bars (no book, no funding) with
// the one feature: `{"ok":true}`, or the error document.
std::string plain_load(std::string_view name, const std::vector<double>& params) {
    const std::string spec = "{\"dataset_ref\": \"docs\", \"symbol\": \"X\", \"observation\": {\"features\": [" +
                             feature_json(name, params, nullptr) +
                             "]}, \"action_space\": {\"type\": \"discrete\", \"n\": 3}, \"reward\": \"pnl\", "
                             "\"episode\": {\"max_steps\": 10, \"warmup\": 4000000000}}";
    auto env = gym::Env::create(spec);
    if (!env) return "construction: " + env.error().display();
    return env->command(
        R"({"cmd": "load", "candles": [{"ts": 0, "open": 100, "high": 101, "low": 99, "close": 100.5, "volume": 10},
           {"ts": 60000, "open": 100.5, "high": 102, "low": 100, "close": 101, "volume": 12},
           {"ts": 120000, "open": 101, "high": 101.5, "low": 99.5, "close": 100, "volume": 9}]})");
}

std::expected<Facts, std::string> read_facts(std::string_view name, const NameDoc& doc) {
    const std::vector<double> typical = doc.typical();
    BuildResult built = build_indicator(name, typical);
    if (!built) {
        const BuildError& e = built.error();
        return std::unexpected(std::string(name) + " does not build at its typical parameters: " +
                               (e.kind == BuildError::Kind::Unknown ? "unknown name" : e.message));
    }
    Facts f;
    f.warmup = (*built)->warmup();

    // The registry reads exactly as many parameters as the table lists: one fewer is
    // missing, and the full list builds.
    if (!typical.empty()) {
        const std::vector<double> fewer(typical.begin(), typical.end() - 1);
        const BuildResult r = build_indicator(name, fewer);
        const std::string missing = "missing parameter #" + std::to_string(fewer.size());
        if (r || r.error().message != missing)
            return std::unexpected(std::string(name) + ": the table lists " + std::to_string(typical.size()) +
                                   " parameters, the registry reads fewer");
    }
    for (std::size_t k = 0; k < typical.size(); ++k) f.kinds.push_back(param_kind(name, typical, k));

    // Output fields: fed bars with every feed until it publishes, then on for a while
    // to tell which field a feature without `field` reads (the one equal to every
    // answer of the update).
    std::vector<feeds::FedBar> bars;
    feeds::append_walk(bars, 6000, 100.0, 7);
    std::vector<bool> candidates;
    std::size_t producing = 0;
    IndicatorBox& ind = *built;
    for (std::size_t i = 0; i < bars.size() && producing < 64; ++i) {
        bars[i].candle.ts = 1'700'000'000'000LL + 900'000LL * static_cast<std::int64_t>(i);
        const feeds::BarFeeds feeds(bars[i], i);
        const std::optional<double> v = ind->update(feeds.context());
        const std::vector<NamedOutput> outs = ind->outputs();
        if (outs.empty()) continue;
        if (f.fields.empty()) {
            for (const NamedOutput& o : outs) f.fields.emplace_back(o.name);
            candidates.assign(outs.size(), true);
        }
        if (!v) continue;
        ++producing;
        for (std::size_t j = 0; j < outs.size(); ++j)
            if (std::bit_cast<std::uint64_t>(outs[j].value) != std::bit_cast<std::uint64_t>(*v)) candidates[j] = false;
    }
    if (!f.fields.empty()) {
        const auto it = std::ranges::find(candidates, true);
        if (it == candidates.end() || std::count(candidates.begin(), candidates.end(), true) > 1)
            return std::unexpected(std::string(name) + ": cannot tell which field a feature without `field` reads");
        f.default_field = static_cast<std::size_t>(it - candidates.begin());
    }

    f.feed = gym::feed_of(name);  // none for an alias: the load does not check its feed
    const std::string answer = plain_load(name, typical);
    if (answer != R"({"ok":true})") {
        const std::string head = R"({"error":")", tail = R"(","ok":false})";
        if (!answer.starts_with(head) || !answer.ends_with(tail))
            return std::unexpected(std::string(name) + ": unexpected load answer " + answer);
        f.refusal = answer.substr(head.size(), answer.size() - head.size() - tail.size());
    }
    const bool plain_feed = !f.feed || *f.feed == gym::FeedClass::Bar;
    if (plain_feed != f.refusal.empty())
        return std::unexpected(std::string(name) + ": a load of plain bars answered " + answer);
    return f;
}

// ---- Rendering.

std::string anchor(std::string_view heading) {
    std::string a;
    for (char c : heading) {
        if (std::isalnum(static_cast<unsigned char>(c))) a += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (c == ' ' || c == '-') a += '-';
    }
    return a;
}

std::string feed_line(const Facts& f) {
    using gym::FeedClass;
    const std::string refused = "the load refuses it: \"" + f.refusal + "\"";
    const std::string unavailable = ", not available in the environment; " + refused;
    if (!f.feed) return "candles";
    switch (*f.feed) {
        case FeedClass::Bar: return "candles";
        case FeedClass::OrderBook:
            return "order book (each bar's `bid_px`, `bid_sz`, `ask_px`, `ask_sz`); where a bar lacks `bid_px` or "
                   "`ask_px`, " + refused;
        case FeedClass::Funding:
            return "funding and open interest (each bar's `funding` and `oi`); where a bar carries neither, " + refused;
        case FeedClass::Reference: return "a reference series (a second instrument's value on every bar)" + unavailable;
        case FeedClass::Trades: return "trade prints (every trade of the bar)" + unavailable;
        case FeedClass::TradesAndOrderBook: return "trade prints and the order book" + unavailable;
        case FeedClass::CrossSection:
            return "a cross-section of the market (one record per instrument)" + unavailable;
    }
    return "candles";
}

// The registry reads a whole number too large for 64 bits as the largest that fits:
// said where nothing else bounds it.
constexpr std::string_view kReadAsLargest = "; a whole number from 2^64 up is read as 18,446,744,073,709,551,615";

void render_entry(std::ostringstream& out, std::string_view name, const NameDoc& doc, const Facts& f,
                  std::string_view alias_of) {
    out << "### " << name << "\n\n";
    if (!alias_of.empty())
        out << "Another name for [" << alias_of << "](#" << anchor(alias_of)
            << "): the same parameters, fields, feed and warm-up.\n\n";
    out << doc.description << "\n\n";
    if (doc.params.empty()) {
        out << "- Parameters: none\n";
    } else {
        out << "| # | parameter | kind | typical | accepted | role |\n|---|---|---|---|---|---|\n";
        for (std::size_t k = 0; k < doc.params.size(); ++k)
            out << "| " << k << " | `" << doc.params[k].name << "` | " << f.kinds[k] << " | "
                << json_number(doc.params[k].typical) << " | " << describe_accepted(doc.params[k].accepted)
                << (f.kinds[k] == "positive integer" && !doc.params[k].accepted.hi ? kReadAsLargest : "") << " | "
                << doc.params[k].role << " |\n";
        out << "\n";
    }
    if (f.fields.empty()) {
        out << "- Fields: none, one output (a `field` on it gives a column of 0.0)\n";
    } else {
        out << "- Fields: ";
        for (std::size_t j = 0; j < f.fields.size(); ++j) out << (j ? ", " : "") << '`' << f.fields[j] << '`';
        out << "; without `field` a feature reads `" << f.fields[f.default_field] << "`\n";
    }
    out << "- Feed: " << feed_line(f) << "\n";
    out << "- Warm-up: `" << doc.warmup << "` (" << f.warmup << (f.warmup == 1 ? " bar" : " bars")
        << " at the typical parameters)\n";
    const std::vector<double> typical = doc.typical();
    out << "- Feature: `" << feature_json(name, typical, f.fields.empty() ? nullptr : &f.fields[0]) << "`\n\n";
}

constexpr std::string_view kIntroduction = R"(# Indicator reference

Every indicator name an observation feature can use, grouped by family: the registry's names
and two aliases, each with its parameters, output fields, feed and warm-up. The documents
around a feature (specification, commands, bars, answers and errors) are described in
[reference.md](reference.md).

This page is written by a program from the registry and from the table
`registry/name_docs.txt`; to change it, change the table and run the program (see the last
section).

## How to read an entry

Each entry ends with a **Feature** line: a whole indicator feature at the typical parameters,
ready for `observation.features`, such as

```json
{"kind": "indicator", "name": "BollingerBands", "params": [20, 2], "field": "upper"}
```

Names are exact and case-sensitive.

- **Parameters** are positional: `params` lists the values in the order of the table. Their
  kinds:
  - *positive integer*: a whole number of at least 1 (`14` and `14.0` are the same; `14.5` is
    refused);
  - *number*: a finite number;
  - *i32*: a whole number from -2147483648 to 2147483647 (an offset from UTC in minutes);
  - *u32*: a whole number from 0 to 4294967295.

  The **accepted** column gives every value the indicator takes: a range (`2 to 16,777,216`,
  `above 0`, `above 0, up to 1`), then any rule against the other parameters (above `fast`:
  above the value given for `fast`; below `1 - beta`), "even", and any condition on the whole
  list ("where" a comparison of two formulas, several joined by "or" of which one must hold,
  computed in doubles as the constructor computes them), all of which must hold. Most
  lengths stop at 16,777,216, the longest window an indicator keeps; a count or a factor that
  keeps nothing of its length says "no upper bound" instead, and such a whole number from
  2^64 (18,446,744,073,709,551,616) up is read as 18,446,744,073,709,551,615, the largest the
  registry keeps: 1e300 there acts as 18,446,744,073,709,551,615.

  A parameter missing from the list, or a value outside its accepted values, makes
  `RawEnv(spec)` raise `ValueError("unknown indicator: NAME")`, the message of a misspelt name,
  so check this column when a known name is refused. Values beyond the listed parameters are
  ignored, and a name without parameters takes any list. The typical values build and are a
  common choice.
- **Fields**: a name with several outputs publishes them under these names, and a feature
  picks one with `field`; a name it does not publish fails the load with "bad spec: indicator
  'KEY' has no output field 'FIELD'". A feature with `field` reads the value last published
  (0.0 before the first). A feature without `field` reads the output the entry names, and 0.0
  on a bar where the indicator produces nothing. A name with one output has no fields: a
  `field` on it is not refused, and its column is 0.0 throughout.
- **Feed**: what the bars must carry. Candles are each bar's `open`, `high`, `low`, `close` and
  `volume`. The order-book names read the bar's `bid_px`, `bid_sz`, `ask_px` and `ask_sz`; the
  funding names its `funding` and `oi` (the environment sets the mark, index and futures prices
  to the close and the long and short sides, taker volumes and liquidations to 0.0, so the
  names built on those read constant inputs). A name that needs a second series, trade prints
  or a market cross-section cannot be fed from one symbol's bars: the load refuses it with the
  message shown.
- **Warm-up**: the bars an indicator needs before its first value, as a formula in the
  parameter names (with `floor`, `ceil`, `round` half away from zero, `sqrt`, `min` and
  `max`), and its value at the typical parameters. The load refuses an `episode.warmup` below
  the largest warm-up of the indicator features; before it a column reads 0.0.

)";

constexpr std::string_view kClosing = R"(## Regenerating this file

The parameter names, typical and accepted values and roles, the warm-up formulas and the
descriptions come from `registry/name_docs.txt`, one line per name; the kinds, fields, feeds, refusals and
warm-ups at the typical parameters are read from the registry and from objects it builds. After
changing either, build with the tests enabled and run

```sh
build/py/torvex_docgen .
```

from the repository root. The test `DocsReference.CommittedFileIsCurrent` fails while this
file differs from what the program writes, `DocsReference.WarmupFormulas` while a formula
differs from the warm-up of a built object, and `DocsReference.AcceptedValuesAtTheirEdges`
while a parameter builds or is refused at an edge of its accepted values (or just past it)
other than the table says.
)";

}  // namespace

std::span<const Family> families() { return kFamilies; }

namespace {

// A bound as a user reads it: whole numbers from 10,000 up with separators.
std::string bound_text(double x) {
    if (std::fabs(x) < 10000.0 || x != std::floor(x)) return format_param_value(x);
    std::string t = format_param_value(std::fabs(x));
    for (std::size_t at = t.size() - 3; at > 0 && at < t.size(); at -= 3) t.insert(at, ",");
    return (x < 0.0 ? "-" : "") + t;
}

std::string interval_text(const Accepted& a) {
    const std::string lo = a.lo ? bound_text(*a.lo) : "", hi = a.hi ? bound_text(*a.hi) : "";
    if (!a.lo && !a.hi) return "any finite number";
    if (!a.hi) return a.lo_closed ? lo + " or more" : "above " + lo;
    if (!a.lo) return a.hi_closed ? hi + " or less" : "below " + hi;
    if (a.lo_closed && a.hi_closed) return lo + " to " + hi;
    return (a.lo_closed ? lo + " or more" : "above " + lo) + (a.hi_closed ? ", up to " + hi : ", below " + hi);
}

struct Range {
    double lo = -HUGE_VAL, hi = HUGE_VAL;
    bool lo_closed = false, hi_closed = false;

    void raise_lo(double x, bool closed) {
        if (x > lo || (x == lo && !closed)) lo = x, lo_closed = closed;
    }
    void lower_hi(double x, bool closed) {
        if (x < hi || (x == hi && !closed)) hi = x, hi_closed = closed;
    }
};

bool whole_number(std::optional<double> x) { return !x || *x == std::floor(*x); }

}  // namespace

std::string describe_accepted(const Accepted& a) {
    std::string t = interval_text(a);
    // Most whole-number lengths stop at 16,777,216: say so where one does not.
    if (a.lo && a.lo_closed && !a.hi && std::ranges::none_of(a.relations, [](const Relation& r) { return r.op[0] == '<'; }))
        t += ", no upper bound";
    for (const Relation& r : a.relations) {
        const std::string_view words = r.op == "<" ? "below" : r.op == "<=" ? "at most" : r.op == ">" ? "above" : "at least";
        t += "; " + std::string(words) + " `" + r.expr + "`";
    }
    if (a.even) t += "; even";
    for (const Condition& c : a.conditions) {
        t += "; where ";
        for (std::size_t i = 0; i < c.any.size(); ++i)
            t += (i ? " or `" : "`") + c.any[i].lhs + " " + c.any[i].op + " " + c.any[i].rhs + "`";
    }
    return t;
}

// The kind of parameter #k, from the reader that refuses a fraction there (a number
// parameter takes it; the other positions keep their values).
std::string param_kind(std::string_view name, std::vector<double> params, std::size_t k) {
    params[k] = 0.5;
    const BuildResult r = build_indicator(name, params);
    if (!r && r.error().kind == BuildError::Kind::Invalid) {
        const std::string at = "parameter #" + std::to_string(k) + " must be ";
        if (r.error().message == at + "a positive integer, got 0.5") return "positive integer";
        if (r.error().message == at + "an i32, got 0.5") return "i32";
        if (r.error().message == at + "a u32, got 0.5") return "u32";
    }
    return "number";
}

namespace {

// The probes of the interval and the relations, before the conditions.
std::expected<std::vector<EdgeProbe>, std::string> edge_probes_of_interval(const NameDoc& doc, std::size_t k,
                                                                           bool whole, std::span<const double> at) {
    const ParamDoc& p = doc.params.at(k);
    const Accepted& a = p.accepted;
    const std::string where = doc.name + " " + p.name + ": ";
    if (whole && (!a.lo || !a.lo_closed || (a.hi && !a.hi_closed) || !whole_number(a.lo) || !whole_number(a.hi)))
        return std::unexpected(where + "a whole-number parameter takes [a..b] or [a..) with whole ends");
    Range r;
    if (a.lo) r.raise_lo(*a.lo, a.lo_closed);
    if (a.hi) r.lower_hi(*a.hi, a.hi_closed);
    const std::vector<double> typical = at.empty() ? doc.typical() : std::vector<double>(at.begin(), at.end());
    for (const Relation& rel : a.relations) {
        const auto v = eval_formula(rel.expr, doc, typical);
        if (!v) return std::unexpected(where + v.error());
        if (rel.op[0] == '>') r.raise_lo(*v, rel.op.size() == 2);
        else r.lower_hi(*v, rel.op.size() == 2);
    }
    std::vector<EdgeProbe> out;
    if (whole) {
        double lo = r.lo_closed ? std::ceil(r.lo) : std::floor(r.lo) + 1.0;
        if (a.even && std::fmod(lo, 2.0) != 0.0) lo += 1.0;
        out.push_back({lo, true});
        out.push_back({lo - 1.0, false});
        if (a.even) out.push_back({lo + 1.0, false});
        if (std::isfinite(r.hi)) {
            double hi = r.hi_closed ? std::floor(r.hi) : std::ceil(r.hi) - 1.0;
            if (a.even && std::fmod(hi, 2.0) != 0.0) hi -= 1.0;
            if (hi < lo) return std::unexpected(where + "nothing is accepted at the typical values of the others");
            out.push_back({hi, true});
            out.push_back({hi + 1.0, false});
        } else {
            // Past every window length the registry bounds.
            out.push_back({std::max(lo, a.even ? 16777218.0 : 16777217.0), true});
        }
        return out;
    }
    const auto step = [](double x) { return 1e-9 * std::max(1.0, std::fabs(x)); };
    if (std::isfinite(r.lo)) {
        out.push_back({r.lo, r.lo_closed});
        out.push_back({r.lo_closed ? r.lo - step(r.lo) : r.lo + step(r.lo), !r.lo_closed});
    } else {
        out.push_back({-1e300, true});
    }
    if (std::isfinite(r.hi)) {
        if (r.hi < r.lo || (r.hi == r.lo && !(r.lo_closed && r.hi_closed)))
            return std::unexpected(where + "nothing is accepted at the typical values of the others");
        out.push_back({r.hi, r.hi_closed});
        out.push_back({r.hi_closed ? r.hi + step(r.hi) : r.hi - step(r.hi), !r.hi_closed});
    } else {
        out.push_back({1e300, true});
    }
    return out;
}

}  // namespace

std::expected<std::vector<EdgeProbe>, std::string> edge_probes(const NameDoc& doc, std::size_t k, bool whole,
                                                               std::span<const double> at) {
    auto out = edge_probes_of_interval(doc, k, whole, at);
    const Accepted& a = doc.params.at(k).accepted;
    if (!out || a.conditions.empty()) return out;
    std::vector<double> values = at.empty() ? doc.typical() : std::vector<double>(at.begin(), at.end());
    const auto holds = [&](double v) -> std::expected<bool, std::string> {
        values[k] = v;
        for (const Condition& c : a.conditions) {
            bool any = false;
            for (const Comparison& cmp : c.any) {
                const auto l = eval_formula(cmp.lhs, doc, values), r = eval_formula(cmp.rhs, doc, values);
                if (!l || !r) return std::unexpected(doc.name + " " + doc.params[k].name + ": " + (l ? r : l).error());
                any = any || (cmp.op == "<"    ? *l < *r
                              : cmp.op == "<=" ? *l <= *r
                              : cmp.op == ">"  ? *l > *r
                              : cmp.op == ">=" ? *l >= *r
                                               : *l == *r);
            }
            if (!any) return false;
        }
        return true;
    };
    // The interval's whole values run from its first probe to its largest accepted one.
    double hi = -HUGE_VAL;
    for (EdgeProbe& e : *out) {
        if (e.accepted) hi = std::max(hi, e.value);
        const auto h = holds(e.value);
        if (!h) return std::unexpected(h.error());
        e.accepted = e.accepted && *h;
    }
    if (whole && !out->empty()) {
        const double lo = (*out)[0].value, step = a.even ? 2.0 : 1.0;
        bool before = (*out)[0].accepted;
        for (double v = lo + step; v < lo + 64.0 && v <= hi; v += step) {
            const auto now = holds(v);
            if (!now) return std::unexpected(now.error());
            if (*now != before) {
                out->push_back({v - step, before});
                out->push_back({v, *now});
            }
            before = *now;
        }
    }
    return out;
}

ProbeReport probe_accepted(const NameDoc& doc, std::span<const double> at) {
    ProbeReport report;
    const std::vector<double> base = at.empty() ? doc.typical() : std::vector<double>(at.begin(), at.end());
    for (std::size_t k = 0; k < doc.params.size(); ++k) {
        const auto probes = edge_probes(doc, k, param_kind(doc.name, base, k) != "number", base);
        if (!probes) {
            report.faults.push_back(probes.error());
            continue;
        }
        for (const EdgeProbe& e : *probes) {
            std::vector<double> values = base;
            values[k] = e.value;
            const BuildResult built = build_indicator(doc.name, values);
            ++report.probes;
            if (built.has_value() != e.accepted)
                report.faults.push_back(doc.name + " " + doc.params[k].name + " = " + format_param_value(e.value) +
                                        (at.empty() ? "" : " (the others as given)") +
                                        (built ? " builds" : " is refused (" + built.error().message + ")") +
                                        ", the table says it " + (e.accepted ? "builds" : "is refused"));
        }
    }
    return report;
}


std::expected<std::vector<NameDoc>, std::string> parse_name_docs(std::string_view text) {
    std::vector<NameDoc> docs;
    std::size_t line_no = 0;
    for (std::string_view line : split(text, "\n")) {
        ++line_no;
        const auto fail = [&](const std::string& what) {
            return std::unexpected("registry/name_docs.txt:" + std::to_string(line_no) + ": " + what);
        };
        if (line.find('\t') != std::string_view::npos) return fail("a tab");
        line = trim(line);
        if (line.empty() || line.front() == '#') continue;
        const std::vector<std::string_view> cells = split(line, " | ");
        if (cells.size() != 5) return fail("expected 5 fields separated by ' | ', found " + std::to_string(cells.size()));
        NameDoc d;
        d.name = trim(cells[0]);
        if (!is_indicator_name(d.name)) return fail("'" + d.name + "' is not an indicator name");
        d.family = trim(cells[1]);
        if (std::ranges::none_of(kFamilies, [&](const Family& f) { return f.key == d.family; }))
            return fail(d.name + ": unknown family '" + d.family + "'");
        auto params = parse_params(trim(cells[2]));
        if (!params) return fail(d.name + ": " + params.error());
        d.params = std::move(*params);
        // A relation names the other parameters only.
        for (const ParamDoc& p : d.params)
            for (const Relation& r : p.accepted.relations) {
                NameDoc others = d;
                std::erase_if(others.params, [&](const ParamDoc& q) { return q.name == p.name; });
                const auto v = eval_formula(r.expr, others, others.typical());
                if (!v) return fail(d.name + " " + p.name + ": " + v.error());
            }
        // A condition may name every parameter, the one it belongs to too.
        for (const ParamDoc& p : d.params)
            for (const Condition& c : p.accepted.conditions)
                for (const Comparison& cmp : c.any)
                    for (const std::string& side : {cmp.lhs, cmp.rhs})
                        if (const auto v = eval_formula(side, d, d.typical()); !v)
                            return fail(d.name + " " + p.name + ": " + v.error());
        d.warmup = trim(cells[3]);
        d.description = trim(cells[4]);
        if (d.warmup.empty() || d.description.empty()) return fail(d.name + ": empty warm-up or description");
        if (d.description.find('|') != std::string::npos) return fail(d.name + ": '|' in the description");
        if (!docs.empty() && !(docs.back().name < d.name))
            return fail(d.name + " is not after " + docs.back().name + " (sorted, once each)");
        docs.push_back(std::move(d));
    }
    return docs;
}

std::expected<double, std::string> eval_formula(std::string_view formula, const NameDoc& doc,
                                                std::span<const double> values) {
    return FormulaReader(formula, doc, values).read();
}

std::expected<std::string, std::string> render_indicator_reference(const std::vector<NameDoc>& docs) {
    // Every registry name has exactly one row, and every row names a registry name.
    std::map<std::string, const NameDoc*> by_name;
    for (const NameDoc& d : docs) by_name.emplace(d.name, &d);
    std::vector<std::string> faults;
    for (const RegistryRow& row : registry_rows())
        if (!by_name.contains(std::string(row.name))) faults.push_back(std::string(row.name) + " has no row");
    for (const NameDoc& d : docs)
        if (indicator_feed(d.name) == kFeedUnknown) faults.push_back(d.name + " is not a registry name");

    // The entries of each family: the registry names and the aliases, sorted.
    struct Entry {
        std::string name;
        std::string_view alias_of;
        const NameDoc* doc;
        Facts facts;
    };
    std::map<std::string_view, std::vector<Entry>> by_family;
    for (const NameDoc& d : docs) {
        if (indicator_feed(d.name) == kFeedUnknown) continue;
        auto facts = read_facts(d.name, d);
        if (!facts) {
            faults.push_back(facts.error());
            continue;
        }
        by_family[d.family].push_back({d.name, {}, &d, std::move(*facts)});
    }
    for (const auto& [alias, target] : kAliases) {
        const auto it = by_name.find(std::string(target));
        if (it == by_name.end()) continue;
        if (indicator_feed(alias) != kFeedUnknown) faults.push_back(std::string(alias) + " is a registry name");
        auto facts = read_facts(alias, *it->second);
        if (!facts) {
            faults.push_back(facts.error());
            continue;
        }
        by_family[it->second->family].push_back({std::string(alias), target, it->second, std::move(*facts)});
    }
    if (!faults.empty()) {
        std::string all;
        for (const std::string& f : faults) all += f + "\n";
        return std::unexpected(all);
    }
    for (auto& [family, entries] : by_family)
        std::ranges::sort(entries, [](const Entry& a, const Entry& b) { return a.name < b.name; });

    std::ostringstream out;
    out << kIntroduction;
    out << "## Contents\n\n";
    std::size_t total = 0;
    for (const Family& fam : kFamilies) {
        const auto it = by_family.find(fam.key);
        if (it == by_family.end()) continue;
        out << "- [" << fam.title << "](#" << anchor(fam.title) << ") (" << it->second.size() << "): ";
        for (std::size_t i = 0; i < it->second.size(); ++i)
            out << (i ? ", " : "") << "[" << it->second[i].name << "](#" << anchor(it->second[i].name) << ")";
        out << "\n";
        total += it->second.size();
    }
    out << "\n" << registry_rows().size() << " registry names and " << std::size(kAliases) << " aliases, "
        << total << " entries.\n\n";
    for (const Family& fam : kFamilies) {
        const auto it = by_family.find(fam.key);
        if (it == by_family.end()) continue;
        out << "## " << fam.title << "\n\n";
        for (const Entry& e : it->second) render_entry(out, e.name, *e.doc, e.facts, e.alias_of);
    }
    out << kClosing;
    return out.str();
}

}  // namespace torvex::docs
