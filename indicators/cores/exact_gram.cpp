#include "indicators/cores/exact_gram.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>
#include <utility>

namespace torvex {

namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

u64 mul_mod(u64 a, u64 b, u64 n) { return static_cast<u64>(static_cast<u128>(a) * b % n); }

u64 pow_mod(u64 a, u64 e, u64 n) {
    u64 r = 1;
    for (a %= n; e != 0; e >>= 1, a = mul_mod(a, a, n))
        if ((e & 1) != 0) r = mul_mod(r, a, n);
    return r;
}

// Miller-Rabin with bases that decide every n below 2^64.
bool is_prime(u64 n) {
    u64 d = n - 1;
    int s = 0;
    for (; (d & 1) == 0; d >>= 1) ++s;
    for (const u64 a : {2ull, 325ull, 9375ull, 28178ull, 450775ull, 9780504ull, 1795265022ull}) {
        u64 x = pow_mod(a, d, n);
        if (x == 0 || x == 1 || x == n - 1) continue;
        bool composite = true;
        for (int i = 1; i < s && composite; ++i) {
            x = mul_mod(x, x, n);
            composite = x != n - 1;
        }
        if (composite) return false;
    }
    return true;
}

std::array<ModPrime, kModPrimes> make_primes() {
    std::array<ModPrime, kModPrimes> primes{};
    u64 n = (u64{1} << 62) - 1;
    for (ModPrime& m : primes) {
        while (!is_prime(n)) n -= 2;
        m.p = n;
        u64 inverse = n;  // Newton's iteration doubles the bits of n^−1 mod 2^64
        for (int i = 0; i < 5; ++i) inverse *= 2 - n * inverse;
        m.neg_inverse = 0 - inverse;
        m.pow64[0] = 1 % n;
        for (std::size_t j = 1; j < std::size(m.pow64); ++j)
            m.pow64[j] = static_cast<u64>((static_cast<u128>(m.pow64[j - 1]) << 64) % n);
        n -= 2;
    }
    return primes;
}

struct Split {
    u64 significand;  // 0 for a zero
    int exponent;     // x = ±significand · 2^exponent
};

Split split(double x) {
    const u64 b = std::bit_cast<u64>(x);
    const int biased = static_cast<int>((b >> 52) & 0x7ff);
    return {(b & ((u64{1} << 52) - 1)) | (biased != 0 ? u64{1} << 52 : 0), (biased != 0 ? biased : 1) - 1075};
}

}  // namespace

const ModPrime& mod_prime(std::size_t i) {
    static const std::array<ModPrime, kModPrimes> primes = make_primes();
    return primes[i];
}

u64 ModPrime::of(double x, int low) const {
    Split s = split(x);
    if (s.significand == 0) return 0;
    int d = s.exponent - low;
    if (d < 0) {  // low lies among the significand's trailing zeros
        s.significand >>= -d;
        d = 0;
    }
    // s · 2^(64q + r): the low part reduced with a factor 2^−64, then the power of
    // 2^64 that restores it and gives the Montgomery factor.
    const u64 v = reduce(static_cast<u128>(s.significand) << (d & 63));
    const u64 r = mul(v, pow64[(d >> 6) + 3]);
    return std::signbit(x) && r != 0 ? p - r : r;
}

void DyadicRange::add(double x) {
    const Split s = split(x);
    if (s.significand == 0) return;
    low = std::min(low, s.exponent + std::countr_zero(s.significand));
    high = std::max(high, s.exponent + 64 - std::countl_zero(s.significand));
}

u64 ModPrime::of_integer(std::int64_t v) const {
    const u64 r = mul((v < 0 ? 0 - static_cast<u64>(v) : static_cast<u64>(v)) % p, pow64[2]);
    return v < 0 && r != 0 ? p - r : r;
}

u64 ModPrime::of(double x, const ColumnGrid& grid) const {
    return grid.decimals > 0 ? of_integer(grid.integer(x)) : of(x, grid.binary.low);
}

namespace {

constexpr double kFives[ColumnGrid::kMaxDecimals + 1] = {1, 5, 25, 125, 625, 3125, 15625, 78125, 390625};

// The dyadic t of fewest bits with |x| the double nearest t / 5^k, among those within
// the roundings of |x| · 5^k (two units in its last place). Nothing where none is,
// or where the product leaves the normal doubles.
std::optional<double> fifths(double x, int k) {
    const double y = std::fabs(x) * kFives[k];
    if (!(y > 0x1p-960 && y < 0x1p960)) return std::nullopt;
    int e = 0;
    const auto m = static_cast<std::int64_t>(std::ldexp(std::frexp(y, &e), 53));
    std::optional<double> best;
    int best_low = 0;
    for (std::int64_t d = -2; d <= 2; ++d) {
        const double t = std::ldexp(static_cast<double>(m + d), e - 53);
        if (t / kFives[k] != std::fabs(x)) continue;
        DyadicRange r;
        r.add(t);
        if (!best || r.low > best_low) {
            best = t;
            best_low = r.low;
        }
    }
    return best;
}

}  // namespace

