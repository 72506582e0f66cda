// Every candle name at its typical parameters over quiet cent histories (flat runs,
// dojis, one-cent steps; four seeds of 900 bars) at two price levels an exact decimal
// shift apart: 99.99 and 1,099.99.
// Each price is written in cents and read from its decimal text, so each is the
// nearest double to what a user's document prints. The decimals are the same at
// both levels, so a column that does not read the level answers the same on every
// bar. A level column (an average, a band, a stop) moves by exactly the shift.
//
// Each output follows the relation that most of its rows follow: the same value, or
// the value plus the shift. A row differs when an output breaks its relation by more
// than rounding. For the same value, rounding means 1e-7 of the output's largest
// magnitude over the history plus a cent: a cent at 1,099.99 carries some 2.4e-11 of
// itself in rounding, which a stochastic of a small range (Stc, WaveTrend) magnifies
// to some 1e-8 of its scale. For the shifted value, it means 1e-9 of twice the shift.
// A tie that the decimals decide one way and the binary values decide another moves
// an answer by a whole step, 1e-4 of its scale or more, far beyond either bound.
//
// A name whose rows differ fails the test unless the list below names it with the
// reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "registry/invariant_checks.hpp"
#include "registry/invariant_histories.hpp"
#include "registry/registry.hpp"
#include "registry/typical_params.hpp"

namespace torvex {
namespace {

using test::Answer;
using test::HostileBar;

// ---- Why a name may answer otherwise at another level.

// Its definition compares a price quantity with a constant in price units (a
// threshold, a step, a noise variance): the same decimals at another level fall on
// another side of it.
constexpr const char* kPriceUnits = "compares price quantities with a constant in price units by definition";
// Its answer reads the price level itself: a return, a percentage or a logarithm of
// prices, a ratio to a price, a level scaled by a factor.
constexpr const char* kLevel = "reads the price level itself (a return, percentage, logarithm or ratio of prices)";
constexpr const char* kSignedLevel = "answers a short stop as its level negated";
// Decisions that the decimals settle as a tie and the binary values do not, named in
// the reference.
constexpr const char* kShapeTie = "a range or body equal to its threshold in the decimals is compared in binary";
constexpr const char* kStopTie = "a close equal to its stop in the decimals is compared in binary";

struct Exception {
    const char* name;
    const char* reason;
};

// The names the reference lists as answering otherwise at another price level, with
// the reason.
constexpr Exception kNamed[] = {
    // Price units by definition.
    {"HtDcPhase", kPriceUnits},
    {"HtTrendMode", kPriceUnits},
    {"SineWave", kPriceUnits},
    {"HtPhasor", kPriceUnits},
    {"HilbertDominantCycle", kPriceUnits},
    {"Mama", kPriceUnits},
    {"Fama", kPriceUnits},
    {"WaveTrend", kPriceUnits},
    {"ElderImpulse", kPriceUnits},
    {"KalmanHedgeRatio", kPriceUnits},
    // The level by definition.
    {"AccelerationBands", kLevel},
    {"Alpha", kLevel},
    {"AverageDrawdown", kLevel},
    {"BipowerVariation", kLevel},
    {"BollingerBandwidth", kLevel},
    {"CenterOfGravity", kLevel},
    {"Cfo", kLevel},
    {"CloseVsOpen", kLevel},
    {"CoefficientOfVariation", kLevel},
    {"Coppock", kLevel},
    {"DemandIndex", kLevel},
    {"DisparityIndex", kLevel},
    {"DistanceSsd", kLevel},
    {"EstimatedLeverageRatio", kLevel},
    {"EwmaVolatility", kLevel},
    {"Garch11", kLevel},
    {"GarmanKlassVolatility", kLevel},
    {"GeometricMa", kLevel},
    {"HighLowRange", kLevel},
    {"HistoricalVolatility", kLevel},
    {"InverseFisherTransform", kLevel},
    {"KRatio", kLevel},
    {"Kst", kLevel},
    {"LogReturn", kLevel},
    {"M2Measure", kLevel},
    {"MaEnvelope", kLevel},
    {"MaxDrawdown", kLevel},
    {"McGinleyDynamic", kLevel},
    {"Mfi", kLevel},
    {"Natr", kLevel},
    {"Nrtr", kLevel},
    {"Nvi", kLevel},
    {"OvernightIntradayReturn", kLevel},
    {"PainIndex", kLevel},
    {"PairSpreadZScore", kLevel},
    {"PairwiseBeta", kLevel},
    {"ParkinsonVolatility", kLevel},
    {"PercentageTrailingStop", kLevel},
    {"Pmo", kLevel},
    {"Ppo", kLevel},
    {"PpoHistogram", kLevel},
    {"Pvi", kLevel},
    {"RealizedVolatility", kLevel},
    {"RecoveryFactor", kLevel},
    {"RegimeLabel", kLevel},
    {"RelativeStrengthAB", kLevel},
    {"Roc", kLevel},
    {"Rocp", kLevel},
    {"Rocr", kLevel},
    {"Rocr100", kLevel},
    {"RogersSatchellVolatility", kLevel},
    {"SeasonalZScore", kLevel},
    {"SharpeRatio", kLevel},
    {"TailRatio", kLevel},
    {"TreynorRatio", kLevel},
    {"Trix", kLevel},
    {"TsfOscillator", kLevel},
    {"UlcerIndex", kLevel},
    {"VolatilityCone", kLevel},
    {"VolatilityOfVolatility", kLevel},
    {"VolumePriceTrend", kLevel},
    {"YangZhangVolatility", kLevel},
    {"SarExt", kSignedLevel},
    // Ties in the decimals that the binary values decide.
    {"BeltHold", kShapeTie},
    {"LongLine", kShapeTie},
    {"ShortLine", kShapeTie},
    {"TowerTopBottom", kShapeTie},
    {"ElderSafeZone", kStopTie},
};

const Exception* exception_for(std::string_view name) {
    for (const Exception& e : kNamed)
        if (name == e.name) return &e;
    return nullptr;
}

// ---- The history.

struct CentBar {
    std::int64_t open, high, low, close, reference;  // in cents
    double volume;
};

// A seeded quiet cent market: runs of flat bars, dojis a cent or two wide, and
// one-cent steps with a wick of a cent now and then; the second leg walks the same
// way around half the level.
std::vector<CentBar> quiet_cents(std::size_t count, std::int64_t start, std::uint64_t seed) {
    std::vector<CentBar> out;
    std::uint64_t s = seed;
    auto next = [&s](std::uint64_t n) {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return (s >> 33) % n;
    };
    std::int64_t c = start, r = start / 2;
    while (out.size() < count) {
        const std::uint64_t kind = next(10);
        if (kind < 3) {  // a flat run
            const std::size_t run = 2 + next(12);
            for (std::size_t i = 0; i < run && out.size() < count; ++i) out.push_back({c, c, c, c, r, 10.0});
        } else if (kind < 5) {  // a doji
            const auto up = static_cast<std::int64_t>(1 + next(2)), down = static_cast<std::int64_t>(1 + next(2));
            out.push_back({c, c + up, c - down, c, r, static_cast<double>(5 + next(10))});
        } else {  // a one-cent step
            const std::int64_t o = c;
            c += next(2) ? 1 : -1;
            r += static_cast<std::int64_t>(next(3)) - 1;
            const std::int64_t h = std::max(o, c) + static_cast<std::int64_t>(next(3) == 0);
            const std::int64_t l = std::min(o, c) - static_cast<std::int64_t>(next(3) == 0);
            out.push_back({o, h, l, c, r, static_cast<double>(1 + next(20))});
        }
    }
    return out;
}

// The nearest double to a price written in cents, read from its decimal text.
double from_text(std::int64_t cents) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", cents < 0 ? "-" : "", static_cast<long long>(std::llabs(cents) / 100),
                  static_cast<long long>(std::llabs(cents) % 100));
    return std::strtod(text, nullptr);
}

