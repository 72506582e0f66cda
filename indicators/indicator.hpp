// The object interface of every indicator and the shared output-list mechanism of the
// multi-output types.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "indicators/bar.hpp"
#include "indicators/error.hpp"

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
class BarColumns {
public:
    explicit BarColumns(std::span<const Ohlcv> candles) : candles_(candles) {}
    virtual ~BarColumns() = default;

    std::span<const Ohlcv> candles() const { return candles_; }
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
        return static_cast<Derived*>(this)->step(close);
    }

    void run_column(const BarColumns& bars, ColumnRun& run) final {
        if (run.field) return DynIndicator::run_column(bars, run);  // no list: a 0.0 column
        Derived& self = *static_cast<Derived*>(this);
        const std::span<const Ohlcv> candles = bars.candles();
        double* out = run.out.data();
        for (std::size_t r = 0; r < candles.size(); ++r) {
            const double close = candles[r].close;
            out[r] = is_finite(close) ? self.step(close).value_or(0.0) : 0.0;
        }
    }
};

// Base of the single-output indicators over whole bars: the candle rule runs first,
// and a refused bar answers nothing before any state changes.
template <class Derived>
class CandleIndicator : public DynIndicator {
public:
    std::optional<double> update(const BarContext& ctx) final {
        if (!validate_candle(ctx.candle)) return std::nullopt;
        return static_cast<Derived*>(this)->step(ctx.candle);
    }

    void run_column(const BarColumns& bars, ColumnRun& run) final {
        if (run.field) return DynIndicator::run_column(bars, run);  // no list: a 0.0 column
        Derived& self = *static_cast<Derived*>(this);
        const std::span<const Ohlcv> candles = bars.candles();
        double* out = run.out.data();
        for (std::size_t r = 0; r < candles.size(); ++r) {
            const Ohlcv& c = candles[r];
            out[r] = validate_candle(c) ? self.step(c).value_or(0.0) : 0.0;
        }
    }
};

// Which gate a multi-output type runs before its step.
enum class InputGate : std::uint8_t {
    Candle,  // validate_candle on the bar; the step sees only valid candles
    None,    // the step tests its own input (close-only and non-candle types)
};

// The shape shared by every multi-output type. `Derived` supplies
//   static constexpr std::array<std::string_view, N> kOutputNames;
//   static constexpr InputGate kGate;
//   std::optional<std::array<double, N>> step(const BarContext&);   // state advance
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
        const std::span<const Ohlcv> candles = bars.candles();
        const bool extras = bars.has_extras();
        OrderBook scratch;
        double* out = run.out.data();
        for (std::size_t r = 0; r < candles.size(); ++r) {
            BarContext ctx(candles[r]);
            if (extras) bars.fill(r, ctx, scratch);
            const bool produced = advance(ctx);
            if (field == N && !unknown_field) {
                out[r] = produced ? published_[0] : 0.0;
            } else {
                out[r] = (has_published_ && !unknown_field) ? published_[field] : 0.0;
            }
        }
        if (run.field && has_published_) {
            run.produced = true;
            run.field_found = run.field_found || !unknown_field;
        }
    }

private:
    // One update: the gate, the step, and on a producing step the new list.
    bool advance(const BarContext& ctx) {
        if constexpr (Derived::kGate == InputGate::Candle) {
            if (!validate_candle(ctx.candle)) return false;
        }
        const std::optional<std::array<double, N>> values = static_cast<Derived*>(this)->step(ctx);
        if (!values) return false;
        published_ = *values;
        has_published_ = true;
        return true;
    }

    std::array<double, N> published_{};
    bool has_published_ = false;
};

}  // namespace torvex
