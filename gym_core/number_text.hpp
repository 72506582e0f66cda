// Number texts: the response documents' number format and the plain shortest form
// used in messages and column keys.
#pragma once

#include <string>

#include "indicators/bar.hpp"
#include "indicators/numeric.hpp"

namespace torvex::gym {

// Shortest round-trip digits in fixed notation, no exponent ("2.5", "-3", "0.0001").
std::string shortest_plain(double x);

// As shortest_plain with ".0" added to an integral value ("1000.0", "1.5").
std::string float_with_point(double x);

// Appends a finite or non-finite double in the response number format: null for
// NaN and infinities; fixed notation with a ".0" for decimal exponents -5 to 15;
// exponent notation with an explicit sign elsewhere (1e+16, 1.5e-7).
void append_json_number(std::string& out, double x);

// The same text found by the general shortest-digits search alone; append_json_number
// takes a shortcut for values already rounded to eight decimals.
void append_json_number_shortest(std::string& out, double x);

// Report rounding: 0.0 for a non-finite value, else rounded half away from zero to
// eight decimals. A value so large that scaling it overflows is already integral and
// is reported unchanged.
inline double report_round(double x) {
    if (!is_finite(x)) return 0.0;
    const double scaled = x * 100000000.0;
    if (!is_finite(scaled)) return x;  // |x| above ~1.8e300: already integral
    return round_half_away(scaled) / 100000000.0;
}

}  // namespace torvex::gym
