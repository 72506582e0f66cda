// The pair names at every price level: both legs times 2^k give every output times
// 2^(k * degree), and the solvers behind the models decide singularity in the sizes of
// the columns, not in price units.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "indicators/cores/normal_equations.hpp"
#include "pair_support.hpp"

namespace torvex {
namespace {

using test::feed_pair;
using test::make;

// Every answer of the name over the pairs with both legs times 2^k: per bar, the
// value (NaN where there is none) followed by the outputs.
std::vector<std::vector<double>> answers(const std::string& name, const std::vector<double>& params,
                                         const test::PairSeries& s, int k) {
    IndicatorBox ind = make(name, params);
    std::vector<std::vector<double>> rows;
    if (!ind) return rows;
    for (std::size_t i = 0; i < s.a.size(); ++i) {
        const std::optional<double> v = feed_pair(*ind, std::ldexp(s.a[i], k), std::ldexp(s.b[i], k));
        std::vector<double> row{v.value_or(std::nan(""))};
        for (const NamedOutput& o : ind->outputs()) row.push_back(o.value);
        rows.push_back(row);
    }
    return rows;
}

// Every name whose type is a pair statistic, at its typical parameters, and the small
// windows of the models that solve normal equations. Degrees are per entry of a row
// (the value, then the outputs). KalmanHedgeRatio's noise variances and
// PairSpreadZScore's spread of logarithms, which has no intercept, are fixed in price
// units: they have no degree.
struct ScaleRow {
    const char* name;
    std::vector<double> params;
    std::vector<int> degrees;
    double tolerance = 0.0;  // 0: bit for bit
};

const std::vector<ScaleRow>& scale_rows() {
    static const std::vector<ScaleRow> rows = {
        // With no risk-free rate to subtract, a mean of prices beyond their fit.
        {"Alpha", {20, 0}, {1}},
        {"Beta", {20}, {0}},
        {"BetaNeutralSpread", {20}, {1}},
        {"Cointegration", {60, 1}, {0, 0, 1, 0}},
        {"Cointegration", {20, 1}, {0, 0, 1, 0}},
        {"DistanceSsd", {20}, {0}},
        {"GrangerCausality", {60, 2}, {0}},
        {"GrangerCausality", {7, 1}, {0}},
        // Its partial pivoting compares raw magnitudes, where the intercept column
        // does not scale: another pivot order rounds differently.
        {"HasbrouckInformationShare", {60}, {0}, 1e-9},
        {"HasbrouckInformationShare", {8}, {0}, 1e-9},
        {"InformationRatio", {20}, {0}},
        {"KendallTau", {20}, {0}},
        {"LeadLagCrossCorrelation", {20, 5}, {0, 0}},
        {"OuHalfLife", {20}, {0}},
        {"PairwiseBeta", {20}, {0}},
        {"PearsonCorrelation", {20}, {0}},
        {"RelativeStrengthAB", {20, 14}, {0, 0, 0, 0}},
        {"RollingCorrelation", {20}, {0}},
        {"RollingCovariance", {20}, {2}},
        {"SpearmanCorrelation", {20}, {0}},
        {"SpreadAr1Coefficient", {20}, {0}},
        {"SpreadBollingerBands", {20, 2}, {1, 1, 1, 1, 0}},
        // A slope fitted to logarithms of ranges, which round at their magnitude.
        {"SpreadHurst", {32}, {0}, 1e-9},
        {"TreynorRatio", {20, 0}, {1}},  // no risk-free rate: a mean price per unit of beta
        {"VarianceRatio", {20, 4}, {0}},
    };
    return rows;
}

TEST(PairScale, AnswersScaleWithTheirDegree) {
    const test::PairSeries s = test::random_pairs(240, 17);
    for (const ScaleRow& r : scale_rows()) {
        const std::vector<std::vector<double>> plain = answers(r.name, r.params, s, 0);
        ASSERT_EQ(plain.size(), s.a.size()) << r.name;
        for (const int k : {-30, -24, -20, -16, -1, 1, 16, 30}) {
            const std::vector<std::vector<double>> got = answers(r.name, r.params, s, k);
            // The first entry that departs, and how many do.
            std::string first;
            std::size_t departing = 0;
            for (std::size_t i = 0; i < plain.size(); ++i) {
                // The outputs appear with the first answer.
                ASSERT_EQ(got[i].size(), plain[i].size()) << r.name << " bar " << i;
                ASSERT_TRUE(got[i].size() == 1 || got[i].size() == r.degrees.size()) << r.name;
                for (std::size_t j = 0; j < got[i].size(); ++j) {
                    const double want = std::ldexp(plain[i][j], k * r.degrees[j]), g = got[i][j];
                    const bool same = std::isnan(want) ? std::isnan(g)
                                      : r.tolerance == 0.0 ? g == want
                                                           : std::fabs(g - want) <= r.tolerance * std::fabs(want);
                    if (same) continue;
                    if (departing++ == 0)
                        first = "bar " + std::to_string(i) + " entry " + std::to_string(j) + ": " + std::to_string(g) +
                                ", due " + std::to_string(want);
                }
            }
            EXPECT_EQ(departing, 0u) << r.name << " x2^" << k << ", first " << first;
        }
    }
}

// The history is one the models fit: at the usual level none of them reads its
// fallback, so the scaled runs above compare fitted answers.
TEST(PairScale, TheModelsFitTheHistory) {
    const test::PairSeries s = test::random_pairs(240, 17);
    struct Model {
        const char* name;
        std::vector<double> params;
        std::size_t entry;
        double fallback;
    };
    const Model models[] = {
        {"GrangerCausality", {60, 2}, 0, 0.0}, {"GrangerCausality", {7, 1}, 0, 0.0},
        {"HasbrouckInformationShare", {60}, 0, 0.5}, {"HasbrouckInformationShare", {8}, 0, 0.5},
        {"Cointegration", {60, 1}, 3, 0.0}, {"Cointegration", {20, 1}, 3, 0.0},
    };
    for (const Model& m : models) {
        std::size_t fitted = 0;
        for (const std::vector<double>& row : answers(m.name, m.params, s, 0)) {
            if (std::isnan(row[0])) continue;
            EXPECT_NE(row[m.entry], m.fallback) << m.name;
            fitted += 1;
        }
        EXPECT_GT(fitted, 150u) << m.name;
    }
}

// Solver cases: a 4 x 4 Gram matrix G and the column scales s_i; the system solved is
// D G D with D = diag(2^s_i), whose pivots are those of G times 2^(s_r + s_c) in
// either pivot order. "mixed" puts row 1 above row 0 in column 0, so that partial
// pivoting exchanges them.
struct SolveCase {
    const char* what;
    std::array<int, 4> scales;
};

const SolveCase kScales[] = {
    {"as given", {0, 0, 0, 0}},
    {"all x2^-40", {-40, -40, -40, -40}},
    {"all x2^40", {40, 40, 40, 40}},
    {"intercept apart, x2^-40", {0, -40, -40, -40}},
    {"intercept apart, x2^30", {0, 30, 30, 30}},
    {"mixed", {-20, 25, 0, -35}},
};

using Matrix = std::array<double, 16>;

Matrix scaled(const Matrix& g, const std::array<int, 4>& s) {
    Matrix out{};
    for (std::size_t r = 0; r < 4; ++r)
        for (std::size_t c = 0; c < 4; ++c) out[r * 4 + c] = std::ldexp(g[r * 4 + c], s[r] + s[c]);
    return out;
}

// G x = b with the integer solution x = (1, -2, 3, 1): the scaled system D G D y = D b
// has the solution y_i = x_i / 2^s_i, by either solver.
TEST(PairScale, AWellConditionedSystemSolvesAtEveryScale) {
    const Matrix g{4, 1, 2, 0, 1, 3, 0, 1, 2, 0, 5, 1, 0, 1, 1, 6};
    const std::array<double, 4> x{1, -2, 3, 1};
    for (const SolveCase& c : kScales) {
        std::array<double, 4> b{};
        for (std::size_t r = 0; r < 4; ++r) {
            for (std::size_t j = 0; j < 4; ++j) b[r] += g[r * 4 + j] * x[j];
            b[r] = std::ldexp(b[r], c.scales[r]);
        }
        Matrix natural = scaled(g, c.scales);
        std::array<double, 4> rhs = b, by_natural{}, by_partial{};
        ASSERT_TRUE(solve_natural_order(natural, rhs, by_natural)) << c.what;
        ASSERT_TRUE(solve_partial_pivot4(scaled(g, c.scales), b, by_partial)) << c.what;
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(std::ldexp(by_natural[i], c.scales[i]), x[i], 1e-12) << c.what << " x" << i;
            EXPECT_NEAR(std::ldexp(by_partial[i], c.scales[i]), x[i], 1e-12) << c.what << " x" << i;
        }
    }
}

// Columns 0 and 1 nearly equal: [[1, 1], [1, 1 + eps]] beside an identity. In either
// pivot order the second pivot is exactly eps in the sizes of its row and column. A
// solve refuses only a zero pivot: eps = 0 is singular, while 2^-44 (some 6e-14) and
// 2^-36 are regular and solve, to (1, 0, 1, 1) for the right-hand side of
// ones, exactly: the same at every scale. Whether so small a pivot is a rounding is the
// caller's to decide on its design's values.
TEST(PairScale, ANearlySingularSystemIsDecidedAlikeAtEveryScale) {
    struct Eps {
        double eps;
        bool solves;
    };
    const Eps cases[] = {{0.0, false}, {0x1p-44, true}, {0x1p-36, true}};
    for (const Eps& e : cases) {
        const Matrix g{1, 1, 0, 0, 1, 1 + e.eps, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        const std::array<double, 4> want{1, 0, 1, 1};
        for (const SolveCase& c : kScales) {
            Matrix natural = scaled(g, c.scales);
            std::array<double, 4> rhs{}, b{}, x{}, y{};
            for (std::size_t r = 0; r < 4; ++r) rhs[r] = b[r] = std::ldexp(1.0, c.scales[r]);
            EXPECT_EQ(solve_natural_order(natural, rhs, x), e.solves) << c.what << " eps " << e.eps;
            EXPECT_EQ(solve_partial_pivot4(scaled(g, c.scales), b, y), e.solves) << c.what << " eps " << e.eps;
            if (!e.solves) continue;
            for (std::size_t i = 0; i < 4; ++i) {
                EXPECT_EQ(std::ldexp(x[i], c.scales[i]), want[i]) << c.what << " eps " << e.eps << " x" << i;
                EXPECT_EQ(std::ldexp(y[i], c.scales[i]), want[i]) << c.what << " eps " << e.eps << " x" << i;
            }
        }
    }
}

}  // namespace
}  // namespace torvex
