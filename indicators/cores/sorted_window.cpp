#include "indicators/cores/sorted_window.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "indicators/numeric.hpp"

namespace torvex {

namespace {

[[noreturn]] void invariant_failed(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The largest window kept as one flat array: up to here shifting the values between
// two places costs less than the block bookkeeping.
constexpr std::size_t kFlatMax = 2048;

// The sorted values as one array.
struct FlatView {
    const double* p;
    std::size_t n;
    double operator[](std::size_t i) const { return p[i]; }
    std::size_t size() const { return n; }
};

// The sorted values as blocks of rings.
struct BlockView {
    const double* p;
    const std::uint32_t* off;
    unsigned shift;
    std::size_t mask;
    std::size_t n;
    double operator[](std::size_t i) const {
        const std::size_t b = i >> shift;
        return p[(b << shift) | ((off[b] + i) & mask)];
    }
    std::size_t size() const { return n; }
};

template <class V>
std::size_t first_key_at_least(const V& s, std::int64_t key) {
    std::size_t size = s.size();
    if (size == 0) return 0;
    std::size_t base = 0;
    while (size > 1) {
        const std::size_t half = size / 2;
        const std::size_t mid = base + half;
        if (total_order_key(s[mid]) < key) base = mid;
        size -= half;
    }
    return base + (total_order_key(s[base]) < key ? 1 : 0);
}

// The places of two keys by one bisection walk, the two searches side by side.
template <class V>
std::pair<std::size_t, std::size_t> first_keys_at_least(const V& s, std::int64_t a, std::int64_t b) {
    std::size_t size = s.size();
    if (size == 0) return {0, 0};
    std::size_t base_a = 0;
    std::size_t base_b = 0;
    while (size > 1) {
        const std::size_t half = size / 2;
        if (total_order_key(s[base_a + half]) < a) base_a += half;
        if (total_order_key(s[base_b + half]) < b) base_b += half;
        size -= half;
    }
    return {base_a + (total_order_key(s[base_a]) < a ? 1 : 0), base_b + (total_order_key(s[base_b]) < b ? 1 : 0)};
}

// First position from `from` on whose key is above `key`, no key before `from` being
// above it. Gallops, so a short run of equals costs a probe or two.
template <class V>
std::size_t first_key_above(const V& s, std::int64_t key, std::size_t from) {
    const std::size_t size = s.size();
    std::size_t lo = from;
    std::size_t hi = size;
    for (std::size_t step = 1; lo < size; step *= 2) {
        const std::size_t probe = std::min(lo + step - 1, size - 1);
        if (total_order_key(s[probe]) > key) {
            hi = probe;
            break;
        }
        lo = probe + 1;
    }
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (total_order_key(s[mid]) > key) hi = mid;
        else lo = mid + 1;
    }
    return lo;
}

// Values of s below c by the ordinary comparison: the deviations left of this place
// grow leftward, those from it on grow rightward.
template <class V>
std::size_t centre_place(const V& s, double c) {
    std::size_t lo = 0;
    std::size_t hi = s.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (s[mid] < c) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

// Entries k and k + 1 (when there is one) of the ascending |v − c| list.
struct DeviationPair {
    double at;
    double next;
};

template <class V>
DeviationPair abs_deviation_pair(const V& s, double c, std::size_t k) {
    const std::size_t m = s.size();
    if (k >= m) invariant_failed("non-empty");
    // Two ascending runs: a[i] = |s[p-1-i] − c| leftward and b[j] = |s[p+j] − c|
    // rightward, both free of NaN unless c is NaN, when p is 0 and a is empty. The
    // first k + 1 of the merged list take i from a and k + 1 − i from b, for the
    // least i whose a[i] is not below b's last one taken.
    const std::size_t p = centre_place(s, c);
    const auto a = [&](std::size_t i) { return std::fabs(s[p - 1 - i] - c); };
    const auto b = [&](std::size_t j) { return std::fabs(s[p + j] - c); };
    const std::size_t na = p;
    const std::size_t nb = m - p;
    const std::size_t take = k + 1;
    std::size_t lo = take > nb ? take - nb : 0;
    std::size_t hi = std::min(na, take);
    while (lo < hi) {
        const std::size_t i = lo + (hi - lo) / 2;
        if (b(take - i - 1) > a(i)) lo = i + 1;
        else hi = i;
    }
    const std::size_t i = lo;
    const std::size_t j = take - i;
    DeviationPair out{};
    if (i == 0) out.at = b(j - 1);
    else if (j == 0) out.at = a(i - 1);
    else out.at = std::max(a(i - 1), b(j - 1));
    if (i < na && j < nb) out.next = std::min(a(i), b(j));
    else if (i < na) out.next = a(i);
    else if (j < nb) out.next = b(j);
    return out;
}

// The blocks for writing: block b starts at s + b·2^k, and its ring place t is the
// slot (off[b] + t) mod 2^k.
struct Rings {
    double* s;
    std::uint32_t* off;
    unsigned k;
    std::size_t m;
    double* block(std::size_t b) const { return s + (b << k); }
    double& least(std::size_t b) const { return block(b)[off[b] & m]; }
    double& greatest(std::size_t b) const { return block(b)[(off[b] + m) & m]; }
    double& rank(std::size_t i) const { return block(i >> k)[(off[i >> k] + i) & m]; }
};

// Within one block's ring (offset `off`, mask m): moves the values of ring places
// [lo, hi) one place up, in runs that do not cross the ring's wrap.
void ring_move_up(double* blk, std::size_t off, std::size_t lo, std::size_t hi, std::size_t m) {
    while (hi > lo) {
        const std::size_t p = (off + hi) & m;
        if (p == 0) {
            blk[0] = blk[m];
            hi -= 1;
            continue;
        }
        const std::size_t run = std::min(hi - lo, p);
        std::copy_backward(blk + p - run, blk + p, blk + p + 1);
        hi -= run;
    }
}

// Moves the values of ring places (lo, hi] one place down.
void ring_move_down(double* blk, std::size_t off, std::size_t lo, std::size_t hi, std::size_t m) {
    while (lo < hi) {
        const std::size_t p = (off + lo) & m;
        if (p == m) {
            blk[m] = blk[0];
            lo += 1;
            continue;
        }
        const std::size_t run = std::min(hi - lo, m - p);
        std::copy(blk + p + 1, blk + p + 1 + run, blk + p);
        lo += run;
    }
}

// The most values blocks of B = 2^shift hold: B²/4, so B is about 2·√count, up to
// blocks of 512; beyond, where the window outgrows the caches and every block turned
// costs a miss, B²/8 and then B²/16 (about 4·√count).
std::size_t block_limit(unsigned shift) {
    const std::size_t square = std::size_t{1} << (2 * shift);
    return square / (shift <= 9 ? 4 : shift == 10 ? 8 : 16);
}

}  // namespace

unsigned SortedWindow::shift_for(std::size_t count) {
    if (count <= kFlatMax) return kFlat;
    unsigned shift = 1;
    while (block_limit(shift) < count) shift += 1;
    return shift;
}

SortedWindow::SortedWindow(std::uint64_t n) : values_(n), capacity_(n) {
    // The largest block count any stage of the filling needs, and room for whole
    // blocks of the last stage's size.
    const unsigned last = shift_for(n);
    block_count_ = 1;
    slot_room_ = n;
    if (last != kFlat) {
        for (unsigned s = shift_for(kFlatMax + 1); s <= last; ++s) {
            const std::size_t most = std::min<std::size_t>(n, block_limit(s));
            block_count_ = std::max(block_count_, (most + (std::size_t{1} << s) - 1) >> s);
        }
        const std::size_t block = std::size_t{1} << last;
        slot_room_ = (n + block - 1) / block * block;
    }
    slots_ = std::make_unique_for_overwrite<double[]>(slot_room_);
    offsets_ = std::make_unique<std::uint32_t[]>(block_count_);
    regroup_above_ = kFlatMax;
}

SortedWindow::SortedWindow(const SortedWindow& other)
    : values_(other.values_),
      slots_(std::make_unique_for_overwrite<double[]>(other.slot_room_)),
      offsets_(std::make_unique<std::uint32_t[]>(other.block_count_)),
      slot_room_(other.slot_room_),
      block_count_(other.block_count_),
      capacity_(other.capacity_),
      shift_(other.shift_),
      mask_(other.mask_),
      regroup_above_(other.regroup_above_),
      newest_at_(other.newest_at_) {
    const std::span<const double> s = other.sorted();  // offsets all 0, as the copy's
    std::copy(s.begin(), s.end(), slots_.get());
}

SortedWindow& SortedWindow::operator=(const SortedWindow& other) {
    if (this != &other) *this = SortedWindow(other);
    return *this;
}

std::expected<SortedWindow, IndicatorError> SortedWindow::create(std::uint64_t n) {
    if (n == 0) return std::unexpected(IndicatorError::invalid_period("window size must be non-zero"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return SortedWindow(n);
}

template <class F>
decltype(auto) SortedWindow::with_view(F&& f) const {
    if (flat()) return f(FlatView{slots_.get(), size()});
    return f(BlockView{slots_.get(), offsets_.get(), shift_, mask_, size()});
}

std::size_t SortedWindow::lower_bound(double v) const {
    return with_view([&](const auto& s) { return first_key_at_least(s, total_order_key(v)); });
}

// Without NaN the total order differs from the ordinary one only in putting -0.0
// before +0.0, so a zero is looked up as the zero at the matching end.
std::size_t SortedWindow::count_below(double v) const { return lower_bound(v == 0.0 ? -0.0 : v); }

std::size_t SortedWindow::count_not_above(double v) const {
    const std::int64_t key = total_order_key(v == 0.0 ? 0.0 : v) + 1;
    return with_view([&](const auto& s) { return first_key_at_least(s, key); });
}

SortedWindow::Rank SortedWindow::rank_of_newest() const {
    const double x = values_.back();
    // A zero's equals include the other zero, which the total order keeps apart.
    if (x == 0.0) return {count_below(x), count_not_above(x)};
    const std::size_t above =
        with_view([&](const auto& s) { return first_key_above(s, total_order_key(x), newest_at_ + 1); });
    return {newest_at_, above};
}

void SortedWindow::push_filling(double x) {
    const std::size_t held = values_.size();
    if (held + 1 > regroup_above_) regroup(held + 1);
    newest_at_ = lower_bound(x);
    shift_up_into(newest_at_, held, x);
    values_.push_back(x);
}

double SortedWindow::push_full(double x) {
    const std::size_t held = values_.size();
    if (values_.empty()) invariant_failed("window is full");
    const double o = values_.replace_oldest(x);
    auto [at, to] = with_view([&](const auto& s) {  // at: o itself
        return first_keys_at_least(s, total_order_key(o), total_order_key(x));
    });
    if (at >= held) invariant_failed("window is full");
    // x's place once o has gone: o's equals all sit before x's place or from it on.
    if (at < to) to -= 1;
    newest_at_ = to;
    if (flat()) {  // the common short window, without a call
        double* s = slots_.get();
        if (at < to) std::copy(s + at + 1, s + to + 1, s + at);
        else if (to < at) std::copy_backward(s + to, s + at, s + at + 1);
        s[to] = x;
    } else if (at < to) {
        shift_down_into(at, to, x);
    } else if (to < at) {
        shift_up_into(to, at, x);
    } else {
        slots_[slot_of(to)] = x;
    }
    return o;
}

void SortedWindow::shift_up_into(std::size_t lo, std::size_t hi, double x) {
    if (flat()) {
        double* s = slots_.get();
        std::copy_backward(s + lo, s + hi, s + hi + 1);
        s[lo] = x;
        return;
    }
    const Rings r{slots_.get(), offsets_.get(), shift_, mask_};
    const std::size_t first = lo >> r.k;
    if (const std::size_t last = hi >> r.k; first != last) {
        ring_move_up(r.block(last), r.off[last], 0, hi & r.m, r.m);
        // Each block between hands its greatest value up and turns its ring back one
        // place, so the freed place becomes its least.
        for (std::size_t j = last - 1; j > first; --j) {
            r.least(j + 1) = r.greatest(j);
            r.off[j] = static_cast<std::uint32_t>((r.off[j] + r.m) & r.m);
        }
        r.least(first + 1) = r.greatest(first);
        hi = (first << r.k) | r.m;
    }
    ring_move_up(r.block(first), r.off[first], lo & r.m, hi & r.m, r.m);
    r.rank(lo) = x;
}

void SortedWindow::shift_down_into(std::size_t lo, std::size_t hi, double x) {
    if (flat()) {
        double* s = slots_.get();
        std::copy(s + lo + 1, s + hi + 1, s + lo);
        s[hi] = x;
        return;
    }
    const Rings r{slots_.get(), offsets_.get(), shift_, mask_};
    const std::size_t last = hi >> r.k;
    if (const std::size_t first = lo >> r.k; first != last) {
        ring_move_down(r.block(first), r.off[first], lo & r.m, r.m, r.m);
        // Each block between hands its least value down and turns its ring on one
        // place, so the freed place becomes its greatest.
        for (std::size_t j = first + 1; j < last; ++j) {
            r.greatest(j - 1) = r.least(j);
            r.off[j] = static_cast<std::uint32_t>((r.off[j] + 1) & r.m);
        }
        r.greatest(last - 1) = r.least(last);
        lo = last << r.k;
    }
    ring_move_down(r.block(last), r.off[last], lo & r.m, hi & r.m, r.m);
    r.rank(hi) = x;
}

void SortedWindow::normalise() const {
    if (flat()) return;
    // Only whole blocks are ever turned: the block holding the greatest rank is at
    // an end of every move.
    const std::size_t width = mask_ + 1;
    const std::size_t used = (size() + mask_) >> shift_;
    for (std::size_t j = 0; j < used; ++j) {
        if (offsets_[j] == 0) continue;
        double* b = slots_.get() + (j << shift_);
        std::rotate(b, b + offsets_[j], b + width);
        offsets_[j] = 0;
    }
}

void SortedWindow::regroup(std::size_t count) {
    normalise();
    shift_ = shift_for(count);
    mask_ = flat() ? ~std::size_t{0} : (std::size_t{1} << shift_) - 1;
    regroup_above_ = flat() ? kFlatMax : block_limit(shift_);
}

std::span<const double> SortedWindow::sorted() const {
    normalise();
    return {slots_.get(), size()};
}

double SortedWindow::quantile(double q) const {
    if (flat()) return quantile_of({slots_.get(), size()}, q);
    const QuantileAt at = quantile_at(size(), q);
    if (at.last) return this->at(at.lo);
    return interpolate(this->at(at.lo), this->at(at.lo + 1), at.frac);
}

double SortedWindow::quantile_of(std::span<const double> values, double q) {
    const QuantileAt at = quantile_at(values.size(), q);
    if (at.last) return values[at.lo];
    return interpolate(values[at.lo], values[at.lo + 1], at.frac);
}

double SortedWindow::median_of(std::span<const double> s) {
    const std::size_t m = s.size();
    if (m == 0) invariant_failed("non-empty");
    if (m % 2 == 1) return s[m / 2];
    return midpoint(s[m / 2 - 1], s[m / 2]);
}

SortedWindow::QuantileAt SortedWindow::quantile_at(std::size_t m, double q) {
    if (m == 0) invariant_failed("non-empty");
    const double pos = q * static_cast<double>(m - 1);
    const double fl = std::floor(pos);
    const std::size_t lo = static_cast<std::size_t>(saturating_u64(fl));
    if (lo >= m - 1) return {m - 1, 0.0, true};
    return {lo, pos - fl, false};
}

void SortedWindow::abs_deviations(std::span<const double> s, double c, std::vector<double>& out) {
    out.clear();
    const std::size_t p = centre_place(s, c);
    std::size_t left = p;  // one past the next left value
    std::size_t right = p;
    while (left > 0 && right < s.size()) {
        const double dl = std::fabs(s[left - 1] - c);
        const double dr = std::fabs(s[right] - c);
        if (total_order_key(dl) > total_order_key(dr)) {
            out.push_back(dr);
            right += 1;
        } else {
            out.push_back(dl);
            left -= 1;
        }
    }
    while (left > 0) {
        left -= 1;
        out.push_back(std::fabs(s[left] - c));
    }
    while (right < s.size()) {
        out.push_back(std::fabs(s[right] - c));
        right += 1;
    }
}

double SortedWindow::abs_deviation_quantile(double c, double q) const {
    const QuantileAt at = quantile_at(size(), q);
    const DeviationPair d = with_view([&](const auto& s) { return abs_deviation_pair(s, c, at.lo); });
    if (at.last) return d.at;
    return interpolate(d.at, d.next, at.frac);
}

double SortedWindow::abs_deviation_median(double c) const {
    const std::size_t m = size();
    if (m == 0) invariant_failed("non-empty");
    const DeviationPair d = with_view([&](const auto& s) { return abs_deviation_pair(s, c, (m - 1) / 2); });
    if (m % 2 == 1) return d.at;
    return midpoint(d.at, d.next);
}

}  // namespace torvex
