// The rolling window of whole bars that the market and volume profiles rebuild their
// histograms from, with the parameter checks they share.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <string_view>
#include <optional>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/price_grid.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

// A zero window or bin count: ZeroPeriod (both tested before anything else).
constexpr Checked check_profile_counts(std::uint64_t period, std::uint64_t bins) {
    if (period == 0 || bins == 0) return std::unexpected(IndicatorError::zero_period());
    return {};
}

// The window and the histogram are sized by these, so both are bounded; tested after
// the type's own checks.
constexpr Checked check_profile_bounds(std::uint64_t period, std::uint64_t bins) {
    if (auto ok = check_max_period(period); !ok) return ok;
    return check_max_period(bins);
}

// The window's volume point of control and value area on its price grid.
struct ValueAreaBins {
    PriceGrid grid;
    std::size_t poc;
    BinSpan area;
};

class ProfileWindow {
public:
    // Both counts at least 1 and bounded by the owner.
    ProfileWindow(std::uint64_t period, std::uint64_t bins) : bars_(period), bins_(bins) {}

    // Appends the bar, the oldest leaving once the window is full; true when the
    // window holds `period` bars.
    bool push(const Ohlcv& bar) {
        if (bars_.full()) bars_.drop_oldest();
        bars_.push_back(bar);
        return bars_.full();
    }

    // The grid of the window and, for a positive range, its volume profile in
    // `amounts()` (left as it was for a single-price window).
    PriceGrid volume_profile() {
        const PriceGrid grid = PriceGrid::over(bars_, bins_);
        if (grid.has_range()) fill_volume_profile(grid, bars_, bins_, amounts_);
        return grid;
    }

    // The volume profile's point of control and the value area holding `fraction` of
    // its total; nothing for a single-price window, which has no grid.
    std::optional<ValueAreaBins> value_area_bins(double fraction) {
        const PriceGrid grid = volume_profile();
        if (!grid.has_range()) return std::nullopt;
        const std::size_t poc = point_of_control(amounts_);
        return ValueAreaBins{grid, poc, value_area(amounts_, poc, fraction)};
    }

    // The single price of a window without range: its lowest low.
    double single_price() const { return PriceGrid::over(bars_, bins_).lo(); }

    const std::vector<double>& amounts() const { return amounts_; }
    const FixedRing<Ohlcv>& bars() const { return bars_; }
    std::uint64_t period() const { return bars_.capacity(); }
    std::uint64_t bins() const { return bins_; }

private:
    FixedRing<Ohlcv> bars_;
    std::uint64_t bins_;
    std::vector<double> amounts_;  // scratch; its storage grows once to `bins`
};

// The profile window of the types that publish only its price range: the lowest low
// and highest high come from monotone queues in amortised O(1) per bar, and the
// histogram is built only when asked for.
class RangeWindow {
public:
    // Both counts at least 1 and bounded by the owner.
    RangeWindow(std::uint64_t period, std::uint64_t bins) : window_(period, bins), extremes_(period) {}

    // As ProfileWindow::push.
    bool push(const Ohlcv& bar) {
        extremes_.push(bar.high, bar.low);
        return window_.push(bar);
    }

    // The window's lowest low and highest high (after at least one push).
    double lo() const { return extremes_.lowest(); }
    double hi() const { return extremes_.highest(); }
    PriceGrid grid() const { return PriceGrid::of_range(lo(), hi(), window_.bins()); }

    const FixedRing<Ohlcv>& bars() const { return window_.bars(); }
    std::uint64_t period() const { return window_.period(); }
    std::uint64_t bins() const { return window_.bins(); }

private:
    ProfileWindow window_;
    SlidingExtremes extremes_;
};

// The types that publish the window's price range, "price_low" and "price_high";
// `Derived` adds the histogram that it builds over that range on demand.
template <class Derived>
class RangeProfile : public MultiOutput<Derived, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"price_low", "price_high"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Zero period or bins: ZeroPeriod; either above MAX_PERIOD: the maximum text.
    static std::expected<Derived, IndicatorError> create(std::uint64_t period, std::uint64_t bins) {
        if (auto ok = check_profile_counts(period, bins); !ok) return std::unexpected(ok.error());
        if (auto ok = check_profile_bounds(period, bins); !ok) return std::unexpected(ok.error());
        return Derived(RangeWindow(period, bins));
    }

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        if (!window_.push(ctx.candle)) return std::nullopt;
        return std::array<double, 2>{window_.lo(), window_.hi()};
    }
    std::uint64_t warmup() const override { return window_.period(); }

protected:
    explicit RangeProfile(RangeWindow window) : window_(std::move(window)) {}

    // Every accepted bar after the first value produces, so the window held now is
    // the one the last producing update saw.
    bool produced() const { return window_.bars().full(); }

    RangeWindow window_;
};

// (0, 1]: above zero, at most one, and finite.
constexpr bool valid_value_area_fraction(double pct) { return is_finite(pct) && pct > 0.0 && pct <= 1.0; }

inline constexpr std::string_view kValueAreaFractionText = "value_area_pct must be in (0, 1]";

// The types that publish a point of control and a value area, "poc", "vah", "val".
// `Derived` supplies `static IndicatorError fraction_error()` (the refusal of a
// value_area_pct outside (0, 1]) and `static std::array<double, 3> levels(const
// ValueAreaBins&)`; a single-price window publishes its price three times.
template <class Derived>
class ValueAreaProfile : public MultiOutput<Derived, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"poc", "vah", "val"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Zero period or bins: ZeroPeriod; value_area_pct outside (0, 1]: the type's
    // error; then either count above MAX_PERIOD: the maximum text.
    static std::expected<Derived, IndicatorError> create(std::uint64_t period, std::uint64_t bins,
                                                         double value_area_pct) {
        if (auto ok = check_profile_counts(period, bins); !ok) return std::unexpected(ok.error());
        if (!valid_value_area_fraction(value_area_pct)) return std::unexpected(Derived::fraction_error());
        if (auto ok = check_profile_bounds(period, bins); !ok) return std::unexpected(ok.error());
        return Derived(ProfileWindow(period, bins), value_area_pct);
    }

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        if (!window_.push(ctx.candle)) return std::nullopt;
        const std::optional<ValueAreaBins> v = window_.value_area_bins(pct_);
        if (!v) {
            const double p = window_.single_price();
            return std::array<double, 3>{p, p, p};
        }
        return Derived::levels(*v);
    }
    std::uint64_t warmup() const override { return window_.period(); }

protected:
    ValueAreaProfile(ProfileWindow window, double pct) : window_(std::move(window)), pct_(pct) {}

private:
    ProfileWindow window_;
    double pct_;
};

}  // namespace torvex
