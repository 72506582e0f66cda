// The re-centrings of four windows worked out together, two at a time in pairs of
// lanes: each window keeps its own lane and the order of its values, so each answer
// is the one a re-centring of that window alone gives. The cores whose scheduled
// re-centrings depend only on their window's values work them out ahead this way,
// off the path from bar to bar.
#pragma once

#include <cstddef>
#include <cstring>

#include "indicators/bar.hpp"
#include "indicators/cores/shifted_sums.hpp"

namespace torvex {

struct FourRecentrings {
    // base + relative / n (base the window's first value, relative Σ(v − base) from 0.0,
    // oldest first), or the window mean where that is not finite; held in the tame
    // range, as every value is (ShiftedSums::anchor_for)
    double mean[4];
    double s1[4];        // Σ(v − mean), from 0.0, oldest first
    double s2[4];        // Σ(v − mean)²
    double sxy[4];       // Σ i·(v − mean) with i from 0 (kPositions only; else 0.0)
};

// Window k is the n values from w[k] (n >= 1), oldest first; nf is n as a double.
template <bool kPositions>
[[gnu::always_inline]] inline FourRecentrings recentre_four(const double* const* w, std::size_t n, double nf) {
    using Pair = double __attribute__((vector_size(2 * sizeof(double))));
    const auto load = [](const double* p) {
        Pair v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    // Values i and i + 1 of windows 2h and 2h + 1: two of each read whole, then turned
    // into pairs.
    const auto rows = [&](std::size_t h, std::size_t i, Pair& x, Pair& y) {
        const Pair a = load(w[2 * h] + i), b = load(w[2 * h + 1] + i);
        x = __builtin_shufflevector(a, b, 0, 2);
        y = __builtin_shufflevector(a, b, 1, 3);
    };
    const auto row = [&](std::size_t h, std::size_t i) { return Pair{w[2 * h][i], w[2 * h + 1][i]}; };

    const Pair base[2] = {row(0, 0), row(1, 0)};
    Pair relative[2] = {};
    std::size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        for (std::size_t h = 0; h < 2; ++h) {
            Pair x, y;
            rows(h, i, x, y);
            relative[h] = relative[h] + (x - base[h]);
            relative[h] = relative[h] + (y - base[h]);
        }
    }
    if (i < n)
        for (std::size_t h = 0; h < 2; ++h) relative[h] = relative[h] + (row(h, i) - base[h]);
    const Pair count = {nf, nf};
    Pair m[2] = {base[0] + relative[0] / count, base[1] + relative[1] / count};
    for (std::size_t k = 0; k < 4; ++k) {
        if (!is_finite(m[k / 2][k % 2])) {
            const double* v = w[k];
            m[k / 2][k % 2] = window_mean(n, [&](auto&& fn) {
                for (std::size_t j = 0; j < n; ++j) fn(v[j]);
            });
        }
        // Every value here is tame, and so is the mean: the anchor is the mean.
    }

    Pair s1[2] = {}, s2[2] = {}, sxy[2] = {};
    const auto add = [&](std::size_t h, Pair v, Pair at) {
        const Pair d = v - m[h];
        s1[h] = s1[h] + d;
        s2[h] = s2[h] + d * d;
        if constexpr (kPositions) sxy[h] = sxy[h] + at * d;
    };
    const Pair one = {1.0, 1.0};
    Pair pos = {0.0, 0.0};
    for (i = 0; i + 2 <= n; i += 2) {
        const Pair next = pos + one;
        for (std::size_t h = 0; h < 2; ++h) {
            Pair x, y;
            rows(h, i, x, y);
            add(h, x, pos);
            add(h, y, next);
        }
        pos = next + one;
    }
    if (i < n)
        for (std::size_t h = 0; h < 2; ++h) add(h, row(h, i), pos);

    FourRecentrings out;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t h = k / 2, l = k % 2;
        out.mean[k] = m[h][l];
        out.s1[k] = s1[h][l];
        out.s2[k] = s2[h][l];
        out.sxy[k] = sxy[h][l];
    }
    return out;
}

}  // namespace torvex
