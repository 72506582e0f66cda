// Whether determinants of a least-squares design's Gram matrix are zero, decided
// exactly on the design's values as they were written. Prices print as decimals,
// which doubles hold only to rounding: a column whose values are all decimals of a
// few places is read as integers in units of its last place. Any other double is an
// integer times a power of two, so such a column, read at the power of two of its
// lowest bit, is a column of integers too. A block of the Gram matrix of those
// integers has the determinant of the values, times a power of ten or two. It is
// reduced modulo primes below 2^62: one prime at which it is not zero shows it is
// not; when it is zero at primes whose product exceeds the Hadamard bound of the
// integers, it is zero.
//
// The pair models call it only where a floating solve is in doubt: a pivot or a
// residual sum within rounding of zero, where the rounding of the sums, not the
// window, decides what the solve reads.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace torvex {

struct ColumnGrid;

// Arithmetic modulo one prime p < 2^62, on values held in Montgomery form (x · 2^64
// mod p), in which sums, differences and products stay closed.
struct ModPrime {
    std::uint64_t p;
    std::uint64_t neg_inverse;        // −p^−1 mod 2^64
    std::uint64_t pow64[36];          // 2^(64 j) mod p

    std::uint64_t reduce(unsigned __int128 t) const {  // t · 2^−64 mod p, for t < p · 2^64
        const std::uint64_t m = static_cast<std::uint64_t>(t) * neg_inverse;
        const std::uint64_t r = static_cast<std::uint64_t>((t + static_cast<unsigned __int128>(m) * p) >> 64);
        return r >= p ? r - p : r;
    }
    std::uint64_t mul(std::uint64_t a, std::uint64_t b) const { return reduce(static_cast<unsigned __int128>(a) * b); }
    std::uint64_t add(std::uint64_t a, std::uint64_t b) const { return a + b >= p ? a + b - p : a + b; }
    std::uint64_t sub(std::uint64_t a, std::uint64_t b) const { return a >= b ? a - b : a + p - b; }
    // A count, in Montgomery form.
    std::uint64_t of_count(std::uint64_t n) const { return mul(n % p, pow64[2]); }
    // x · 2^−low, an integer (low at most the exponent of x's lowest set bit), in
    // Montgomery form.
    std::uint64_t of(double x, int low) const;
    // An integer of at most 63 bits, in Montgomery form.
    std::uint64_t of_integer(std::int64_t v) const;
    // x as an integer of its column's grid, in Montgomery form.
    std::uint64_t of(double x, const ColumnGrid& grid) const;
};

// The i-th of a fixed list of distinct primes below 2^62 (i < kModPrimes), made once.
inline constexpr std::size_t kModPrimes = 64;
const ModPrime& mod_prime(std::size_t i);

// The binary range of a column of finite doubles: the exponent of its lowest set bit
// and a bound on the bits of its values read at that power of two. An all-zero column
// has no bits.
struct DyadicRange {
    int low = 4096;
    int high = -4096;  // every |x| < 2^high

    void add(double x);
    // A bound on the bits of the column's integers; log2 of a bound on their norm
    // over n rows.
    int bits() const { return high < low ? 0 : high - low; }
    double norm_bits(std::size_t n) const;
};

// The grid a column of finite doubles is read on, units of 2^low / 5^decimals: the
// coarsest that holds every value of the column. A decimal of k places is an integer
// times 2^−k / 5^k, and the double nearest it (the value as it was written; its own
// binary fraction differs by a rounding) is read as that decimal where an integer
// below 2^52 holds it, at most 8 places, and in integers shorter than the binary
// ones by more than chance makes them; any other column is read as binary integers
// (decimals 0). Scaled by a power of two, a column reads on the grid scaled alike,
// and values both decimal and dyadic, as 0.25, read as the same rationals either
// way. Columns subtracted from each other are read on one grid.
//
// The evidence is weighed over the whole column. A double that is no short decimal
// finds, at one of the grids tried, integers s bits shorter than its binary one
// with a chance near 2^-(s - 1.5); n values of independent significands all do so
// with about the n-th power of it. A grid is taken where the distinct significands
// (x and 2^j x, or −x, are one) times the bits saved less two reach kChance − 1
// bits: one value must save 13 bits, as a single rounding rarely does, while a
// window of prices with 8 decimals at 50,000 (each saving some 10 bits over the
// 53 of its double) or 6 at 2e6 reads on its decimals too.
struct ColumnGrid {
    static constexpr int kMaxDecimals = 8;
    static constexpr int kChance = 12;  // bits of evidence a decimal grid must show over the binary one
    // The distinct significands counted: as many, each saving 3 bits, show enough.
    static constexpr int kDistinct = kChance - 1;

