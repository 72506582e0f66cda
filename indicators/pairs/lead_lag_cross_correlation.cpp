#include "indicators/pairs/lead_lag_cross_correlation.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/exact_gram.hpp"
#include "indicators/cores/pair_moments.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, LeadLagCrossCorrelation, 1);

std::expected<LeadLagCrossCorrelation, IndicatorError> LeadLagCrossCorrelation::create(std::uint64_t window,
                                                                                       std::uint64_t max_lag) {
    if (window < 2)
        return std::unexpected(IndicatorError::invalid_period("lead-lag cross-correlation needs window >= 2"));
    if (auto ok = check_max_period(window); !ok) return std::unexpected(ok.error());
    if (max_lag == 0)
        return std::unexpected(IndicatorError::invalid_period("lead-lag cross-correlation needs max_lag >= 1"));
    // Both rings hold window + 2*max_lag values; with both bounded the sum cannot wrap.
    if (auto ok = check_max_period(max_lag); !ok) return std::unexpected(ok.error());
    return LeadLagCrossCorrelation(window, max_lag);
}

double LeadLagCrossCorrelation::correlation(std::size_t a, std::size_t b) const {
    return bounded_correlation(two_pass_moments(
        window_, [&](std::size_t i) { return closes_[a + i]; }, [&](std::size_t i) { return references_[b + i]; }));
}

std::optional<std::array<double, 1>> LeadLagCrossCorrelation::step(const BarContext& ctx) {
    const std::optional<PairInput> p = pair_input(ctx, PairDomain::Finite);
    if (!p) return std::nullopt;
    closes_.push(p->a);
    references_.push(p->b);
    if (!closes_.full()) return std::nullopt;
    const std::size_t m = max_lag_;
    double best = correlation(m, m);
    std::size_t best_at = m;
    for (std::size_t k = 1; k <= m; ++k) {
        for (const std::size_t at : {m - k, m + k}) {
            const double candidate = correlation(m, at);
            if (std::fabs(candidate) > std::fabs(best)) {
                // Correlations of equal strength in exact arithmetic can round a few
                // ulps apart (over two bars every one is exactly 1 or -1). Of the same
                // sign they are one answer, whichever is taken; of opposite signs the
                // earlier shift keeps a tie, so such a lead this close is decided
                // exactly.
                if (std::signbit(candidate) != std::signbit(best) &&
                    std::fabs(candidate) - std::fabs(best) <= 0x1p-26 * std::fabs(best)) [[unlikely]]
                    if (equally_strong(at, best_at)) continue;
                best = candidate;
                best_at = at;
            }
        }
    }
    return std::array<double, 1>{best};
}

bool LeadLagCrossCorrelation::equally_strong(std::size_t b1, std::size_t b2) const {
    // Read on their grids (decimals as written, else binary), the closes and the
    // references are integers A, B, so a tie in the printed decimals is a tie. Over
    // n pairs, P = nΣAB − ΣAΣB and Q = nΣB² − (ΣB)² give
    // r² = P² / (Q·(nΣA² − (ΣA)²)), the closes' factor shared by every shift; r is 0
    // where P or Q is. Two shifts are as strong when both read 0, or neither does and
    // P1²·Q2 = P2²·Q1: decided modulo primes past the bound of those products.
    const std::size_t n = window_, m = max_lag_;
    if (n == 2) {
        // Over two pairs r is the sign of the product of the two changes, so |r| is 1
        // where both series move and 0 where either holds still.
        const bool closes_move = closes_[m] != closes_[m + 1];
        return (closes_move && references_[b1] != references_[b1 + 1]) ==
               (closes_move && references_[b2] != references_[b2 + 1]);
    }
    // Both shifts read the references on one grid, so their quotients compare. Each
    // column is read at a level of [1, 2) for its largest value, scaled by a power of
    // two (which leaves every correlation as it is), so that every price level reads
    // the same grid.
    double largest_a = 0.0, largest_b = 0.0;
    for (std::size_t i = 0; i < n; ++i) largest_a = std::max(largest_a, std::fabs(closes_[m + i]));
    for (std::size_t i = 0; i < references_.size(); ++i) largest_b = std::max(largest_b, std::fabs(references_[i]));
    const int ea = largest_a > 0.0 ? std::ilogb(largest_a) : 0, eb = largest_b > 0.0 ? std::ilogb(largest_b) : 0;
    ColumnGrid ra, rb;
    for (std::size_t i = 0; i < n; ++i) ra.add(std::ldexp(closes_[m + i], -ea));
    for (std::size_t i = 0; i < references_.size(); ++i) rb.add(std::ldexp(references_[i], -eb));
    const double count_bits = std::log2(static_cast<double>(n));
    // |P| <= 2n·|A|·|B| and Q <= n·|B|², so P²·Q stays below 2^bound.
    const double bound = 2.0 + 3.0 * count_bits + 2.0 * ra.norm_bits(n) + 4.0 * rb.norm_bits(n);
    const std::size_t primes = std::min(kModPrimes, static_cast<std::size_t>(bound / 61.0) + 2);
    bool zero_p[2] = {true, true}, zero_q[2] = {true, true}, ties = true;
    for (std::size_t q = 0; q < primes; ++q) {
        const ModPrime& mp = mod_prime(q);
        const std::uint64_t count = mp.of_count(n);
        std::uint64_t p[2], sq[2];
        for (int j = 0; j < 2; ++j) {
            const std::size_t b = j == 0 ? b1 : b2;
            std::uint64_t sa = 0, sb = 0, sab = 0, sbb = 0;
            for (std::size_t i = 0; i < n; ++i) {
                const std::uint64_t x = mp.of(std::ldexp(closes_[m + i], -ea), ra),
                                    y = mp.of(std::ldexp(references_[b + i], -eb), rb);
                sa = mp.add(sa, x);
                sb = mp.add(sb, y);
                sab = mp.add(sab, mp.mul(x, y));
                sbb = mp.add(sbb, mp.mul(y, y));
            }
            p[j] = mp.sub(mp.mul(count, sab), mp.mul(sa, sb));
            sq[j] = mp.sub(mp.mul(count, sbb), mp.mul(sb, sb));
            zero_p[j] = zero_p[j] && p[j] == 0;
            zero_q[j] = zero_q[j] && sq[j] == 0;
        }
        ties = ties && mp.mul(mp.mul(p[0], p[0]), sq[1]) == mp.mul(mp.mul(p[1], p[1]), sq[0]);
    }
    const bool zero1 = zero_p[0] || zero_q[0], zero2 = zero_p[1] || zero_q[1];
    if (zero1 || zero2) return zero1 && zero2;
    return ties;
}

}  // namespace torvex
