// Rolling least-squares line over the last n values, and the position sums that
// every regression over positions 0 (oldest) to n - 1 (newest) shares.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/bar.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/four_recentrings.hpp"
#include "indicators/error.hpp"
#include "indicators/cores/shifted_sums.hpp"

namespace torvex {

// Sums over the positions 0..n-1, in f64 (the integer products would overflow
// for long windows).
struct PositionSums {
    double n;       // the window length as f64
    double sum_x;   // Σi = 0.5·((n − 1)·n)
    double sum_x2;  // Σi² = ((2n − 1)·((n − 1)·n)) / 6
    double denom;   // n·Σi² − Σi·Σi

    static PositionSums of(std::uint64_t n);
};

// Slope and value at position 0 of the least-squares line through (i, y_i - centre),
// the window visited oldest first (position 0) by `for_each`; the window holds pos.n
// values.
struct LineFit {
    double slope;
    double intercept;
};

template <class Window>
LineFit fit_about(const Window& window, double centre, const PositionSums& pos) {
    double d = 0.0;  // Σ (y - centre)
    double p = 0.0;  // Σ i·(y - centre)
    double i = 0.0;
    window.for_each([&](double y) {
        const double dev = y - centre;
        d += dev;
        p += i * dev;
        i += 1.0;
    });
    const double slope = (p * pos.n - d * pos.sum_x) / pos.denom;
    return LineFit{slope, (d - slope * pos.sum_x) / pos.n};
}

// The sums Σ(v − m), Σ(v − m)² and Σ i·(v − m) about m, each re-added from 0.0 over
// the window oldest first (i from 0).
struct LineSums {
    double s1;
    double s2;
    double sxy;
};
inline LineSums line_sums_about(FixedRing<double>::Runs window, double m) {
    LineSums r{0.0, 0.0, 0.0};
    double pos = 0.0;
    const auto add = [&](double v) {
        const double d = v - m;
        r.s1 += d;
        r.s2 += d * d;
        r.sxy += pos * d;
        pos += 1.0;
    };
    // Unrolled: the re-add comes every n bars, and its loop's own counting weighs
    // on the column loop's throughput. The additions keep their order.
#pragma GCC unroll 4
    for (double v : window.first) add(v);
#pragma GCC unroll 4
    for (double v : window.second) add(v);
    return r;
}

// The sums a fit is read from at one bar: the anchor, Σ(y − shift) and Σ i·(y − shift).
// V is double for one bar, or a vector of doubles for several bars side by side (each
// lane then takes exactly the operations of one bar).
template <class V>
struct LineAt {
    V shift;
    V s1;
    V sxy;
};

// Least-squares fit of the window against its positions, kept with shifted sums
// Σ(y − shift) and Σ i·(y − shift) re-centred on the window mean every n updates.
class LinRegCore {
public:
    // n below 2: InvalidPeriod "linear regression needs period >= 2"; above
    // MAX_PERIOD: InvalidPeriod. Owners that answer ZeroPeriod for 0 test it first.
    static std::expected<LinRegCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite y (no value, nothing changed); once n values came, the
    // line's value at the newest position. Inlined whole into the owners' column loops,
    // re-centring included: a call would clobber every vector register and push the
    // sums out to memory for the whole loop.
    [[gnu::always_inline]] std::optional<double> step(double y) {
        if (!advance(y)) return std::nullopt;
        return value();
    }

    // The same step answering whether the window is full (then slope(), intercept()
    // and value()): an owner works out only what it reads of the line.
    [[gnu::always_inline]] bool advance(double y) {
        if (!is_finite(y)) return false;
        if (!window_.full()) [[unlikely]] return fill(y);
        const double o = window_.replace_oldest(y);
        slide(carry_, o, y, pos_.n - 1.0);
        if (carry_.sums.recenter_due_stepped(period_, pos_.n, y)) [[unlikely]] recenter_one_by_one();
        return true;
    }

