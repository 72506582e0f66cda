// Pair models on prices a market prints on a grid: windows whose designs exact
// arithmetic makes singular, or fits exactly, or whose D is 0, read the fallback.
// Decided independently with integers of any size: each column is read in units of
// its last decimal place where its values are prices as written, else as binary
// integers, and every quantity the decision needs is a determinant of integers.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "pair_support.hpp"

namespace torvex {
namespace {

using test::feed_pair;
using test::field;
using test::make;

// A signed integer of any size: the magnitude in 32-bit limbs, lowest first.
struct Big {
    bool negative = false;
    std::vector<std::uint32_t> limbs;

    static Big of(std::int64_t v) {
        Big b;
        b.negative = v < 0;
        for (std::uint64_t m = v < 0 ? 0 - static_cast<std::uint64_t>(v) : v; m != 0; m >>= 32)
            b.limbs.push_back(static_cast<std::uint32_t>(m));
        return b;
    }
    bool zero() const { return limbs.empty(); }
};

int compare_magnitude(const Big& a, const Big& b) {
    if (a.limbs.size() != b.limbs.size()) return a.limbs.size() < b.limbs.size() ? -1 : 1;
    for (std::size_t i = a.limbs.size(); i-- > 0;)
        if (a.limbs[i] != b.limbs[i]) return a.limbs[i] < b.limbs[i] ? -1 : 1;
    return 0;
}

void trim(Big& a) {
    while (!a.limbs.empty() && a.limbs.back() == 0) a.limbs.pop_back();
    if (a.limbs.empty()) a.negative = false;
}

Big operator+(const Big& a, const Big& b) {
    Big r;
    if (a.negative == b.negative) {
        r.negative = a.negative;
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < std::max(a.limbs.size(), b.limbs.size()) || carry; ++i) {
            carry += (i < a.limbs.size() ? a.limbs[i] : 0) + std::uint64_t{i < b.limbs.size() ? b.limbs[i] : 0u};
            r.limbs.push_back(static_cast<std::uint32_t>(carry));
            carry >>= 32;
        }
    } else {
        const bool a_larger = compare_magnitude(a, b) >= 0;
        const Big& big = a_larger ? a : b;
        const Big& small = a_larger ? b : a;
        r.negative = big.negative;
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < big.limbs.size(); ++i) {
            std::int64_t d = std::int64_t{big.limbs[i]} - (i < small.limbs.size() ? small.limbs[i] : 0) - borrow;
            borrow = d < 0;
            r.limbs.push_back(static_cast<std::uint32_t>(d + (borrow << 32)));
        }
    }
    trim(r);
    return r;
}

Big operator-(const Big& a, Big b) {
    b.negative = !b.negative && !b.zero();
    return a + b;
}

Big operator*(const Big& a, const Big& b) {
    Big r;
    r.limbs.assign(a.limbs.size() + b.limbs.size(), 0);
    for (std::size_t i = 0; i < a.limbs.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.limbs.size() || carry; ++j) {
            carry += r.limbs[i + j] + std::uint64_t{a.limbs[i]} * (j < b.limbs.size() ? b.limbs[j] : 0);
            r.limbs[i + j] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
    }
    r.negative = a.negative != b.negative;
    trim(r);
    return r;
}

// A column of doubles as integers. Prices are written as decimals: where every value is
// the double nearest a decimal of at most 8 places, the column reads in units of its
// last place; else each value times 2^-low, low the exponent of the column's lowest set bit.
std::vector<Big> integers(const std::vector<double>& column) {
    for (int k = 0; k <= 8; ++k) {
        const double ten = std::pow(10.0, k);
        std::vector<Big> out;
        for (const double x : column) {
            const double m = std::round(x * ten);
            for (const double near : {m, m - 1, m + 1})
                if (std::fabs(near) < 0x1p52 && near / ten == x) {
                    out.push_back(Big::of(static_cast<std::int64_t>(near)));
                    break;
                }
        }
        if (out.size() == column.size()) return out;
    }
    // x = m · 2^e with m an integer of 53 bits.
    const auto split = [](double x, int& e) {
        const auto m = static_cast<std::int64_t>(std::ldexp(std::frexp(x, &e), 53));
        e -= 53;
        return m;
    };
    int low = 4096, e = 0;
    for (const double x : column)
        if (x != 0) {
            const std::int64_t m = split(x, e);
            low = std::min(low, e + std::countr_zero(static_cast<std::uint64_t>(m < 0 ? -m : m)));
        }
    std::vector<Big> out;
    for (const double x : column) {
        std::int64_t m = split(x, e);
        if (m == 0) {
            out.push_back(Big{});
            continue;
        }
        if (e < low) m /= std::int64_t{1} << (low - e);  // exact: below low every bit is 0
        Big v = Big::of(m);
        for (int shift = e - low; shift > 0; shift -= 16) v = v * Big::of(std::int64_t{1} << std::min(shift, 16));
        out.push_back(v);
    }
    return out;
}

