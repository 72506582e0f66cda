// Pair window statistics over (close, reference) pairs, against independent
// computations over the same windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "pair_support.hpp"
#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::feed_pair;
using test::field;
using test::make;
using test::message;
using test::moments_of;
using test::random_pairs;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(PairStatistics, ConstructorChecks) {
    const std::string max = test::kTooLong;
    struct Case {
        const char* name;
        std::vector<double> params;
        std::string want;
    };
    const Case cases[] = {
        {"Beta", {1}, "invalid period: beta needs period >= 2"},
        {"Beta", {1e-300}, "invalid period: beta needs period >= 2"},
        {"Beta", {16777217}, max},
        {"Beta", {16777216}, "built"},
        {"Alpha", {1, 0}, "invalid period: alpha needs period >= 2"},
        {"Alpha", {2, -1e6}, "built"},
        {"BetaNeutralSpread", {1}, "invalid period: beta-neutral spread needs period >= 2"},
        {"TreynorRatio", {1, 0}, "invalid period: treynor ratio needs period >= 2"},
        {"PairwiseBeta", {1}, "invalid period: pairwise beta needs period >= 2"},
        {"PearsonCorrelation", {1}, "invalid period: pearson correlation needs period >= 2"},
        {"RollingCorrelation", {1}, "invalid period: rolling correlation needs period >= 2"},
        {"RollingCovariance", {1}, "invalid period: rolling covariance needs period >= 2"},
        {"SpearmanCorrelation", {1}, "invalid period: spearman correlation needs period >= 2"},
        {"KendallTau", {1}, "invalid period: Kendall tau needs period >= 2"},
        {"KendallTau", {16777217}, max},
        {"DistanceSsd", {1}, "invalid period: distance SSD needs period >= 2"},
        {"InformationRatio", {1}, "invalid period: information ratio needs period >= 2"},
        {"InformationRatio", {16777217}, max},
        {"OuHalfLife", {2}, "invalid period: OU half-life needs period >= 3"},
        {"SpreadAr1Coefficient", {2}, "invalid period: AR(1) spread coefficient needs period >= 3"},
        {"SpreadHurst", {7}, "invalid period: spread Hurst needs period >= 8"},
        {"SpreadHurst", {8}, "built"},
        {"SpreadHurst", {16777217}, max},
        {"VarianceRatio", {1, 1}, "invalid period: variance ratio needs q >= 2"},
        {"VarianceRatio", {3, 2}, "invalid period: variance ratio needs period >= q + 2"},
        {"VarianceRatio", {4, 2}, "built"},
        {"VarianceRatio", {1e9, 16777217}, max},
        {"VarianceRatio", {16777217, 2}, max},
        {"PairSpreadZScore", {1, 1}, "invalid period: pair spread z-score needs beta_period >= 2"},
        {"PairSpreadZScore", {16777217, 1}, max},
        {"PairSpreadZScore", {2, 1}, "invalid period: pair spread z-score needs z_period >= 2"},
        {"PairSpreadZScore", {2, 16777217}, max},
    };
    for (const Case& c : cases) EXPECT_EQ(message(c.name, c.params), c.want) << c.name;
}

