// Pair models and their solvers, against independent least-squares computations.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "indicators/cores/normal_equations.hpp"
#include "pair_support.hpp"
#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::feed_pair;
using test::field;
using test::make;
using test::message;
using test::least_squares;
using test::moments_of;
using test::random_pairs;
using test::rss_of;

TEST(PairModels, ConstructorChecks) {
    const std::string max = test::kTooLong;
    const std::string delta = "invalid parameter: kalman hedge ratio needs delta in (0, 1)";
    struct Case {
        const char* name;
        std::vector<double> params;
        std::string want;
    };
    const Case cases[] = {
        {"Cointegration", {5, 1}, "invalid period: cointegration needs period >= 2*adf_lags + 4"},
        {"Cointegration", {6, 1}, "built"},
        {"Cointegration", {1e19, 1e19}, "invalid period: cointegration needs period >= 2*adf_lags + 4"},
        {"Cointegration", {16777217, 1}, max},
        {"Cointegration", {16777216, 5000}, max},  // a 5001 x 5001 normal matrix
        {"GrangerCausality", {8, 2}, "built"},
        {"GrangerCausality", {7, 2}, "invalid period: granger causality needs period >= 3*lag + 2"},
        {"GrangerCausality", {1e-300, 1e-300}, "invalid period: granger causality needs lag >= 1"},
        {"GrangerCausality", {8, 16777217}, max},
        {"GrangerCausality", {16777217, 2}, max},
        {"LeadLagCrossCorrelation", {1, 1}, "invalid period: lead-lag cross-correlation needs window >= 2"},
        {"LeadLagCrossCorrelation", {16777217, 1}, max},
        {"LeadLagCrossCorrelation", {2, 1e-300}, "invalid period: lead-lag cross-correlation needs max_lag >= 1"},
        {"LeadLagCrossCorrelation", {2, 16777217}, max},
        {"SpreadBollingerBands", {1, -1}, "invalid period: spread bollinger bands needs period >= 2"},
        {"SpreadBollingerBands", {20, 0}, "invalid parameter: spread bollinger bands needs num_std > 0"},
        {"SpreadBollingerBands", {20, 5e-324}, "built"},
        {"HasbrouckInformationShare", {5}, "invalid period: information share needs period >= 6"},
        {"HasbrouckInformationShare", {6}, "built"},
        {"RelativeStrengthAB", {1e-300, 14}, test::kZero},
        {"RelativeStrengthAB", {16777217, 14}, max},
        {"RelativeStrengthAB", {20, 1e-300}, test::kZero},
        {"RelativeStrengthAB", {20, 16777217}, max},
        {"KalmanHedgeRatio", {1, 1}, delta},
        {"KalmanHedgeRatio", {0, 1}, delta},
        {"KalmanHedgeRatio", {-0.5, 0}, delta},
        {"KalmanHedgeRatio", {0.0001, 0}, "invalid parameter: kalman hedge ratio needs observation_var > 0"},
        {"KalmanHedgeRatio", {0.0001, 0.001}, "built"},
    };
    for (const Case& c : cases) EXPECT_EQ(message(c.name, c.params), c.want) << c.name;
}

