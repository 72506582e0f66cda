// The object interface of every indicator and the shared output-list mechanism of the
// multi-output types.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "indicators/bar.hpp"
#include "indicators/candle_columns.hpp"
#include "indicators/error.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

// One named value of a multi-output indicator; the name is static text.
struct NamedOutput {
    std::string_view name;
    double value = 0.0;

    friend bool operator==(const NamedOutput&, const NamedOutput&) = default;
};

// The bars of one load as the column-at-a-time run sees them. Every indicator reads
// the candles; the order book and the derivatives snapshot of bar r are built on demand
// by `fill`, and only where the load offers them (`has_extras`), since the feed of a
// candle indicator never reaches them.
//
// A caller may also hand over the closes as one contiguous column (closes[r] is
// candles[r].close): the close-only loops then read 8 bytes a bar instead of a whole
// candle's cache line share. Beside the closes it may hand over the other fields and
// the candle rule's answers as columns too, for the candle loops that read them.
class BarColumns {
public:
    explicit BarColumns(std::span<const Ohlcv> candles, std::span<const double> closes = {},
                        const CandleColumns& fields = {})
        : candles_(candles),
          closes_(closes.size() == candles.size() ? closes : std::span<const double>{}),
          fields_(closes_.size() == candles.size() && fields.covers(candles.size()) ? fields : CandleColumns{}) {}
    virtual ~BarColumns() = default;

    std::span<const Ohlcv> candles() const { return candles_; }
    std::span<const double> closes() const { return closes_; }  // empty where not handed over
    // The other fields as columns, with the closes; empty columns where not handed over.
    bool has_candle_columns() const { return !fields_.valid.empty(); }
    const CandleColumns& candle_columns() const { return fields_; }
    std::size_t size() const { return candles_.size(); }
    virtual bool has_extras() const { return false; }
    // Adds bar r's book (built in `scratch`) and derivatives snapshot to `ctx` where
    // the bar carries valid ones.
    virtual void fill(std::size_t /*r*/, BarContext& /*ctx*/, OrderBook& /*scratch*/) const {}

protected:
    BarColumns(const BarColumns&) = default;
    BarColumns& operator=(const BarColumns&) = default;

private:
    std::span<const Ohlcv> candles_;
    std::span<const double> closes_;
    CandleColumns fields_;
};

// Where a column loop reads its closes: the contiguous column, or the close member of
// each candle, `stride` bytes apart.
struct CloseSource {
    const char* base;
    std::size_t stride;

    static CloseSource of(const BarColumns& bars) {
        if (!bars.closes().empty()) return {reinterpret_cast<const char*>(bars.closes().data()), sizeof(double)};
        return {reinterpret_cast<const char*>(bars.candles().data()) + offsetof(Ohlcv, close), sizeof(Ohlcv)};
    }
    double operator[](std::size_t r) const {
        double x;
        std::memcpy(&x, base + r * stride, sizeof x);
        return x;
    }
};

// One feature's column: the value reported on each bar (the primary value, or the
// chosen output field of the last published list; 0.0 where there is none), and what
// the load checks afterwards.
struct ColumnRun {
    std::span<double> out;                  // one cell per bar
    std::optional<std::string_view> field;  // the output field; none: the primary value
    bool produced = false;                  // some bar had a non-empty published list
    bool field_found = false;               // some published list held the field
};

// The column loops below are compiled twice: for the baseline processor and, on
// x86-64, once more with AVX2 and FMA, where std::fma is one instruction instead of a
// library call. Every operation is correctly rounded either way and no contraction is
// allowed, so both give the same bits; the wider build is taken once per column where
// the processor has it.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TORVEX_WIDE_LOOPS 1
#define TORVEX_WIDE_TARGET __attribute__((target("avx2,fma")))
#else
#define TORVEX_WIDE_TARGET
#define TORVEX_WIDE_LOOPS 0
#endif
#define TORVEX_INLINE_LOOP __attribute__((always_inline)) inline

// True when this processor runs the wider build (asked once).
bool wide_loops_available();

class DynIndicator {
public:
    virtual ~DynIndicator() = default;

    // The primary value once warmed up; nothing while warming up, for a refused bar,
    // or when an input the indicator needs is absent. A refused bar changes nothing.
    virtual std::optional<double> update(const BarContext& ctx) = 0;

    // A fresh copy of what the last producing update published; empty for
    // single-output types and before the first value.
    virtual std::vector<NamedOutput> outputs() const { return {}; }

    // Bars needed before the first value; fixed at construction.
    virtual std::uint64_t warmup() const = 0;

    // Feeds every bar in order and writes the column: exactly what `update` and then
    // `outputs` on each bar would give. This default does just that; the bases below
    // override it with a loop in which the final type's step is inlined.
    virtual void run_column(const BarColumns& bars, ColumnRun& run);