using Columns = std::vector<std::vector<Big>>;

Big dot(const std::vector<Big>& x, const std::vector<Big>& y) {
    Big s;
    for (std::size_t i = 0; i < x.size(); ++i) s = s + x[i] * y[i];
    return s;
}

// The determinant by expansion along rows, over subsets of the columns: minors[mask]
// is the determinant of the first |mask| rows on the columns in mask.
Big det(const std::vector<std::vector<Big>>& m) {
    std::vector<Big> minors(std::size_t{1} << m.size());
    minors[0] = Big::of(1);
    for (std::size_t mask = 1; mask < minors.size(); ++mask) {
        const std::size_t r = static_cast<std::size_t>(std::popcount(mask)) - 1;
        for (std::size_t j = 0, at = 0; j < m.size(); ++j) {
            if ((mask >> j & 1) == 0) continue;
            const Big& minor = minors[mask ^ std::size_t{1} << j];
            if (!m[r][j].zero() && !minor.zero()) {
                const Big t = m[r][j] * minor;
                minors[mask] = (r + at) % 2 == 0 ? minors[mask] + t : minors[mask] - t;
            }
            ++at;
        }
    }
    return minors.back();
}

// det(A'B) over the columns of A and of B.
Big gram_det(const Columns& a, const Columns& b) {
    std::vector<std::vector<Big>> m(a.size(), std::vector<Big>(b.size()));
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) m[i][j] = dot(a[i], b[j]);
    return det(m);
}

Columns with(Columns c, const std::vector<Big>& extra) {
    c.push_back(extra);
    return c;
}

std::vector<Big> ones(std::size_t n) { return std::vector<Big>(n, Big::of(1)); }

// Granger(period, lag) over a window: 0.0 is due where either design is singular or
// the one with the references fits the closes exactly.
bool granger_falls_back(const std::vector<double>& a, const std::vector<double>& b, std::size_t lag) {
    const std::size_t rows = a.size() - lag;
    const auto lagged = [&](const std::vector<double>& s, std::size_t j) {
        return std::vector<double>(s.begin() + static_cast<std::ptrdiff_t>(lag - j), s.end() - static_cast<std::ptrdiff_t>(j));
    };
    Columns full{ones(rows)};
    for (std::size_t j = 1; j <= lag; ++j) full.push_back(integers(lagged(a, j)));
    for (std::size_t j = 1; j <= lag; ++j) full.push_back(integers(lagged(b, j)));
    // Dependent columns of either design are dependent columns of the design with the
    // closes it fits.
    const Columns target = with(full, integers(lagged(a, 0)));
    return gram_det(target, target).zero();
}

// Hasbrouck over period + 2 pairs: 0.5 is due where the regressors are singular,
// either change is fitted exactly, or D = 0. By Cramer's rule, with G = X'X and the
// changes' residuals e1, e2: a1·det G and b1·det G are the determinants of G with its
// z column replaced by X'dc and X'dr, and (e_i'e_j)·det G the bordered determinants of
// [X dc] and [X dr]; so D·n·det(G)^3 = A1² S22 + B1² S11 − 2 A1 B1 S12.
bool hasbrouck_falls_back(const std::vector<double>& c, const std::vector<double>& r) {
    // The changes are differences of the prices as written: both legs on one grid.
    std::vector<double> prices = c;
    prices.insert(prices.end(), r.begin(), r.end());
    const std::vector<Big> p = integers(prices);
    const auto ic = [&](std::size_t t) { return p[t]; };
    const auto ir = [&](std::size_t t) { return p[c.size() + t]; };
    std::vector<Big> one, iz, idc1, idr1, idc, idr;
    for (std::size_t t = 2; t < c.size(); ++t) {
        one.push_back(Big::of(1));
        iz.push_back(ic(t - 1) - ir(t - 1));
        idc1.push_back(ic(t - 1) - ic(t - 2));
        idr1.push_back(ir(t - 1) - ir(t - 2));
        idc.push_back(ic(t) - ic(t - 1));
        idr.push_back(ir(t) - ir(t - 1));
    }
    const Columns x{one, iz, idc1, idr1};
    if (gram_det(x, x).zero()) return true;
    const Big s11 = gram_det(with(x, idc), with(x, idc)), s22 = gram_det(with(x, idr), with(x, idr));
    if (s11.zero() || s22.zero()) return true;
    const Big s12 = gram_det(with(x, idc), with(x, idr));
    const Big a1 = gram_det(x, {one, idc, idc1, idr1}), b1 = gram_det(x, {one, idr, idc1, idr1});
    return (a1 * a1 * s22 + b1 * b1 * s11 - Big::of(2) * a1 * b1 * s12).zero();
}