TEST(PairModels, Solvers) {
    // Natural order against the independent elimination.
    std::vector<double> a{4, 1, 2, 1, 3, 0.5, 2, 0.5, 5};
    std::vector<double> rhs{1, 2, 3};
    std::vector<double> x(3);
    const std::vector<std::vector<double>> rows{{4, 1, 2}, {1, 3, 0.5}, {2, 0.5, 5}};
    ASSERT_TRUE(solve_natural_order(a, rhs, x));
    for (int i = 0; i < 3; ++i) {
        double r = 0;
        for (int j = 0; j < 3; ++j) r += rows[i][j] * x[j];
        EXPECT_NEAR(r, (std::vector<double>{1, 2, 3})[i], 1e-14);
    }
    // A zero leading pivot fails without row exchange; partial pivoting solves it.
    std::vector<double> swap{0, 1, 1, 0};
    std::vector<double> rhs2{2, 3};
    std::vector<double> x2(2);
    EXPECT_FALSE(solve_natural_order(swap, rhs2, x2));
    std::array<double, 16> p{0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 4};
    std::array<double, 4> x4{};
    ASSERT_TRUE(solve_partial_pivot4(p, {2, 3, 4, 8}, x4));
    EXPECT_EQ(x4, (std::array<double, 4>{3, 2, 2, 2}));
    std::array<double, 16> singular{1, 2, 0, 0, 2, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_FALSE(solve_partial_pivot4(singular, {1, 1, 1, 1}, x4));
}

TEST(PairModels, KalmanHedgeRatio) {
    const double delta = 0.01, r = 0.5;
    IndicatorBox k = make("KalmanHedgeRatio", {delta, r});
    EXPECT_EQ(k->warmup(), 1u);
    EXPECT_EQ(feed_pair(*k, 10.0, 2.0), 0.0);
    EXPECT_EQ(k->outputs(), (std::vector<NamedOutput>{{"hedge_ratio", 0.0}, {"intercept", 0.0}, {"spread", 10.0}}));

    // An independent filter written with explicit matrices: state (beta, alpha),
    // observation row H = (x, 1).
    IndicatorBox fresh = make("KalmanHedgeRatio", {delta, r});
    const test::PairSeries s = random_pairs(60, 8);
    double P[2][2] = {{0, 0}, {0, 0}}, st[2] = {0, 0};
    const double q = delta / (1 - delta);
    for (std::size_t i = 0; i < s.a.size(); ++i) {
        const double x = s.b[i], y = s.a[i];
        if (i > 0) {
            P[0][0] += q;
            P[1][1] += q;
        }
        const double H[2] = {x, 1.0};
        const double PHt[2] = {P[0][0] * H[0] + P[0][1] * H[1], P[1][0] * H[0] + P[1][1] * H[1]};
        const double HP[2] = {H[0] * P[0][0] + H[1] * P[1][0], H[0] * P[0][1] + H[1] * P[1][1]};
        const double S = H[0] * PHt[0] + H[1] * PHt[1] + r;
        const double K[2] = {PHt[0] / S, PHt[1] / S};
        const double e = y - (st[0] * x + st[1]);
        st[0] += K[0] * e;
        st[1] += K[1] * e;
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 2; ++b) P[a][b] -= K[a] * HP[b];
        const auto got = feed_pair(*fresh, y, x);
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, st[0], 1e-9);
        EXPECT_NEAR(field(*fresh, "intercept"), st[1], 1e-9);
        EXPECT_NEAR(field(*fresh, "spread"), e, 1e-9);
    }
}

TEST(PairModels, SpreadBollingerBands) {
    IndicatorBox flat = make("SpreadBollingerBands", {3, 2});
    for (int i = 0; i < 5; ++i) feed_pair(*flat, 10.0 + i, 7.0 + i);
    EXPECT_EQ(flat->outputs(), (std::vector<NamedOutput>{{"middle", 3.0}, {"upper", 3.0}, {"lower", 3.0},
                                                         {"percent_b", 0.5}}));
    IndicatorBox bands = make("SpreadBollingerBands", {4, 1.5});
    const std::vector<double> spreads{1, 3, 2, 6, -1, 4};
    for (std::size_t i = 0; i < spreads.size(); ++i) {
        const auto got = feed_pair(*bands, 100 + spreads[i], 100);
        if (i < 3) {
            EXPECT_FALSE(got);
            continue;
        }
        const std::vector<double> w(spreads.begin() + (i - 3), spreads.begin() + i + 1);
        const auto m = moments_of(w, w);
        const double width = 1.5 * std::sqrt(m.va);
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, m.ma, 1e-12);
        EXPECT_NEAR(field(*bands, "upper"), m.ma + width, 1e-12);
        EXPECT_NEAR(field(*bands, "lower"), m.ma - width, 1e-12);
        EXPECT_NEAR(field(*bands, "percent_b"), (spreads[i] - (m.ma - width)) / (2 * width), 1e-12);
    }
}

TEST(PairModels, LeadLagFindsTheDelay) {
    std::vector<double> close;
    for (int i = 0; i < 40; ++i) close.push_back(std::sin(i * 0.9) * 3 + i * 0.1 + (i % 3));
    for (const double lag : {2.0, 3.0}) {
        IndicatorBox ll = make("LeadLagCrossCorrelation", {8, lag});
        EXPECT_EQ(ll->warmup(), 8 + 2 * static_cast<std::uint64_t>(lag));
        std::optional<double> got;
        for (std::size_t i = 2; i < close.size(); ++i) got = feed_pair(*ll, close[i], close[i - 2]);
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, 1.0, 1e-12);
        EXPECT_EQ(field(*ll, "correlation"), *got);
    }
    IndicatorBox inverse = make("LeadLagCrossCorrelation", {6, 1});
    std::optional<double> got;
    for (std::size_t i = 0; i < close.size(); ++i) got = feed_pair(*inverse, close[i], 5.0 - 2.0 * close[i]);
    EXPECT_NEAR(*got, -1.0, 1e-12);
}