// Every pair type: the first value comes exactly at its warm-up, and a bar without a
// reference, with a non-finite value, or (for the log-based types) a non-positive
// one answers nothing and leaves the state as if it had never come.
TEST(PairStatistics, WarmupAndRefusedBars) {
    struct Case {
        const char* name;
        std::vector<double> params;
        bool logs;
    };
    const Case cases[] = {
        {"Beta", {5}, false}, {"Alpha", {5, 0.01}, false}, {"BetaNeutralSpread", {5}, false},
        {"TreynorRatio", {5, 0.0}, false}, {"PairwiseBeta", {5}, true}, {"PearsonCorrelation", {5}, false},
        {"RollingCorrelation", {5}, false}, {"RollingCovariance", {5}, false},
        {"SpearmanCorrelation", {5}, false}, {"KendallTau", {5}, false}, {"DistanceSsd", {5}, false},
        {"InformationRatio", {5}, false}, {"OuHalfLife", {5}, false}, {"SpreadAr1Coefficient", {5}, false},
        {"SpreadHurst", {12}, false}, {"VarianceRatio", {8, 3}, false}, {"PairSpreadZScore", {4, 3}, true},
        {"Cointegration", {8, 1}, false}, {"KalmanHedgeRatio", {0.01, 0.1}, false},
        {"LeadLagCrossCorrelation", {5, 2}, false}, {"RelativeStrengthAB", {3, 4}, false},
        {"SpreadBollingerBands", {5, 2}, false}, {"GrangerCausality", {8, 2}, false},
        {"HasbrouckInformationShare", {6}, false},
    };
    const test::PairSeries s = random_pairs(40, 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IndicatorBox clean = make(c.name, c.params);
        IndicatorBox dirty = make(c.name, c.params);
        ASSERT_TRUE(clean && dirty);
        std::uint64_t first = 0;
        for (std::size_t i = 0; i < s.a.size(); ++i) {
            switch (i % 7) {
                case 1: EXPECT_FALSE(feed_pair(*dirty, s.a[i], std::nullopt)); break;
                case 2: EXPECT_FALSE(feed_pair(*dirty, kNaN, s.b[i])); break;
                case 3: EXPECT_FALSE(feed_pair(*dirty, s.a[i], -kInf)); break;
                case 4:
                    if (c.logs) {
                        EXPECT_FALSE(feed_pair(*dirty, s.a[i], -1.0));
                        EXPECT_FALSE(feed_pair(*dirty, 0.0, s.b[i]));
                    }
                    break;
                default: break;
            }
            const auto want = feed_pair(*clean, s.a[i], s.b[i]);
            const auto got = feed_pair(*dirty, s.a[i], s.b[i]);
            if (want && first == 0) first = i + 1;
            ASSERT_EQ(got, want) << "bar " << i;
            EXPECT_EQ(dirty->outputs(), clean->outputs()) << "bar " << i;
        }
        EXPECT_EQ(first, clean->warmup());
    }
}

// An independent computation of a window statistic from the pairs of one window.
using Model = std::function<double(const std::vector<double>& a, const std::vector<double>& b)>;

double beta_model(const std::vector<double>& a, const std::vector<double>& b) {
    const auto m = moments_of(a, b);
    return m.vb == 0 ? 0.0 : m.cov / m.vb;
}

std::vector<double> changes(const std::vector<double>& v, bool logs) {
    std::vector<double> out;
    for (std::size_t i = 1; i < v.size(); ++i) out.push_back(logs ? std::log(v[i] / v[i - 1]) : v[i] - v[i - 1]);
    return out;
}

