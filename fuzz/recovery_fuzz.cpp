// Fuzz target: recovery from any history. The input picks a registry name (every one,
// with the trade, book, funding, pair and breadth feeds derived from each bar as the
// whole-registry invariant test derives them), parameters that build, and a history
// that mixes ordinary walks with what breaks running sums: 1e12 and 1e300 bars alone
// or in blocks (at bar 0 and inside the first fill too), falls and rises by many
// orders, exact zeros, zero and negative prices, tick-grid prices, exactly flat
// stretches and ties, halts of every kind (a flat candle, the last candle repeated, a
// market pinned between bid and ask, one leg of a pair) and the first bars after them.
// What the invariant table says of the name is then held over every bar:
//   - no non-finite answer where the name's memory holds no price at or below zero
//     and nothing beyond 1e60 (unless the name answers one on purpose), and every
//     value within the name's range;
//   - for a finite-memory name, on a window whose own bars do not dwarf each other,
//     the streamed answer agrees (1e-9 relative, or the row's tolerance, with a floor
//     tied to the window's price level or to the width of a bounded range; or within
//     64 times what fresh objects miss by when fed the window after values of its own
//     scale, or some 16 roundings of its largest price: its own rounding) with a
//     fresh object fed only that window: a value that has left leaves nothing behind;
//   - a window of identical bars (the whole history for an infinite memory) answers
//     the name's flat answer.
// A violation prints the name, the parameters, the bar and both answers, and aborts
// so that libFuzzer keeps the input.
//
// Input: two bytes pick the name (registry order); per typical parameter one mode
// byte (keep; a period 1-5; a whole number up to 300; a multiple of the typical
// value; an explicit double), then history operations of one byte each with their
// arguments until the input ends (see `Operation`), at most 3000 bars and halts of up
// to 8000 more; then a walk
// twice the window long, so that even a short input ends with what it put in having
// left the window.
//
// Environment: TORVEX_RECOVERY_SKIP=Name,Name passes over those names (to find one
// fault after another); TORVEX_RECOVERY_SHOW=1 prints the decoded case (name,
// parameters and every bar) before it is checked.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.hpp"
#include "registry/invariant_checks.hpp"
#include "registry/registry.hpp"
#include "registry/typical_params.hpp"

namespace {

using torvex::test::Answer;
using torvex::test::HostileBar;
using torvex::test::InvariantRow;
using torvex::test::num;

constexpr std::size_t kMaxBars = 3000;          // described by the input
constexpr std::size_t kMaxHalt = 4000;          // one halt's bars, beyond kMaxBars
constexpr std::size_t kMaxHalted = 8000;        // all halts' bars, beyond kMaxBars
constexpr std::size_t kMaxWindow = 400;         // a longer window is passed over: executions stay short
constexpr std::size_t kMaxTail = 2 * kMaxWindow + 20;  // the walk after the bars the input describes
constexpr std::size_t kCompareBudget = 60'000;  // bars fed to fresh objects per input
// Names whose step costs grow faster than their window (a spectrum over every lag, all
// pairs of templates, a regression per lag): a window this long, and an eighth of the
// comparison budget, keep an execution of a few thousand bars within a few seconds
// under the sanitizers.
constexpr std::size_t kMaxCostlyWindow = 48;
const std::set<std::string, std::less<>> kCostly = {
    "AutocorrelationPeriodogram", "Cointegration", "GrangerCausality", "LeadLagCrossCorrelation",
    "SampleEntropy",              "SpearmanCorrelation", "SpreadHurst"};
constexpr double kHuge = 1e60;                  // beyond this, powers of a value may overflow
constexpr double kDwarf = 1e4;                  // a window holding values this far apart is not compared
constexpr double kNoise = 64.0;                 // a miss within this many times the window's own rounding passes
constexpr double kLevelRoundings = 4e-15;       // and one within some 16 roundings of the window's largest price

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    std::uint8_t u8() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t u16() { return static_cast<std::uint16_t>(u8() | (u8() << 8)); }
    double f64() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(u8()) << (8 * i);
        return std::bit_cast<double>(bits);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::set<std::string> names_from_env(const char* var) {
    std::set<std::string> out;
    const char* text = std::getenv(var);
    if (!text) return out;
    std::string_view s(text);
    while (!s.empty()) {
        const std::size_t comma = s.find(',');
        out.emplace(s.substr(0, comma));
        s = comma == std::string_view::npos ? std::string_view{} : s.substr(comma + 1);
    }
    return out;
}

// ---- The parameters.

std::vector<double> fuzzed_params(const std::vector<double>& typical, Reader& in) {
    std::vector<double> params = typical;
    for (double& p : params) {
        const std::uint8_t mode = in.u8() % 8;
        const bool whole = p >= 1.0 && p == std::floor(p);
        switch (mode) {
            case 0:
            case 1: break;  // the typical value
            case 2:
            case 3: p = 1.0 + in.u8() % 5; break;
            case 4: p = 1.0 + in.u16() % 300; break;
            case 5: p = whole ? 1.0 + in.u8() % 40 : p * (0.25 + in.u8() / 64.0); break;
            case 6: p = p * (0.25 + in.u8() / 64.0); break;
            default: p = in.f64(); break;
        }
    }
    return params;
}

// ---- The history.

struct Builder {
    std::vector<HostileBar> bars;
    double level = 100.0;
    std::uint64_t rng = 0x9e3779b97f4a7c15ull;

    std::size_t halted = 0;  // bars of halts, which the input may describe beyond kMaxBars

