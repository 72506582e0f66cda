// Kaufman's adaptive moving average: the smoothing constant moves between a fast
// and a slow one with the efficiency ratio of the last n changes.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Kama final : public CloseIndicator<Kama> {
public:
    // n: efficiency period; fast must be below slow.
    static std::expected<Kama, IndicatorError> create(std::uint64_t n, std::uint64_t fast, std::uint64_t slow);

    // No input guard (the base refuses a non-finite close).
    std::optional<double> step(double close) {
        if (!advance(close)) return std::nullopt;
        return last_;
    }

    // The same step answering whether there is a value (then last_): the form the
    // hot loop uses, which passes nothing through memory.
    bool advance(double close) {
        if (closes_.full()) [[likely]] {
            changes_.replace_oldest(std::fabs(close - closes_.newest()));
            closes_.replace_oldest(close);
        } else {
            if (!closes_.empty()) changes_.push_back(std::fabs(close - closes_.newest()));
            closes_.push_back(close);
            if (!closes_.full()) return false;
        }
        // The volatility is re-added from the oldest change on every bar, the same
        // additions in the same order each time; each change is worked out once, as
        // it enters, since it is the same value whenever it is taken. The changes
        // are one contiguous run (mirrored ring), so the loop has the same length
        // on every bar and its exit is predicted. The additions form one chain, so
        // unrolling buys nothing; the plain loop stays small, which leaves room for
        // the next bars' sums to run alongside.
        double volatility = -0.0;
        const double* const changes = changes_.view().data();
#pragma GCC unroll 1
        for (std::uint64_t i = 0; i < period_; ++i) volatility += changes[i];
        const double oldest = closes_.front();
        const double er = volatility == 0.0 ? 0.0 : std::fabs(close - oldest) / volatility;
        const double sc = (fast_sc_ - slow_sc_) * er + slow_sc_;
        const double prev = has_last_ ? last_ : oldest;
        last_ = sc * sc * (close - prev) + prev;
        has_last_ = true;
        return true;
    }

    std::uint64_t warmup() const override { return period_ + 1; }

    // A whole close column. Once the last n closes before a bar are finite closes of
    // this column and there is a last value, a bar's window is n + 1 consecutive
    // closes of the column; then kBlock bars at a time (all finite) are worked out
    // together: each lane re-adds its own bar's changes exactly as advance does
    // (from -0.0, oldest first), the lanes and the groups of lanes being independent
    // chains that run side by side; the efficiency ratios and smoothing constants
    // follow lane by lane, and the recurrence, which alone carries from bar to bar,
    // runs over them in order. Everything else (filling, refused closes, the end of
    // the column) is stepped bar by bar. The rings are only brought up to date when
    // a run of blocks ends, with the last n + 1 bars it covered, as stepping would
    // have left them.
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t count, double* __restrict out) {
        using Quad = double __attribute__((vector_size(32)));
        using Bits = std::int64_t __attribute__((vector_size(32)));
        constexpr std::int64_t kNoSign = std::numeric_limits<std::int64_t>::max();  // |x|: the sign bit cleared
        constexpr std::size_t kLanes = 4;
        constexpr std::size_t kGroups = 8;
        constexpr std::size_t kBlock = kLanes * kGroups;
        constexpr double kMax = std::numeric_limits<double>::max();
        const std::size_t n = period_;
        const double span_sc = fast_sc_ - slow_sc_;
        std::size_t finite = 0;  // finite closes of this column, in a row, just before r
        std::size_t r = 0;
        while (r < count) {
            if (has_last_ && finite >= n && count - r >= kBlock) {
                const std::size_t from = r;
                double last = last_;
                while (count - r >= kBlock) {
                    // Counted by a comparison (NaN and both infinities fail it), which
                    // vectorises.
                    long refused = 0;
                    for (std::size_t j = 0; j < kBlock; ++j) refused += !(std::fabs(closes[r + j]) <= kMax);
                    if (refused != 0) break;
                    // Lane j of group g is bar r + kLanes * g + j; its i-th change is
                    // |c[bar - n + 1 + i] - c[bar - n + i]|.
                    const double* const base = closes + r - n;
                    Quad volatility[kGroups];
                    for (std::size_t g = 0; g < kGroups; ++g) volatility[g] = Quad{-0.0, -0.0, -0.0, -0.0};
                    for (std::size_t i = 0; i < n; ++i) {
                        for (std::size_t g = 0; g < kGroups; ++g) {
                            Quad newer, older;
                            std::memcpy(&newer, base + kLanes * g + i + 1, sizeof newer);
                            std::memcpy(&older, base + kLanes * g + i, sizeof older);
                            volatility[g] += reinterpret_cast<Quad>(reinterpret_cast<Bits>(newer - older) & kNoSign);
                        }
                    }
                    double weight[kBlock];
                    for (std::size_t g = 0; g < kGroups; ++g) {
                        Quad now, oldest;
                        std::memcpy(&now, closes + r + kLanes * g, sizeof now);
                        std::memcpy(&oldest, base + kLanes * g, sizeof oldest);
                        const Quad move = reinterpret_cast<Quad>(reinterpret_cast<Bits>(now - oldest) & kNoSign);
                        const Quad er = volatility[g] == 0.0 ? Quad{} : move / volatility[g];
                        const Quad sc = span_sc * er + slow_sc_;
                        const Quad sc2 = sc * sc;
                        std::memcpy(weight + kLanes * g, &sc2, sizeof sc2);
                    }
                    for (std::size_t j = 0; j < kBlock; ++j) {
                        last = weight[j] * (closes[r + j] - last) + last;
                        out[r + j] = last;
                    }
                    r += kBlock;
                }
                if (r != from) {
                    last_ = last;
                    finite += r - from;
                    for (std::size_t m = r - from > n + 1 ? r - (n + 1) : from; m < r; ++m) {
                        changes_.replace_oldest(std::fabs(closes[m] - closes[m - 1]));
                        closes_.replace_oldest(closes[m]);
                    }
                    continue;
                }
            }
            const double close = closes[r];
            if (is_finite(close)) {
                out[r] = advance(close) ? last_ : 0.0;
                finite += 1;
            } else {
                out[r] = 0.0;
                finite = 0;
            }
            r += 1;
        }
    }

private:
    Kama(std::uint64_t n, double fast_sc, double slow_sc)
        : closes_(n + 1), changes_(n), period_(n), fast_sc_(fast_sc), slow_sc_(slow_sc) {}

    FixedRing<double> closes_;   // the last n + 1 closes
    FixedRing<double, RingLayout::Mirrored> changes_;  // |close − previous close| of the last n bars
    std::uint64_t period_;
    double fast_sc_;
    double slow_sc_;
    double last_ = 0.0;
    bool has_last_ = false;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Kama);

}  // namespace torvex