std::vector<HostileBar> at_level(const std::vector<CentBar>& cents, std::int64_t shift) {
    std::vector<HostileBar> bars;
    bars.reserve(cents.size());
    for (const CentBar& b : cents)
        bars.push_back({Ohlcv{0, from_text(b.open + shift), from_text(b.high + shift), from_text(b.low + shift),
                              from_text(b.close + shift), b.volume},
                        from_text(b.reference + shift), false});
    test::stamp_times(bars);
    return bars;
}

// ---- The comparison.

constexpr std::size_t kBars = 900;
constexpr std::uint64_t kSeeds[] = {70, 71, 72, 73};
constexpr std::int64_t kBase = 9'999;        // 99.99
constexpr std::int64_t kShift = 100'000;     // 1,000.00
constexpr double kShiftValue = 1000.0;
constexpr double kCent = 0.01;

bool same(double a, double b, double tolerance) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return a == b || std::fabs(a - b) <= tolerance;
}

struct Sweep {
    std::size_t rows = 0;      // rows that differ beyond rounding
    std::size_t first = 0;     // the first of them (1-based; 0 when none)
    std::string example;       // its values at both levels
    double largest = 0.0;      // the largest break of a relation, over the output's magnitude
};

Sweep sweep(const std::string& name, const std::vector<HostileBar>& base, const std::vector<HostileBar>& shifted) {
    const std::vector<double> params = test::typical_list(name);
    IndicatorBox a = test::make(name, params), b = test::make(name, params);
    const std::vector<Answer> ra = test::run(*a, base, 0, base.size());
    const std::vector<Answer> rb = test::run(*b, shifted, 0, shifted.size());

    std::size_t outputs = 0;
    for (const Answer& x : ra) outputs = std::max(outputs, test::shown(x).size());
    // Each output's magnitude at the base level, and the rows that keep each relation.
    std::vector<double> magnitude(outputs, 0.0);
    std::vector<std::size_t> equal(outputs, 0), moved(outputs, 0);
    for (std::size_t i = 0; i < ra.size(); ++i) {
        const std::vector<double> va = test::shown(ra[i]), vb = test::shown(rb[i]);
        for (std::size_t j = 0; j < va.size() && j < outputs; ++j)
            if (std::isfinite(va[j])) magnitude[j] = std::max(magnitude[j], std::fabs(va[j]));
    }
    auto same_tol = [&](std::size_t j) { return 1e-7 * (magnitude[j] + kCent); };
    const double moved_tol = 1e-9 * 2.0 * kShiftValue;
    for (std::size_t i = 0; i < ra.size(); ++i) {
        const std::vector<double> va = test::shown(ra[i]), vb = test::shown(rb[i]);
        if (va.size() != vb.size()) continue;
        for (std::size_t j = 0; j < va.size() && j < outputs; ++j) {
            if (same(va[j], vb[j], same_tol(j))) ++equal[j];
            else if (same(va[j] + kShiftValue, vb[j], moved_tol)) ++moved[j];
        }
    }
    Sweep out;
    for (std::size_t i = 0; i < ra.size(); ++i) {
        const std::vector<double> va = test::shown(ra[i]), vb = test::shown(rb[i]);
        bool differs = va.size() != vb.size();
        for (std::size_t j = 0; !differs && j < va.size() && j < outputs; ++j)
            differs = equal[j] >= moved[j] ? !same(va[j], vb[j], same_tol(j))
                                           : !same(va[j] + kShiftValue, vb[j], moved_tol);
        if (!differs) continue;
        for (std::size_t j = 0; j < va.size() && j < vb.size() && j < outputs; ++j) {
            const double want = equal[j] >= moved[j] ? va[j] : va[j] + kShiftValue;
            if (std::isfinite(vb[j] - want))
                out.largest = std::max(out.largest, std::fabs(vb[j] - want) / (magnitude[j] + kCent));
        }
        if (out.rows++ == 0) {
            out.first = i + 1;
            std::string sa, sb;
            for (double v : va) sa += (sa.empty() ? "" : ", ") + test::num(v);
            for (double v : vb) sb += (sb.empty() ? "" : ", ") + test::num(v);
            out.example = "[" + sa + "] vs [" + sb + "]";
        }
    }
    return out;
}