TEST(PairStatistics, MomentTypesAgainstModel) {
    const double rf = 0.01;
    struct Case {
        const char* name;
        std::vector<double> params;
        std::size_t span;  // bars one value reads
        Model model;
    };
    const std::vector<Case> cases = {
        {"Beta", {6}, 6, beta_model},
        {"Alpha", {6, rf}, 6,
         [&](const auto& a, const auto& b) {
             const auto m = moments_of(a, b);
             return m.ma - (rf + beta_model(a, b) * (m.mb - rf));
         }},
        {"TreynorRatio", {6, rf}, 6,
         [&](const auto& a, const auto& b) { return (moments_of(a, b).ma - rf) / beta_model(a, b); }},
        {"BetaNeutralSpread", {6}, 6,
         [](const auto& a, const auto& b) {
             const auto m = moments_of(a, b);
             const double beta = beta_model(a, b);
             return a.back() - ((m.ma - beta * m.mb) + beta * b.back());
         }},
        {"PearsonCorrelation", {6}, 6,
         [](const auto& a, const auto& b) {
             const auto m = moments_of(a, b);
             return m.cov / std::sqrt(m.va * m.vb);
         }},
        {"RollingCorrelation", {6}, 7,
         [](const auto& a, const auto& b) {
             const auto m = moments_of(changes(a, false), changes(b, false));
             return m.cov / std::sqrt(m.va * m.vb);
         }},
        {"RollingCovariance", {6}, 7,
         [](const auto& a, const auto& b) { return moments_of(changes(a, false), changes(b, false)).cov; }},
        {"PairwiseBeta", {6}, 7, [](const auto& a, const auto& b) { return beta_model(changes(a, true), changes(b, true)); }},
        {"InformationRatio", {6}, 6,
         [](const auto& a, const auto& b) {
             std::vector<double> d;
             for (std::size_t i = 0; i < a.size(); ++i) d.push_back(a[i] - b[i]);
             const auto m = moments_of(d, d);
             return m.ma / std::sqrt(m.va * 6.0 / 5.0);
         }},
        {"DistanceSsd", {6}, 6,
         [](const auto& a, const auto& b) {
             double s = 0;
             for (std::size_t i = 0; i < a.size(); ++i) s += std::pow(a[i] / a[0] - b[i] / b[0], 2);
             return s;
         }},
    };
    const test::PairSeries s = random_pairs(300, 17);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IndicatorBox ind = make(c.name, c.params);
        ASSERT_TRUE(ind);
        for (std::size_t i = 0; i < s.a.size(); ++i) {
            const auto got = feed_pair(*ind, s.a[i], s.b[i]);
            if (i + 1 < c.span) continue;
            const std::vector<double> wa(s.a.begin() + (i + 1 - c.span), s.a.begin() + i + 1);
            const std::vector<double> wb(s.b.begin() + (i + 1 - c.span), s.b.begin() + i + 1);
            const double want = c.model(wa, wb);
            ASSERT_TRUE(got) << i;
            EXPECT_NEAR(*got, want, 1e-9 * std::max(1.0, std::fabs(want))) << "bar " << i;
        }
    }
}

std::vector<std::optional<double>> feed_all(std::string_view name, std::vector<double> params,
                                            const std::vector<double>& a, const std::vector<double>& b) {
    IndicatorBox ind = make(name, params);
    std::vector<std::optional<double>> out;
    for (std::size_t i = 0; i < a.size(); ++i) out.push_back(feed_pair(*ind, a[i], b[i]));
    return out;
}

std::optional<double> last_of(std::string_view name, std::vector<double> params, const std::vector<double>& a,
                              const std::vector<double>& b) {
    return feed_all(name, params, a, b).back();
}

TEST(PairStatistics, HandWorkedEdges) {
    EXPECT_EQ(last_of("Beta", {3}, {2, 4, 6}, {1, 2, 3}), 2.0);
    // A close of 1e300 after the least subnormal: the quotient overflows, the return
    // is ln 1e300 - ln 5e-324 all the same, and once it has left the window the beta
    // is the window's own (log returns 0, ln 2 against ln 4, ln 2: -1).
    const auto over = feed_all("PairwiseBeta", {2}, {5e-324, 1e300, 1e300, 2e300}, {1, 2, 8, 16});
    ASSERT_TRUE(over[2] && over[3]);
    EXPECT_NEAR(*over[2], -(std::log(1e300) - std::log(5e-324)) / std::log(2.0), 1e-9);
    EXPECT_NEAR(*over[3], -1.0, 1e-15);
    // A flat reference: no beta, and alpha is the close's mean less the risk-free rate.
    const std::vector<double> a{1.0, 2.5, 4.0, 0.5}, flat{0.1, 0.1, 0.1, 0.1};
    EXPECT_EQ(last_of("Beta", {4}, a, flat), 0.0);
    EXPECT_EQ(last_of("Alpha", {4, 0.25}, a, flat), 2.0 - 0.25);
    EXPECT_EQ(last_of("TreynorRatio", {4, 0.25}, a, flat), 0.0);
    EXPECT_EQ(last_of("BetaNeutralSpread", {4}, a, flat), 0.5 - 2.0);
    EXPECT_EQ(last_of("PearsonCorrelation", {4}, a, flat), 0.0);
    EXPECT_EQ(last_of("KendallTau", {4}, a, flat), 0.0);

    // Perfectly linear legs, rising together and opposed.
    const std::vector<double> x{3, 1, 4, 1.5, 5, 9, 2.6};
    std::vector<double> up, down;
    for (double v : x) {
        up.push_back(2.0 * v + 7.0);
        down.push_back(-0.5 * v + 1.0);
    }
    for (const char* name : {"PearsonCorrelation", "SpearmanCorrelation", "KendallTau"}) {
        EXPECT_EQ(last_of(name, {5}, x, up), 1.0) << name;
        EXPECT_EQ(last_of(name, {5}, x, down), -1.0) << name;
    }
    EXPECT_NEAR(*last_of("RollingCorrelation", {5}, x, up), 1.0, 1e-15);
    EXPECT_NEAR(*last_of("RollingCorrelation", {5}, x, down), -1.0, 1e-15);

    // Proportional legs have no distance.
    EXPECT_EQ(last_of("DistanceSsd", {4}, {2, 4, 3, 8}, {1, 2, 1.5, 4}), 0.0);
    EXPECT_EQ(last_of("DistanceSsd", {2}, {0, 4}, {1, 2}), 0.0);  // a zero base answers 0
    EXPECT_EQ(last_of("DistanceSsd", {2}, {2, 4}, {1, 1}), 1.0);

    // The change types need one bar more.
    const auto cov = feed_all("RollingCovariance", {2}, {1, 2, 4}, {1, 3, 2});
    EXPECT_FALSE(cov[1]);
    EXPECT_EQ(cov[2], -0.75);  // changes (1, 2) and (2, -1): means 1.5, 0.5
}

