#include "indicators/flow/vpin.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<Vpin, IndicatorError> Vpin::create(double bucket_volume, std::uint64_t buckets) {
    if (auto ok = check_period(buckets); !ok) return std::unexpected(ok.error());
    if (!is_finite(bucket_volume) || !(bucket_volume > 0.0))
        return std::unexpected(IndicatorError::invalid_parameter("VPIN bucket_volume must be finite and positive"));
    return Vpin(bucket_volume, buckets);
}

void Vpin::close_bucket() {
    const double imbalance = std::fabs(buy_ - sell_);
    if (const std::optional<double> left = imbalances_.push(imbalance)) sum_ -= *left;
    sum_ += imbalance;
    if (clock_.tick(sum_)) {
        double s = 0.0;
        imbalances_.for_each([&s](double v) { s += v; });
        sum_ = s;
        settle_window(clock_, imbalances_, buckets_, sum_);
    }
    buy_ = 0.0;
    sell_ = 0.0;
    filled_ = 0.0;
}

void Vpin::place(double volume, bool sell) {
    const double v = bucket_volume_;
    const double n = static_cast<double>(buckets_);
    const double room = v - filled_;
    // Only the last n buckets count, so a huge print is cut to what fills them (its
    // remainder modulo a bucket is kept, so the open bucket ends as it would).
    if (std::isinf(volume)) {
        volume = room + v * n;
    } else if (volume > room && (volume - room) / v > n) {
        volume = room + v * n + std::fmod(volume - room, v);
    }
    // When v·n overflows the cut volume is infinite; no print can close more than
    // n + 1 buckets that matter, so the work stops there.
    std::uint64_t closed = 0;
    double remaining = volume;
    while (remaining > 0.0 && closed <= buckets_ + 1) {
        const double take = std::min(v - filled_, remaining);
        if (sell) {
            sell_ += take;
        } else {
            buy_ += take;
        }
        filled_ += take;
        if (filled_ >= v) {
            close_bucket();
            closed += 1;
        }
        remaining -= take;
    }
}

std::optional<double> Vpin::step(const BarContext& ctx) {
    for (const Trade& t : ctx.trades) place(t.quantity, t.is_sell);
    if (!imbalances_.full()) return std::nullopt;
    const double capacity = static_cast<double>(buckets_) * bucket_volume_;
    if (is_finite(capacity)) return sum_ / capacity;
    // Buckets so large that n of them overflow: each imbalance is scaled first.
    double share = 0.0;
    imbalances_.for_each([&](double v) { share += v / bucket_volume_; });
    return share / static_cast<double>(buckets_);
}

}  // namespace torvex