// Cointegration's ADF regression over residuals of the exact hedge: 0.0 is due where
// its design is singular or fits the changes exactly. n²·Sbb·e_i, read as integers, is
// Sbb (n A_i − ΣA) − Sab (n B_i − ΣB) with Sbb = nΣB² − (ΣB)², Sab = nΣAB − ΣAΣB.
bool cointegration_falls_back(const std::vector<double>& a, const std::vector<double>& b, std::size_t lags) {
    const std::vector<Big> ia = integers(a), ib = integers(b);
    const Big n = Big::of(static_cast<std::int64_t>(a.size()));
    Big sa, sb;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sa = sa + ia[i];
        sb = sb + ib[i];
    }
    const Big sbb = n * dot(ib, ib) - sb * sb, sab = n * dot(ia, ib) - sa * sb;
    std::vector<Big> e;
    for (std::size_t i = 0; i < a.size(); ++i)
        e.push_back(sbb.zero() ? n * ia[i] - sa : sbb * (n * ia[i] - sa) - sab * (n * ib[i] - sb));
    Columns design(lags + 2);
    for (std::size_t t = lags + 1; t < e.size(); ++t) {
        design[0].push_back(e[t - 1]);
        for (std::size_t j = 1; j <= lags; ++j) design[j].push_back(e[t - j] - e[t - j - 1]);
        design[lags + 1].push_back(e[t] - e[t - 1]);
    }
    const Columns x(design.begin(), design.end() - 1);
    return gram_det(x, x).zero() || gram_det(design, design).zero();
}

// Seeded minute bars of the kinds of pair a market prints.
enum class Kind { QuarterTicks, FutureOnBond, CentsOnBidAsk, OneLegHalted, TwoEtfs };

test::PairSeries history(Kind kind, unsigned seed, std::size_t n) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> g(0.0, 1.0);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    test::PairSeries s;
    double a = 4497.25, b = 4482.5;                      // in ticks of 0.25 for two legs
    std::int64_t fa = 112 * 64 + 17, fb = 110 * 32 + 9;  // 1/64 and 1/32
    std::int64_t ca = 10123, mid = 5070, side = 1;       // cents
    std::int64_t etf = 44607, premium = 31;              // cents
    std::size_t halt = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double shock = g(rng);
        switch (kind) {
            case Kind::QuarterTicks:
                if (u(rng) < 0.5) a += 0.25 * std::round(0.9 * shock + 0.4 * g(rng));
                if (u(rng) < 0.5) b += 0.25 * std::round(0.9 * shock + 0.4 * g(rng));
                s.a.push_back(a);
                s.b.push_back(b);
                break;
            case Kind::FutureOnBond:
                if (u(rng) < 0.6) fa += std::llround(1.2 * shock + 0.5 * g(rng));
                if (u(rng) < 0.4) fb += std::llround(0.6 * shock + 0.3 * g(rng));
                s.a.push_back(static_cast<double>(fa) / 64);
                s.b.push_back(static_cast<double>(fb) / 32);
                break;
            case Kind::CentsOnBidAsk:
                ca += std::llround(3 * shock);
                if (u(rng) < 0.03) mid += u(rng) < 0.5 ? -1 : 1;
                if (u(rng) < 0.2) side = -side;
                s.a.push_back(static_cast<double>(ca) / 100);
                s.b.push_back(static_cast<double>(mid + 2 * side) / 100);
                break;
            case Kind::TwoEtfs:  // on one index: the second at a premium that seldom moves
                etf += std::llround(4 * shock);
                if (u(rng) < 0.15) premium += u(rng) < 0.5 ? -1 : 1;
                s.a.push_back(static_cast<double>(etf) / 100);
                s.b.push_back(static_cast<double>(etf + premium) / 100);
                break;
            case Kind::OneLegHalted:
                if (halt == 0 && u(rng) < 0.01) halt = 150 + static_cast<std::size_t>(250 * u(rng));
                a += 0.25 * std::round(1.2 * shock + 0.6 * g(rng));
                if (halt > 0)
                    --halt;
                else
                    b += 0.25 * std::round(1.2 * shock + 0.6 * g(rng));
                s.a.push_back(a);
                s.b.push_back(b);
                break;
        }
    }
    return s;
}

