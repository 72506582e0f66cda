// A chain of seeded exponential averages of one length, each fed by the one
// before: the body shared by the single, triple and volume-factor averages.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/bar.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

template <std::size_t K>
class EmaChain {
public:
    static_assert(K > 0);

    static std::expected<EmaChain, IndicatorError> create(std::uint64_t n) {
        if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
        return EmaChain(n, std::make_index_sequence<K>{});
    }

    // Steps the stages in order with x (already tested by the caller). The chain
    // ends with nothing at the first stage that has no value yet, and when a stage
    // other than the last answers a non-finite value: an overflowed stage must not
    // feed, and so never corrupt, the stages after it.
    std::optional<std::array<double, K>> step(double x) {
        if (!advance(x)) return std::nullopt;
        std::array<double, K> out{};
        for (std::size_t i = 0; i < K; ++i) out[i] = stages_[i].value();
        return out;
    }

    // The same step answering whether every stage has a value (then value(i)).
    bool advance(double x) {
        if (stages_[K - 1].seeded()) [[likely]] return advance_seeded(x);
        return advance_warming(x);
    }
    double value(std::size_t i) const { return stages_[i].value(); }

    // Each stage after the first starts one bar after its feeder has its first
    // value: K·(n − 1) + 1 bars in all.
    std::uint64_t warmup() const { return K * (stages_[0].period() - 1) + 1; }

private:
    template <std::size_t... Is>
    EmaChain(std::uint64_t n, std::index_sequence<Is...>) : stages_{((void)Is, SeededEma(n))...} {}

    // Once the last stage has its seed, so has every stage before it: each stage
    // smooths, with no seeding tests in the way of the chain of averages.
    bool advance_seeded(double x) {
        double input = x;
        for (std::size_t i = 0; i < K; ++i) {
            stages_[i].smooth(input);
            input = stages_[i].value();
            if (i + 1 < K && !is_finite(input)) return false;
        }
        return true;
    }

    bool advance_warming(double x) {
        double input = x;
        for (std::size_t i = 0; i < K; ++i) {
            if (!stages_[i].feed(input)) return false;
            input = stages_[i].value();
            if (i + 1 < K && !is_finite(input)) return false;
        }
        return true;
    }

    std::array<SeededEma, K> stages_;
};

}  // namespace torvex
