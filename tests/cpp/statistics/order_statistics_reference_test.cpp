// The rank, median-deviation and window-range indicators, built through the
// registry, against plain implementations that scan, sort and rebuild the whole
// window on every bar:
// every answer (and every published line) must agree bit for bit over rough series
// with ties, signed zeros, NaN, infinities, flat runs and overflowing differences.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/rolling_window.hpp"
#include "indicators/cores/rsi_core.hpp"
#include "indicators/cores/sorted_window.hpp"
#include "indicators/numeric.hpp"
#include "registry/registry.hpp"
#include "registry/typical_params.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

constexpr std::size_t kPeriods[] = {1, 2, 3, 14, 15, 30, 100, 1000};

// The last n accepted values, oldest first.
struct PlainWindow {
    std::size_t n;
    std::deque<double> values;

    void push(double x) {
        if (values.size() == n) values.pop_front();
        values.push_back(x);
    }
    bool full() const { return values.size() == n; }
    std::vector<double> sorted() const {
        std::vector<double> s(values.begin(), values.end());
        // Values sharing a key are bitwise identical: any sort gives this one order.
        std::sort(s.begin(), s.end(), [](double a, double b) { return total_order_key(a) < total_order_key(b); });
        return s;
    }
};

double plain_median(const std::vector<double>& s) {
    const std::size_t m = s.size();
    if (m % 2 == 1) return s[m / 2];
    return midpoint(s[m / 2 - 1], s[m / 2]);
}

double plain_quantile(const std::vector<double>& s, double q) {
    const std::size_t m = s.size();
    const double pos = q * static_cast<double>(m - 1);
    const double fl = std::floor(pos);
    const std::size_t lo = static_cast<std::size_t>(fl);
    if (lo >= m - 1) return s[m - 1];
    return s[lo] + (s[lo + 1] - s[lo]) * (pos - fl);
}

// |v − c| of every value, ascending.
std::vector<double> plain_deviations(const std::vector<double>& s, double c) {
    std::vector<double> d;
    for (double v : s) d.push_back(std::fabs(v - c));
    std::sort(d.begin(), d.end(), [](double a, double b) { return total_order_key(a) < total_order_key(b); });
    return d;
}

// One bar of a plain implementation: the answer and the published lines.
struct Answer {
    std::optional<double> value;
    std::vector<double> lines;
};
using Plain = std::function<Answer(double close)>;

Plain plain_rank(std::size_t n) {
    return [w = PlainWindow{n, {}}](double x) mutable -> Answer {
        if (!std::isfinite(x)) return {};
        w.push(x);
        if (!w.full()) return {};
        std::uint64_t below = 0, equal = 0;
        for (double v : w.values) {
            below += v < x ? 1 : 0;
            equal += v == x ? 1 : 0;
        }
        const double count = static_cast<double>(w.values.size());
        return {(static_cast<double>(equal) * 0.5 + static_cast<double>(below)) / count * 100.0, {}};
    };
}

Plain plain_connors(std::uint64_t a, std::uint64_t b, std::size_t c) {
    struct State {
        RsiCore price, streak;
        std::optional<double> prev;
        PlainWindow returns;
        double run = 0.0;
    };
    auto st = std::make_shared<State>(State{*RsiCore::create(a), *RsiCore::create(b), {}, {c, {}}});
    return [st, c](double x) -> Answer {
        if (!std::isfinite(x)) return {};
        const auto r1 = st->price.step(x);
        if (!st->prev) {
            st->prev = x;
            return {};
        }
        const double prev = *st->prev;
        if (x > prev) st->run = std::max(st->run, 0.0) + 1.0;
        else if (x < prev) st->run = std::min(st->run, 0.0) - 1.0;
        else st->run = 0.0;
        const auto r2 = st->streak.step(st->run);
        if (prev != 0.0) st->returns.push((x - prev) / prev);
        st->prev = x;
        if (!st->returns.full()) return {};
        const double newest = st->returns.values.back();
        std::uint64_t below = 0;
        for (double r : st->returns.values) below += r < newest ? 1 : 0;
        const double p = (100.0 * static_cast<double>(below)) / static_cast<double>(c);
        if (!r1 || !r2) return {};
        return {((*r1 + *r2) + p) / 3.0, {}};
    };
}

Plain plain_mad(std::size_t n) {
    return [w = PlainWindow{n, {}}](double x) mutable -> Answer {
        if (!std::isfinite(x)) return {};
        w.push(x);
        if (!w.full()) return {};
        const std::vector<double> s = w.sorted();
        return {plain_median(plain_deviations(s, plain_median(s))), {}};
    };
}

