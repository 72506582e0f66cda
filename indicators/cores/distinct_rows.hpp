// The distinct rows of a least-squares design, counted exactly. A design with fewer
// distinct rows than columns is singular; one with as many, whose equal rows carry
// equal targets, is singular or fits those targets exactly. Both have no answer the
// normal equations could find in doubles: a halt fills a window with equal rows, and
// the solves then read pivots and residual sums made of roundings. The pair models
// decide such windows on their values instead.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <type_traits>

namespace torvex {

struct DistinctRows {
    std::size_t count;   // distinct rows, or limit + 1 when there are more than limit
    unsigned conflicts;  // one bit per target: set when two equal rows differ in it
};

// Counts the distinct rows among the n rows from `row` on (an index or an iterator
// that ++ moves to the next row), stopping at limit + 1. `firsts` holds limit + 1
// rows (or, for a Key of pointer type, the address of the value a row iterator
// reads). `same_row(first, row)` compares the regressors of two rows exactly;
// `differing(first, row)` answers the target bits in which two rows with equal
// regressors differ. A window of distinct rows stops after limit + 1 rows, most of
// whose comparisons fail on their first value.
template <class Row, class Key, class SameRow, class Differing>
DistinctRows count_distinct_rows(Row row, std::size_t n, std::size_t limit, std::span<Key> firsts,
                                 const SameRow& same_row, const Differing& differing) {
    std::size_t count = 0;
    unsigned conflicts = 0;
    for (std::size_t i = 0; i < n; ++i, ++row) {
        std::size_t f = 0;
        while (f < count && !same_row(firsts[f], row)) ++f;
        if (f < count) {
            conflicts |= differing(firsts[f], row);
            continue;
        }
        if (count == limit) return {limit + 1, conflicts};
        if constexpr (std::is_pointer_v<Key> && !std::is_pointer_v<Row>)
            firsts[count++] = std::to_address(row);
        else
            firsts[count++] = row;
    }
    return {count, conflicts};
}

// Whether a design of `columns` columns over such rows is, in exact arithmetic,
// singular or fits one of the targets in `targets` (one bit each) exactly.
inline bool singular_or_exact_fit(DistinctRows rows, std::size_t columns, unsigned targets) {
    return rows.count < columns || (rows.count == columns && rows.conflicts != targets);
}

}  // namespace torvex