    // True when `run_column` reads the candle columns of BarColumns where they are
    // handed over: the load builds them only for such a loop.
    virtual bool reads_candle_columns() const { return false; }

protected:
    DynIndicator() = default;
    DynIndicator(const DynIndicator&) = default;
    DynIndicator(DynIndicator&&) = default;
    DynIndicator& operator=(const DynIndicator&) = default;
    DynIndicator& operator=(DynIndicator&&) = default;
};

using IndicatorBox = std::unique_ptr<DynIndicator>;

// Base of the single-output indicators whose only input is the close: the close is
// refused before any state changes when it is not finite.
template <class Derived>
class CloseIndicator : public DynIndicator {
public:
    std::optional<double> update(const BarContext& ctx) final {
        const double close = ctx.candle.close;
        if (!is_finite(close)) return std::nullopt;
        // A type may give a lone update a step of its own (`step_alone`, answering what
        // `step` answers) where the form that suits its column loop costs a lone call more.
        if constexpr (requires(Derived& d) { d.step_alone(close); }) return static_cast<Derived*>(this)->step_alone(close);
        else return static_cast<Derived*>(this)->step(close);
    }

    void run_column(const BarColumns& bars, ColumnRun& run) final {
        if (run.field) return DynIndicator::run_column(bars, run);  // no list: a 0.0 column
        Derived& self = *static_cast<Derived*>(this);
        const CloseSource closes = CloseSource::of(bars);
#if TORVEX_WIDE_LOOPS
        if (wide_loops_available()) return loop_wide(self, closes, bars.size(), run.out.data());
#endif
        loop(self, closes, bars.size(), run.out.data());
    }

private:
    // The state runs in a local copy (moved in and back) whose address never escapes,
    // and the column is reached through no other name: together these let the compiler
    // keep the state of an inlined step in registers.
    //
    // A type may also take a contiguous close column whole, by a member
    //   TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* out);
    // that writes exactly what stepping bar by bar would (for a formula over earlier
    // closes, a loop the compiler can run several bars at a time).
    static TORVEX_INLINE_LOOP void loop(Derived& self, CloseSource closes, std::size_t n, double* __restrict out) {
        Derived local(std::move(self));
        if constexpr (requires(const double* c, double* o) { local.run_closes(c, n, o); }) {
            if (closes.stride == sizeof(double)) {
                local.run_closes(reinterpret_cast<const double*>(closes.base), n, out);
                self = std::move(local);
                return;
            }
        }
        for (std::size_t r = 0; r < n; ++r) {
            const double close = closes[r];
            out[r] = is_finite(close) ? local.step(close).value_or(0.0) : 0.0;
        }
        self = std::move(local);
    }
    TORVEX_WIDE_TARGET static void loop_wide(Derived& self, CloseSource closes, std::size_t n, double* __restrict out) {
        loop(self, closes, n, out);
    }
};

// Base of the single-output indicators over whole bars: the candle rule runs first,
// and a refused bar answers nothing before any state changes.
//
// A type whose step reads the prices and the volume but never the time declares
//   static constexpr bool kStepsOnFields = true;
// and its column loop then reads the separate field columns and the candle rule's
// answers where the caller hands them over, instead of whole candles. A step that
// can be called on a const object keeps no state, so that loop runs it on every bar
// and keeps the answer of the valid ones by a select: nothing in the loop branches,
// and the compiler may take several bars at once. Such a type may also take each run
// of valid candles whole, by a member
//   TORVEX_INLINE_LOOP void run_valid_fields(const FieldRows& rows, std::size_t n, double* out);
// that writes exactly what stepping bar by bar would.
template <class Derived>
class CandleIndicator : public DynIndicator {
public:
    // Row r of each is candle r's field; valid[r] is the candle rule's answer.
    struct FieldRows {
        const double* open;
        const double* high;
        const double* low;
        const double* close;
        const double* volume;
        const std::uint8_t* valid;

        static FieldRows of(const BarColumns& bars) {
            const CandleColumns& f = bars.candle_columns();
            return {f.open.data(), f.high.data(), f.low.data(), bars.closes().data(), f.volume.data(), f.valid.data()};
        }
    };

    std::optional<double> update(const BarContext& ctx) final {
        if (!validate_candle(ctx.candle)) return std::nullopt;
        return static_cast<Derived*>(this)->step(ctx.candle);
    }

    bool reads_candle_columns() const final { return steps_on_fields(); }