    std::size_t room() const { return kMaxBars + halted; }
    bool full() const { return bars.size() >= room() + kMaxTail; }
    double unit() {  // [-0.5, 0.5)
        rng = rng * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(rng >> 11) / 9007199254740992.0 - 0.5;
    }
    void seed(std::uint8_t s) { rng = (rng ^ s) * 6364136223846793005ull + 1442695040888963407ull; }
    void push(double o, double h, double l, double c, double v, double ref) {
        if (!full()) bars.push_back({torvex::Ohlcv{0, o, h, l, c, v}, ref, false});
    }
    void level_bar(double x, double v = 1.0) { push(x, x, x, x, v, 0.5 * x); }
    void follow(double c) {
        if (std::isfinite(c) && c != 0.0) level = c;
    }
};

double huge_value(std::uint8_t sel) {
    static constexpr double kValues[] = {1e12, 1e300, -1e12, 1e15, 1e100, 1e200, -1e300, 1e18};
    return kValues[sel % 8];
}

double level_value(std::uint8_t sel) {
    static constexpr double kValues[] = {100.0, 1.0, 5.0, 1e-9, 1e12, 0.05, 1e6, 20.0, 7.3, 0.1, 113.2074966078069, 3e-5};
    return kValues[sel % 12];
}

double tick_value(std::uint8_t sel) {
    static constexpr double kValues[] = {0.01, 0.1, 1.0, 0.25, 1e-4, 5.0, 0.5, 0.001};
    return kValues[sel % 8];
}

// One operation of the history; what each reads follows its name.
enum Operation : std::uint8_t {
    kWalk,     // length, seed: a random walk of whole candles around the level
    kSpike,    // value: one bar at 1e12, 1e300, ... (the level stays)
    kBlock,    // length, value: a block of such bars
    kMove,     // length, orders: a fall or rise by that many orders of ten over 1-100 bars
    kZero,     // kind: a bar at 0, a zero low, a zero open, a zero volume
    kNegative, // kind: a bar at minus the level, a negative low
    kTicks,    // length, seed, tick: a walk on a tick grid, the reference on a grid of 0.1
    kFlat,     // length: identical bars at the level
    kTies,     // length, tick: the level and one tick above in a repeating pattern
    kLevel,    // value: the level jumps (no bar)
    kRawBar,   // o, h, l, c, volume, reference as doubles
    kCloses,   // count, then that many doubles: bars with o = h = l = c
    kReturns,  // length, seed: small values of both signs on a grid of 1e-4, zero among them
    kVolume,   // value: the last bar's volume becomes 1e12, 1e300 or 0
    kRepeat,   // count, times: the last bars again
    kOperations
};

// These operation bytes move the history anywhere in the double range, 2^-1000 to
// 2^1000, so that the scale check meets every level and mixes of them: the n-th of
// them is the operation n % kAnyLevelOperations below. They are bytes that no
// committed seed reads as an operation, so every seed still describes the history
// it was kept for.
constexpr std::uint8_t kAnyLevelBytes[] = {206, 207, 208, 209, 210, 211, 212, 214, 216, 217, 218, 220, 221, 222, 250, 254};
enum AnyLevelOperation : std::uint8_t {
    kAnyLevel,  // exponent (two bytes), mantissa: the level jumps to (1 + m/256) * 2^e (no bar)
    kAnyBlock,  // length, exponent, mantissa: a block of bars at that value
    kAnyMove,   // length, exponent, mantissa: a geometric fall or rise to that value over 1-100 bars
    kAnyWalk,   // length, seed, exponent, mantissa: the level jumps there and walks
    kAnyLevelOperations
};

// A halt: hundreds to thousands of bars in which nothing moves, as a suspended stock,
// an illiquid future between trades or closed hours carried forward print them. Over
// it every average of changes, ranges and volumes decays by a constant factor a bar,
// far below the normal range, so the scale check meets every name's decayed states;
// a halt that keeps its range keeps the true range while the directional moves decay,
// and a halt of one leg keeps one leg's changes while the other's decay. Bytes that no
// committed seed reads as an operation, as above, each naming its kind.
enum HaltKind : std::uint8_t {
    kHaltFlat,       // length (two bytes): bars at the last close, open = high = low = close, volume 0
    kHaltRepeat,     // length (two bytes): the last candle again, its range kept, volume 0
    kHaltCarried,    // length (two bytes): the last candle again with its range and its volume
    kHaltPinned,     // length (two bytes), form: a market pinned between bid and ask (append_pinned)
    kHaltReference,  // length (two bytes), seed, tick: the reference stands still, the close trades
    kHaltClose,      // length (two bytes), seed, tick: the close stands still, the reference trades
};
struct HaltByte {
    std::uint8_t byte;
    HaltKind kind;
};
constexpr HaltByte kHaltBytes[] = {
    {228, kHaltFlat},     {230, kHaltRepeat},    {231, kHaltFlat},      {232, kHaltRepeat},
    {234, kHaltCarried},  {237, kHaltPinned},  {238, kHaltReference}, {239, kHaltClose},
    {195, kHaltCarried},  {196, kHaltPinned},  {197, kHaltReference}, {198, kHaltClose},
};
// kind, tick: the first bar after a halt, or a bar anywhere (append_first_bar). Bytes
// no committed seed reads as an operation, as above.
constexpr std::uint8_t kFirstBarBytes[] = {192, 193, 199, 202};

double any_level(Reader& in) {
    const int e = static_cast<int>(in.u16() % 2001) - 1000;
    return std::ldexp(1.0 + in.u8() / 256.0, e);
}

// A walk of `count` whole candles around the level, which follows it.
void append_walk(Builder& b, int count) {
    const double base = std::fabs(b.level) > 0 ? std::fabs(b.level) : 1.0;
    double x = b.level;
    for (int i = 0; i < count; ++i) {
        const double o = x;
        x += base * 0.02 * b.unit();
        const double h = std::max(o, x) + base * 0.005 * (b.unit() + 0.5);
        const double l = std::min(o, x) - base * 0.005 * (b.unit() + 0.5);
        b.push(o, h, l, x, 1.0 + 10.0 * (b.unit() + 0.5), 0.5 * x + base * 0.01 * b.unit());
    }
    b.follow(x);
}

// The bar a halt carries forward: the last one, or one at the level before any.
HostileBar last_bar(const Builder& b) {
    return b.bars.empty() ? HostileBar{torvex::Ohlcv{0, b.level, b.level, b.level, b.level, 0.0}, 0.5 * b.level, false}
                          : b.bars.back();
}

// A market pinned between bid and ask: every bar's high the ask and its low the bid
// (the last bar's high and low, or its close and 2^-8 of it above where it had no
// range), so that neither moves and there is no directional movement. The bits of
// `form`: volume the last bar's (1 where it had none) or 0; the close alternating
// between ask and bid from the ask or from the bid, or sitting at the ask or at the
// bid; the open at the last close or at the close before it; the reference standing
// still or moving half as much as the close.
void append_pinned(Builder& b, std::size_t n, std::uint8_t form) {
    const HostileBar last = last_bar(b);
    const double p = last.candle.close;
    double bid = last.candle.low, ask = last.candle.high;
    if (!(bid < ask)) bid = p, ask = p + std::ldexp(std::fabs(p), -8);
    const double volume = form & 1 ? (last.candle.volume > 0.0 ? last.candle.volume : 1.0) : 0.0;
    const int side = (form >> 1) & 3;
    double c = p;
    for (std::size_t i = 0; i < n; ++i) {
        const double o = form & 8 ? c : p;
        c = side == 2 ? ask : side == 3 ? bid : static_cast<int>(i % 2) == side ? ask : bid;
        b.push(o, ask, bid, c, volume, form & 16 ? last.reference + 0.5 * (c - p) : last.reference);
    }
    b.follow(c);
}

// The grid a leg trades on while the other is halted (0: none): cents, futures and
// bond ticks, whole units and finer grids.
double leg_tick(std::uint8_t sel) {
    static constexpr double kValues[] = {0.0, 0.01, 0.25, 1.0 / 64, 1.0 / 32, 1e-4, 1.0, 0.5};
    return kValues[sel % 8];
}

// One leg of a pair halted while the other trades on: a walk of the trading leg from
// where it stood, continuous or on a grid of `tick` (continuous where the grid is
// coarser than an eighth of the leg), while the halted leg stands still. With the
// close halted, its candle is flat at the last close with volume 0.
void append_leg_halt(Builder& b, std::size_t n, bool close_trades, double tick) {
    const HostileBar last = last_bar(b);
    const double p = last.candle.close, r = last.reference;
    double x = close_trades ? p : r;
    const double base = std::fabs(x) > 0 ? std::fabs(x) : 1.0;
    if (!(tick <= base / 8)) tick = 0.0;
    if (tick > 0.0) x = std::round(x / tick) * tick;
    for (std::size_t i = 0; i < n; ++i) {
        const double o = x;
        x = tick > 0.0 ? std::round(x / tick + std::round(4.999 * b.unit())) * tick : x + base * 0.02 * b.unit();
        if (!close_trades) {
            b.push(p, p, p, p, 0.0, x);
            continue;
        }
        const double wick = tick > 0.0 ? tick * (b.unit() > 0 ? 1 : 0) : base * 0.005 * (b.unit() + 0.5);
        b.push(o, std::max(o, x) + wick, std::min(o, x) - wick, x, 1.0 + 10.0 * (b.unit() + 0.5), r);
    }
    if (close_trades) b.follow(x);
}

// A tick of the price p for a first bar: the grid value `sel` picks (tick_value)
// where it is at most p/16, else 2^-7 of p's binade; with the top bit of `sel`, 2^-4
// to 2^-52 of p's binade (down to one ulp of p).
double first_tick(double p, std::uint8_t sel) {
    const double a = std::fabs(p);
    if (!(a > 0.0 && a <= std::numeric_limits<double>::max())) return 0.0;
    if (sel >= 128) return std::ldexp(1.0, std::ilogb(a) - 4 - (sel - 128) % 49);
    const double t = tick_value(sel);
    return t <= a / 16 ? t : std::ldexp(1.0, std::ilogb(a) - 7);
}

// One bar at the last close p, as trading resumes after a halt: `kind` % 5 picks both
// moves equal (p - tick to p + tick, open and close at p), a move of a tick up or
// down, a gap of four ticks (up or down by the next bit of `kind`), or a bar inside
// the last one's range (flat at p where it had none); volume 100, the reference
// moving half as much as the close.
void append_first_bar(Builder& b, std::uint8_t kind, std::uint8_t tick_sel) {
    const HostileBar last = last_bar(b);
    const double p = last.candle.close, t = first_tick(p, tick_sel);
    double o = p, h = p + t, l = p - t, c = p;
    switch (kind % 5) {
        case 0: break;
        case 1: l = p, c = h; break;
        case 2: h = p, c = l; break;
        case 3: {
            const double g = (kind / 5) % 2 ? p - 4 * t : p + 4 * t;
            o = c = g, h = g + t, l = g - t;
            break;
        }
        default:
            h = p + 0.5 * std::max(0.0, last.candle.high - p);
            l = p - 0.5 * std::max(0.0, p - last.candle.low);
            break;
    }
    b.push(o, h, l, c, 100.0, last.reference + 0.5 * (c - p));
    b.follow(c);
}

// The history the input describes, then `tail` bars of a walk, so that what the
// input put last has left the window too.
std::vector<HostileBar> decode_history(Reader& in, std::size_t tail) {
    Builder b;
    while (!in.empty() && !b.full()) {
        if (b.bars.size() >= b.room()) break;
        const std::uint8_t op = in.u8();
        const auto halt = std::find_if(std::begin(kHaltBytes), std::end(kHaltBytes), [op](const HaltByte& h) { return h.byte == op; });
        if (halt != std::end(kHaltBytes)) {
            const std::size_t n = std::min<std::size_t>(100 + in.u16() % (kMaxHalt - 99), kMaxHalted - b.halted);
            b.halted += n;
            HostileBar last = last_bar(b);
            switch (halt->kind) {
                case kHaltFlat:
                case kHaltRepeat:
                    if (halt->kind == kHaltFlat) last.candle.open = last.candle.high = last.candle.low = last.candle.close;
                    last.candle.volume = 0.0;
                    [[fallthrough]];
                case kHaltCarried:
                    for (std::size_t i = 0; i < n && !b.full(); ++i) b.bars.push_back(last);
                    break;
                case kHaltPinned: append_pinned(b, n, in.u8()); break;
                case kHaltReference:
                case kHaltClose: {
                    b.seed(in.u8());
                    append_leg_halt(b, n, halt->kind == kHaltReference, leg_tick(in.u8()));
                    break;
                }
            }
            continue;
        }
        if (std::find(std::begin(kFirstBarBytes), std::end(kFirstBarBytes), op) != std::end(kFirstBarBytes)) {
            const std::uint8_t kind = in.u8();
            append_first_bar(b, kind, in.u8());
            continue;
        }
        const auto any = std::find(std::begin(kAnyLevelBytes), std::end(kAnyLevelBytes), op);
        if (any != std::end(kAnyLevelBytes)) {
            switch ((any - std::begin(kAnyLevelBytes)) % kAnyLevelOperations) {
                case kAnyLevel: b.level = any_level(in); break;
                case kAnyBlock: {
                    const int n = 1 + in.u8() % 32;
                    const double v = any_level(in);
                    for (int i = 0; i < n; ++i) b.level_bar(v);
                    break;
                }
                case kAnyMove: {
                    const int n = 1 + in.u8() % 100;
                    const double from = b.level, to = any_level(in) * (from < 0 ? -1 : 1);
                    double o = from;
                    for (int i = 1; i <= n; ++i) {  // in logarithms: the ratio itself may overflow
                        const double t = static_cast<double>(i) / n;
                        const double c = std::copysign(std::exp2((1 - t) * std::log2(std::fabs(from)) + t * std::log2(std::fabs(to))), to);
                        b.push(o, std::max(o, c), std::min(o, c), c, 1.0, 0.5 * c);
                        o = c;
                    }
                    b.follow(to);
                    break;
                }
                default: {  // kAnyWalk
                    const int n = 1 + in.u8();
                    b.seed(in.u8());
                    b.level = any_level(in);
                    append_walk(b, n);
                    break;
                }
            }
            continue;
        }
        switch (op % kOperations) {
            case kWalk: {
                const int n = 1 + in.u8();
                b.seed(in.u8());
                append_walk(b, n);
                break;
            }
            case kSpike: b.level_bar(huge_value(in.u8())); break;
            case kBlock: {
                const int n = 1 + in.u8() % 32;
                const double v = huge_value(in.u8());
                for (int i = 0; i < n; ++i) b.level_bar(v);
                break;
            }
            case kMove: {
                const int n = 1 + in.u8() % 100;
                const int orders = static_cast<std::int8_t>(in.u8()) % 25;
                const double from = b.level;
                const double to = std::clamp(std::fabs(from) * std::pow(10.0, orders), 1e-40, 1e40) * (from < 0 ? -1 : 1);
                double o = from;
                for (int i = 1; i <= n; ++i) {
                    const double c = from * std::pow(to / from, static_cast<double>(i) / n);
                    b.push(o, std::max(o, c), std::min(o, c), c, 1.0, 0.5 * c);
                    o = c;
                }
                b.follow(to);
                break;
            }
            case kZero: {
                const double x = b.level;
                switch (in.u8() % 4) {
                    case 0: b.level_bar(0.0); break;
                    case 1: b.push(x, x, std::min(0.0, x), x, 1.0, 0.5 * x); break;
                    case 2: b.push(0.0, std::max(0.0, x), std::min(0.0, x), x, 1.0, 0.5 * x); break;
                    default: b.level_bar(x, 0.0); break;
                }
                break;
            }
            case kNegative: {
                const double x = std::fabs(b.level);
                if (in.u8() % 2) b.level_bar(-x);
                else b.push(x, x, -x, x, 1.0, 0.5 * x);
                break;
            }
            case kTicks: {
                const int n = 1 + in.u8();
                b.seed(in.u8());
                const double tick = tick_value(in.u8());
                double c = std::round(b.level / tick) * tick;
                double r = std::round(b.level * 5.0) / 10.0;
                for (int i = 0; i < n; ++i) {
                    const double o = c;
                    c = std::round(c / tick + std::round(4.999 * b.unit())) * tick;
                    r = std::round((r + 0.1 * std::round(2.999 * b.unit())) * 10.0) / 10.0;
                    const double h = std::max(o, c) + tick * (b.unit() > 0 ? 1 : 0);
                    const double l = std::min(o, c) - tick * (b.unit() > 0 ? 1 : 0);
                    b.push(o, h, l, c, static_cast<double>(1 + (b.rng >> 28) % 9), r);
                }
                b.follow(c);
                break;
            }
            case kFlat: {
                const int n = 1 + in.u8();
                for (int i = 0; i < n; ++i) b.level_bar(b.level);
                break;
            }
            case kTies: {
                const int n = 1 + in.u8();
                const double tick = tick_value(in.u8());
                const double lo = std::round(b.level / tick) * tick;
                for (int i = 0; i < n; ++i) b.level_bar(i % 3 == 1 ? lo + tick : lo);
                break;
            }
            case kLevel: b.level = level_value(in.u8()); break;
            case kRawBar: {
                const double o = in.f64(), h = in.f64(), l = in.f64(), c = in.f64(), v = in.f64(), r = in.f64();
                b.push(o, h, l, c, v, r);
                b.follow(c);
                break;
            }
            case kCloses: {
                const int n = 1 + in.u8() % 64;
                for (int i = 0; i < n; ++i) {
                    const double c = in.f64();
                    b.level_bar(c);
                    b.follow(c);
                }
                break;
            }
            case kReturns: {
                const int n = 1 + in.u8();
                b.seed(in.u8());
                for (int i = 0; i < n; ++i) b.level_bar(std::round(1000.0 * b.unit()) * 1e-4);
                break;
            }
            case kVolume: {
                static constexpr double kVolumes[] = {1e12, 1e300, 0.0};
                const double v = kVolumes[in.u8() % 3];
                if (!b.bars.empty()) b.bars.back().candle.volume = v;
                break;
            }
            default: {  // kRepeat
                const std::size_t n = std::min<std::size_t>(1 + in.u8() % 64, b.bars.size());
                const int times = 1 + in.u8() % 8;
                const std::size_t end = b.bars.size();
                for (int t = 0; t < times; ++t)
                    for (std::size_t i = end - n; i < end && !b.full(); ++i) b.bars.push_back(b.bars[i]);
                break;
            }
        }
    }
    append_walk(b, static_cast<int>(std::min(tail, b.room() + kMaxTail - b.bars.size())));
    torvex::test::stamp_times(b.bars);
    return b.bars;
}

// ---- What the oracle needs to know of each bar.

double price_magnitude(const HostileBar& b) {
    const torvex::Ohlcv& c = b.candle;
    return std::max({std::fabs(c.open), std::fabs(c.high), std::fabs(c.low), std::fabs(c.close), std::fabs(b.reference)});
}

bool positive_prices(const HostileBar& b) {
    const torvex::Ohlcv& c = b.candle;
    return c.open > 0 && c.high > 0 && c.low > 0 && c.close > 0 && b.reference > 0;
}

// Beyond what the name's arithmetic can take: above 1e60, below 1e-60 (but not
// zero), or not finite.
bool out_of_scale(double x) {
    const double a = std::fabs(x);
    return !(a <= kHuge) || (a != 0.0 && a < 1.0 / kHuge);
}

bool out_of_scale(const HostileBar& b) {
    const torvex::Ohlcv& c = b.candle;
    for (double x : {c.open, c.high, c.low, c.close, c.volume, b.reference})
        if (out_of_scale(x)) return true;
    return false;
}

bool identical(const HostileBar& a, const HostileBar& b) {
    const torvex::Ohlcv& x = a.candle;
    const torvex::Ohlcv& y = b.candle;
    return x.open == y.open && x.high == y.high && x.low == y.low && x.close == y.close && x.volume == y.volume &&
           a.reference == b.reference;
}

bool level(const HostileBar& b) {
    const torvex::Ohlcv& c = b.candle;
    return c.open == c.close && c.high == c.close && c.low == c.close;
}

// The median of the non-zero magnitudes of `values` (0 when all are zero).
double median_nonzero(std::vector<double> values) {
    std::erase(values, 0.0);
    if (values.empty()) return 0.0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Whether the largest of `values` is within kDwarf of the smallest non-zero one.
bool within_dwarf(const std::vector<double>& values) {
    double lo = std::numeric_limits<double>::infinity(), hi = 0.0;
    for (double x : values) {
        if (x != 0.0) lo = std::min(lo, x);
        hi = std::max(hi, x);
    }
    return hi == 0.0 || hi <= kDwarf * lo;
}

// A window whose own bars do not dwarf one another: every bar a valid candle within
// the arithmetic's scale, its largest price within kDwarf of its smallest non-zero
// one, and the same of its volumes. Answers the price level (the median, for the
// comparison's floor), or a negative number for a window not to compare.
struct Level {
    double median;  // the comparison's floor scales with it
    double top;     // the window's largest price: its own roundings are of that size
};
Level window_level(const std::vector<HostileBar>& bars, std::size_t from, std::size_t to) {
    std::vector<double> prices, volumes;
    for (std::size_t i = from; i < to; ++i) {
        if (!torvex::candle_is_valid(bars[i].candle) || out_of_scale(bars[i])) return {-1.0, -1.0};
        prices.push_back(price_magnitude(bars[i]));
        volumes.push_back(bars[i].candle.volume);
    }
    if (!within_dwarf(prices) || !within_dwarf(volumes)) return {-1.0, -1.0};
    const double top = *std::max_element(prices.begin(), prices.end());
    return {median_nonzero(std::move(prices)), top};
}

// The smallest non-zero magnitude among a bar's prices (infinity for none).
double least_price(const HostileBar& b) {
    const torvex::Ohlcv& c = b.candle;
    double lo = std::numeric_limits<double>::infinity();
    for (double x : {c.open, c.high, c.low, c.close, b.reference})
        if (x != 0.0) lo = std::min(lo, std::fabs(x));
    return lo;
}

// The first bar of the longest stretch ending at `to` that holds [from, to) and
// whose bars do not dwarf one another: valid candles within scale, volumes above
// zero, no price at or below zero unless the window itself holds one (such a price
// can give a non-finite term), and its largest price and volume within kDwarf of its
// smallest.
std::size_t own_scale_from(const std::vector<HostileBar>& bars, std::size_t from, std::size_t to) {
    bool window_nonpositive = false;
    for (std::size_t i = from; i < to; ++i) window_nonpositive |= !positive_prices(bars[i]);
    double plo = std::numeric_limits<double>::infinity(), phi = 0.0, vlo = plo, vhi = 0.0;
    std::size_t s = to;
    while (s > 0) {
        const HostileBar& b = bars[s - 1];
        if (!torvex::candle_is_valid(b.candle) || out_of_scale(b) || !(b.candle.volume > 0.0) ||
            (!window_nonpositive && !positive_prices(b)))
            break;
        const double hi = std::max(phi, price_magnitude(b)), lo = std::min(plo, least_price(b));
        const double v = b.candle.volume;
        if (hi > kDwarf * lo || std::max(vhi, v) > kDwarf * std::min(vlo, v)) break;
        phi = hi, plo = lo, vhi = std::max(vhi, v), vlo = std::min(vlo, v);
        --s;
    }
    return std::min(s, from);
}

// ---- Reporting.

std::string label(const std::string& name, const std::vector<double>& params) { return torvex::test::label(name, params); }

void show_bars(const std::vector<HostileBar>& bars, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        const torvex::Ohlcv& c = bars[i].candle;
        std::fprintf(stderr, "  bar %zu: o %s h %s l %s c %s v %s ref %s\n", i + 1, num(c.open).c_str(), num(c.high).c_str(),
                     num(c.low).c_str(), num(c.close).c_str(), num(c.volume).c_str(), num(bars[i].reference).c_str());
    }
}

std::uint64_t executions = 0;  // inputs run by this process, for the report of a failure

[[noreturn]] void fail(const std::string& who, const std::string& what, const std::vector<HostileBar>& bars,
                       std::size_t from, std::size_t to) {
    std::fprintf(stderr, "recovery_fuzz: %s: %s (execution %llu)\n", who.c_str(), what.c_str(),
                 static_cast<unsigned long long>(executions));
    std::fprintf(stderr, "recovery_fuzz: bars %zu to %zu of %zu:\n", from + 1, to, bars.size());
    show_bars(bars, from, to);
    std::abort();
}

std::string values(const std::vector<double>& v) {
    std::string s = "[";
    for (std::size_t j = 0; j < v.size(); ++j) s += (j ? ", " : "") + num(v[j]);
    return s + "]";
}

// ---- The checks.

struct Case {
    std::string name;
    std::vector<double> params;
    const InvariantRow* row;
    std::vector<HostileBar> bars;
};

void check_case(const Case& c) {
    const InvariantRow& row = *c.row;
    torvex::IndicatorBox ind = torvex::test::make(c.name, c.params);
    const std::size_t warmup = static_cast<std::size_t>(ind->warmup());
    const std::size_t window = row.window ? torvex::test::window_of(row, c.params, *ind) : 0;
    const std::size_t k = std::max(window, warmup);
    if (warmup > 2 * kMaxWindow || k > kMaxWindow) return;
    const std::vector<HostileBar>& bars = c.bars;
    const std::size_t n = bars.size();
    const std::vector<Answer> answers = torvex::test::run(*ind, bars, 0, n);
    const std::string who = label(c.name, c.params);
    const bool positive_only = row.range && row.range[0] == '+';

    // The last bar at or before each bar that is out of scale, and that has a price
    // not above zero (n for none).
    std::vector<std::size_t> last_huge(n), last_nonpositive(n);
    for (std::size_t i = 0, h = n, p = n; i < n; ++i) {
        if (out_of_scale(bars[i])) h = i;
        if (!positive_prices(bars[i])) p = i;
        last_huge[i] = h;
        last_nonpositive[i] = p;
    }
    // The first bar of the memory behind bar i's answer.
    auto memory_from = [&](std::size_t i) { return row.window && i + 1 >= k ? i + 1 - k : 0; };
    auto holds = [&](const std::vector<std::size_t>& last, std::size_t i) { return last[i] != n && last[i] >= memory_from(i); };

    // Finite answers and ranges.
    for (std::size_t i = 0; i < n; ++i) {
        const std::vector<double> v = torvex::test::shown(answers[i]);
        if (v.empty()) continue;
        // A zero or negative price may be divided by or have its logarithm taken.
        if (!row.nonfinite && !holds(last_huge, i) && !holds(last_nonpositive, i))
            for (std::size_t j = 0; j < v.size(); ++j)
                if (!std::isfinite(v[j]))
                    fail(who, "bar " + std::to_string(i + 1) + " output " + std::to_string(j) + " is " + num(v[j]) +
                                  " with every value in its memory within 1e60",
                         bars, memory_from(i), i + 1);
        const std::vector<torvex::test::Bound> bounds =
            torvex::test::output_bounds(row, c.params, v.size(), !holds(last_nonpositive, i));
        for (std::size_t j = 0; j < v.size() && j < bounds.size(); ++j)
            if (!torvex::test::within(bounds[j], v[j]))
                fail(who, "bar " + std::to_string(i + 1) + " output " + std::to_string(j) + " is " + num(v[j]) +
                              ", outside [" + num(bounds[j].lo) + ", " + num(bounds[j].hi) + "]",
                     bars, memory_from(i), i + 1);
    }

    // The flat answer: k + 1 identical level bars (the window and the close before
    // it) for a finite memory, every bar from the first for an infinite one.
    if (row.flat && *row.flat) {
        const bool marked = row.flat[0] == '~';
        const char* flat_text = marked ? row.flat + 1 : row.flat;
        std::size_t run_start = 0;
        // Running sums are re-added when they fall a thousandfold or more, not on a
        // smaller fall: bars before the run whose price is within that of the run's
        // window sum may leave a few roundings of their own size a value held (the drift
        // the periodic re-add bounds). The largest such price before the run sets that
        // slack; a larger one must leave nothing, and a run from the first bar is held
        // exactly.
        double before = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            if (i == 0 || !identical(bars[i], bars[i - 1])) {
                run_start = i;
                before = 0.0;
                const double p = std::fabs(bars[i].candle.close);
                for (std::size_t h = 0; h < run_start; ++h) {
                    const torvex::Ohlcv& c = bars[h].candle;
                    const double m = std::max({std::fabs(c.open), std::fabs(c.high), std::fabs(c.low), std::fabs(c.close)});
                    if (m <= 1024.0 * static_cast<double>(k + 1) * p && m > before) before = m;
                }
            }
            const HostileBar& bar = bars[i];
            const double price = bar.candle.close;
            if (!level(bar) || !(price > 0.0) || !(bar.candle.volume > 0.0) || out_of_scale(bar)) continue;
            if (row.window ? i - run_start < k : run_start != 0) continue;
            const double slack = 64.0 * static_cast<double>(k + 1) * std::numeric_limits<double>::epsilon() * before;
            // An answer in price units carries the same drift from the sums' own
            // roundings at the run's level: the run's values added to sums that held
            // other bars were rounded there, and those roundings stay once the others
            // have left (a run from the first bar has none). So does any answer where
            // such bars were held (above): a price difference whose flat answer is 0
            // reads the sum's rounding of what left.
            const double own = run_start > 0 ? 64.0 * static_cast<double>(k + 1) * std::numeric_limits<double>::epsilon() * price : 0.0;
            const std::vector<double> v = torvex::test::shown(answers[i]);
            // A price whose copies sum exactly gives the flat answer exactly; others may
            // miss it by a rounding of the sums.
            const bool exact = !marked && price == std::floor(price) && price <= 1e6;
            const auto wants = torvex::test::per_output<torvex::test::FlatWant>(flat_text, v.size(), torvex::test::parse_flat);
            for (std::size_t j = 0; j < v.size(); ++j) {
                const torvex::test::FlatWant& w = wants[j];
                if (w.kind == torvex::test::FlatWant::Any) continue;
                const bool in_price = w.kind == torvex::test::FlatWant::Price;
                const double want = in_price ? price : w.value;
                const double miss = std::fabs(v[j] - want);
                double allowed = in_price || before > 0.0 ? std::max(slack, own) : slack;
                // An answer that does not scale with the price (a percentage of the
                // average) reads that drift relative to the price, on its own scale.
                if (row.unscaled) allowed *= torvex::test::answer_scale(row, price) / price;
                if (exact ? v[j] != want && !(miss <= allowed) : !(miss <= std::max(1e-12 * std::max(1.0, price), allowed)))
                    fail(who, "bar " + std::to_string(i + 1) + " output " + std::to_string(j) + " over " +
                                  std::to_string(i + 1 - run_start) + " identical bars is " + num(v[j]) + ", the flat answer " +
                                  num(want),
                         bars, run_start, i + 1);
            }
        }
    }

