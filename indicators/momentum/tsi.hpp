// True strength index: the one-bar momentum smoothed twice, over its magnitude
// smoothed the same way, in percent.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class Tsi final : public CloseIndicator<Tsi> {
public:
    // r: first smoothing, s: second smoothing.
    static std::expected<Tsi, IndicatorError> create(std::uint64_t r, std::uint64_t s);

    std::optional<double> step(double x) {
        if (!prev_) {
            prev_ = x;
            return std::nullopt;
        }
        const double m = x - *prev_;
        prev_ = x;
        if (!is_finite(m)) return std::nullopt;

        std::optional<double> num;
        const auto a = momentum1_.step(m);
        if (a && is_finite(*a)) {
            if (const auto b = momentum2_.step(*a)) num = *b * 100.0;
        }
        // The magnitude chain steps whatever the momentum chain did on this bar.
        const auto c = magnitude1_.step(std::fabs(m));
        if (!c || !is_finite(*c)) return std::nullopt;
        const auto d = magnitude2_.step(*c);
        if (!d || !num) return std::nullopt;
        if (*d == 0.0) return 0.0;
        return *num / *d;
    }
    std::uint64_t warmup() const override { return momentum1_.period() + momentum2_.period(); }

private:
    Tsi(std::uint64_t r, std::uint64_t s) : momentum1_(r), momentum2_(s), magnitude1_(r), magnitude2_(s) {}

    std::optional<double> prev_;
    SeededEma momentum1_;
    SeededEma momentum2_;
    SeededEma magnitude1_;
    SeededEma magnitude2_;
};

}  // namespace torvex
