// Percentage price oscillator: the gap between a fast and a slow exponential
// average in percent of the slow one.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

// The fast and slow averages and the percent gap between them; shared with the
// histogram form, which smooths this line once more.
class PpoLine {
public:
    // Zero tests on both, then fast < slow ("PPO fast period must be < slow period"),
    // then slow against MAX_PERIOD (fast is below it).
    static std::expected<PpoLine, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    // No input guard. Both averages step on every close; the gap once both answer,
    // 0.0 while the slow average is exactly zero.
    std::optional<double> step(double x) {
        const auto fast = fast_.step(x);
        const auto slow = slow_.step(x);
        if (!slow || !fast) return std::nullopt;
        if (*slow == 0.0) return 0.0;
        return ((*fast - *slow) * 100.0) / *slow;
    }

    std::uint64_t slow_period() const { return slow_.period(); }

private:
    PpoLine(SeededEma fast, SeededEma slow) : fast_(fast), slow_(slow) {}

    SeededEma fast_;
    SeededEma slow_;
};

class Ppo final : public CloseIndicator<Ppo> {
public:
    static std::expected<Ppo, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    std::optional<double> step(double close) { return line_.step(close); }
    std::uint64_t warmup() const override { return line_.slow_period(); }

private:
    explicit Ppo(PpoLine line) : line_(line) {}
    PpoLine line_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Ppo);

}  // namespace torvex