    // The fit of the current window (meaningful once it is full), and the line read
    // from it: slope, intercept (value at position 0) and value at the newest position.
    LineAt<double> line() const { return {carry_.sums.shift(), carry_.sums.s1(), carry_.sxy}; }
    template <class V>
    V slope(const LineAt<V>& l) const {
        return (pos_.n * l.sxy - pos_.sum_x * l.s1) / pos_.denom;
    }
    template <class V>
    V intercept(const LineAt<V>& l) const {
        return l.shift + (l.s1 - pos_.sum_x * slope(l)) / pos_.n;
    }
    template <class V>
    V value(const LineAt<V>& l) const {
        return (pos_.n - 1.0) * slope(l) + intercept(l);
    }
    double value() const { return value(line()); }
    double slope() const { return slope(line()); }
    double intercept() const { return intercept(line()); }

    // A contiguous column of values (refused ones included): out[r] is what advance
    // and then `answer(line())` give for values[r], 0.0 for no value. `answer` takes
    // a LineAt<double> or a LineAt<Lanes> and reads the line through slope, intercept
    // and value.
    //
    // Once the window holds the last n values of the column, the bars up to the next
    // refused value go in blocks of three passes: the block's periodic re-centrings,
    // which depend on their windows alone; the sums bar by bar, the leaving value read
    // from the column and the state in local variables, each bar's sums kept and each
    // period's last bar taking its re-centring; then the answers several bars at a
    // time in vector lanes, the divisions packed. The ring is brought up to date after
    // each such run with its last n values. Everything else (filling, refused values,
    // values beyond the tame range and the n values after one) goes through advance.
    static constexpr std::size_t kLanes = 2;
    using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));
    template <class Answer>
    [[gnu::always_inline]] inline void run_values(const double* values, std::size_t count, double* __restrict out,
                                                  Answer answer) {
        const std::size_t n = period_;
        std::size_t tame = 0;  // tame values of this column, in a row, just before r
        std::size_t r = 0;
        while (r < count) {
            if (tame >= n && window_.full()) {
                const std::size_t end = ShiftedSums::tame_run_end(values, r, count);
                if (end > r) {
                    run_full(values, r, end, out, answer);
                    for (std::size_t m = end - r > n ? end - n : r; m < end; ++m) window_.replace_oldest(values[m]);
                    tame += end - r;
                    r = end;
                    continue;
                }
            }
            const double y = values[r];
            if (is_finite(y)) {
                out[r] = advance(y) ? answer(line()) : 0.0;
                tame = ShiftedSums::is_tame(y) ? tame + 1 : 0;
            } else {
                out[r] = 0.0;
                tame = 0;
            }
            r += 1;
        }
    }

    std::uint64_t period() const { return period_; }
    const PositionSums& positions() const { return pos_; }
    const FixedRing<double>& window() const { return window_; }
    // Σ(y − shift) and Σ(y − shift)² about the current anchor.
    const ShiftedSums& sums() const { return carry_.sums; }

