#include "indicators/profiles/high_low_volume_nodes.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, HighLowVolumeNodes, 2);

std::expected<HighLowVolumeNodes, IndicatorError> HighLowVolumeNodes::create(std::uint64_t period,
                                                                             std::uint64_t bins) {
    if (auto ok = check_profile_counts(period, bins); !ok) return std::unexpected(ok.error());
    if (auto ok = check_profile_bounds(period, bins); !ok) return std::unexpected(ok.error());
    return HighLowVolumeNodes(period, bins);
}

std::optional<std::array<double, 2>> HighLowVolumeNodes::step(const BarContext& ctx) {
    if (!window_.push(ctx.candle)) return std::nullopt;
    const PriceGrid grid = window_.volume_profile();
    if (!grid.has_range()) {
        const double p = grid.lo();
        return std::array<double, 2>{p, p};
    }
    const std::size_t poc = point_of_control(window_.amounts());
    return std::array<double, 2>{grid.centre(poc), grid.centre(low_volume_node(window_.amounts(), poc))};
}

}  // namespace torvex
