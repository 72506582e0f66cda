// Volume-synchronised probability of informed trading: trades fill buckets of
// `bucket_volume`; the answer is the mean buy/sell imbalance of the last `buckets`
// closed buckets, as a share of the bucket volume.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/flow/trade_feed.hpp"

namespace torvex {

class Vpin final : public TradeIndicator<Vpin> {
public:
    static std::expected<Vpin, IndicatorError> create(double bucket_volume, std::uint64_t buckets);

    std::optional<double> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return 1; }

private:
    Vpin(double bucket_volume, std::uint64_t buckets)
        : imbalances_(buckets), bucket_volume_(bucket_volume), buckets_(buckets), clock_(buckets) {}

    void place(double volume, bool sell);
    void close_bucket();

    CappedRing<double> imbalances_;
    double bucket_volume_;
    std::uint64_t buckets_;
    double buy_ = 0.0;
    double sell_ = 0.0;
    double filled_ = 0.0;
    double sum_ = 0.0;
    // Re-adds the imbalances every `buckets` buckets and when their sum has fallen
    // far below its recent size.
    ResumClock clock_;
};

}  // namespace torvex