    void run_column(const BarColumns& bars, ColumnRun& run) final {
        if (run.field) return DynIndicator::run_column(bars, run);  // no list: a 0.0 column
        Derived& self = *static_cast<Derived*>(this);
        if constexpr (steps_on_fields()) {
            if (bars.has_candle_columns()) {
                const FieldRows rows = FieldRows::of(bars);
                // Where every candle of the run is valid, as is usual, the loop does
                // not test them one by one.
                const bool all_valid = std::memchr(rows.valid, 0, bars.size()) == nullptr;
#if TORVEX_WIDE_LOOPS
                if (wide_loops_available()) {
                    if (all_valid) return field_loop_wide<true>(self, rows, bars.size(), run.out.data());
                    return field_loop_wide<false>(self, rows, bars.size(), run.out.data());
                }
#endif
                if (all_valid) return field_loop<true>(self, rows, bars.size(), run.out.data());
                return field_loop<false>(self, rows, bars.size(), run.out.data());
            }
        }
        const std::span<const Ohlcv> candles = bars.candles();
#if TORVEX_WIDE_LOOPS
        if (wide_loops_available()) return loop_wide(self, candles.data(), candles.size(), run.out.data());
#endif
        loop(self, candles.data(), candles.size(), run.out.data());
    }

private:
    // The state runs in a local moved in and back, as in the close loops.
    static TORVEX_INLINE_LOOP void loop(Derived& self, const Ohlcv* __restrict candles, std::size_t n,
                                        double* __restrict out) {
        Derived local(std::move(self));
        for (std::size_t r = 0; r < n; ++r) {
            const Ohlcv& c = candles[r];
            out[r] = candle_is_valid(c) ? local.step(c).value_or(0.0) : 0.0;
        }
        self = std::move(local);
    }
    TORVEX_WIDE_TARGET static void loop_wide(Derived& self, const Ohlcv* __restrict candles, std::size_t n,
                                             double* __restrict out) {
        loop(self, candles, n, out);
    }

    static constexpr bool steps_on_fields() {
        if constexpr (requires { Derived::kStepsOnFields; }) {
            return Derived::kStepsOnFields;
        } else {
            return false;
        }
    }
    static constexpr bool keeps_no_state() { return requires(const Derived& d, const Ohlcv& b) { d.step(b); }; }

    // The bar is put together from the columns; the fields that the step does not
    // read are never loaded. The time is not carried: such a step does not read it.
    template <bool kAllValid>
    static TORVEX_INLINE_LOOP void field_loop(Derived& self, FieldRows f, std::size_t n, double* __restrict out) {
        const double* __restrict open = f.open;
        const double* __restrict high = f.high;
        const double* __restrict low = f.low;
        const double* __restrict close = f.close;
        const double* __restrict volume = f.volume;
        const std::uint8_t* __restrict valid = f.valid;
        Derived local(std::move(self));
        if constexpr (requires(double* o) { local.run_valid_fields(f, n, o); }) {
            // Each run of valid candles whole; a refused candle answers 0.0 and changes
            // nothing.
            for (std::size_t r = 0; r < n;) {
                const auto* refused =
                    static_cast<const std::uint8_t*>(kAllValid ? nullptr : std::memchr(valid + r, 0, n - r));
                const std::size_t end = refused != nullptr ? static_cast<std::size_t>(refused - valid) : n;
                if (end > r)
                    local.run_valid_fields({open + r, high + r, low + r, close + r, volume + r, valid + r}, end - r,
                                           out + r);
                if (end < n) out[end] = 0.0;
                r = end + 1;
            }
            self = std::move(local);
            return;
        }
        for (std::size_t r = 0; r < n; ++r) {
            const Ohlcv bar{0, open[r], high[r], low[r], close[r], volume[r]};
            if constexpr (kAllValid) {
                out[r] = local.step(bar).value_or(0.0);
            } else if constexpr (keeps_no_state()) {
                const double value = std::as_const(local).step(bar).value_or(0.0);
                out[r] = pick(valid[r] != 0, value, 0.0);
            } else {
                out[r] = valid[r] != 0 ? local.step(bar).value_or(0.0) : 0.0;
            }
        }
        self = std::move(local);
    }
    template <bool kAllValid>
    TORVEX_WIDE_TARGET static void field_loop_wide(Derived& self, FieldRows f, std::size_t n, double* __restrict out) {
        field_loop<kAllValid>(self, f, n, out);
    }
};

// A type's column loop is a member of its base template, so every file that builds
// the type (the registry's table includes them all) compiles a copy of it, and the
// linker keeps one of them, often one where the step's cores were not inlined. A type
// whose loop should be the one compiled beside its step names it in two places:
//   TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Mfi);   after the class, in its header
//   TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Mfi); in its .cpp
// (a multi-output type names its count of outputs too: (MultiOutput, Adx, 3)).
#define TORVEX_LOOP_IN_OWN_FILE(Base, ...) extern template class Base<__VA_ARGS__>
#define TORVEX_LOOP_COMPILED_HERE(Base, ...) template class Base<__VA_ARGS__>

