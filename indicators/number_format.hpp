// Number texts shared by the registry's messages and the environment's documents:
// the shortest round-trip digits of a double and its plain fixed-notation form.
#pragma once

#include <string>

namespace torvex {

// The shortest decimal digits that read back as |x| (x finite and non-zero) and the
// power of ten of the first digit: 123.25 gives "12325" and 2.
struct ShortestDigits {
    std::string digits;
    int exponent = 0;
};
ShortestDigits shortest_digits(double x);

// Shortest text that reads back as the same double, never with an exponent, and
// without a fractional part for an integral value (2.5, -3, 0.0000001).
std::string format_param_value(double x);

}  // namespace torvex