std::vector<std::string> candle_names() {
    std::vector<std::string> names;
    for (const RegistryRow& row : registry_rows())
        if (row.feed == kFeedCandles) names.emplace_back(row.name);
    return names;
}

TEST(DecimalShiftSweep, LevelFreeColumnsAgreeAtTwoLevels) {
    const char* report_path = std::getenv("TORVEX_SWEEP_REPORT");
    std::ofstream report;
    if (report_path) report.open(report_path);
    const std::vector<std::string> names = candle_names();
    EXPECT_GT(names.size(), 300u);
    for (const std::uint64_t seed : kSeeds) {
        const std::vector<CentBar> cents = quiet_cents(kBars, kBase, seed);
        const std::vector<HostileBar> base = at_level(cents, 0), shifted = at_level(cents, kShift);
        for (const std::string& name : names) {
            const Sweep s = sweep(name, base, shifted);
            const Exception* e = exception_for(name);
            if (report)
                report << seed << '\t' << name << '\t' << s.rows << '\t' << (e ? e->reason : "") << '\t' << s.first << '\t'
                       << s.largest << '\t' << s.example << '\n';
            if (s.rows == 0 || e) continue;
            ADD_FAILURE() << test::label(name, test::typical_list(name)) << " over seed " << seed << ": " << s.rows
                          << " of " << kBars << " rows differ at the two levels; first at bar " << s.first << ": "
                          << s.example;
        }
    }
}

// The list holds registry names only, and no name twice; the reference names every
// name on it.
TEST(DecimalShiftSweep, ExceptionsAreRegistryNamesAndTheReferenceNamesThem) {
    std::ifstream file(TORVEX_SOURCE_DIR "/docs/reference.md");
    ASSERT_TRUE(file);
    const std::string reference((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::map<std::string, int> seen;
    for (const Exception& e : kNamed) {
        ++seen[e.name];
        EXPECT_NE(reference.find("`" + std::string(e.name) + "`"), std::string::npos) << e.name;
    }
    for (const auto& [name, n] : seen) {
        EXPECT_EQ(n, 1) << name;
        EXPECT_NE(indicator_feed(name), kFeedUnknown) << name;
    }
}

}  // namespace
}  // namespace torvex