// A huge reference value that has left the window leaves no residue in the sums: a
// window of equal references reads exactly flat on the bar it leaves, between two
// periodic re-anchorings.
TEST(PairStatistics, HugeValueLeavesNoResidue) {
    const std::vector<double> close{3, 1, 4, 1, 5, 9, 2, 6, 5, 3};
    for (int k = 1; k <= 40; ++k) {
        const double flat = 0.37 * k;
        const std::vector<double> ref{1, 2, 3, 4, 4.5, 1e12 + 0.37, flat, flat, flat, flat};
        EXPECT_EQ(feed_all("Beta", {4}, close, ref).back(), 0.0) << flat;
        EXPECT_EQ(feed_all("PearsonCorrelation", {4}, close, ref).back(), 0.0) << flat;
        EXPECT_EQ(feed_all("Alpha", {4, 0.5}, close, ref).back(), 4.0 - 0.5) << flat;
    }
}

// Ranks with ties shared, then Pearson of the ranks; an independent route.
std::vector<double> ranks_of(const std::vector<double>& v) {
    std::vector<double> r(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        double less = 0, equal = 0;
        for (double w : v) {
            less += w < v[i];
            equal += w == v[i];
        }
        r[i] = less + (equal + 1.0) / 2.0;
    }
    return r;
}

TEST(PairStatistics, RankCorrelationsAgainstModels) {
    EXPECT_EQ(ranks_of({1, 2, 2, 3}), (std::vector<double>{1, 2.5, 2.5, 4}));
    std::mt19937 rng(4);
    std::vector<double> a, b;
    for (int i = 0; i < 200; ++i) {
        a.push_back(static_cast<double>(rng() % 5));
        b.push_back(static_cast<double>(rng() % 4));
    }
    const std::size_t n = 9;
    const auto spear = feed_all("SpearmanCorrelation", {double(n)}, a, b);
    const auto kendall = feed_all("KendallTau", {double(n)}, a, b);
    for (std::size_t i = n - 1; i < a.size(); ++i) {
        const std::vector<double> wa(a.begin() + (i + 1 - n), a.begin() + i + 1);
        const std::vector<double> wb(b.begin() + (i + 1 - n), b.begin() + i + 1);
        const auto m = moments_of(ranks_of(wa), ranks_of(wb));
        const double rho = m.va * m.vb == 0 ? 0.0 : m.cov / std::sqrt(m.va * m.vb);
        ASSERT_TRUE(spear[i]);
        EXPECT_NEAR(*spear[i], rho, 1e-12) << i;
        double c = 0, d = 0, ta = 0, tb = 0;
        for (std::size_t p = 0; p < n; ++p)
            for (std::size_t q = p + 1; q < n; ++q) {
                const double da = wa[q] - wa[p], db = wb[q] - wb[p];
                if (da == 0) ta += 1;
                if (db == 0) tb += 1;
                if (da != 0 && db != 0) (da * db > 0 ? c : d) += 1;
            }
        const double pairs = n * (n - 1) / 2.0;
        const double den = (pairs - ta) * (pairs - tb);
        ASSERT_TRUE(kendall[i]);
        EXPECT_NEAR(*kendall[i], den == 0 ? 0.0 : (c - d) / std::sqrt(den), 1e-12) << i;
    }
}

