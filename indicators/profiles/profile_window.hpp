// The rolling window of whole bars that the market and volume profiles rebuild their
// histograms from, with the parameter checks they share.
#pragma once

#include <algorithm>
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

// The window of whole bars with its lowest low and highest high kept by monotone
// queues (amortised O(1) per bar). The volume profile is rebuilt from the window on
// every call, bar by bar from the oldest; each bar's bins and share are remembered
// and only worked out again when the grid moves, so a bar whose range keeps the grid
// costs no division. The amounts are the same numbers as a fresh build: a bar without
// volume covers its bins with a share of +0.0, which leaves every amount as it is.
class ProfileWindow {
public:
    // Both counts at least 1 and bounded by the owner.
    ProfileWindow(std::uint64_t period, std::uint64_t bins)
        : bars_(period), extremes_(period), covers_(period), bins_(bins) {}

    // Appends the bar, the oldest leaving once the window is full; true when the
    // window holds `period` bars.
    bool push(const Ohlcv& bar) {
        if (bars_.full()) bars_.drop_oldest();
        bars_.push_back(bar);
        extremes_.push(bar.high, bar.low);
        pushes_ += 1;
        return bars_.full();
    }

    // The window's lowest low and highest high (after at least one push).
    double lo() const { return extremes_.lowest(); }
    double hi() const { return extremes_.highest(); }
    PriceGrid grid() const { return PriceGrid::of_range(lo(), hi(), bins_); }

    // The bins first..last that a bar covers, with its share of the volume. Bins are
    // below MAX_PERIOD (2^24), and narrower than the ring's own counts, which their
    // stores then cannot be taken to change.
    struct Cover {
        std::uint32_t first;
        std::uint32_t last;
        double share;
    };

    // The grid of the window and, for a positive range, every bar's cover on it in
    // `covers()`, oldest first (left as they were for a single-price window). A
    // window read for its bins alone (kShares false: the shares are left at 0.0)
    // never builds the volume profile.
    template <bool kShares = true>
    PriceGrid cover_bars();
    const FixedRing<Cover>& covers() const { return covers_; }

    // The grid of the window and, for a positive range, its volume profile in
    // `amounts()` (left as it was for a single-price window).
    PriceGrid volume_profile();

    // The volume profile's point of control and the value area holding `fraction` of
    // its total; nothing for a single-price window, which has no grid.
    std::optional<ValueAreaBins> value_area_bins(double fraction) {
        const PriceGrid grid = volume_profile();
        if (!grid.has_range()) return std::nullopt;
        const std::size_t poc = point_of_control(amounts_);
        return ValueAreaBins{grid, poc, value_area(amounts_, poc, fraction)};
    }

    const std::vector<double>& amounts() const { return amounts_; }
    const FixedRing<Ohlcv>& bars() const { return bars_; }
    std::uint64_t period() const { return bars_.capacity(); }
    std::uint64_t bins() const { return bins_; }

private:
    template <bool kShares>
    static Cover cover_of(const PriceGrid& grid, const Ohlcv& bar) {
        const auto first = static_cast<std::uint32_t>(grid.bin_of(bar.low));
        const auto last = static_cast<std::uint32_t>(grid.bin_of(bar.high));
        if (!kShares || bar.volume == 0.0) return Cover{first, last, 0.0};
        // A count of bins below 2^63: converted as a signed integer, in one instruction.
        return Cover{first, last, bar.volume / static_cast<double>(static_cast<std::int64_t>(last - first + 1))};
    }

    FixedRing<Ohlcv> bars_;
    SlidingExtremes extremes_;
    FixedRing<Cover> covers_;  // the bars' covers on the grid below, in window order
    std::uint64_t bins_;
    std::uint64_t pushes_ = 0;
    std::uint64_t covered_at_ = 0;  // pushes_ when covers_ was last brought up to date
    double covered_lo_ = 0.0;       // the grid that covers_ belongs to
    double covered_width_ = 0.0;
    double covered_hi_ = 0.0;  // a bin edge in the decimals is decided on the range too
    std::vector<double> amounts_;  // scratch; its storage grows once to `bins`
};

template <bool kShares>
inline PriceGrid ProfileWindow::cover_bars() {
    const PriceGrid g = grid();
    if (!g.has_range()) return g;
    const bool same_grid =
        covered_at_ != 0 && g.lo() == covered_lo_ && g.width() == covered_width_ && g.hi() == covered_hi_;
    if (same_grid && pushes_ == covered_at_ + 1) {
        covers_.push(cover_of<kShares>(g, bars_.newest()));
    } else if (!same_grid || pushes_ != covered_at_) {
        covers_.clear();
        bars_.for_each([&](const Ohlcv& b) { covers_.push_back(cover_of<kShares>(g, b)); });
    }
    covered_at_ = pushes_;
    covered_lo_ = g.lo();
    covered_width_ = g.width();
    covered_hi_ = g.hi();
    return g;
}

inline PriceGrid ProfileWindow::volume_profile() {
    const PriceGrid g = cover_bars();
    if (!g.has_range()) return g;
    amounts_.resize(bins_);
    std::fill(amounts_.begin(), amounts_.end(), 0.0);
    double* amounts = amounts_.data();
    // The cover read into locals: the amounts cannot then be taken to alias it.
    covers_.for_each([amounts](const Cover& c) {
        const double share = c.share;
        const std::size_t last = c.last;
        for (std::size_t i = c.first; i <= last; ++i) amounts[i] += share;
    });
    return g;
}

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
        return Derived(ProfileWindow(period, bins));
    }

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        if (!window_.push(ctx.candle)) return std::nullopt;
        return std::array<double, 2>{window_.lo(), window_.hi()};
    }
    std::uint64_t warmup() const override { return window_.period(); }

protected:
    explicit RangeProfile(ProfileWindow window) : window_(std::move(window)) {}

    // Every accepted bar after the first value produces, so the window held now is
    // the one the last producing update saw.
    bool produced() const { return window_.bars().full(); }

    ProfileWindow window_;
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
            const double p = window_.lo();
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
