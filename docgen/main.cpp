// Writes docs/indicators.md from registry/name_docs.txt and the registry, and checks
// every warm-up formula against the warm-up of an object built at the typical
// parameters and every parameter's accepted values against builds at their edges.
// Run from anywhere with the repository root as the argument.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "docgen/name_docs.hpp"
#include "registry/registry.hpp"

int main(int argc, char** argv) {
    const std::string root = argc > 1 ? argv[1] : ".";
    std::ifstream in(root + "/registry/name_docs.txt");
    if (!in) {
        std::cerr << "cannot read " << root << "/registry/name_docs.txt\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    const auto docs = torvex::docs::parse_name_docs(text.str());
    if (!docs) {
        std::cerr << docs.error() << "\n";
        return 1;
    }
    int mismatches = 0;
    for (const auto& d : *docs) {
        const auto typical = d.typical();
        auto built = torvex::build_indicator(d.name, typical);
        if (!built) continue;  // the rendering reports it
        const auto v = torvex::docs::eval_formula(d.warmup, d, typical);
        if (!v || *v != static_cast<double>((*built)->warmup())) {
            std::cerr << d.name << ": warm-up formula " << d.warmup << " gives "
                      << (v ? std::to_string(*v) : v.error()) << ", the object " << (*built)->warmup() << "\n";
            ++mismatches;
        }
        for (const std::string& fault : torvex::docs::probe_accepted(d).faults) {
            std::cerr << fault << "\n";
            ++mismatches;
        }
    }
    const auto page = torvex::docs::render_indicator_reference(*docs);
    if (!page) {
        std::cerr << page.error();
        return 1;
    }
    std::ofstream out(root + "/docs/indicators.md", std::ios::binary);
    out << *page;
    if (!out) {
        std::cerr << "cannot write " << root << "/docs/indicators.md\n";
        return 1;
    }
    std::cout << "wrote " << root << "/docs/indicators.md\n";
    return mismatches == 0 ? 0 : 1;
}