Plain plain_channel(std::size_t n, double k) {
    return [w = PlainWindow{n, {}}, k](double x) mutable -> Answer {
        if (!std::isfinite(x)) return {};
        w.push(x);
        if (!w.full()) return {};
        const std::vector<double> s = w.sorted();
        const double med = plain_quantile(s, 0.5);
        const double offset = plain_quantile(plain_deviations(s, med), 0.5) * k;
        return {med + offset, {med + offset, med, med - offset}};
    };
}

// The highest and lowest of the window, folded from the oldest from -inf and +inf
// with std::max and std::min (the older of equal extremes stays).
HiLo plain_range(const PlainWindow& w) {
    HiLo r{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    for (double v : w.values) {
        r.hi = std::max(r.hi, v);
        r.lo = std::min(r.lo, v);
    }
    return r;
}

Plain plain_scaler(std::size_t n) {
    return [w = PlainWindow{n, {}}](double x) mutable -> Answer {
        if (!std::isfinite(x)) return {};
        w.push(x);
        if (!w.full()) return {};
        const HiLo r = plain_range(w);
        const double span = r.hi - r.lo;
        if (!(span > 0.0)) return {0.5, {}};
        return {(x - r.lo) / span, {}};
    };
}

// The range of the closes over the path length, whose running sum is kept as the
// indicator keeps it (re-added from the window on its clock).
Plain plain_vhf(std::size_t n) {
    struct State {
        PlainWindow prices;
        FixedRing<double> changes;
        ResumClock clock;
        std::optional<double> prev;
        double change_sum = 0.0;
    };
    auto st = std::make_shared<State>(State{{n, {}}, FixedRing<double>(n), ResumClock(n), std::nullopt, 0.0});
    return [st, n](double x) -> Answer {
        if (!std::isfinite(x)) return {};
        st->prices.push(x);
        if (st->prev) {
            const double ch = std::fabs(x - *st->prev);
            if (const auto old = push_capped(st->changes, n, ch)) st->change_sum = st->change_sum - *old;
            st->change_sum = st->change_sum + ch;
            if (st->clock.tick(st->change_sum)) {
                st->change_sum = window_sum(st->changes, 0.0);
                settle_window(st->clock, st->changes, n, st->change_sum);
            }
        }
        st->prev = x;
        if (!st->prices.full() || st->changes.size() < n) return {};
        const HiLo r = plain_range(st->prices);
        if (st->change_sum == 0.0) return {0.0, {}};
        return {(r.hi - r.lo) / st->change_sum, {}};
    };
}

// The ranges of the window and of its halves by a scan, then the fractal dimension
// and the adaptive average.
Plain plain_frama(std::size_t n) {
    struct State {
        PlainWindow window;
        std::optional<double> last;
    };
    auto st = std::make_shared<State>(State{{n, {}}, std::nullopt});
    return [st, n](double x) -> Answer {
        if (!std::isfinite(x)) return {};
        st->window.push(x);
        if (!st->window.full()) return {};
        const std::size_t half = n / 2;
        HiLo all{st->window.values[0], st->window.values[0]};
        HiLo older = all;
        HiLo newer{st->window.values[half], st->window.values[half]};
        for (std::size_t i = 0; i < n; ++i) {
            const double v = st->window.values[i];
            HiLo& part = i < half ? older : newer;
            for (HiLo* r : {&all, &part}) {
                if (v > r->hi) r->hi = v;
                if (v < r->lo) r->lo = v;
            }
        }
        const double h = static_cast<double>(half);
        const double n1 = (older.hi - older.lo) / h, n2 = (newer.hi - newer.lo) / h;
        const double n3 = (all.hi - all.lo) / static_cast<double>(n);
        double alpha = 0.01;
        if (n3 > 0.0 && n1 > 0.0 && n2 > 0.0) {
            alpha = std::exp(-4.6 * ((std::log(n1 + n2) - std::log(n3)) / 0.6931471805599453 - 1.0));
            if (!(alpha >= 0.01)) alpha = 0.01;
            if (alpha > 1.0) alpha = 1.0;
        }
        const double value = (1.0 - alpha) * st->last.value_or(x) + x * alpha;
        st->last = value;
        return {value, {}};
    };
}

// Every pair of templates compared afresh on every value.
Plain plain_sample_entropy(std::size_t n, std::size_t m, double r_factor) {
    return [w = PlainWindow{n, {}}, n, m, r_factor](double x) mutable -> Answer {
        if (!std::isfinite(x)) return {};
        w.push(x);
        if (!w.full()) return {};
        const std::vector<double> v(w.values.begin(), w.values.end());
        double total = -0.0;
        for (double y : v) total += y;
        const double mean = total / static_cast<double>(n);
        double squares = 0.0;
        for (double y : v) squares += (y - mean) * (y - mean);
        const double var = std::max(squares / static_cast<double>(n), 0.0);
        if (var == 0.0) return {0.0, {}};
        const double r = std::sqrt(var) * r_factor;
        std::uint64_t b = 0, a = 0;
        for (std::size_t i = 0; i < n - m; ++i) {
            for (std::size_t j = i + 1; j < n - m; ++j) {
                bool matched = true;
                for (std::size_t k = 0; k < m; ++k) matched = matched && !(std::fabs(v[i + k] - v[j + k]) > r);
                if (!matched) continue;
                b += 1;
                a += std::fabs(v[i + m] - v[j + m]) > r ? 0 : 1;
            }
        }
        if (b == 0) return {0.0, {}};
        if (a == 0) return {std::log(static_cast<double>(b)), {}};
        return {-std::log(static_cast<double>(a) / static_cast<double>(b)), {}};
    };
}

TEST(OrderStatisticsReference, EveryAnswerMatchesThePlainScanBitForBit) {
    struct Case {
        std::string name;
        std::vector<double> params;
        std::size_t n;
        Plain plain;
    };
    std::vector<Case> cases;
    for (std::size_t n : kPeriods) {
        const double nd = static_cast<double>(n);
        cases.push_back({"RollingPercentileRank", {nd}, n, plain_rank(n)});
        cases.push_back({"ConnorsRsi", {3, 2, nd}, n, plain_connors(3, 2, n)});
        cases.push_back({"ConnorsRsi", {1, 4, nd}, n, plain_connors(1, 4, n)});
        cases.push_back({"MedianAbsoluteDeviation", {nd}, n, plain_mad(n)});
        cases.push_back({"MedianChannel", {nd, 1.5}, n, plain_channel(n, 1.5)});
        if (n >= 2) cases.push_back({"RollingMinMaxScaler", {nd}, n, plain_scaler(n)});
        cases.push_back({"VerticalHorizontalFilter", {nd}, n, plain_vhf(n)});
        if (n % 2 == 0) cases.push_back({"Frama", {nd}, n, plain_frama(n)});
    }
    // A window long enough to be kept in blocks, through the names that read ranks,
    // counts and deviations from it.
    for (const std::size_t n : {2100u}) {
        const double nd = static_cast<double>(n);
        cases.push_back({"RollingPercentileRank", {nd}, n, plain_rank(n)});
        cases.push_back({"ConnorsRsi", {3, 2, nd}, n, plain_connors(3, 2, n)});
        cases.push_back({"MedianAbsoluteDeviation", {nd}, n, plain_mad(n)});
        cases.push_back({"MedianChannel", {nd, 1.5}, n, plain_channel(n, 1.5)});
    }
    // Sample entropy keeps the distances of every pair up to 256 starts, and compares
    // the pairs afresh beyond: windows on both sides, and templates of several lengths.
    for (const std::size_t n : {3u, 14u, 30u, 100u, 258u, 259u, 300u}) {
        const double nd = static_cast<double>(n);
        for (const auto& [m, r] : {std::pair{1.0, 0.5}, std::pair{2.0, 0.2}, std::pair{3.0, 0.25}}) {
            const std::size_t mi = static_cast<std::size_t>(m);
            if (mi + 2 <= n) cases.push_back({"SampleEntropy", {nd, m, r}, n, plain_sample_entropy(n, mi, r)});
        }
    }
    std::uint64_t seed = 7;
    for (Case& c : cases) {
        const std::size_t n = c.n;
        auto built = build_indicator(c.name, c.params);
        ASSERT_TRUE(built.has_value()) << c.name;
        // The quadratic scans take shorter series at the longest windows.
        const std::size_t length = c.name == "SampleEntropy" ? 2 * n + 300 : 3 * n + 400;
        const std::vector<double> closes = test::rough_closes(seed++, length);
        std::size_t produced = 0;
        for (std::size_t i = 0; i < closes.size(); ++i) {
            const std::string label = test::label(c.name, c.params) + " bar " + std::to_string(i);
            const Answer want = c.plain(closes[i]);
            const std::optional<double> got = test::feed_close(**built, closes[i]);
            ASSERT_TRUE(test::same_bits(got, want.value)) << label << " close " << closes[i];
            produced += got ? 1 : 0;
            if (!got || want.lines.empty()) continue;
            const std::vector<NamedOutput> lines = (*built)->outputs();
            ASSERT_EQ(lines.size(), want.lines.size()) << label;
            for (std::size_t k = 0; k < lines.size(); ++k) {
                ASSERT_TRUE(test::same_bits(lines[k].value, want.lines[k])) << label << " " << lines[k].name;
            }
        }
        EXPECT_GT(produced, n) << c.name << "(" << n << ")";  // the series reaches the long windows
    }
}

}  // namespace
}  // namespace torvex