    // Recovery: the streamed answer against a fresh object fed only the window.
    if (!row.window || n < k || k == 0) return;
    struct Probe {
        std::size_t at;
        double level;
        double top;
    };
    std::vector<Probe> all, chosen;
    for (std::size_t i = k - 1; i < n; ++i) {
        if (answers[i].value == std::nullopt) continue;
        if (positive_only && holds(last_nonpositive, i)) continue;  // refused bars: the window reaches further back
        const Level lvl = window_level(bars, i + 1 - k, i + 1);
        if (lvl.median >= 0.0) all.push_back({i, lvl.median, lvl.top});
    }
    // The costly names feed their fresh objects fewer bars, for the same reason.
    const std::size_t compare_budget = kCostly.count(c.name) ? kCompareBudget / 8 : kCompareBudget;
    if (all.size() * k <= compare_budget) {
        chosen = all;
    } else {
        // The first bars of each run of comparable windows (where what has just left
        // would show), then an even spread of the others.
        std::vector<bool> taken(all.size());
        for (std::size_t a = 0, run = 0; a < all.size(); ++a) {
            run = a > 0 && all[a].at == all[a - 1].at + 1 ? run + 1 : 0;
            if (run < 4 + k / 8) taken[a] = true;
        }
        const std::size_t first = static_cast<std::size_t>(std::count(taken.begin(), taken.end(), true));
        const std::size_t budget = compare_budget / k;
        const std::size_t rest = budget > first ? budget - first : 0;
        const std::size_t stride = rest ? std::max<std::size_t>(1, all.size() / rest) : all.size() + 1;
        for (std::size_t a = 0; a < all.size(); ++a)
            if (taken[a] || a % stride == 0) chosen.push_back(all[a]);
    }
    const double tolerance = torvex::test::recovery_tolerance(row);
    for (const Probe& p : chosen) {
        // An output with a bounded range (an oscillator in [-100, 100], a ratio in
        // [-1, 1]) is also held to the tolerance of that range's width, its own scale.
        auto width = [&](std::size_t j, std::size_t outputs) {
            const std::vector<torvex::test::Bound> b = torvex::test::output_bounds(row, c.params, outputs, true);
            return j < b.size() && !b[j].any && std::isfinite(b[j].hi - b[j].lo) ? b[j].hi - b[j].lo : 0.0;
        };
        const std::size_t i = p.at;
        torvex::IndicatorBox fresh = torvex::test::make(c.name, c.params);
        const std::vector<Answer> own = torvex::test::run(*fresh, bars, i + 1 - k, i + 1);
        const std::vector<double> want = torvex::test::shown(own.back());
        const std::vector<double> got = torvex::test::shown(answers[i]);
        if (want.empty()) continue;
        bool same = want.size() == got.size();
        for (std::size_t j = 0; same && j < want.size(); ++j)
            same = torvex::test::agree(got[j], want[j], torvex::test::answer_scale(row, p.level), tolerance) ||
                   std::fabs(got[j] - want[j]) <= tolerance * width(j, want.size());
        if (!same && want.size() == got.size()) {
            // Where the answer is mostly the rounding of its own inputs (a quantity that
            // is zero in exact arithmetic, a difference of near-equal sums, a level far
            // above 1), a fresh object misses it by as much as the streamed one. Two
            // fresh objects fed the window after values of its own scale measure that
            // rounding: the window fed twice, and the window after every bar before it
            // back to the last one that dwarfs it (the drift of running sums over bars
            // of one scale is rounding too, not a residue of what left).
            std::vector<std::vector<double>> others;
            std::vector<HostileBar> twice(bars.begin() + static_cast<std::ptrdiff_t>(i + 1 - k),
                                          bars.begin() + static_cast<std::ptrdiff_t>(i + 1));
            twice.insert(twice.end(), twice.begin(), twice.end());
            torvex::test::stamp_times(twice);
            torvex::IndicatorBox again = torvex::test::make(c.name, c.params);
            others.push_back(torvex::test::shown(torvex::test::run(*again, twice, 0, twice.size()).back()));
            const std::size_t from = own_scale_from(bars, i + 1 - k, i + 1);
            if (from < i + 1 - k) {
                torvex::IndicatorBox longer = torvex::test::make(c.name, c.params);
                others.push_back(torvex::test::shown(torvex::test::run(*longer, bars, from, i + 1).back()));
            }
            // Running sums are re-added when they fall a thousandfold or more, not on a
            // smaller fall (as in the flat check): a bar before the window within that
            // of the window's sum may leave the drift the flat check allows, which an
            // input of exact structure (a leg exactly twice the other) hides from the
            // fresh objects above.
            double drift = 0.0;
            for (std::size_t h = 0; h + k < i + 1; ++h) {
                const double m = price_magnitude(bars[h]);
                if (m <= 1024.0 * static_cast<double>(k + 1) * p.top && m > drift) drift = m;
            }
            const double slack = 64.0 * static_cast<double>(k + 1) * std::numeric_limits<double>::epsilon() * drift;
            same = true;
            for (std::size_t j = 0; same && j < want.size(); ++j) {
                double noise = 0.0;
                for (const std::vector<double>& o : others)
                    if (o.size() == want.size() && std::isfinite(o[j])) noise = std::max(noise, std::fabs(o[j] - want[j]));
                same = torvex::test::agree(got[j], want[j], torvex::test::answer_scale(row, p.level), tolerance) ||
                       std::fabs(got[j] - want[j]) <=
                           std::max({kNoise * noise, kLevelRoundings * p.top, slack, tolerance * width(j, want.size())}) ||
                       (row.flat_near_bound && (got[j] == 0.0 || want[j] == 0.0));
            }
        }
        if (!same)
            fail(who, "bar " + std::to_string(i + 1) + ": streamed " + values(got) + ", a fresh object fed the " +
                          std::to_string(k) + " bars of its window " + values(want),
                 bars, i + 1 - k, i + 1);
    }
}