// Which gate a multi-output type runs before its step.
enum class InputGate : std::uint8_t {
    Candle,  // validate_candle on the bar; the step sees only valid candles
    Close,   // close-only types: a non-finite close is refused; the step takes the close
    None,    // the step tests its own input (non-candle types)
};

// The shape shared by every multi-output type. `Derived` supplies
//   static constexpr std::array<std::string_view, N> kOutputNames;
//   static constexpr InputGate kGate;
//   std::optional<std::array<double, N>> step(const BarContext&);   // state advance
//     (for the Close gate: step(double close), with a finite close)
//   std::uint64_t warmup() const;
// and the adapter keeps the published list: replaced whole on a producing update,
// kept as it was on any other.
template <class Derived, std::size_t N>
class MultiOutput : public DynIndicator {
public:
    static_assert(N > 0);

    std::optional<double> update(const BarContext& ctx) final {
        if (!advance(ctx)) return std::nullopt;
        return published_[0];
    }

    std::vector<NamedOutput> outputs() const final {
        if (!has_published_) return {};
        std::vector<NamedOutput> list;
        list.reserve(N);
        for (std::size_t i = 0; i < N; ++i) list.push_back({Derived::kOutputNames[i], published_[i]});
        return list;
    }

    // The field is resolved to its index once; a bar reports the field of the list
    // published last, as `outputs` would, whether or not the bar itself produced.
    void run_column(const BarColumns& bars, ColumnRun& run) final {
        std::size_t field = N;  // N: the primary value of this bar's update
        bool unknown_field = false;
        if (run.field) {
            unknown_field = true;
            for (std::size_t i = 0; i < N; ++i)
                if (Derived::kOutputNames[i] == *run.field) {
                    field = i;
                    unknown_field = false;
                    break;
                }
        }
        const Pick pick{field, unknown_field};
        double* const out = run.out.data();
#if TORVEX_WIDE_LOOPS
        if (wide_loops_available()) {
            loop_wide(bars, pick, out);
        } else {
            loop(bars, pick, out);
        }
#else
        loop(bars, pick, out);
#endif
        if (run.field && has_published_) {
            run.produced = true;
            run.field_found = run.field_found || !unknown_field;
        }
    }

private:
    // What a column reports: field N is the primary value of each bar's own update.
    struct Pick {
        std::size_t field;
        bool unknown;
    };

    // As in the single-output loops, the state runs in a local moved in and back. The
    // Close gate's loop reads only the closes: no bar context is built.
    TORVEX_INLINE_LOOP void loop(const BarColumns& bars, Pick pick, double* __restrict out) {
        const std::span<const Ohlcv> candles = bars.candles();
        const CloseSource closes = CloseSource::of(bars);
        const bool extras = bars.has_extras();
        OrderBook scratch;
        Derived& self = *static_cast<Derived*>(this);
        Derived local(std::move(self));
        MultiOutput& state = local;
        for (std::size_t r = 0; r < candles.size(); ++r) {
            bool produced = false;
            if constexpr (Derived::kGate == InputGate::Close) {
                produced = state.advance_close(closes[r]);
            } else {
                BarContext ctx(candles[r]);
                if (extras) bars.fill(r, ctx, scratch);
                produced = state.advance(ctx);
            }
            if (pick.field == N && !pick.unknown) {
                out[r] = produced ? state.published_[0] : 0.0;
            } else {
                out[r] = (state.has_published_ && !pick.unknown) ? state.published_[pick.field] : 0.0;
            }
        }
        self = std::move(local);
    }
    TORVEX_WIDE_TARGET void loop_wide(const BarColumns& bars, Pick pick, double* __restrict out) {
        loop(bars, pick, out);
    }

    bool advance_close(double close)
        requires(Derived::kGate == InputGate::Close)
    {
        if (!is_finite(close)) return false;
        const std::optional<std::array<double, N>> values = static_cast<Derived*>(this)->step(close);
        if (!values) return false;
        published_ = *values;
        has_published_ = true;
        return true;
    }

    // One update: the gate, the step, and on a producing step the new list.
    bool advance(const BarContext& ctx) {
        if constexpr (Derived::kGate == InputGate::Close) {
            return advance_close(ctx.candle.close);
        } else {
            if constexpr (Derived::kGate == InputGate::Candle) {
                if (!candle_is_valid(ctx.candle)) return false;
            }
            const std::optional<std::array<double, N>> values = static_cast<Derived*>(this)->step(ctx);
            if (!values) return false;
            published_ = *values;
            has_published_ = true;
            return true;
        }
    }

    std::array<double, N> published_{};
    bool has_published_ = false;
};

}  // namespace torvex
