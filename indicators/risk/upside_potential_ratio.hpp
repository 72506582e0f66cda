// Mean upside above a minimum acceptable return over the downside deviation below it.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/value_ring.hpp"
#include "indicators/risk/window_measures.hpp"

namespace torvex {

class UpsidePotentialRatio final : public CloseIndicator<UpsidePotentialRatio> {
public:
    // n below 2: InvalidPeriod "upside potential ratio needs period >= 2"; M; then
    // mar finite, else InvalidParameter "mar must be finite".
    static std::expected<UpsidePotentialRatio, IndicatorError> create(std::uint64_t n, double mar);

    // (Σ max(v − mar, 0) / n) / √(Σ min(v − mar, 0)² / n); 0.0 with no return below mar.
    std::optional<double> step(double close) {
        if (const auto old = window_.push(close)) {
            const double d = *old - mar_;
            const double down = min_num(d, 0.0);
            up_sum_ = up_sum_ - max_num(d, 0.0);
            down_sq_sum_ = down_sq_sum_ - down * down;
            if (d < 0.0) below_ -= 1;
        }
        const double d = close - mar_;
        const double down = min_num(d, 0.0);
        up_sum_ = max_num(d, 0.0) + up_sum_;
        down_sq_sum_ = down * down + down_sq_sum_;
        if (d < 0.0) below_ += 1;
        if (clock_.tick(up_sum_, down_sq_sum_)) {
            up_sum_ = -0.0;
            down_sq_sum_ = -0.0;
            window_.for_each([this](double v) {
                const double dv = v - mar_;
                const double dn = min_num(dv, 0.0);
                up_sum_ += max_num(dv, 0.0);
                down_sq_sum_ += dn * dn;
            });
            clock_.settle(
                ResumClock::first_leaves(window_.capacity(), window_.size()),
                [this](auto&& fn) {
                    window_.for_each([&](double v) {
                        const double dv = v - mar_;
                        const double dn = min_num(dv, 0.0);
                        fn(max_num(dv, 0.0), dn * dn);
                    });
                },
                up_sum_, down_sq_sum_);
        }
        if (!window_.full()) return std::nullopt;
        const double nf = static_cast<double>(window_.capacity());
        // No downside is told by the count: the running sum of squares can keep a
        // rounding residue after the last return below mar has left.
        if (below_ == 0) return 0.0;
        const double dv = down_sq_sum_ / nf;
        if (dv <= 0.0) return 0.0;
        return (up_sum_ / nf) / std::sqrt(dv);
    }
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    UpsidePotentialRatio(std::uint64_t n, double mar) : window_(n), mar_(mar), clock_(n) {}

    ValueRing window_;
    double mar_;
    double up_sum_ = 0.0;
    double down_sq_sum_ = 0.0;
    std::uint64_t below_ = 0;  // returns in the window below mar
    // Both sums are re-added from the window every n updates and as a value that
    // dwarfed them leaves, so that a window without downside finds its downside sum
    // exactly 0 again as soon as a huge value has left.
    ResumClock clock_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, UpsidePotentialRatio);

}  // namespace torvex
