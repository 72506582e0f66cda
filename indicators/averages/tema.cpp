#include "indicators/averages/tema.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Tema);

std::expected<Tema, IndicatorError> Tema::create(std::uint64_t n) {
    auto chain = EmaChain<3>::create(n);
    if (!chain) return std::unexpected(chain.error());
    return Tema(std::move(*chain));
}

}  // namespace torvex
