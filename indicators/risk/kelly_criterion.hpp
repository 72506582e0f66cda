// Kelly fraction of the last n returns: W − (1 − W) / R.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class KellyCriterion final : public WindowScan<KellyCriterion> {
public:
    // Z then M on n.
    static std::expected<KellyCriterion, IndicatorError> create(std::uint64_t n);

    // W = wins / n (zeros count in n); W without losses, −1.0 without wins,
    // otherwise W − (1 − W) / R with R the average win over the average loss.
    double evaluate(const ValueRing& window) const;

private:
    explicit KellyCriterion(std::uint64_t n) : WindowScan(n) {}
};

}  // namespace torvex
