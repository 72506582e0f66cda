#include "indicators/number_format.hpp"

#include <charconv>
#include <cmath>
#include <string_view>

#include "indicators/bar.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

ShortestDigits shortest_digits(double x) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e_pos = sci.find('e');
    ShortestDigits out;
    for (char c : sci.substr(0, e_pos))
        if (c != '.') out.digits += c;
    const char* exp_begin = sci.data() + e_pos + 1;
    if (*exp_begin == '+') ++exp_begin;
    std::from_chars(exp_begin, sci.data() + sci.size(), out.exponent);
    return out;
}

std::string format_param_value(double x) {
    if (!is_finite(x)) return std::isnan(x) ? "NaN" : (x < 0 ? "-inf" : "inf");
    std::string out;
    if (std::signbit(x)) out += '-';
    if (x == 0.0) return out + "0";
    // Fixed notation: zeros pad up to the units place, never an exponent.
    const auto [digits, exp10] = shortest_digits(x);
    const int n = static_cast<int>(digits.size());
    if (exp10 < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exp10 - 1), '0');
        out += digits;
    } else if (n <= exp10 + 1) {
        out += digits;
        out.append(static_cast<std::size_t>(exp10 + 1 - n), '0');
    } else {
        out.append(digits, 0, static_cast<std::size_t>(exp10 + 1));
        out += '.';
        out.append(digits, static_cast<std::size_t>(exp10 + 1));
    }
    return out;
}

}  // namespace torvex
