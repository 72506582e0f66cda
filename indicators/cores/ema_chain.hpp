// A chain of seeded exponential averages of one length, each fed by the one
// before: the body shared by the single, triple and volume-factor averages.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/bar.hpp"
#include "indicators/indicator.hpp"
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
    // For an owner that rescales the stages' values (a group of decaying states).
    void set_value(std::size_t i, double v) { stages_[i].set_value(v); }
    bool seeded() const { return stages_[K - 1].seeded(); }

    // Warms the chain bar by bar through the owner's `step` until every stage is seeded,
    // then runs the seeded chain with its values in registers: out[r] is what `step`
    // gives for closes[r] (0.0 for nothing), where `answer` forms the owner's value from
    // the stage values once they all advanced. The seeded form keeps each stage's value
    // where its next step reads it, so nothing but the smoothing is on the chain from
    // one bar to the next.
    template <class Step, class Answer>
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out, Step step,
                                       Answer answer) {
        std::size_t r = 0;
        for (; r < n && !seeded(); ++r) out[r] = is_finite(closes[r]) ? step(closes[r]).value_or(0.0) : 0.0;
        if (r == n) return;
        // Every stage has the same length, so one factor pair serves them all.
        const double alpha = stages_[0].alpha(), keep = stages_[0].one_minus_alpha();
        std::array<double, K> v;
        for (std::size_t i = 0; i < K; ++i) v[i] = stages_[i].value();
        for (; r < n; ++r) {
            const double x = closes[r];
            if (!is_finite(x)) [[unlikely]] {
                out[r] = 0.0;
                continue;
            }
            // Every stage adds a positive share of its input, so a stage that overflows
            // (or starts from a non-finite value) hands a non-finite value to every later
            // one: a finite last stage means every stage is finite, and the chain took
            // exactly the steps of `advance`. Otherwise the bar is stepped again from the
            // values before it, testing each stage as `advance` does. (A long chain keeps
            // the tests: two copies of its values no longer fit in registers.)
            if constexpr (K <= 3) {
                std::array<double, K> next;
                double input = x;
                for (std::size_t i = 0; i < K; ++i) {
                    next[i] = std::fma(alpha, input, keep * v[i]);
                    input = next[i];
                }
                if (is_finite(next[K - 1])) [[likely]] {
                    v = next;
                    out[r] = answer(v);
                    continue;
                }
            }
            double input = x;
            bool all = true;
            for (std::size_t i = 0; i < K; ++i) {
                v[i] = std::fma(alpha, input, keep * v[i]);
                input = v[i];
                if (i + 1 < K && !is_finite(input)) {
                    all = false;
                    break;
                }
            }
            out[r] = all ? answer(v) : 0.0;
        }
        for (std::size_t i = 0; i < K; ++i) stages_[i].set_value(v[i]);
    }

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
