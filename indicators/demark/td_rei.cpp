#include "indicators/demark/td_rei.hpp"

namespace torvex {

std::expected<TdRei, IndicatorError> TdRei::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TdRei(n);
}

}  // namespace torvex