// Discordance outweighing concordance must give a negative tau, never a wrapped count.
TEST(PairStatistics, KendallTauNegative) {
    const auto got = last_of("KendallTau", {4}, {1, 2, 3, 4}, {4, 3, 1, 2});
    ASSERT_TRUE(got);
    EXPECT_NEAR(*got, -4.0 / 6.0, 1e-15);
}

TEST(PairStatistics, SpreadStatistics) {
    // A steadily trending spread does not revert: half-life 0.
    std::vector<double> a, b, zero(20, 0.0);
    for (int i = 0; i < 20; ++i) {
        a.push_back(10.0 + i * i * 0.1);
        b.push_back(1.0);
    }
    EXPECT_EQ(last_of("OuHalfLife", {6}, a, b), 0.0);

    // A constant spread: Hurst 0.5, variance ratio 1, AR(1) and half-life 0.
    const std::vector<double> c(30, 7.25), r(30, 0.5);
    EXPECT_EQ(last_of("SpreadHurst", {16}, c, r), 0.5);
    EXPECT_EQ(last_of("VarianceRatio", {10, 3}, c, r), 1.0);
    EXPECT_EQ(last_of("SpreadAr1Coefficient", {5}, c, r), 0.0);
    EXPECT_EQ(last_of("OuHalfLife", {5}, c, r), 0.0);

    // Against models over a mean-reverting spread.
    std::mt19937 rng(12);
    std::normal_distribution<double> g(0, 1);
    std::vector<double> s{0.0};
    for (int i = 1; i < 150; ++i) s.push_back(0.6 * s.back() + g(rng));
    std::vector<double> close, ref;
    for (double v : s) {
        close.push_back(100.0 + v);
        ref.push_back(100.0);
    }
    const std::size_t n = 20, q = 3;
    const auto ou = feed_all("OuHalfLife", {double(n)}, close, ref);
    const auto ar = feed_all("SpreadAr1Coefficient", {double(n)}, close, ref);
    const auto hurst = feed_all("SpreadHurst", {double(n)}, close, ref);
    const auto vr = feed_all("VarianceRatio", {double(n), double(q)}, close, ref);
    for (std::size_t i = n - 1; i < s.size(); ++i) {
        const std::vector<double> w(s.begin() + (i + 1 - n), s.begin() + i + 1);
        std::vector<double> lvl(w.begin(), w.end() - 1), next(w.begin() + 1, w.end()), chg;
        for (std::size_t t = 1; t < w.size(); ++t) chg.push_back(w[t] - w[t - 1]);
        const auto mc = moments_of(lvl, chg);
        const double b_ou = mc.cov / mc.va;
        EXPECT_NEAR(*ou[i], b_ou < 0 ? -std::log(2.0) / b_ou : 0.0, 1e-9) << i;
        const auto ml = moments_of(lvl, next);
        EXPECT_NEAR(*ar[i], ml.cov / ml.va, 1e-9) << i;

        std::vector<double> lx, ly;
        for (std::size_t tau = 1; tau <= n / 4; ++tau) {
            double v = 0;
            for (std::size_t t = 0; t + tau < n; ++t) v += std::pow(w[t + tau] - w[t], 2);
            v /= double(n - tau);
            lx.push_back(std::log(double(tau)));
            ly.push_back(std::log(v));
        }
        const auto mh = moments_of(lx, ly);
        EXPECT_NEAR(*hurst[i], std::clamp(mh.cov / mh.va / 2.0, 0.0, 1.0), 1e-9) << i;

        const auto m1 = moments_of(chg, chg);
        double su = 0;
        const std::size_t runs = chg.size() - q + 1;
        for (std::size_t k = 0; k < runs; ++k) {
            double run = 0;
            for (std::size_t j = 0; j < q; ++j) run += chg[k + j];
            su += std::pow(run - q * m1.ma, 2);
        }
        EXPECT_NEAR(*vr[i], (su / runs) / (q * m1.va), 1e-9) << i;
    }
}