    int decimals = 0;
    DyadicRange binary;  // the grid's own range at decimals 0

    void add(double x);
    // A bound on the bits of the column's integers; log2 of a bound on their norm
    // over n rows.
    int bits() const;
    double norm_bits(std::size_t n) const;
    // x / unit, for a value of a grid with decimals > 0, or of a binary grid of at most
    // 62 bits (integral()).
    std::int64_t integer(double x) const;
    // Whether integer() holds every value added.
    bool integral() const { return decimals > 0 || binary.bits() <= 62; }
    // The double nearest m units, correctly rounded for |m| below 2^53.
    double nearest(std::int64_t m) const;

private:
    // The range of the column on the grids of each count of places; at 0, binary's.
    DyadicRange fifths_[kMaxDecimals + 1];
    std::uint32_t held_ = ~std::uint32_t{0};  // the places whose grids hold every value
    double significands_[kDistinct];           // the distinct ones seen, in [0.5, 1)
    int distinct_ = 0;
};

// x · 10^places where x is the double nearest a decimal of that many places (at most
// ColumnGrid::kMaxDecimals) whose integer is below 2^52: both operands of the division
// back are exact, so its correct rounding is that nearest double. The reading of a
// price as written in a handful of operations, where a column's grid is more than a
// caller needs.
std::optional<std::int64_t> decimal_units(double x, int places);

// The fewest places at which x reads as a decimal (decimal_units); nothing where none
// does (a price scaled by a power of two, or a binary value).
std::optional<int> written_places(double x);

// A block of the Gram matrix: its rows' columns and its columns' columns (as many);
// empty lists name the whole matrix.
struct GramBlock {
    std::span<const std::uint32_t> rows;
    std::span<const std::uint32_t> cols;
};

// The Gram matrix of `columns` integer columns modulo one prime at a time, with the
// scratch of its determinants. Its storage is allocated by the first clear(), so that
// a model that never doubts its solve holds none.
class ModularGram {
public:
    explicit ModularGram(std::size_t columns) : columns_(columns) {}

    std::size_t columns() const { return columns_; }
    // log2 of a bound on the norm of each integer column, which a caller writes.
    std::span<double> bits() {
        allocate();
        return bits_;
    }
    // The row buffer: a caller writes a row's residues here, then calls add_row.
    std::span<std::uint64_t> row() { return row_; }
    void clear() {
        allocate();
        std::fill(gram_.begin(), gram_.end(), 0);
    }
    void add_row(const ModPrime& m);
    // Whether the block's determinant is not zero modulo m.
    bool nonzero(const ModPrime& m, GramBlock block);

private:
    void allocate();

    std::size_t columns_;
    std::vector<double> bits_;
    std::vector<std::uint64_t> gram_;  // upper triangle used
    std::vector<std::uint64_t> row_;
    std::vector<std::uint64_t> work_;
};

// The blocks (at most 32) whose determinants are zero, one bit each, given the bounds
// in gram.bits(); `fill(m, gram)` clears the Gram matrix and adds every row modulo m.
// Beyond the primes listed (a bound past 3,900 bits), a block that is zero at all of
// them is taken as zero.
template <class Fill>
std::uint32_t zero_determinants(ModularGram& gram, std::span<const GramBlock> blocks, const Fill& fill) {
    std::uint32_t zero = 0;
    std::size_t needed = 1;
    const std::span<const double> bits = gram.bits();
    for (std::size_t q = 0; q < blocks.size(); ++q) {
        double bound = 0.0;
        if (blocks[q].rows.empty())
            for (const double b : bits) bound += 2.0 * b;
        for (std::size_t i = 0; i < blocks[q].rows.size(); ++i) bound += bits[blocks[q].rows[i]] + bits[blocks[q].cols[i]];
        // Every prime exceeds 2^61: past the bound, their product divides no nonzero
        // determinant.
        const double primes = bound / 61.0 + 1.0;
        needed = std::max(needed, primes < static_cast<double>(kModPrimes) ? static_cast<std::size_t>(primes) : kModPrimes);
        zero |= std::uint32_t{1} << q;
    }
    // A block settles as nonzero at its first nonzero residue.
    for (std::size_t i = 0; i < needed && zero != 0; ++i) {
        const ModPrime& m = mod_prime(i);
        fill(m, gram);
        for (std::size_t q = 0; q < blocks.size(); ++q)
            if ((zero >> q & 1) != 0 && gram.nonzero(m, blocks[q])) zero &= ~(std::uint32_t{1} << q);
    }
    return zero;
}

}  // namespace torvex
