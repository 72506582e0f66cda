#include "gym_core/number_text.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

#include "indicators/bar.hpp"
#include "indicators/numeric.hpp"
#include "registry/registry.hpp"

namespace torvex::gym {

std::string shortest_plain(double x) { return format_param_value(x); }

std::string float_with_point(double x) {
    std::string s = shortest_plain(x);
    if (std::isfinite(x) && s.find('.') == std::string::npos) s += ".0";
    return s;
}

void append_json_number(std::string& out, double x) {
    if (!is_finite(x)) {
        out += "null";
        return;
    }
    if (std::signbit(x)) out += '-';
    x = std::fabs(x);
    if (x == 0.0) {
        out += "0.0";
        return;
    }
    // Shortest digits and their decimal exponent, from the scientific form d.ddde±X.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
    const std::string_view sci(buf, res.ptr - buf);
    const std::size_t e_pos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e_pos))
        if (c != '.') digits += c;
    int exp10 = 0;
    std::from_chars(sci.data() + e_pos + 1 + (sci[e_pos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exp10);
    const int n = static_cast<int>(digits.size());
    if (exp10 >= -5 && exp10 <= 15) {
        if (exp10 < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-exp10 - 1), '0');
            out += digits;
        } else if (n <= exp10 + 1) {
            out += digits;
            out.append(static_cast<std::size_t>(exp10 + 1 - n), '0');
            out += ".0";
        } else {
            out.append(digits, 0, static_cast<std::size_t>(exp10 + 1));
            out += '.';
            out.append(digits, static_cast<std::size_t>(exp10 + 1));
        }
        return;
    }
    out += digits[0];
    if (n > 1) {
        out += '.';
        out.append(digits, 1);
    }
    out += 'e';
    out += exp10 < 0 ? '-' : '+';
    out += std::to_string(exp10 < 0 ? -exp10 : exp10);
}

double report_round(double x) {
    if (!is_finite(x)) return 0.0;
    const double scaled = x * 100000000.0;
    if (!is_finite(scaled)) return x;  // |x| above ~1.8e300: already integral
    return round_half_away(scaled) / 100000000.0;
}

}  // namespace torvex::gym
