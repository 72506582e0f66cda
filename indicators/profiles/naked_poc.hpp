// Naked point of control: the volume point of control of every completed block of n
// bars stays "naked" until a later bar's range touches it; the answer is the naked
// point nearest to the close (the older on a tie), or the close when none is left.
#pragma once

#include <cstdint>
#include <expected>
#include <map>
#include <optional>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class NakedPoc final : public CandleIndicator<NakedPoc> {
public:
    // n == 0 or bins == 0: ZeroPeriod; either above MAX_PERIOD: the maximum text.
    static std::expected<NakedPoc, IndicatorError> create(std::uint64_t n, std::uint64_t bins);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return n_; }

private:
    NakedPoc(std::uint64_t n, std::uint64_t bins) : block_(n), n_(n), bins_(bins) { profile_.reserve(bins); }

    struct NakedPoint;
    using NakedMap = std::map<double, NakedPoint>;

    // naked_.lower_bound(x). A price beyond every point, as on a trend that never
    // comes back, is answered from the first or the last point, without a descent of
    // the tree (whose depth grows with the points a trend leaves behind).
    NakedMap::iterator first_not_below(double x);
    // The nearest untouched point to the close, the older one among equal distances;
    // `above` is the first point not below the close.
    double nearest_naked(NakedMap::const_iterator above) const;

    // An untouched point as first made: the order in which its block completed, and
    // its price bit for bit (-0.0 and +0.0 share a key).
    struct NakedPoint {
        std::uint64_t order;
        double price;
    };

    FixedRing<Ohlcv> block_;
    // Untouched points by price. A later point at an equal price is dropped: it
    // leaves together with the older one and loses every tie to it.
    NakedMap naked_;
    std::uint64_t blocks_done_ = 0;
    std::uint64_t n_;
    std::uint64_t bins_;
    double last_close_ = 0.0;
    bool block_seen_ = false;
    std::vector<double> profile_;  // scratch for the block's volume profile
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, NakedPoc);

}  // namespace torvex