TEST(PairModels, RelativeStrengthAB) {
    IndicatorBox rs = make("RelativeStrengthAB", {2, 2});
    EXPECT_EQ(rs->warmup(), 3u);
    EXPECT_FALSE(feed_pair(*rs, 10, 0.0));  // a zero reference is refused
    EXPECT_FALSE(feed_pair(*rs, 10, 5));    // ratio 2
    EXPECT_FALSE(feed_pair(*rs, 12, 4));    // ratio 3
    EXPECT_EQ(feed_pair(*rs, 10, 4), 2.5);  // ratio 2.5: gains 1, losses 0.5 seed
    const auto out = rs->outputs();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1], (NamedOutput{"ratio_ma", 2.75}));
    EXPECT_EQ(out[2].name, "ratio_rsi");
    EXPECT_NEAR(out[2].value, 100.0 * 0.5 / (0.5 + 0.25), 1e-12);
}

// The Engle-Granger steps written out with the independent solver.
struct Adf {
    double hedge, spread, stat;
};
Adf adf_model(const std::vector<double>& a, const std::vector<double>& b, std::size_t p) {
    const auto m = moments_of(a, b);
    const double hedge = m.vb == 0 ? 0.0 : m.cov / m.vb;
    const double c = m.ma - hedge * m.mb;
    std::vector<double> e;
    for (std::size_t i = 0; i < a.size(); ++i) e.push_back(a[i] - (hedge * b[i] + c));
    std::vector<std::vector<double>> rows;
    std::vector<double> y;
    for (std::size_t t = p + 1; t < e.size(); ++t) {
        std::vector<double> row{e[t - 1]};
        for (std::size_t j = 1; j <= p; ++j) row.push_back(e[t - j] - e[t - j - 1]);
        rows.push_back(row);
        y.push_back(e[t] - e[t - 1]);
    }
    const auto beta = least_squares(rows, y);
    if (!beta) return {hedge, e.back(), 0.0};
    const double s2 = rss_of(rows, y, *beta) / double(rows.size() - (p + 1));
    // (X'X)^-1 [0][0] by solving with the unit target through a square design.
    std::vector<std::vector<double>> xtx(p + 1, std::vector<double>(p + 1, 0.0));
    for (const auto& r : rows)
        for (std::size_t i = 0; i <= p; ++i)
            for (std::size_t j = 0; j <= p; ++j) xtx[i][j] += r[i] * r[j];
    std::vector<double> unit(p + 1, 0.0);
    unit[0] = 1.0;
    // Solving xtx z = unit by least squares on the square system itself.
    const auto z = least_squares(xtx, unit);
    // least_squares solves the normal equations of xtx, i.e. xtx^2 z = xtx unit,
    // whose solution is the same z for an invertible xtx.
    const double v = s2 * (*z)[0];
    return {hedge, e.back(), v > 0 ? (*beta)[0] / std::sqrt(v) : 0.0};
}

TEST(PairModels, CointegrationAgainstModel) {
    const test::PairSeries s = random_pairs(90, 31);
    const std::size_t n = 24, p = 2;
    IndicatorBox co = make("Cointegration", {double(n), double(p)});
    for (std::size_t i = 0; i < s.a.size(); ++i) {
        const auto got = feed_pair(*co, s.a[i], s.b[i]);
        if (i + 1 < n) {
            EXPECT_FALSE(got);
            continue;
        }
        const std::vector<double> wa(s.a.begin() + (i + 1 - n), s.a.begin() + i + 1);
        const std::vector<double> wb(s.b.begin() + (i + 1 - n), s.b.begin() + i + 1);
        const Adf want = adf_model(wa, wb, p);
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, want.hedge, 1e-9) << i;
        EXPECT_NEAR(field(*co, "spread"), want.spread, 1e-8) << i;
        EXPECT_NEAR(field(*co, "adf_stat"), want.stat, 1e-6 * std::max(1.0, std::fabs(want.stat))) << i;
    }
    // A constant reference: no hedge, the spread is the close less its mean.
    IndicatorBox flat = make("Cointegration", {6, 1});
    const std::vector<double> a{1, 3, 2, 5, 4, 6};
    for (double v : a) feed_pair(*flat, v, 2.0);
    EXPECT_EQ(field(*flat, "hedge_ratio"), 0.0);
    EXPECT_EQ(field(*flat, "spread"), 6.0 - 3.5);
}

