// A group of states that a run of bars bringing nothing decays by a constant factor
// each bar: averages of changes, ranges or volumes, filters of them, sums of their
// squares. In exact arithmetic none of them ever reaches zero, and a quotient of two
// of them keeps its value (or goes on converging or ringing as its recurrences say)
// however long the run. Doubles would carry them down into the subnormal range, where
// they lose their digits and the quotient drifts, then to zero.
//
// A DecayScale keeps such a group in the normal range. Once the group's largest state
// falls below kLow, every state is multiplied by one power of two: that is exact, and
// no quotient of two states of the group changes. The power is carried: a new term is
// multiplied by it before it joins the group, so the group's recurrences run on exactly
// the digits they would have with an unbounded exponent. The group goes back to its
// own units as soon as its largest state is back above kLow, or when a new term would
// leave the double range in the group's units: such a term dwarfs what the group holds
// by hundreds of orders, and what is left of the states in their own units (subnormal,
// or zero) is exactly what the term's rounding leaves of them.
//
// A state of degree d (a square of prices: 2) is held times 2^(d·exponent). Owners keep
// the usual path as it was: one test of `active()` before the update, and the test of
// the largest state against kLow where the quotient's zero test stood, send the bars of
// such a run to an out-of-line step that calls enter() and settle().
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace torvex {

struct DecayState {
    // Implicit, so that a group is listed as {&a, &b, {&squares, 2}}.
    DecayState(double* v, int d = 1) : value(v), degree(d) {}

    double* value;
    int degree = 1;
};

class DecayScale {
public:
    // Far above the smallest normal double: a bar's decay never carries a state from
    // here past the normal range (that would take a factor below 2^-500 a bar).
    static constexpr double kLow = 0x1p-500;
    // While scaled, the largest state is kept below this (a bar's terms can raise it),
    // so that a term that overflows in the group's units dwarfs every state.
    static constexpr double kHigh = 0x1p+64;

    // Whether the states are held times a power of two.
    bool active() const { return exponent_ != 0; }
    // The power: every state of degree d is held times 2^(d·exponent()).
    std::int64_t exponent() const { return exponent_; }

    // `v`, a state of degree `degree` held by the group, in its own units.
    double own(double v, int degree = 1) const { return active() ? std::ldexp(v, shift(-degree)) : v; }

    // Brings the terms of one update into the group's units (nothing while inactive).
    // Where one of them would overflow there, the terms dwarf the group: the states go
    // back to their own units, and the terms stay as they were.
    void enter(std::initializer_list<DecayState> states, std::initializer_list<DecayState> terms) {
        if (!active()) return;
        for (const DecayState& t : terms) {
            const double x = *t.value;
            if (x != 0.0 && std::isfinite(x) && !std::isfinite(std::ldexp(x, shift(t.degree)))) {
                release(states);
                return;
            }
        }
        for (const DecayState& t : terms) *t.value = std::ldexp(*t.value, shift(t.degree));
    }

    // After an update: scales the group up once its largest state (a state of degree d
    // counted by its d-th root) has fallen below kLow, down while scaled and above
    // kHigh, and back to its own units once that state is at or above kLow there. A
    // group of zeros, or one holding a value that is not finite, goes back to its own
    // units. States that drift apart by more than the double range keep the largest
    // normal: what the others lose is below its rounding. `beside` is the magnitude of
    // values of degree 1 that the owner keeps beside the group and scales itself by
    // the same power (a window of past values): they count as states.
    void settle(std::initializer_list<DecayState> states, double beside = 0.0) {
        if (!std::isfinite(beside)) {
            if (active()) release(states);
            return;
        }
        std::int64_t top = beside == 0.0 ? INT64_MIN : std::ilogb(beside);  // the largest exponent, per degree
        for (const DecayState& s : states) {
            const double v = *s.value;
            if (!std::isfinite(v)) {
                if (active()) release(states);
                return;
            }
            if (v == 0.0) continue;
            const std::int64_t e = std::ilogb(v);
            top = std::max(top, e >= 0 ? e / s.degree : -((-e + s.degree - 1) / s.degree));
        }
        if (top == INT64_MIN) {
            if (active()) release(states);
            return;
        }
        constexpr std::int64_t kLowExponent = -500, kHighExponent = 64;
        if (active() && top - exponent_ >= kLowExponent) {
            release(states);
            return;
        }
        if (top >= kLowExponent && (!active() || top < kHighExponent)) return;
        // The power that brings the largest state to [1, 2^degree), never below the
        // group's own units.
        const std::int64_t k = std::max(-top, -exponent_);
        for (const DecayState& s : states) *s.value = std::ldexp(*s.value, clamp(k * s.degree));
        exponent_ += k;
    }

    // ldexp's exponent for a power of two the owner applies itself (to states it keeps
    // beside the group, such as a window of past values): beyond ±2^20 every double is
    // already 0 or inf.
    static int shift_of(std::int64_t e) { return clamp(e); }

    // Every state back to its own units.
    void release(std::initializer_list<DecayState> states) {
        for (const DecayState& s : states) *s.value = std::ldexp(*s.value, shift(-s.degree));
        exponent_ = 0;
    }

private:
    // ldexp's exponent for degree d: beyond ±2^20 every double is already 0 or inf.
    static int clamp(std::int64_t e) { return static_cast<int>(e < -(1 << 20) ? -(1 << 20) : e > (1 << 20) ? (1 << 20) : e); }
    int shift(int degree) const { return clamp(exponent_ * degree); }

    std::int64_t exponent_ = 0;
};

}  // namespace torvex