struct Model {
    const char* label;
    const char* name;
    std::vector<double> params;
    std::size_t span;  // pairs a window reads
    double fallback;
};

const Model kModels[] = {
    {"GrangerCausality(7, 1)", "GrangerCausality", {7, 1}, 7, 0.0},
    {"GrangerCausality(8, 2)", "GrangerCausality", {8, 2}, 8, 0.0},
    {"HasbrouckInformationShare(6)", "HasbrouckInformationShare", {6}, 8, 0.5},
    {"HasbrouckInformationShare(8)", "HasbrouckInformationShare", {8}, 10, 0.5},
    {"Cointegration(6, 1)", "Cointegration", {6, 1}, 6, 0.0},
};

// The bars of a history whose windows exact arithmetic makes degenerate: how many, and
// those that read something other than the fallback.
struct Misses {
    std::size_t due = 0;
    std::vector<std::size_t> off;
};

// The answer the model's fallback is read from: Cointegration's ADF statistic.
double answer(const Model& m, const DynIndicator& ind, std::optional<double> got) {
    return std::string(m.name) == "Cointegration" ? field(ind, "adf_stat") : got.value_or(-1.0);
}

Misses misses(const Model& m, const test::PairSeries& s) {
    IndicatorBox ind = make(m.name, m.params);
    const std::string name = m.name;
    Misses out;
    for (std::size_t i = 0; i < s.a.size(); ++i) {
        const auto got = feed_pair(*ind, s.a[i], s.b[i]);
        if (i + 1 < m.span) continue;
        const std::vector<double> a(s.a.begin() + static_cast<std::ptrdiff_t>(i + 1 - m.span), s.a.begin() + static_cast<std::ptrdiff_t>(i + 1));
        const std::vector<double> b(s.b.begin() + static_cast<std::ptrdiff_t>(i + 1 - m.span), s.b.begin() + static_cast<std::ptrdiff_t>(i + 1));
        const bool falls_back = name == "GrangerCausality" ? granger_falls_back(a, b, static_cast<std::size_t>(m.params[1]))
                                : name == "Cointegration"  ? cointegration_falls_back(a, b, static_cast<std::size_t>(m.params[1]))
                                                           : hasbrouck_falls_back(a, b);
        if (!falls_back) continue;
        ++out.due;
        if (answer(m, *ind, got) != m.fallback) out.off.push_back(i);
    }
    return out;
}

TEST(ExactPairDesigns, WindowsExactArithmeticMakesDegenerateReadTheFallback) {
    const struct {
        const char* label;
        Kind kind;
    } kinds[] = {{"two legs on 0.25 ticks", Kind::QuarterTicks},
                 {"a future on 1/64 against a bond on 1/32", Kind::FutureOnBond},
                 {"one leg halted while the other trades", Kind::OneLegHalted}};
    for (const auto& k : kinds) {
        const test::PairSeries s = history(k.kind, 2024, 600);
        for (const Model& m : kModels) {
            SCOPED_TRACE(std::string(k.label) + ", " + m.label);
            const Misses got = misses(m, s);
            EXPECT_GT(got.due, 0u);
            EXPECT_EQ(got.off, std::vector<std::size_t>{});
        }
    }
}

// Cents are decimals, which doubles hold only to rounding: a design singular on the
// prices as written is regular on their binary fractions, by a pivot of roundings.
TEST(ExactPairDesigns, CentHistoriesReadTheFallbackWhereTheirDecimalsAreDegenerate) {
    const struct {
        const char* label;
        Kind kind;
    } kinds[] = {{"two ETFs on one index", Kind::TwoEtfs}, {"cents against an illiquid bid and ask", Kind::CentsOnBidAsk}};
    for (const auto& k : kinds)
        for (const Model& m : kModels) {
            std::size_t due = 0;
            for (const unsigned seed : {1u, 2u, 3u}) {
                SCOPED_TRACE(std::string(k.label) + ", seed " + std::to_string(seed) + ", " + m.label);
                const Misses got = misses(m, history(k.kind, seed, 1000));
                due += got.due;
                EXPECT_EQ(got.off, std::vector<std::size_t>{});
            }
            EXPECT_GT(due, 0u) << k.label << ", " << m.label;
        }
}

