#include "registry/registry.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace torvex {

namespace {

constexpr double kEpsilon = 2.220446049250313e-16;

std::string index_text(std::size_t k) { return std::to_string(k); }

bool near_integer(double x) { return std::fabs(x - std::trunc(x)) <= kEpsilon; }

}  // namespace

std::expected<double, BuildError> param_finite(Params p, std::size_t k, std::string_view name) {
    if (k >= p.size()) return std::unexpected(BuildError::invalid(name, "missing parameter #" + index_text(k)));
    const double x = p[k];
    if (!is_finite(x))
        return std::unexpected(BuildError::invalid(name, "parameter #" + index_text(k) + " must be finite"));
    return x;
}

std::expected<std::uint64_t, BuildError> param_positive_int(Params p, std::size_t k, std::string_view name) {
    auto x = param_finite(p, k, name);
    if (!x) return std::unexpected(std::move(x.error()));
    if (!(*x > 0.0) || !near_integer(*x))
        return std::unexpected(BuildError::invalid(
            name, "parameter #" + index_text(k) + " must be a positive integer, got " + format_param_value(*x)));
    const double t = std::trunc(*x);
    if (t >= 18446744073709551616.0) return UINT64_MAX;
    return static_cast<std::uint64_t>(t);
}

std::expected<std::int32_t, BuildError> param_i32(Params p, std::size_t k, std::string_view name) {
    auto x = param_finite(p, k, name);
    if (!x) return std::unexpected(std::move(x.error()));
    if (!near_integer(*x) || !(*x >= -2147483648.0 && *x <= 2147483647.0))
        return std::unexpected(BuildError::invalid(
            name, "parameter #" + index_text(k) + " must be an i32, got " + format_param_value(*x)));
    return static_cast<std::int32_t>(std::trunc(*x));
}

std::expected<std::uint32_t, BuildError> param_u32(Params p, std::size_t k, std::string_view name) {
    auto x = param_finite(p, k, name);
    if (!x) return std::unexpected(std::move(x.error()));
    if (!(*x >= 0.0 && *x <= 4294967295.0) || !near_integer(*x))
        return std::unexpected(BuildError::invalid(
            name, "parameter #" + index_text(k) + " must be a u32, got " + format_param_value(*x)));
    return static_cast<std::uint32_t>(std::trunc(*x));
}

namespace {

const RegistryRow* find_row(std::string_view name) {
    if (name.size() < 2 || name.size() > 26) return nullptr;
    const auto rows = registry_rows();
    const auto it = std::lower_bound(rows.begin(), rows.end(), name,
                                     [](const RegistryRow& r, std::string_view n) { return r.name < n; });
    if (it == rows.end() || it->name != name) return nullptr;
    return &*it;
}

}  // namespace

BuildResult build_indicator(std::string_view name, Params params) {
    std::string_view target = name;
    if (name == "Macd") target = "MacdIndicator";
    else if (name == "Bollinger") target = "BollingerBands";
    const RegistryRow* row = find_row(target);
    if (row == nullptr || row->build == nullptr) return std::unexpected(BuildError::unknown(name));
    return row->build(params, row->name);
}

std::uint8_t indicator_feed(std::string_view name) {
    const RegistryRow* row = find_row(name);
    if (row == nullptr) return kFeedUnknown;
    return row->feed;
}

}  // namespace torvex
