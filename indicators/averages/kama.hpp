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
    // this column and there is a last value, a bar's window is the n + 1 closes of
    // the column ending at it, and from there whole blocks of bars whose closes are
    // all finite are worked out together (see run_blocks). Everything else (filling,
    // refused closes, the end of the column) is stepped bar by bar. The rings are
    // brought up to date after each run of blocks with its last n + 1 bars, as
    // stepping would have left them.
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t count, double* __restrict out) {
        const std::size_t n = period_;
        std::size_t finite = 0;  // finite closes of this column, in a row, just before r
        std::size_t r = 0;
        while (r < count) {
            if (has_last_ && finite >= n && count - r >= kBlock && block_finite(closes + r)) {
                const std::size_t end = run_blocks(closes, r, count, out);
                for (std::size_t m = end - r > n + 1 ? end - (n + 1) : r; m < end; ++m) {
                    changes_.replace_oldest(std::fabs(closes[m] - closes[m - 1]));
                    closes_.replace_oldest(closes[m]);
                }
                finite += end - r;
                r = end;
                continue;
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
    // A block of the column: kGroups groups of kLanes bars.
    static constexpr std::size_t kLanes = 4;
    static constexpr std::size_t kGroups = 8;
    static constexpr std::size_t kBlock = kLanes * kGroups;

    // Whether the kBlock closes from c[0] are all finite: counted by a comparison
    // (NaN and both infinities fail it), which vectorises.
    [[gnu::always_inline]] static bool block_finite(const double* c) {
        constexpr double kMax = std::numeric_limits<double>::max();
        long refused = 0;
        for (std::size_t j = 0; j < kBlock; ++j) refused += !(std::fabs(c[j]) <= kMax);
        return refused == 0;
    }

    // The blocks from bar `from` on, as long as a whole block of finite closes
    // follows (the first one does, and the n closes before it are finite closes of
    // the column); answers the bar after the last. Each lane re-adds its own bar's n
    // changes from -0.0, oldest first, exactly as advance does, the lanes and the
    // groups of lanes being independent chains, and takes the smoothing constant
    // from its sum. The recurrence, which alone carries from bar to bar, runs over a
    // block while the next block's constants are worked out, interleaved group by
    // group, so that the independent work fills the time each bar waits on the one
    // before.
    [[gnu::always_inline]] std::size_t run_blocks(const double* closes, std::size_t from, std::size_t count,
                                                  double* __restrict out) {
        double weight[2][kBlock];
        for (std::size_t g = 0; g < kGroups; ++g) group_weights(closes + from + kLanes * g, weight[0] + kLanes * g);
        double last = last_;
        std::size_t at = from;  // the block whose constants are ready
        std::size_t ready = 0;  // where they are
        while (count - at >= 2 * kBlock && block_finite(closes + at + kBlock)) {
            const double* const pending = weight[ready];
            double* const next = weight[ready ^ 1];
            for (std::size_t g = 0; g < kGroups; ++g) {
                group_weights(closes + at + kBlock + kLanes * g, next + kLanes * g);
                for (std::size_t j = kLanes * g; j < kLanes * (g + 1); ++j) {
                    last = pending[j] * (closes[at + j] - last) + last;
                    out[at + j] = last;
                }
            }
            at += kBlock;
            ready ^= 1;
        }
        for (std::size_t j = 0; j < kBlock; ++j) {
            last = weight[ready][j] * (closes[at + j] - last) + last;
            out[at + j] = last;
        }
        last_ = last;
        return at + kBlock;
    }

    // sc * sc for the kLanes bars from c[0], each with its n + 1 closes before it:
    // lane j's i-th change is |c[j - n + 1 + i] - c[j - n + i]|.
    [[gnu::always_inline]] void group_weights(const double* c, double* weight) const {
        using Quad = double __attribute__((vector_size(kLanes * sizeof(double))));
        using Bits = std::int64_t __attribute__((vector_size(kLanes * sizeof(double))));
        constexpr std::int64_t kNoSign = std::numeric_limits<std::int64_t>::max();  // |x|: the sign bit cleared
        const double* const base = c - period_;
        Quad volatility = {-0.0, -0.0, -0.0, -0.0};
        for (std::size_t i = 0; i < period_; ++i) {
            Quad newer, older;
            std::memcpy(&newer, base + i + 1, sizeof newer);
            std::memcpy(&older, base + i, sizeof older);
            volatility += reinterpret_cast<Quad>(reinterpret_cast<Bits>(newer - older) & kNoSign);
        }
        Quad now, oldest;
        std::memcpy(&now, c, sizeof now);
        std::memcpy(&oldest, base, sizeof oldest);
        const Quad move = reinterpret_cast<Quad>(reinterpret_cast<Bits>(now - oldest) & kNoSign);
        const Quad er = volatility == 0.0 ? Quad{} : move / volatility;
        const Quad sc = (fast_sc_ - slow_sc_) * er + slow_sc_;
        const Quad sc2 = sc * sc;
        std::memcpy(weight, &sc2, sizeof sc2);
    }

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
