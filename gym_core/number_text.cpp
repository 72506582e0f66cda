#include "gym_core/number_text.hpp"

#include <cmath>

#include "indicators/bar.hpp"
#include "indicators/numeric.hpp"
#include "indicators/number_format.hpp"

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
    const auto [digits, exp10] = shortest_digits(x);
    if (exp10 >= -5 && exp10 <= 15) {  // fixed notation, always with a fractional part
        out += float_with_point(x);
        return;
    }
    const std::size_t n = digits.size();
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