// n closes that repeat `ticks` in turn.
std::vector<double> cycle(const std::vector<double>& ticks, std::size_t n) {
    std::vector<double> a;
    for (std::size_t i = 0; i < n; ++i) a.push_back(ticks[i % ticks.size()]);
    return a;
}

// A window of cycling closes, its length and lag count, and whether the model's
// regressions fit it exactly.
struct RepeatCase {
    const char* label;
    std::size_t n, lags;
    std::vector<double> a;
    bool exact;
};

// A flat reference and closes that repeat in a short cycle: the ADF regression fits
// the residuals exactly and the statistic is 0, not a coefficient over the roundings
// left in the residual sum (1e14 to 1e17). Where the window's mean is not the cycle's
// mean, three ticks leave a true residual to the one-lag regression.
TEST(PairModels, CointegrationOfCyclesOverAFlatReference) {
    const std::vector<RepeatCase> cases = {
        {"three ticks, whole cycles", 21, 1, cycle({103.4, 103.45, 103.35}, 21), true},
        {"three ticks, two lags", 14, 2, cycle({4497.25, 4497.5, 4497.0}, 14), true},
        {"bounce", 13, 1, cycle({1.1234, 1.1235}, 13), true},
        {"the cycle's mean over 20", 20, 1, cycle({100.5, 99.5, 100}, 20), true},
        {"another mean over 20", 20, 1, cycle({100, 100.5, 99.5}, 20), false},
    };
    for (const RepeatCase& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox co = make("Cointegration", {double(c.n), double(c.lags)});
        for (double v : c.a) feed_pair(*co, v, 57.3);
        const double want = c.exact ? 0.0 : adf_model(c.a, std::vector<double>(c.n, 57.3), c.lags).stat;
        EXPECT_NEAR(field(*co, "adf_stat"), want, 1e-9 * std::max(1.0, std::fabs(want)));
        if (!c.exact) EXPECT_GT(std::fabs(want), 0.1);
    }
}

TEST(PairModels, GrangerAgainstModel) {
    std::mt19937 rng(41);
    std::normal_distribution<double> g(0, 1);
    const std::size_t n = 30, lag = 2;
    for (const bool informative : {true, false}) {
        SCOPED_TRACE(informative ? "reference leads" : "reference is noise");
        std::vector<double> a{0, 0}, b{g(rng), g(rng)};
        for (int i = 2; i < 120; ++i) {
            b.push_back(g(rng));
            a.push_back(0.3 * a[i - 1] + (informative ? 0.9 * b[i - 1] : 0.0) + 0.2 * g(rng));
        }
        IndicatorBox gc = make("GrangerCausality", {double(n), double(lag)});
        for (std::size_t i = 0; i < a.size(); ++i) {
            const auto got = feed_pair(*gc, a[i], b[i]);
            if (i + 1 < n) {
                EXPECT_FALSE(got);
                continue;
            }
            std::vector<std::vector<double>> rr, ru;
            std::vector<double> y;
            for (std::size_t t = i + 1 - n + lag; t <= i; ++t) {
                std::vector<double> row{1.0};
                for (std::size_t j = 1; j <= lag; ++j) row.push_back(a[t - j]);
                rr.push_back(row);
                for (std::size_t j = 1; j <= lag; ++j) row.push_back(b[t - j]);
                ru.push_back(row);
                y.push_back(a[t]);
            }
            const double rss_r = rss_of(rr, y, *least_squares(rr, y));
            const double rss_u = rss_of(ru, y, *least_squares(ru, y));
            const double f = ((rss_r - rss_u) / lag) / (rss_u / double(n - lag - (2 * lag + 1)));
            ASSERT_TRUE(got);
            EXPECT_GE(*got, 0.0);
            EXPECT_NEAR(*got, std::max(f, 0.0), 1e-6 * std::max(1.0, f)) << i;
            if (informative) {
                EXPECT_GT(*got, 10.0) << i;
            }
        }
    }
    // A constant reference makes the unrestricted system singular: 0.
    IndicatorBox flat = make("GrangerCausality", {8, 1});
    std::optional<double> last;
    for (int i = 0; i < 10; ++i) last = feed_pair(*flat, std::sin(i * 1.3), 4.0);
    EXPECT_EQ(last, 0.0);
}