// Windows singular or fitted exactly on the prices as written, and regular on their
// binary fractions: the last bar reads the fallback.
TEST(ExactPairDesigns, DesignsSingularOnTheirDecimalsReadTheFallback) {
    const struct {
        const char* label;
        Model model;
        std::vector<double> a, b;
    } cases[] = {
        // r(t−1) − c(t−1) is 0.31 on all six rows: the design has rank 4 of 5.
        {"two ETFs at a premium of 0.31",
         kModels[1],
         {446.07, 445.99, 446.11, 446.02, 446.02, 445.97, 446.23, 446.2},
         {446.39, 446.3, 446.42, 446.33, 446.33, 446.28, 446.54, 446.52}},
        {"two ETFs, one lag",
         kModels[0],
         {445.97, 445.98, 445.89, 445.96, 446.04, 446.06, 446.02},
         {446.30, 446.31, 446.22, 446.29, 446.37, 446.39, 446.35}},
        {"cents against a bid and ask",
         kModels[1],
         {101.53, 101.59, 101.61, 101.63, 101.68, 101.71, 101.73, 101.71},
         {50.69, 50.69, 50.65, 50.65, 50.65, 50.69, 50.65, 50.65}},
        {"two ETFs, an information share",
         kModels[2],
         {446.30, 446.32, 446.34, 446.35, 446.37, 446.38, 446.39, 446.40},
         {446.54, 446.55, 446.57, 446.58, 446.59, 446.60, 446.61, 446.62}},
        {"cents against a bid and ask, an information share",
         kModels[3],
         {101.31, 101.3, 101.31, 101.31, 101.35, 101.35, 101.31, 101.31, 101.31, 101.31},
         {50.72, 50.67, 50.67, 50.71, 50.71, 50.67, 50.67, 50.67, 50.67, 50.67}},
        {"two ETFs, a unit-root test",
         kModels[4],
         {446.69, 446.71, 446.71, 446.66, 446.65, 446.67},
         {446.91, 446.94, 446.94, 446.89, 446.88, 446.90}},
        // The reference is the close plus 0.06 on every bar: the residuals vanish on
        // the cents and are binary roundings of the level, a design of their own.
        {"two ETFs a constant 0.06 apart, a unit-root test",
         kModels[4],
         {445.71, 445.71, 445.72, 445.71, 445.73, 445.71},
         {445.77, 445.77, 445.78, 445.77, 445.79, 445.77}},
        {"cents against a bid and ask, a unit-root test",
         kModels[4],
         {101.32, 101.3, 101.28, 101.29, 101.27, 101.28},
         {50.68, 50.68, 50.72, 50.72, 50.72, 50.72}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_EQ(c.a.size(), c.model.span);
        const Misses got = misses(c.model, {c.a, c.b});
        EXPECT_EQ(got.due, 1u);
        EXPECT_EQ(got.off, std::vector<std::size_t>{});
        // Prices scaled by a power of two make a window as singular.
        for (const int k : {-40, 40}) {
            IndicatorBox ind = make(c.model.name, c.model.params);
            std::optional<double> last;
            for (std::size_t i = 0; i < c.a.size(); ++i) last = feed_pair(*ind, std::ldexp(c.a[i], k), std::ldexp(c.b[i], k));
            EXPECT_EQ(answer(c.model, *ind, last), c.model.fallback) << "times 2^" << k;
        }
    }
}

// A close that trades on against a reference that stands still: once the window's
// lagged references are one value, that column is the intercept's multiple.
TEST(ExactPairDesigns, GrangerOverAReferenceThatStandsStill) {
    std::mt19937 rng(357);
    std::normal_distribution<double> g(0.0, 1.0);
    std::vector<double> a, b;
    double close = 612.5;
    for (int i = 0; i < 420; ++i) {
        close += std::round(100 * 2 * g(rng)) / 100;
        a.push_back(close);
        b.push_back(i < 300 ? 0.5 * close * (1 + 0.01 * g(rng)) : b.back());
    }
    IndicatorBox gc = make("GrangerCausality", {60, 2});
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto got = feed_pair(*gc, a[i], b[i]);
        if (i + 1 < 60) continue;
        const std::vector<double> wa(a.begin() + static_cast<std::ptrdiff_t>(i - 59), a.begin() + static_cast<std::ptrdiff_t>(i + 1));
        const std::vector<double> wb(b.begin() + static_cast<std::ptrdiff_t>(i - 59), b.begin() + static_cast<std::ptrdiff_t>(i + 1));
        ASSERT_TRUE(got);
        // r(t−1) reads bars i − 58 .. i − 1, one value from bar 357 on; before, the
        // reference is noise.
        EXPECT_EQ(granger_falls_back(wa, wb, 2), i >= 357) << i;
        if (i >= 357) {
            EXPECT_EQ(*got, 0.0) << i;
        }
    }
}

}  // namespace
}  // namespace torvex
