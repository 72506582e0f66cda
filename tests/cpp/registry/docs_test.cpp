// The user reference of the indicator names: the committed docs/indicators.md is what
// the generator writes from registry/name_docs.txt and the registry, and every
// warm-up formula of the table is the warm-up of a built object.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
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

}  // namespace
}  // namespace torvex