// Closes that repeat within lag + 1 bars are fitted exactly by their own lags, with
// or without the references: no improvement, 0 (a bid-ask bounce read 5.5e-4 from
// the roundings of the two fits). A cycle longer than that leaves a true residual.
TEST(PairModels, GrangerOfClosesThatRepeat) {
    std::vector<double> ref;
    for (int i = 0; i < 40; ++i) ref.push_back(50.0 + 0.01 * std::round(30 * std::sin(1.3 * i)));
    const std::vector<RepeatCase> cases = {
        {"bounce", 8, 1, cycle({100.14, 100.19}, 8), true},
        {"halt", 11, 2, cycle({4497.3}, 11), true},
        {"three ticks, two lags", 14, 2, cycle({103.4, 103.45, 103.35}, 14), true},
        {"three ticks, one lag", 14, 1, cycle({103.4, 103.45, 103.35}, 14), false},
    };
    for (const RepeatCase& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox gc = make("GrangerCausality", {double(c.n), double(c.lags)});
        std::optional<double> got;
        for (std::size_t i = 0; i < c.n; ++i) got = feed_pair(*gc, c.a[i], ref[i]);
        ASSERT_TRUE(got);
        if (c.exact) {
            EXPECT_EQ(*got, 0.0);
            continue;
        }
        ASSERT_EQ(c.lags, 1u);  // the model's rows below
        std::vector<std::vector<double>> rr, ru;
        std::vector<double> y;
        for (std::size_t t = c.lags; t < c.n; ++t) {
            rr.push_back({1.0, c.a[t - 1]});
            ru.push_back({1.0, c.a[t - 1], ref[t - 1]});
            y.push_back(c.a[t]);
        }
        const double rss_r = rss_of(rr, y, *least_squares(rr, y));
        const double rss_u = rss_of(ru, y, *least_squares(ru, y));
        const double f = (rss_r - rss_u) / (rss_u / double(c.n - 1 - 3));
        EXPECT_GT(f, 0.0);
        EXPECT_NEAR(*got, f, 1e-6 * std::max(1.0, f));
    }
}

// Both legs on a grid of cents: a seeded walk, a halt that carries both forward, and
// the walk again.
test::PairSeries halted_walk(unsigned seed, std::size_t before, std::size_t halt, std::size_t after) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> g(0, 1);
    test::PairSeries s;
    double a = 100, b = 50;
    for (std::size_t i = 0; i < before + halt + after; ++i) {
        if (i < before || i >= before + halt) {
            const double shock = g(rng);
            b += 0.3 * shock;
            a += 0.5 * shock + 0.4 * g(rng);
        }
        s.a.push_back(std::round(a * 100) / 100);
        s.b.push_back(std::round(b * 100) / 100);
    }
    return s;
}

// Whether a design of `columns` columns is, in exact arithmetic, singular or an exact
// fit of one of the targets `ys`, as its rows' count tells: fewer distinct rows than
// columns, or as many with equal targets on equal rows.
bool few_rows(const std::vector<std::vector<double>>& rows, const std::vector<std::vector<double>>& ys,
              std::size_t columns) {
    std::map<std::vector<double>, std::vector<std::set<double>>> seen;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        auto& targets = seen.try_emplace(rows[r], ys.size()).first->second;
        for (std::size_t j = 0; j < ys.size(); ++j) targets[j].insert(ys[j][r]);
    }
    if (seen.size() != columns) return seen.size() < columns;
    for (std::size_t j = 0; j < ys.size(); ++j)
        if (std::ranges::all_of(seen, [&](const auto& kv) { return kv.second[j].size() == 1; })) return true;
    return false;
}

