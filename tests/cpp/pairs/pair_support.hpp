// Feeding (close, reference) pairs through the bar context, and independent
// reference computations for the pair tests.
#pragma once

#include <cmath>
#include <optional>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "indicators/indicator.hpp"
#include "registry/registry.hpp"

namespace torvex::test {

// A registry build that must succeed.
inline IndicatorBox make(std::string_view name, std::vector<double> params) {
    auto r = build_indicator(name, params);
    if (!r) {
        ADD_FAILURE() << name << ": " << r.error().message;
        return nullptr;
    }
    return std::move(*r);
}

// The registry's refusal message, or "built".
inline std::string message(std::string_view name, std::vector<double> params) {
    auto r = build_indicator(name, params);
    return r ? std::string("built") : r.error().message;
}

inline std::optional<double> feed_pair(DynIndicator& ind, double close, std::optional<double> reference) {
    const Ohlcv bar{0, close, close, close, close, 1.0};
    BarContext ctx(bar);
    ctx.reference = reference;
    return ind.update(ctx);
}

// A named output of the last producing update.
inline double field(const DynIndicator& ind, std::string_view name) {
    for (const NamedOutput& o : ind.outputs())
        if (o.name == name) return o.value;
    ADD_FAILURE() << "no field " << name;
    return std::nan("");
}

struct PairSeries {
    std::vector<double> a;
    std::vector<double> b;
};

// Two correlated random walks with positive prices.
inline PairSeries random_pairs(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> g(0.0, 1.0);
    PairSeries s;
    double b = 50.0;
    double a = 100.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double shock = g(rng);
        b += shock * 0.5;
        a += 0.8 * shock + 0.3 * g(rng) - 0.02 * (a - 2.0 * b);
        s.a.push_back(a);
        s.b.push_back(b);
    }
    return s;
}

// Population moments by plain two-pass sums over vectors.
struct Moments {
    double ma, mb, va, vb, cov;
};
inline Moments moments_of(const std::vector<double>& a, const std::vector<double>& b) {
    const double n = static_cast<double>(a.size());
    Moments m{0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < a.size(); ++i) {
        m.ma += a[i];
        m.mb += b[i];
    }
    m.ma /= n;
    m.mb /= n;
    for (std::size_t i = 0; i < a.size(); ++i) {
        m.va += (a[i] - m.ma) * (a[i] - m.ma) / n;
        m.vb += (b[i] - m.mb) * (b[i] - m.mb) / n;
        m.cov += (a[i] - m.ma) * (b[i] - m.mb) / n;
    }
    return m;
}

// Least squares by Gauss-Jordan elimination with full row pivoting on the normal
// equations, an independent route from the library's solvers; rows are the design.
inline std::optional<std::vector<double>> least_squares(const std::vector<std::vector<double>>& rows,
                                                        const std::vector<double>& y) {
    const std::size_t k = rows.front().size();
    std::vector<std::vector<double>> m(k, std::vector<double>(k + 1, 0.0));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t i = 0; i < k; ++i) {
            for (std::size_t j = 0; j < k; ++j) m[i][j] += rows[r][i] * rows[r][j];
            m[i][k] += rows[r][i] * y[r];
        }
    for (std::size_t c = 0; c < k; ++c) {
        std::size_t p = c;
        for (std::size_t r = c + 1; r < k; ++r)
            if (std::fabs(m[r][c]) > std::fabs(m[p][c])) p = r;
        if (std::fabs(m[p][c]) < 1e-12) return std::nullopt;
        std::swap(m[p], m[c]);
        for (std::size_t r = 0; r < k; ++r) {
            if (r == c) continue;
            const double f = m[r][c] / m[c][c];
            for (std::size_t j = c; j <= k; ++j) m[r][j] -= f * m[c][j];
        }
    }
    std::vector<double> x(k);
    for (std::size_t i = 0; i < k; ++i) x[i] = m[i][k] / m[i][i];
    return x;
}

inline double rss_of(const std::vector<std::vector<double>>& rows, const std::vector<double>& y,
                     const std::vector<double>& x) {
    double rss = 0.0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        double f = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) f += rows[r][i] * x[i];
        rss += (y[r] - f) * (y[r] - f);
    }
    return rss;
}

}  // namespace torvex::test