// ---- The scale relation (see allowed_exponents for the range it is held over).

constexpr double kScaleTolerance = 1e-12;  // where the row asks for no other
// Where bars before a window leave the range at either scale, the running sums of the
// two runs were re-added at different updates, and each carries its own drift (a few
// thousand roundings of its largest size, by design): the answers agree to that.
constexpr double kDriftTolerance = 1e-9;

// A 64-bit mix of the input: the exponents drawn for an input are fixed by its bytes.
std::uint64_t input_hash(const std::uint8_t* data, std::size_t size) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (std::size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 0x100000001b3ull;
    return h;
}

void check_scale(const Case& c, const std::uint8_t* data, std::size_t size) {
    const InvariantRow& row = *c.row;
    if (!row.scaling.degree || !*row.scaling.degree) return;  // a constant in price units: no relation to hold
    const double tolerance = row.scaling.tolerance > 0.0 ? row.scaling.tolerance : kScaleTolerance;
    torvex::IndicatorBox ind = torvex::test::make(c.name, c.params);
    const std::size_t warmup = static_cast<std::size_t>(ind->warmup());
    const std::size_t window = row.window ? torvex::test::window_of(row, c.params, *ind) : 0;
    const std::size_t k = std::max(window, warmup);
    const std::vector<HostileBar>& bars = c.bars;
    const std::size_t n = bars.size();
    std::uint8_t feed = torvex::kFeedCandles;
    for (const torvex::RegistryRow& r : torvex::registry_rows())
        if (r.name == c.name) feed = r.feed;

    // The exponents each bar's answer may be scaled by: its window's (a finite
    // memory) or every bar's so far, and for either only where every bar so far is
    // fed as itself times 2^k (a bar taken at one scale and refused at the other,
    // however long ago, makes the two histories different ones).
    std::vector<torvex::test::Span> spans(n);
    for (std::size_t i = 0; i < n; ++i) spans[i] = torvex::test::bar_span(bars[i], i, feed);
    std::vector<torvex::test::Exponents> allowed(n);
    std::vector<torvex::test::Exponents> whole(n);  // every bar so far in range
    torvex::test::Span prefix;
    // How deep the name's smoothed differences may lie (see smoothing_depth).
    const double depth = torvex::test::smoothing_depth(row, c.params);
    for (std::size_t i = 0; i < n; ++i) {
        prefix.add(spans[i]);
        whole[i] = torvex::test::allowed_exponents(prefix, std::max<std::size_t>(k, 1), row.scaling.power, depth);
        if (!row.window) {
            allowed[i] = torvex::test::allowed_exponents(prefix, i + 1, row.scaling.power, depth);
            continue;
        }
        torvex::test::Span memory;
        const std::size_t from = i + 1 >= k ? i + 1 - k : 0;
        for (std::size_t h = from; h <= i; ++h) memory.add(spans[h]);
        allowed[i] = torvex::test::allowed_exponents(memory, i + 1 - from, row.scaling.power, depth, prefix);
    }
    std::vector<std::size_t> open;  // bars whose answers may be scaled by some k != 0
    for (std::size_t i = 0; i < n; ++i)
        if (std::floor(allowed[i].hi) >= 1.0 || std::ceil(allowed[i].lo) <= -1.0) open.push_back(i);
    if (open.empty()) return;

    const std::vector<Answer> first = torvex::test::run(*ind, bars, 0, n);
    const std::string who = label(c.name, c.params);
    std::uint64_t h = input_hash(data, size);
    auto next = [&h] { return h = h * 6364136223846793005ull + 1442695040888963407ull, h >> 33; };
    // Two exponents: one anywhere in a bar's allowed range, one at a few steps from
    // an edge of it (where an anchor or a cancellation test is likeliest to break).
    for (int draw = 0; draw < 2; ++draw) {
        const torvex::test::Exponents e = allowed[open[next() % open.size()]];
        const int lo = static_cast<int>(std::max(std::ceil(e.lo), -2000.0)), hi = static_cast<int>(std::min(std::floor(e.hi), 2000.0));
        int scale = draw == 0 ? lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1))
                              : (next() % 2 ? hi - static_cast<int>(next() % 4) : lo + static_cast<int>(next() % 4));
        scale = std::clamp(scale, lo, hi);
        if (scale == 0) scale = hi >= 1 ? 1 : -1;
        torvex::IndicatorBox scaled_ind = torvex::test::make(c.name, c.params);
        const std::vector<Answer> scaled = torvex::test::run(*scaled_ind, bars, 0, n, std::ldexp(1.0, scale));
        for (std::size_t i = 0; i < n; ++i) {
            if (!(allowed[i].lo <= scale && scale <= allowed[i].hi)) continue;
            const std::vector<double> want = torvex::test::shown(first[i]);
            const std::vector<double> got = torvex::test::shown(scaled[i]);
            const auto degrees = torvex::test::per_output<std::optional<int>>(row.scaling.degree, want.size(), torvex::test::parse_degree);
            const std::vector<torvex::test::Bound> bounds = torvex::test::output_bounds(row, c.params, want.size(), true);
            const std::size_t from = row.window && i + 1 >= k ? i + 1 - k : 0;
            // Where the two runs drift apart (see kDriftTolerance), an answer over bars
            // that dwarf one another may be mostly the rounding of the largest, which
            // each run leaves differently: as in the recovery comparison, only a memory
            // whose bars do not dwarf one another is held to it.
            const bool same_history = whole[i].lo <= scale && scale <= whole[i].hi;
            if (!same_history && window_level(bars, from, i + 1).median < 0.0) continue;
            torvex::test::Span memory;
            for (std::size_t m = from; m <= i; ++m) memory.add(spans[m]);
            bool same = want.size() == got.size();
            std::vector<double> expected(want.size());
            for (std::size_t j = 0; same && j < want.size(); ++j) {
                if (!degrees[j]) continue;
                expected[j] = std::ldexp(want[j], scale * *degrees[j]);
                const double width = j < bounds.size() && !bounds[j].any ? bounds[j].hi - bounds[j].lo : 1.0;
                same = torvex::test::scales(got[j], want[j], scale, *degrees[j], width, memory.hi - memory.lo,
                                            same_history ? tolerance : std::max(tolerance, kDriftTolerance));
            }
            if (!same)
                fail(who, "bar " + std::to_string(i + 1) + ": " + values(want) + ", with every price times 2^" +
                              std::to_string(scale) + " " + values(got) + " where " + values(expected) + " is due",
                     bars, from, i + 1);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> names = torvex::test::all_names();
    static const std::set<std::string> skip = names_from_env("TORVEX_RECOVERY_SKIP");
    static const bool show = std::getenv("TORVEX_RECOVERY_SHOW") != nullptr;
    static std::map<std::string, std::vector<double>> typical;
    ++executions;
    Reader in(data, size);
    Case c;
    c.name = names[in.u16() % names.size()];
    if (skip.count(c.name)) return 0;
    c.row = torvex::test::find_row(c.name);
    torvex::fuzz::require(c.row != nullptr, "a registry name without an invariant row", c.name);
    auto it = typical.find(c.name);
    if (it == typical.end()) it = typical.emplace(c.name, torvex::test::typical_list(c.name)).first;
    c.params = fuzzed_params(it->second, in);
    // A window this long would not pass in a short execution; a step or multiplier
    // near the smallest double only asks whether the name's parameter rules refuse it.
    for (double p : c.params)
        if (!(std::fabs(p) <= 1000.0) || (p != 0.0 && std::fabs(p) < 1e-9)) return 0;
    const torvex::BuildResult probe = torvex::build_indicator(c.name, c.params);
    if (!probe) return 0;  // parameters the name refuses
    const std::size_t warmup = static_cast<std::size_t>((*probe)->warmup());
    const std::size_t window = c.row->window ? torvex::test::window_of(*c.row, c.params, **probe) : 0;
    const std::size_t k = std::max(window, warmup);
    if (warmup > 2 * kMaxWindow || k > kMaxWindow) return 0;  // executions stay short
    if (k > kMaxCostlyWindow && kCostly.count(c.name)) return 0;
    c.bars = decode_history(in, 2 * k + 20);
    if (show) {
        std::fprintf(stderr, "recovery_fuzz: %s over %zu bars\n", label(c.name, c.params).c_str(), c.bars.size());
        show_bars(c.bars, 0, c.bars.size());
    }
    check_case(c);
    check_scale(c, data, size);
    return 0;
}