// Residual sum of squares of least squares in long double (normal equations with
// partial pivoting): the model of the windows that are neither.
long double rss_long(const std::vector<std::vector<double>>& rows, const std::vector<double>& y) {
    const std::size_t k = rows.front().size();
    std::vector<std::vector<long double>> m(k, std::vector<long double>(k + 1, 0.0L));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t i = 0; i < k; ++i) {
            for (std::size_t j = 0; j < k; ++j) m[i][j] += static_cast<long double>(rows[r][i]) * rows[r][j];
            m[i][k] += static_cast<long double>(rows[r][i]) * y[r];
        }
    for (std::size_t c = 0; c < k; ++c) {
        std::size_t p = c;
        for (std::size_t r = c + 1; r < k; ++r)
            if (std::fabs(m[r][c]) > std::fabs(m[p][c])) p = r;
        std::swap(m[p], m[c]);
        for (std::size_t r = c + 1; r < k; ++r) {
            const long double f = m[r][c] / m[c][c];
            for (std::size_t j = c; j <= k; ++j) m[r][j] -= f * m[c][j];
        }
    }
    std::vector<long double> x(k);
    for (std::size_t i = k; i-- > 0;) {
        long double s = m[i][k];
        for (std::size_t j = i + 1; j < k; ++j) s -= m[i][j] * x[j];
        x[i] = s / m[i][i];
    }
    long double rss = 0.0L;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        long double e = y[r];
        for (std::size_t i = 0; i < k; ++i) e -= rows[r][i] * x[i];
        rss += e * e;
    }
    return rss;
}

// A halt of both legs fills the window with equal rows: the designs are singular, or
// the fit with the references is exact, and their solves read roundings (up to 1e25).
// 0.0 there; elsewhere the long-double model.
TEST(PairModels, GrangerOverAHaltOfBothLegs) {
    test::PairSeries six_then_halt{{100, 101.5, 100.25, 102, 101.75, 103}, {50, 50.5, 50.25, 51, 50.75, 51.5}};
    six_then_halt.a.resize(14, 103);
    six_then_halt.b.resize(14, 51.5);
    struct Case {
        const char* label;
        std::size_t period, lag;
        test::PairSeries s;
    };
    const Case cases[] = {
        {"six bars, then a halt", 8, 2, six_then_halt},
        {"a 300-bar halt", 60, 2, halted_walk(3, 120, 300, 80)},
        {"a 400-bar halt, eight lags", 240, 8, halted_walk(4, 300, 400, 120)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox gc = make("GrangerCausality", {double(c.period), double(c.lag)});
        for (std::size_t i = 0; i < c.s.a.size(); ++i) {
            const auto got = feed_pair(*gc, c.s.a[i], c.s.b[i]);
            if (i + 1 < c.period) continue;
            std::vector<std::vector<double>> rr, ru;
            std::vector<double> y;
            for (std::size_t t = i + 1 - c.period + c.lag; t <= i; ++t) {
                std::vector<double> row{1.0};
                for (std::size_t j = 1; j <= c.lag; ++j) row.push_back(c.s.a[t - j]);
                rr.push_back(row);
                for (std::size_t j = 1; j <= c.lag; ++j) row.push_back(c.s.b[t - j]);
                ru.push_back(row);
                y.push_back(c.s.a[t]);
            }
            ASSERT_TRUE(got);
            if (few_rows(rr, {y}, c.lag + 1) || few_rows(ru, {y}, 2 * c.lag + 1)) {
                EXPECT_EQ(*got, 0.0) << i;
                continue;
            }
            const long double rss_u = rss_long(ru, y);
            const double f = static_cast<double>(((rss_long(rr, y) - rss_u) / c.lag) /
                                                 (rss_u / (y.size() - (2 * c.lag + 1))));
            EXPECT_NEAR(*got, std::max(f, 0.0), 1e-6 * std::max(1.0, f)) << i;
        }
    }
}

// The information share written out with the independent solver.
// The error-correction regressors of each record and the two changes they explain.
struct HasbrouckRows {
    std::vector<std::vector<double>> rows;
    std::vector<double> dc, dr;
};
HasbrouckRows hasbrouck_rows(const std::vector<double>& c, const std::vector<double>& r) {
    HasbrouckRows h;
    for (std::size_t t = 2; t < c.size(); ++t) {
        h.rows.push_back({1.0, c[t - 1] - r[t - 1], c[t - 1] - c[t - 2], r[t - 1] - r[t - 2]});
        h.dc.push_back(c[t] - c[t - 1]);
        h.dr.push_back(r[t] - r[t - 1]);
    }
    return h;
}

double hasbrouck_model(const std::vector<double>& c, const std::vector<double>& r) {
    const auto [rows, dc, dr] = hasbrouck_rows(c, r);
    const auto ca = least_squares(rows, dc);
    const auto cb = least_squares(rows, dr);
    if (!ca || !cb) return 0.5;
    const double n = double(rows.size());
    double s11 = 0, s22 = 0, s12 = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        double f1 = 0, f2 = 0;
        for (int j = 0; j < 4; ++j) {
            f1 += rows[i][j] * (*ca)[j];
            f2 += rows[i][j] * (*cb)[j];
        }
        s11 += (dc[i] - f1) * (dc[i] - f1) / n;
        s22 += (dr[i] - f2) * (dr[i] - f2) / n;
        s12 += (dc[i] - f1) * (dr[i] - f2) / n;
    }
    const double a1 = (*ca)[1], b1 = (*cb)[1];
    const double d = a1 * a1 * s22 + b1 * b1 * s11 - 2 * a1 * b1 * s12;
    if (d <= 0 || s11 <= 0 || s22 <= 0) return 0.5;
    const double u = b1 * std::sqrt(s11) - a1 * s12 / std::sqrt(s11);
    const double v = b1 * s12 / std::sqrt(s22) - a1 * std::sqrt(s22);
    return (std::min(u * u / d, 1.0) + std::min(std::max(1 - v * v / d, 0.0), 1.0)) / 2;
}

