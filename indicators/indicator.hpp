// The object interface of every indicator and the shared output-list mechanism of the
// multi-output types.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
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
        if constexpr (Derived::kGate == InputGate::Candle) {
            if (!validate_candle(ctx.candle)) return std::nullopt;
        }
        const std::optional<std::array<double, N>> values = static_cast<Derived*>(this)->step(ctx);
        if (!values) return std::nullopt;
        std::vector<NamedOutput> fresh;
        fresh.reserve(N);
        for (std::size_t i = 0; i < N; ++i) fresh.push_back({Derived::kOutputNames[i], (*values)[i]});
        published_ = std::move(fresh);
        return (*values)[0];
    }

    std::vector<NamedOutput> outputs() const final {
        if (published_.empty()) return {};
        std::vector<NamedOutput> copy;
        copy.reserve(published_.size());
        copy.assign(published_.begin(), published_.end());
        return copy;
    }

private:
    std::vector<NamedOutput> published_;
};

}  // namespace torvex
