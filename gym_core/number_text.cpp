#include "gym_core/number_text.hpp"

#include <algorithm>
#include <charconv>
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
    // Reported values are rounded to eight decimals. When x is the double nearest to
    // k / 10^8 and that decimal has at most 15 significant digits (|x| below 10^7), the
    // decimal is the only one of so few digits that reads back as x, hence the
    // shortest: it is written straight from k, without the general search.
    const double a = std::fabs(x);
    if (a >= 1e-5 && a < 1e7) {
        const auto k = static_cast<std::uint64_t>(a * 1e8 + 0.5);
        if (static_cast<double>(k) / 1e8 == a) {
            char buf[32];
            char* w = buf;
            if (std::signbit(x)) *w++ = '-';
            w = std::to_chars(w, buf + sizeof buf, k / 100000000u).ptr;
            *w++ = '.';
            std::uint64_t frac = k % 100000000u;
            if (frac == 0) {
                *w++ = '0';
            } else {
                char digits[8];
                for (int i = 7; i >= 0; --i, frac /= 10) digits[i] = static_cast<char>('0' + frac % 10);
                int n = 8;
                while (digits[n - 1] == '0') --n;
                for (int i = 0; i < n; ++i) *w++ = digits[i];
            }
            out.append(buf, static_cast<std::size_t>(w - buf));
            return;
        }
    }
    append_json_number_shortest(out, x);
}

void append_json_number_shortest(std::string& out, double x) {
    if (!is_finite(x)) {
        out += "null";
        return;
    }
    // Written in one pass into a small stack buffer from the shortest scientific form
    // ("d.ddde±XX"), then appended once: no temporary strings.
    char sci[40];
    const auto res = std::to_chars(sci, sci + sizeof sci, std::fabs(x), std::chars_format::scientific);
    const char* e = std::find(sci, res.ptr, 'e');
    char digits[24];
    int n = 0;
    for (const char* p = sci; p < e; ++p)
        if (*p != '.') digits[n++] = *p;
    int exp10 = 0;
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), res.ptr, exp10);

    char buf[48];
    char* w = buf;
    if (std::signbit(x)) *w++ = '-';
    if (x == 0.0) {
        *w++ = '0';
        *w++ = '.';
        *w++ = '0';
    } else if (exp10 >= -5 && exp10 <= 15) {  // fixed notation, always with a fractional part
        if (exp10 < 0) {
            *w++ = '0';
            *w++ = '.';
            for (int i = 0; i < -exp10 - 1; ++i) *w++ = '0';
            for (int i = 0; i < n; ++i) *w++ = digits[i];
        } else if (n <= exp10 + 1) {
            for (int i = 0; i < n; ++i) *w++ = digits[i];
            for (int i = n; i < exp10 + 1; ++i) *w++ = '0';
            *w++ = '.';
            *w++ = '0';
        } else {
            for (int i = 0; i < exp10 + 1; ++i) *w++ = digits[i];
            *w++ = '.';
            for (int i = exp10 + 1; i < n; ++i) *w++ = digits[i];
        }
    } else {
        *w++ = digits[0];
        if (n > 1) {
            *w++ = '.';
            for (int i = 1; i < n; ++i) *w++ = digits[i];
        }
        *w++ = 'e';
        *w++ = exp10 < 0 ? '-' : '+';
        w = std::to_chars(w, buf + sizeof buf, exp10 < 0 ? -exp10 : exp10).ptr;
    }
    out.append(buf, static_cast<std::size_t>(w - buf));
}

}  // namespace torvex::gym