TEST(PairModels, HasbrouckAgainstModel) {
    std::mt19937 rng(77);
    std::normal_distribution<double> g(0, 1);
    std::vector<double> c{100}, r{100};
    double efficient = 100;
    for (int i = 1; i < 100; ++i) {
        efficient += g(rng);
        c.push_back(efficient + 0.2 * g(rng));
        r.push_back(0.5 * r.back() + 0.5 * efficient + 0.3 * g(rng));
    }
    const std::size_t n = 12;
    IndicatorBox hs = make("HasbrouckInformationShare", {double(n)});
    EXPECT_EQ(hs->warmup(), n + 2);
    for (std::size_t i = 0; i < c.size(); ++i) {
        const auto got = feed_pair(*hs, c[i], r[i]);
        if (i + 1 < n + 2) {
            EXPECT_FALSE(got);
            continue;
        }
        const std::vector<double> wc(c.begin() + (i + 1 - n - 2), c.begin() + i + 1);
        const std::vector<double> wr(r.begin() + (i + 1 - n - 2), r.begin() + i + 1);
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, hasbrouck_model(wc, wr), 1e-7) << i;
        EXPECT_GE(*got, 0.0);
        EXPECT_LE(*got, 1.0);
    }
    // A constant reference leaves its equation without residuals: 0.5.
    IndicatorBox flat = make("HasbrouckInformationShare", {6});
    std::optional<double> last;
    for (int i = 0; i < 12; ++i) last = feed_pair(*flat, 100 + std::sin(i * 2.1), 50.0);
    EXPECT_EQ(last, 0.5);
}

// Records of a halt of both legs are equal: entering one, the 4 x 4 systems are
// singular or fit a change exactly, and the share read roundings. 0.5 there.
TEST(PairModels, HasbrouckOverAHaltOfBothLegs) {
    const test::PairSeries s = halted_walk(5, 70, 90, 40);
    for (const std::size_t n : {8, 20}) {
        SCOPED_TRACE(n);
        IndicatorBox hs = make("HasbrouckInformationShare", {double(n)});
        for (std::size_t i = 0; i < s.a.size(); ++i) {
            const auto got = feed_pair(*hs, s.a[i], s.b[i]);
            if (i + 1 < n + 2) continue;
            const std::vector<double> wc(s.a.begin() + (i + 1 - n - 2), s.a.begin() + i + 1);
            const std::vector<double> wr(s.b.begin() + (i + 1 - n - 2), s.b.begin() + i + 1);
            const auto [rows, dc, dr] = hasbrouck_rows(wc, wr);
            ASSERT_TRUE(got);
            if (few_rows(rows, {dc, dr}, 4)) {
                EXPECT_EQ(*got, 0.5) << i;
                continue;
            }
            EXPECT_NEAR(*got, hasbrouck_model(wc, wr), 1e-7) << i;
        }
    }
}

}  // namespace
}  // namespace torvex
