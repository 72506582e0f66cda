// The pieces that the whole-registry invariant test and the recovery fuzz target
// share: reading the invariant table's little languages, stepping an object over
// hostile bars, and the agreement of a streamed answer with a fresh one.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
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

// A degree in price per output: a whole number, or "*" (none) for an output whose
// definition holds a constant in price units.
inline std::optional<int> parse_degree(const std::string& s) {
    if (s.empty() || s == "*") return std::nullopt;
    return std::stoi(s);
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

inline Answer step(DynIndicator& ind, const HostileBar& bar, std::size_t index, double price_scale = 1.0) {
    const BarFeeds feeds(bar, index, price_scale);
    Answer a;
    a.value = ind.update(feeds.context());
    for (const NamedOutput& o : ind.outputs()) a.outputs.push_back(o.value);
    return a;
}

// `price_scale` multiplies every price fed (see BarFeeds).
inline std::vector<Answer> run(DynIndicator& ind, const std::vector<HostileBar>& bars, std::size_t from, std::size_t to,
                               double price_scale = 1.0) {
    std::vector<Answer> out;
    out.reserve(to - from);
    for (std::size_t i = from; i < to; ++i) out.push_back(step(ind, bars[i], i, price_scale));
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

// ---- The scale relation: the history with every price multiplied by 2^k answers
// the first answers times 2^(k * degree) wherever no intermediate of the definition
// leaves the normal range at either scale.

inline constexpr double kTopExponent = 1004.0;     // 2^20 below the largest double
inline constexpr double kBottomExponent = -1002.0;  // 2^20 above the smallest normal one
inline constexpr double kUlpExponent = 53.0;        // two different prices differ by at least 2^-53 of the smaller

// What the range rule needs of the bars behind an answer, in base-2 logarithms: the
// largest and smallest non-zero price magnitude, the largest price difference (the
// spread of the signed prices), and the largest and smallest non-zero size the feed
// multiplies prices by.
struct Span {
    double top = -std::numeric_limits<double>::infinity(), least = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity(), lo = std::numeric_limits<double>::infinity();
    double size_top = 0.0, size_least = std::numeric_limits<double>::infinity();
    bool finite = true;
    // A bar some names refuse (an invalid candle, a price at or below zero, which
    // names taking logarithms or positive pairs pass over): their memory then reaches
    // past the window to bars the span does not see, unless it starts at the first bar.
    bool refusable = false;
    std::size_t first = std::numeric_limits<std::size_t>::max();  // the earliest bar added
    // The exponents k at which every finite price added is fed as itself times 2^k: no
    // price overflows (a refused bar at one scale only) or sinks to zero (a refusal of
    // names taking positive prices). Past them the two runs are fed different
    // histories, and nothing relates their answers.
    double fed_lo = -std::numeric_limits<double>::infinity(), fed_hi = std::numeric_limits<double>::infinity();

    void price(double x) {
        if (!std::isfinite(x)) finite = false;
        hi = std::max(hi, x), lo = std::min(lo, x);
        if (x != 0.0) top = std::max(top, std::log2(std::fabs(x))), least = std::min(least, std::log2(std::fabs(x)));
        if (x != 0.0 && std::isfinite(x)) {
            const double e = std::ilogb(x);
            fed_hi = std::min(fed_hi, 1023.0 - e), fed_lo = std::max(fed_lo, -1074.0 - e);
        }
    }
    void size(double x) {
        if (!std::isfinite(x)) finite = false;
        if (x > 0.0) size_top = std::max(size_top, std::log2(x)), size_least = std::min(size_least, std::log2(x));
    }
    void add(const Span& o) {
        top = std::max(top, o.top), least = std::min(least, o.least), hi = std::max(hi, o.hi), lo = std::min(lo, o.lo);
        size_top = std::max(size_top, o.size_top), size_least = std::min(size_least, o.size_least);
        finite = finite && o.finite;
        refusable = refusable || o.refusable;
        first = std::min(first, o.first);
        fed_lo = std::max(fed_lo, o.fed_lo), fed_hi = std::min(fed_hi, o.fed_hi);
    }
};

// Every price one bar feeds (candle, reference, book, trades, derivatives prices,
// panel changes) and the sizes of the name's feed.
inline Span bar_span(const HostileBar& bar, std::size_t index, std::uint8_t feed) {
    const BarFeeds feeds(bar, index);
    const BarContext ctx = feeds.context();
    Span s;
    const Ohlcv& c = ctx.candle;
    s.first = index;
    s.refusable = !candle_is_valid(c) || !(c.open > 0.0 && c.high > 0.0 && c.low > 0.0 && c.close > 0.0 && *ctx.reference > 0.0);
    for (double x : {c.open, c.high, c.low, c.close, *ctx.reference, ctx.derivatives->mark_price,
                     ctx.derivatives->index_price, ctx.derivatives->futures_price})
        s.price(x);
    for (const BookLevel& l : ctx.book->bids) s.price(l.price);
    for (const BookLevel& l : ctx.book->asks) s.price(l.price);
    for (const Trade& t : ctx.trades) s.price(t.price);
    for (const CrossSectionMember& m : ctx.cross_section->members) s.price(m.change);
    s.size(c.volume);
    if (feed == kFeedTrades || feed == kFeedTradesAndBook)
        for (const Trade& t : ctx.trades) s.size(t.quantity);
    if (feed == kFeedOrderBook || feed == kFeedTradesAndBook) {
        for (const BookLevel& l : ctx.book->bids) s.size(l.size);
        for (const BookLevel& l : ctx.book->asks) s.size(l.size);
    }
    if (feed == kFeedFunding) {
        const DerivativesTick& d = *ctx.derivatives;
        for (double x : {d.open_interest, d.taker_buy_volume, d.taker_sell_volume, d.long_liquidations, d.short_liquidations})
            s.size(x);
    }
    if (feed == kFeedCrossSection)
        for (const CrossSectionMember& m : ctx.cross_section->members) s.size(m.volume);
    return s;
}

// The exponents k for which the bars of `span` (held by a memory of `length` bars)
// keep every intermediate of a definition taking prices and sizes to the first power
// and price differences to the `power`-th within the normal range at the scale 2^k;
// empty (lo > hi) where not even k = 0 does, and where a bar the name may refuse
// lets its memory reach before the span's first bar; never past the span's fed range
// (see Span), nor past `fed`'s, the bars before a finite memory: a bar that one run
// refuses and the other takes, even long before, leaves different running sums,
// counts and held answers behind. `depth` is how many bits below
// the smallest difference of two prices the definition's smoothed differences may
// lie before they are raised to the `power`-th (see smoothing_depth).
struct Exponents {
    double lo, hi;
};
inline Exponents allowed_exponents(const Span& span, std::size_t length, int power, double depth = 0.0,
                                   const Span& fed = Span{}) {
    if (!span.finite || (span.refusable && span.first > 0)) return {1.0, 0.0};
    const double n = std::log2(static_cast<double>(std::max<std::size_t>(length, 1)));
    const double size_top = span.size_top, size_least = std::min(0.0, span.size_least);
    double hi = std::numeric_limits<double>::infinity(), lo = -hi;
    if (span.top > -hi) hi = std::min(hi, kTopExponent - n - size_top - span.top);
    const double spread = span.hi - span.lo;
    if (!std::isfinite(spread)) return {1.0, 0.0};
    if (spread > 0.0) hi = std::min(hi, (kTopExponent - n - size_top) / power - std::log2(spread));
    // The smallest non-zero difference of two prices is at least 2^-53 of the smaller.
    if (std::isfinite(span.least)) lo = std::max(lo, (kBottomExponent - size_least) / power + depth - span.least + kUlpExponent);
    if (!(lo <= 0.0 && 0.0 <= hi)) return {1.0, 0.0};
    lo = std::max({lo, span.fed_lo, fed.fed_lo}), hi = std::min({hi, span.fed_hi, fed.fed_hi});
    return {std::max(lo, -1000.0), std::min(hi, 1000.0)};  // a history of zeros takes any
}

// The bits `row`'s smoothed differences may lie below the smallest difference of two
// prices: 0 for a row without smoothed differences.
inline double smoothing_depth(const InvariantRow& row, const std::vector<double>& params) {
    return row.scaling.smoothing ? row.scaling.smoothing(params).weight : 0.0;
}

// Whether `got`, answered with every price times 2^scale, is `want` (answered at the
// prices as they were) times 2^(scale * degree): within `tolerance` relative, with a
// floor of that fraction of the answer's own scale: the width of a bounded range or 1
// for degree 0, the prices' spread `spread` (at the first scale) raised to the degree
// otherwise.
inline bool scales(double got, double want, int scale, int degree, double width, double spread, double tolerance) {
    if (!std::isfinite(want)) return true;  // only finite answers are held to the relation
    const double due = std::ldexp(want, scale * degree);
    if (got == due) return true;
    double unit = std::max(1.0, width);
    if (degree != 0) unit = spread > 0.0 ? std::exp2(degree * (std::log2(spread) + scale)) : 0.0;
    return std::fabs(got - due) <= tolerance * (std::max(std::fabs(got), std::fabs(due)) + unit);
}

// The scale of `row`'s answers for agree's floor over bars at the price `level`.
inline double answer_scale(const InvariantRow& row, double level) { return row.unscaled ? 100.0 : level; }

}  // namespace torvex::test
