// The homodyne dominant-cycle estimator (a four-tap Hilbert transform), the
// phase measurement over a cycle's worth of smoothed prices, and the three cores
// built on them: dominant cycle, dominant-cycle phase and the MESA adaptive pair.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>

#include "indicators/error.hpp"

namespace torvex {

struct SinCos {
    double sin;
    double cos;
};

// Largest cycle length of the phase table.
inline constexpr std::size_t kMaxPhasorLength = 50;

// Rows 0..50 of (sin, cos) of 2πk/n, k = 0..n-1, all in one flat array.
struct DcPhasorTable {
    std::array<SinCos, kMaxPhasorLength * (kMaxPhasorLength + 1) / 2> pairs;
    std::array<std::size_t, kMaxPhasorLength + 2> row_start;  // row n is [start[n], start[n+1])
};

// The process-wide table, built once on first use (thread-safe) and read-only after.
const DcPhasorTable& dc_phasor_table();

// Row n (0..50) of the table: n pairs; a larger n is a programming error.
std::span<const SinCos> dc_phasor(std::size_t n);

// A list with a fixed cap, newest first: push inserts at index 0 and drops what
// falls beyond the cap.
template <std::size_t Cap>
class HistoryList {
public:
    void push(double v) {
        const std::size_t keep = (size_ < Cap) ? size_ : Cap - 1;
        for (std::size_t i = keep; i > 0; --i) data_[i] = data_[i - 1];
        data_[0] = v;
        if (size_ < Cap) size_ += 1;
    }
    double operator[](std::size_t i) const { return data_[i]; }
    std::size_t size() const { return size_; }
    bool full() const { return size_ == Cap; }

private:
    std::array<double, Cap> data_{};
    std::size_t size_ = 0;
};

// What one accepted close did to the estimator.
struct HomodyneStep {
    std::optional<double> smoothed;  // this bar's smoothed price, once 4 closes came
    bool smooth_full = false;        // the smoothed list held 7 values after the push
    bool period_updated = false;     // the whole estimator ran and `period` is new
    double in_phase = 0.0;           // i of this bar (detrender[3]) when period_updated
    double quadrature = 0.0;         // q of this bar when period_updated
};

// The homodyne period estimator shared by every cycle core.
class HomodyneEstimator {
public:
    // Runs the estimator on an accepted (finite) close; the caller guards x.
    HomodyneStep advance(double x);

    double period() const { return period_; }
    std::uint64_t count() const { return count_; }

private:
    HistoryList<4> price_;
    HistoryList<7> smooth_;
    HistoryList<7> detrender_;
    HistoryList<7> q1_;
    HistoryList<7> i1_;
    double i2_ = 0.0;
    double q2_ = 0.0;
    double re_ = 0.0;
    double im_ = 0.0;
    double period_ = 0.0;
    std::uint64_t count_ = 0;
};

struct DcPhase {
    std::size_t window;  // cycle length n used, 1..smooth_history.size()
    double phase;        // degrees
};

// Phase of the dominant cycle over the newest smoothed prices, with lag
// compensation by 360/smooth_period; smooth_history must not be empty.
DcPhase measure_dc_phase(const HistoryList<50>& smooth_history, double smooth_period);

// Smoothed dominant-cycle period; answers from the 50th accepted close on.
class HilbertDominantCycleCore {
public:
    // Refuses a non-finite close (no value, nothing changed).
    std::optional<double> step(double x);
    double smooth_period() const { return smooth_period_; }

private:
    HomodyneEstimator est_;
    double smooth_period_ = 0.0;
};

// Dominant-cycle phase in degrees; answers from the 50th accepted close on.
class HtDcPhaseCore {
public:
    // Refuses a non-finite close (no value, nothing changed).
    std::optional<double> step(double x);
    double smooth_period() const { return smooth_period_; }

private:
    HomodyneEstimator est_;
    HistoryList<50> smooth_history_;
    double smooth_period_ = 0.0;
};

struct MamaPoint {
    double mama;
    double fama;
};

// MESA adaptive moving average and its following average; answers from the 33rd
// accepted close on.
class MamaCore {
public:
    // Both finite and 0 < slow_limit <= fast_limit <= 1, else InvalidPeriod
    // "fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1".
    static std::expected<MamaCore, IndicatorError> create(double fast_limit, double slow_limit);

    // Refuses a non-finite close (no value, nothing changed).
    std::optional<MamaPoint> step(double x);

    double fast_limit() const { return fast_limit_; }
    double slow_limit() const { return slow_limit_; }

private:
    MamaCore(double fast_limit, double slow_limit) : fast_limit_(fast_limit), slow_limit_(slow_limit) {}

    HomodyneEstimator est_;
    double fast_limit_;
    double slow_limit_;
    double phase_ = 0.0;
    double mama_ = 0.0;
    double fama_ = 0.0;
};

}  // namespace torvex
