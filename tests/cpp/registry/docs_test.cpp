// The user reference of the indicator names: the committed docs/indicators.md is what
// the generator writes from registry/name_docs.txt and the registry, every warm-up
// formula of the table is the warm-up of a built object, and every parameter builds at
// the edges of its accepted values and is refused just past them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "docgen/name_docs.hpp"
#include "registry/registry.hpp"

namespace torvex {
namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<docs::NameDoc> table() {
    const auto docs = docs::parse_name_docs(read_file(TORVEX_SOURCE_DIR "/registry/name_docs.txt"));
    EXPECT_TRUE(docs) << docs.error();
    return docs ? *docs : std::vector<docs::NameDoc>{};
}

TEST(DocsReference, CommittedFileIsCurrent) {
    const auto page = docs::render_indicator_reference(table());
    ASSERT_TRUE(page) << page.error();
    const std::string committed = read_file(TORVEX_SOURCE_DIR "/docs/indicators.md");
    if (committed == *page) return;
    // The first line that differs, to say where.
    std::istringstream a(committed), b(*page);
    std::string la, lb;
    int line = 0;
    while (true) {
        const bool more_a = static_cast<bool>(std::getline(a, la)), more_b = static_cast<bool>(std::getline(b, lb));
        ++line;
        if (!more_a && !more_b) break;
        if (la != lb || more_a != more_b) {
            ADD_FAILURE() << "docs/indicators.md differs from what torvex_docgen writes, first at line " << line
                          << ":\n  committed: " << la << "\n  generated: " << lb
                          << "\nrun build/py/torvex_docgen . from the repository root";
            return;
        }
    }
}

// At the typical parameters, and with every whole-number parameter doubled where that
// list builds too: a formula that only matches one point is caught.
TEST(DocsReference, WarmupFormulas) {
    const auto docs = table();
    ASSERT_EQ(docs.size(), registry_rows().size());
    for (const docs::NameDoc& d : docs) {
        std::vector<std::vector<double>> lists{d.typical()};
        std::vector<double> doubled = d.typical();
        bool any = false;
        for (double& x : doubled)
            if (x >= 1.0 && x == std::floor(x)) {
                x *= 2.0;
                any = true;
            }
        if (any) lists.push_back(doubled);
        for (std::size_t k = 0; k < lists.size(); ++k) {
            BuildResult built = build_indicator(d.name, lists[k]);
            if (!built) {
                if (k == 0) ADD_FAILURE() << d.name << " does not build at its typical parameters";
                continue;
            }
            const auto v = docs::eval_formula(d.warmup, d, lists[k]);
            if (!v) {
                ADD_FAILURE() << d.name << ": " << v.error();
                continue;
            }
            EXPECT_EQ(*v, static_cast<double>((*built)->warmup()))
                << d.name << (k == 0 ? " at its typical parameters" : " with its whole-number parameters doubled")
                << ": the formula " << d.warmup;
        }
    }
}

// The page is where a user learns why a known name is refused: each edge the table
// states, and the value just past it, against the constructor.
TEST(DocsReference, AcceptedValuesAtTheirEdges) {
    const auto docs = table();
    std::size_t params = 0, probes = 0;
    for (const docs::NameDoc& d : docs) {
        const docs::ProbeReport r = docs::probe_accepted(d);
        for (const std::string& fault : r.faults) ADD_FAILURE() << fault;
        params += d.params.size();
        probes += r.probes;
    }
    // Two values at each end, one far out at an unbounded end.
    EXPECT_GE(probes, 3 * params);
}

docs::NameDoc one_row(const std::string& params) {
    const auto docs = docs::parse_name_docs("Xa | averages | " + params + " | 1 | d.");
    EXPECT_TRUE(docs) << docs.error();
    return docs && docs->size() == 1 ? docs->front() : docs::NameDoc{};
}

std::vector<std::pair<double, bool>> probes_of(const docs::NameDoc& d, std::size_t k, bool whole) {
    const auto probes = docs::edge_probes(d, k, whole);
    EXPECT_TRUE(probes) << probes.error();
    std::vector<std::pair<double, bool>> out;
    if (probes)
        for (const docs::EdgeProbe& e : *probes) out.emplace_back(e.value, e.accepted);
    return out;
}

TEST(DocsReference, AcceptedValuesReadAndDescribed) {
    const docs::NameDoc d = one_row(
        "period=16 [2..16777216] and even: window; mult=0.4 (0..): width; rate=0.5 [0..1) and < 1 - mult: share; "
        "count=9 [1..): cap; lag=1 [1..16777216] and <= (period - 4) / 2: lag; shift=0 (..): offset");
    ASSERT_EQ(d.params.size(), 6u);
    const std::vector<std::string> words = {
        "2 to 16,777,216; even", "above 0", "0 or more, below 1; below `1 - mult`", "1 or more, no upper bound",
        "1 to 16,777,216; at most `(period - 4) / 2`", "any finite number"};
    for (std::size_t k = 0; k < words.size(); ++k) EXPECT_EQ(docs::describe_accepted(d.params[k].accepted), words[k]);

    using P = std::vector<std::pair<double, bool>>;
    EXPECT_EQ(probes_of(d, 0, true), (P{{2, true}, {1, false}, {3, false}, {16777216, true}, {16777217, false}}));
    EXPECT_EQ(probes_of(d, 1, false), (P{{0, false}, {1e-9, true}, {1e300, true}}));
    // The relation binds below the interval's end: 1 - 0.4, open.
    EXPECT_EQ(probes_of(d, 2, false), (P{{0, true}, {-1e-9, false}, {0.6, false}, {0.6 - 1e-9, true}}));
    EXPECT_EQ(probes_of(d, 3, true), (P{{1, true}, {0, false}, {16777217, true}}));
    // (16 - 4) / 2 = 6: the largest whole value within.
    EXPECT_EQ(probes_of(d, 4, true), (P{{1, true}, {0, false}, {6, true}, {7, false}}));
    EXPECT_EQ(probes_of(d, 5, false), (P{{-1e300, true}, {1e300, true}}));
    // A whole-number kind takes closed whole ends only.
    EXPECT_FALSE(docs::edge_probes(d, 1, true));
}

// A condition: words, and probes on both sides of each change over the lowest values.
TEST(DocsReference, ConditionsReadDescribedAndProbed) {
    const docs::NameDoc d = one_row("n=2 [1..8] and cos(pi * n / 5) > 0 or cos(pi * n / 5) = -1: length");
    ASSERT_EQ(d.params.size(), 1u);
    EXPECT_EQ(docs::describe_accepted(d.params[0].accepted),
              "1 to 8; where `cos(pi * n / 5) > 0` or `cos(pi * n / 5) = -1`");
    // Above 0 at 1, 2 and 8, -1 at 5 (pi itself), below 0 at 3, 4, 6 and 7.
    using P = std::vector<std::pair<double, bool>>;
    EXPECT_EQ(probes_of(d, 0, true), (P{{1, true}, {0, false}, {8, true}, {9, false}, {2, true}, {3, false},
                                        {4, false}, {5, true}, {5, true}, {6, false}, {7, false}, {8, true}}));
}

// Below 8 * bandwidth the period is not an interval: at 0.4, 1 builds, 2 and 3 do
// not, 4 on does. Across bandwidths, near the cosine's zeros and -1 too, every
// change over the lowest periods is where the constructor's answer changes.
TEST(DocsReference, BandpassPeriodsBelowEightBandwidths) {
    const auto docs = table();
    const auto it = std::ranges::find(docs, std::string("BandpassFilter"), &docs::NameDoc::name);
    ASSERT_NE(it, docs.end());
    const std::vector<double> at{20, 0.4};
    const auto probes = docs::edge_probes(*it, 0, true, at);
    ASSERT_TRUE(probes) << probes.error();
    for (const auto& [period, builds] : std::vector<std::pair<double, bool>>{{1, true}, {2, false}, {3, false}, {4, true}})
        EXPECT_TRUE(std::ranges::any_of(*probes, [&](const docs::EdgeProbe& e) {
            return e.value == period && e.accepted == builds;
        })) << "period " << period << " at bandwidth 0.4";
    std::vector<double> bandwidths = {0.125, 0.25 - 1e-9, 0.25 + 1e-9, 0.375, 0.5 - 2e-9, 0.5 + 1e-9, 0.5 + 2e-9,
                                      0.625, 0.75, 0.875};
    for (int i = 1; i < 100; ++i) bandwidths.push_back(i / 100.0);
    std::size_t probed = 0;
    for (const double b : bandwidths) {
        const docs::ProbeReport r = docs::probe_accepted(*it, std::vector<double>{20, b});
        for (const std::string& fault : r.faults) ADD_FAILURE() << "bandwidth " << b << ": " << fault;
        probed += r.probes;
    }
    EXPECT_GT(probed, 8 * bandwidths.size());
}

// Kama's fast has no bound of its own, but from 2^64 up it reads as the largest slow.
TEST(DocsReference, KamaFastFromTwoToThe64) {
    const double two64 = 18446744073709551616.0;
    EXPECT_FALSE(build_indicator("Kama", std::vector<double>{10, two64, 1e300}));
    EXPECT_TRUE(build_indicator("Kama", std::vector<double>{10, two64 - 2048, 1e300}));
}

TEST(DocsReference, AcceptedValuesRefusedWhenMalformed) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"period=20: window", "has no accepted values"},
        {"period=20 1..9: window", "is not an interval"},
        {"period=20 [..9]: window", "an unbounded end takes a round bracket"},
        {"period=20 (5..5): window", "is empty"},
        {"period=20 [1..9] and odd: window", "neither 'even' nor a relation"},
        {"period=20 [1..9] and > : window", "neither 'even' nor a relation"},
        {"period=20 [1..9] and > period: window", "'period' is not a parameter"},
        {"period=20 [1..9] and > fast: window", "'fast' is not a parameter"},
        {"period=20 [1..9] and cos(period) > : window", "is not a comparison"},
        {"period=20 [1..9] and cos(span) > 0: window", "'span' is not a parameter"},
    };
    for (const auto& [params, fault] : cases) {
        const auto docs = docs::parse_name_docs("Xa | averages | " + params + " | 1 | d.");
        ASSERT_FALSE(docs) << params;
        EXPECT_NE(docs.error().find(fault), std::string::npos) << params << ": " << docs.error();
    }
}

}  // namespace
}  // namespace torvex
