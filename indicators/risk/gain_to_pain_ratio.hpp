// Sum of the last n returns over the summed magnitude of their losses.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class GainToPainRatio final : public CloseIndicator<GainToPainRatio> {
public:
    // Z then M on n.
    static std::expected<GainToPainRatio, IndicatorError> create(std::uint64_t n);

    // sum / pain (the loss total); 0.0 when no negative return is held.
    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        // A window without losses is told by its count: the running pain can keep a
        // rounding residue after the last loss has left.
        if (window_.losses() == 0) return 0.0;
        const double pain = window_.loss_total();
        return pain > 0.0 ? window_.sum() / pain : 0.0;
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit GainToPainRatio(std::uint64_t n) : window_(n) {}

    ReturnWindow window_;
};

}  // namespace torvex