private:
    // What a step carries to the next.
    struct Carry {
        ShiftedSums sums;        // s1 is Σ(y − shift)
        double sxy = 0.0;        // Σ i·(y − shift)
        double base = 0.0;       // the first value of the current re-centring period
        double relative = 0.0;   // Σ(y − base) over the period so far, from 0.0
    };

    // Bars taken together in the column loop's passes.
    static constexpr std::size_t kBlock = 64;

    // One step of a full window: o leaves, y comes. Every remaining position drops by
    // one: subtract the old Σ(y − shift) less the leaving deviation.
    [[gnu::always_inline]] static void slide(Carry& c, double o, double y, double n_less_1) {
        const double d_o = o - c.sums.shift();
        c.sxy = d_o + (c.sxy - c.sums.s1());
        c.sums.remove(o);
        follow_period(c, y);
        const double d = c.sums.add_anchored(y);
        c.sxy = n_less_1 * d + c.sxy;
    }

    // The same step's sums alone, inside a re-centring period whose updates its owner
    // counts itself (ShiftedSums::count_updates) and whose base and relative it takes
    // from the values (the column loop's stretches).
    [[gnu::always_inline]] static void slide_sums(Carry& c, double o, double y, double n_less_1) {
        const double d_o = o - c.sums.shift();
        c.sxy = d_o + (c.sxy - c.sums.s1());
        c.sums.remove(o);
        const double d = c.sums.add_uncounted(y);
        c.sxy = n_less_1 * d + c.sxy;
    }

    // The step while the window fills (the first n values).
    [[gnu::always_inline]] bool fill(double y) {
        const double i = static_cast<double>(window_.size());
        window_.push_back(y);
        follow_period(carry_, y);
        const double d = carry_.sums.add(y);
        carry_.sxy = i * d + carry_.sxy;
        if (carry_.sums.recenter_due(period_, window_.size(), y)) recenter_one_by_one();
        return window_.full();
    }

    // The mean of the window that the next periodic re-centring sees (the n values
    // from the one that starts the period on), taken as the values come, exactly as
    // window_mean takes it from the oldest.
    [[gnu::always_inline]] static void follow_period(Carry& c, double y) {
        const bool starts = c.sums.since_recenter() == 0;
        c.base = starts ? y : c.base;
        c.relative = (starts ? 0.0 : c.relative) + (y - c.base);
    }

    // Moves the anchor to the window mean and re-adds the three sums about it. A
    // periodic re-centring (the clock is back at 0) sees exactly the period's values,
    // whose mean relative to the first is already summed. `n`: the full window's
    // length in f64.
    [[gnu::always_inline]] static void recenter(Carry& c, FixedRing<double>::Runs runs, double n) {
        double m = c.base + c.relative / n;
        if (c.sums.since_recenter() != 0 || !is_finite(m)) {
            m = window_mean(runs.first.size() + runs.second.size(), [&](auto&& fn) {
                for (double v : runs.first) fn(v);
                for (double v : runs.second) fn(v);
            });
        }
        m = ShiftedSums::anchor_for(m, runs.first.size() + runs.second.size(), [&](auto&& fn) {
            for (double v : runs.first) fn(v);
            for (double v : runs.second) fn(v);
        });
        const LineSums r = line_sums_about(runs, m);
        c.sums.take_recentered(m, r.s1, r.s2, runs.first.size() + runs.second.size(), [&](auto&& fn) {
            for (double v : runs.first) fn(v);
            for (double v : runs.second) fn(v);
        });
        c.sxy = r.sxy;
    }

    // The re-centring of the values that come one by one: they may lie beyond the
    // tame range, whose squares may overflow Σd² into a sum that no update brings
    // back; the next re-centring then comes as the newest such value leaves. (The
    // column's roads hold tame values only.)
    [[gnu::always_inline]] void recenter_one_by_one() {
        recenter(carry_, window_.runs(), pos_.n);
        if (!(std::fabs(carry_.sums.s2()) <= std::numeric_limits<double>::max())) [[unlikely]]
            wait_for_wild(carry_, window_.runs());
    }

    // Out of line: rare, and the loops that re-centre keep their registers. The period
    // it starts does not begin where follow_period's did: the re-centring that ends it
    // takes the window mean (a NaN base makes the followed one NaN).
    [[gnu::noinline]] static void wait_for_wild(Carry& c, FixedRing<double>::Runs runs) {
        c.sums.wait_for_wild_to_leave(runs.first.size() + runs.second.size(), [&](auto&& fn) {
            for (double v : runs.first) fn(v);
            for (double v : runs.second) fn(v);
        });
        c.base = std::numeric_limits<double>::quiet_NaN();
    }

    // Σ(v − v[0]) over `count` values from v, from 0.0 in order: the relative sum
    // follow_period keeps for a period whose values these are.
    static double relative_to_first(const double* v, std::size_t count) {
        double relative = 0.0;
        for (std::size_t k = 0; k < count; ++k) relative = relative + (v[k] - v[0]);
        return relative;
    }

    // The periodic re-centring at the end of a period whose n values lie at
    // `window`, worked out from those values alone: the anchor and the three sums
    // about it, as recenter gives them.
    struct Recentred {
        double m;
        LineSums sums;
    };
    static Recentred periodic_recentring(const double* window, std::size_t n, double nf) {
        Carry c;  // its clock at 0, as at the end of a period
        c.base = window[0];
        c.relative = relative_to_first(window, n);
        recenter(c, FixedRing<double>::Runs{{window, n}, {}}, nf);
        return {c.sums.shift(), LineSums{c.sums.s1(), c.sums.s2(), c.sxy}};
    }

    // periodic_recentring of the four windows of n values that follow one another from
    // `first` (see recentre_four).
    [[gnu::always_inline]] static void periodic_recentrings4(const double* first, std::size_t n, double nf,
                                                             Recentred* out) {
        const double* const w[4] = {first, first + n, first + 2 * n, first + 3 * n};
        const FourRecentrings got = recentre_four<true>(w, n, nf);
        for (std::size_t k = 0; k < 4; ++k)
            out[k] = Recentred{got.mean[k], LineSums{got.s1[k], got.s2[k], got.sxy[k]}};
    }

    // Bars r to end - 1, all tame, the window holding values[r - n] to values[r - 1].
    template <class Answer>
    [[gnu::always_inline]] void run_full(const double* values, std::size_t r, std::size_t end,
                                         double* __restrict out, Answer answer) {
        const std::size_t n = period_;
        const std::uint64_t period = period_;
        const double nf = pos_.n;
        const double n_less_1 = nf - 1.0;
        Carry c = carry_;
        alignas(32) double shift[kBlock];
        alignas(32) double s1[kBlock];
        alignas(32) double sxy[kBlock];
        Recentred due[kBlock / 2];  // a period is at least two bars long
        while (r < end) {
            const std::size_t len = end - r < kBlock ? end - r : kBlock;
            const auto keep = [&](std::size_t j) {
                shift[j] = c.sums.shift();
                s1[j] = c.sums.s1();
                sxy[j] = c.sxy;
            };
            const auto window_to = [&](std::size_t at) { return FixedRing<double>::Runs{{values + at + 1 - n, n}, {}}; };
            // The block's periodic re-centrings first, four at a time where four fall in
            // it: each hangs on its own n values alone, so they are worked out side by
            // side instead of holding up the running sums at the end of every period.
            const std::uint64_t since_at_start = c.sums.since_recenter();
            std::size_t dues = 0;
            {
                std::size_t j = static_cast<std::size_t>(period - 1 - since_at_start);
                for (; j + 3 * n < len; j += 4 * n, dues += 4)
                    periodic_recentrings4(values + r + j + 1 - n, n, nf, due + dues);
                for (; j < len; j += n) due[dues++] = periodic_recentring(values + r + j + 1 - n, n, nf);
            }
            // Then the stretches of bars inside one re-centring period: each bar asks
            // only the precision test, and the clock moves once for the stretch. The
            // period's last bar takes its re-centring.
            std::size_t next_due = 0;
            for (std::size_t j = 0; j < len;) {
                const std::uint64_t since = c.sums.since_recenter();
                const std::size_t stop = len - j < period - since ? len : j + (period - since - 1);
                const std::size_t from = j;
                bool lost = false;
                for (; j < stop; ++j) {
                    slide_sums(c, values[r + j - n], values[r + j], n_less_1);
                    if (c.sums.lost(nf, values[r + j])) [[unlikely]] {
                        lost = true;
                        break;
                    }
                    keep(j);
                }
                if (lost) {
                    // Inside a period, so the re-centring takes the window mean.
                    c.sums.count_updates(j + 1 - from);
                    recenter(c, window_to(r + j), nf);
                    keep(j++);
                    continue;
                }
                c.sums.count_updates(j - from);
                if (j == len) break;
                const Recentred& d = due[next_due++];
                c.sums.take_recentered(d.m, d.sums.s1, d.sums.s2);
                c.sums.restart_period();
                c.sxy = d.sums.sxy;
                keep(j++);
            }
            std::size_t j = 0;
            for (; j + kLanes <= len; j += kLanes) {
                LineAt<Lanes> l;
                std::memcpy(&l.shift, shift + j, sizeof(Lanes));
                std::memcpy(&l.s1, s1 + j, sizeof(Lanes));
                std::memcpy(&l.sxy, sxy + j, sizeof(Lanes));
                const Lanes v = answer(l);
                std::memcpy(out + r + j, &v, sizeof(Lanes));
            }
            for (; j < len; ++j) out[r + j] = answer(LineAt<double>{shift[j], s1[j], sxy[j]});
            r += len;
        }
        // The stretches leave the period's base and relative behind (a period that
        // starts afresh sets them itself): the period under way at the end takes them
        // from its values, as follow_period would have.
        if (const std::uint64_t since = c.sums.since_recenter(); since != 0) {
            const double* first = values + end - since;
            c.base = first[0];
            c.relative = relative_to_first(first, since);
        }
        carry_ = c;
    }

    explicit LinRegCore(std::uint64_t n) : window_(n), period_(n), pos_(PositionSums::of(n)) {}

    FixedRing<double> window_;
    Carry carry_;
    std::uint64_t period_;
    PositionSums pos_;
};

}  // namespace torvex
