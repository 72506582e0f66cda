// Simple moving average of the close, and its running-sum core that many indicators
// embed.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/resum_clock.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

// Running mean over a ring of n values. The sum is re-added from the ring every
// 16·n updates so rounding drift cannot accumulate, and as a value that outweighed
// the sum leaves (see ResumClock).
class SmaCore {
public:
    static std::expected<SmaCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed); the mean once n values came.
    std::optional<double> step(double x);

    std::uint64_t period() const { return period_; }
    std::uint64_t count() const { return count_; }

private:
    explicit SmaCore(std::uint64_t n) : buf_(n, 0.0), period_(n), clock_(n, 16 * n) {}

    std::vector<double> buf_;
    std::uint64_t period_;
    std::uint64_t head_ = 0;
    std::uint64_t count_ = 0;
    double sum_ = 0.0;
    ResumClock clock_;
};

class Sma final : public CloseIndicator<Sma> {
public:
    static std::expected<Sma, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit Sma(SmaCore core) : core_(std::move(core)) {}
    SmaCore core_;
};

}  // namespace torvex
