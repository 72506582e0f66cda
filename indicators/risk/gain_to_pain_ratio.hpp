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
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit GainToPainRatio(std::uint64_t n) : window_(n) {}

    ReturnWindow window_;
};

}  // namespace torvex