namespace {
constexpr double kTens[ColumnGrid::kMaxDecimals + 1] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
}  // namespace

std::optional<std::int64_t> decimal_units(double x, int places) {
    const double y = x * kTens[places];
    if (!(std::fabs(y) < 0x1p52)) return std::nullopt;
    const auto n = static_cast<std::int64_t>(y < 0.0 ? y - 0.5 : y + 0.5);
    if (static_cast<double>(n) / kTens[places] != x) return std::nullopt;
    return n;
}

std::optional<int> written_places(double x) {
    for (int k = 0; k <= ColumnGrid::kMaxDecimals; ++k)
        if (decimal_units(x, k)) return k;
    return std::nullopt;
}

void ColumnGrid::add(double x) {
    if (x == 0.0) return;
    binary.add(x);
    fifths_[0] = binary;
    for (int k = 1; k <= kMaxDecimals; ++k) {
        if ((held_ >> k & 1) == 0) continue;
        const std::optional<double> t = fifths(x, k);
        if (t) fifths_[k].add(*t);
        // Past 2^52 units a value may round from more than one multiple of the unit.
        if (!t || fifths_[k].high - fifths_[k].low > 52) held_ &= ~(std::uint32_t{1} << k);
    }
    if (distinct_ < kDistinct) {
        int e = 0;
        const double f = std::frexp(std::fabs(x), &e);
        if (std::find(significands_, significands_ + distinct_, f) == significands_ + distinct_) significands_[distinct_++] = f;
    }
    // The grid of fewest bits; binary unless the bits it saves, over the column's
    // distinct significands, are more than roundings' chance trailing zeros show.
    const auto bits_at = [this](int k) { return fifths_[k].high - fifths_[k].low; };
    int best = 0;
    for (int k = 1; k <= kMaxDecimals; ++k)
        if ((held_ >> k & 1) != 0 && (best == 0 || bits_at(k) < bits_at(best))) best = k;
    decimals = best != 0 && distinct_ * (bits_at(0) - bits_at(best) - 2) >= kDistinct ? best : 0;
}

double DyadicRange::norm_bits(std::size_t n) const {
    const int b = bits();
    return b > 0 ? static_cast<double>(b) + 0.5 * std::log2(static_cast<double>(n)) : 0.0;
}

int ColumnGrid::bits() const { return fifths_[decimals].bits(); }

double ColumnGrid::norm_bits(std::size_t n) const { return fifths_[decimals].norm_bits(n); }

std::int64_t ColumnGrid::integer(double x) const {
    if (decimals == 0) return static_cast<std::int64_t>(std::ldexp(x, -binary.low));  // below 2^62
    const std::optional<double> t = x == 0.0 ? std::nullopt : fifths(x, decimals);
    if (!t) return 0;
    const auto m = static_cast<std::int64_t>(std::ldexp(*t, -fifths_[decimals].low));  // below 2^52
    return x < 0.0 ? -m : m;
}

double ColumnGrid::nearest(std::int64_t m) const {
    // m · 2^low is exact below 2^53, and one division by 5^decimals rounds it once.
    return std::ldexp(static_cast<double>(m), fifths_[decimals].low) / kFives[decimals];
}

void ModularGram::allocate() {
    if (!gram_.empty()) return;
    bits_.resize(columns_);
    gram_.resize(columns_ * columns_);
    row_.resize(columns_);
    work_.resize(columns_ * columns_);
}

void ModularGram::add_row(const ModPrime& m) {
    const std::size_t k = columns_;
    for (std::size_t i = 0; i < k; ++i) {
        if (row_[i] == 0) continue;
        for (std::size_t j = i; j < k; ++j) gram_[i * k + j] = m.add(gram_[i * k + j], m.mul(row_[i], row_[j]));
    }
}

bool ModularGram::nonzero(const ModPrime& m, GramBlock block) {
    const bool whole = block.rows.empty();
    const std::size_t k = whole ? columns_ : block.rows.size(), w = columns_;
    for (std::size_t i = 0; i < k; ++i)
        for (std::size_t j = 0; j < k; ++j) {
            const std::size_t r = whole ? i : block.rows[i], c = whole ? j : block.cols[j];
            work_[i * k + j] = gram_[std::min(r, c) * w + std::max(r, c)];
        }
    // Fraction-free elimination: each row below the pivot is scaled by the nonzero
    // pivot before the pivot row's multiple is taken out, which keeps zero determinants
    // zero and others nonzero.
    for (std::size_t c = 0; c < k; ++c) {
        std::size_t r = c;
        while (r < k && work_[r * k + c] == 0) ++r;
        if (r == k) return false;
        if (r != c)
            for (std::size_t j = c; j < k; ++j) std::swap(work_[r * k + j], work_[c * k + j]);
        const u64 pivot = work_[c * k + c];
        for (r = c + 1; r < k; ++r) {
            const u64 f = work_[r * k + c];
            if (f == 0) continue;
            for (std::size_t j = c; j < k; ++j)
                work_[r * k + j] = m.sub(m.mul(work_[r * k + j], pivot), m.mul(f, work_[c * k + j]));
        }
    }
    return true;
}

}  // namespace torvex