TEST(PairStatistics, PairSpreadZScore) {
    const test::PairSeries s = random_pairs(120, 23);
    const std::size_t bp = 5, zp = 4;
    const auto got = feed_all("PairSpreadZScore", {double(bp), double(zp)}, s.a, s.b);
    std::vector<double> spreads(s.a.size(), 0.0);
    for (std::size_t i = 0; i < s.a.size(); ++i) {
        if (i + 1 < bp + zp - 1) {
            EXPECT_FALSE(got[i]) << i;
        }
        if (i + 1 < bp) continue;
        std::vector<double> la, lb;
        for (std::size_t j = i + 1 - bp; j <= i; ++j) {
            la.push_back(std::log(s.b[j]));
            lb.push_back(std::log(s.a[j]));
        }
        const auto m = moments_of(la, lb);
        spreads[i] = std::log(s.a[i]) - (m.va == 0 ? 0.0 : m.cov / m.va) * std::log(s.b[i]);
        if (i + 1 < bp + zp - 1) continue;
        const std::vector<double> w(spreads.begin() + (i + 1 - zp), spreads.begin() + i + 1);
        const auto mz = moments_of(w, w);
        ASSERT_TRUE(got[i]) << i;
        EXPECT_NEAR(*got[i], (spreads[i] - mz.ma) / std::sqrt(mz.va), 1e-7) << i;
    }
}


// A residual of the fit is the same at any price level: a walk on a grid of 1/8,
// shifted by 1.1e11 and 5.5e10 (exact shifts), gives the residuals of the walk near
// zero. Rounding a and beta*b at the level before they cancel missed by some 1e-4.
TEST(PairStatistics, FitResidualsDoNotDependOnTheLevel) {
    const test::PairSeries s = random_pairs(200, 31);
    std::vector<double> a0, b0, a1, b1;
    for (std::size_t i = 0; i < s.a.size(); ++i) {
        a0.push_back(std::round(8.0 * (s.a[i] - 100.0)) / 8.0);
        b0.push_back(std::round(128.0 * (s.b[i] - 50.0)) / 128.0);  // a finer grid, so the fit is not exact
        a1.push_back(a0.back() + 1.1e11);
        b1.push_back(b0.back() + 5.5e10);
    }
    struct Case {
        const char* name;
        std::vector<double> params;
        const char* field;  // the output that is the residual, or nullptr for the first
    };
    for (const Case& c : {Case{"BetaNeutralSpread", {20}, nullptr}, Case{"Cointegration", {20, 1}, "spread"}}) {
        IndicatorBox near_zero = make(c.name, c.params), high = make(c.name, c.params);
        for (std::size_t i = 0; i < a0.size(); ++i) {
            const std::optional<double> x = feed_pair(*near_zero, a0[i], b0[i]);
            const std::optional<double> y = feed_pair(*high, a1[i], b1[i]);
            ASSERT_EQ(x.has_value(), y.has_value()) << c.name << " " << i;
            if (!x) continue;
            EXPECT_NEAR(c.field ? field(*high, c.field) : *y, c.field ? field(*near_zero, c.field) : *x, 1e-9) << c.name << " " << i;
        }
    }
}

}  // namespace
}  // namespace torvex
