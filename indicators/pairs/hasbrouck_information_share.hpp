// Hasbrouck information share of the close in a two-price error-correction model of
// the close and the reference over the last `period` bars: the midpoint of the
// shares under the two orderings of the Cholesky factor. 0.5 when the model is
// degenerate.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/exact_gram.hpp"
#include "indicators/cores/normal_equations.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class HasbrouckInformationShare final : public PairIndicator<HasbrouckInformationShare> {
public:
    static std::expected<HasbrouckInformationShare, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_ + 2; }

private:
    explicit HasbrouckInformationShare(std::uint64_t period) : records_(period), period_(period), gram_(6), rotated_(6) {}

    struct Record {
        double dc;   // close change
        double dr;   // reference change
        double z;    // previous gap close − reference
        double dc1;  // previous close change
        double dr1;  // previous reference change
        // The pair two bars back, whose prices the exact decision reads: the changes
        // above are roundings of the differences of the prices as they were written.
        PairInput earliest;
    };

    static bool same_regressors(const Record& x, const Record& y) {
        return x.z == y.z && x.dc1 == y.dc1 && x.dr1 == y.dr1;
    }

    double share() const;

    // The share of a regular model whose normal equations are refused or in doubt,
    // from the rotated rows of [1, z − z0, dc1, dr1, dc, dr], z0 the newest gap.
    [[gnu::noinline]] double rotated_share() const;

    // Whether the regressions of the changes on the records are, in exact arithmetic,
    // singular or an exact fit of either change, by the count of the distinct records
    // (indicators/cores/distinct_rows.hpp).
    bool degenerate_rows() const;

    // Whether, in exact arithmetic, the model is degenerate: the regressors singular, a
    // change fitted exactly, or D = 0. Decided on the window's prices, for a model in
    // doubt.
    [[gnu::noinline]] bool degenerate_exactly() const;

    PairInput older_{0.0, 0.0};
    PairInput newer_{0.0, 0.0};
    std::uint64_t accepted_ = 0;  // counts up to 2 only
    CappedRing<Record> records_;
    std::uint64_t period_;
    std::uint64_t distinct_newest_ = 0;  // newest records distinct from each other, at most 5
    mutable ModularGram gram_;  // scratch of the exact decision
    mutable RotatedRows rotated_;  // scratch of the rotated solve
};

}  // namespace torvex
