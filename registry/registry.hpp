// Building indicators by name from positional numeric parameters.
#pragma once

#include <cstdint>
#include <expected>
#include <span>
#include <string>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>

#include "indicators/indicator.hpp"
#include "indicators/number_format.hpp"

namespace torvex {

struct BuildError {
    enum class Kind : std::uint8_t { Unknown, Invalid };

    Kind kind;
    std::string indicator;  // the requested name (Unknown) or the registry name (Invalid)
    std::string message;    // empty for Unknown

    static BuildError unknown(std::string_view name) { return {Kind::Unknown, std::string(name), {}}; }
    static BuildError invalid(std::string_view name, std::string message) {
        return {Kind::Invalid, std::string(name), std::move(message)};
    }

    friend bool operator==(const BuildError&, const BuildError&) = default;
};

using BuildResult = std::expected<IndicatorBox, BuildError>;
using Params = std::span<const double>;

// Makes a fresh indicator; exact, case-sensitive matching, with the aliases
// "Macd" and "Bollinger" for "MacdIndicator" and "BollingerBands".
BuildResult build_indicator(std::string_view name, Params params);

// The data feed an indicator name reads beyond the candle.
enum FeedCode : std::uint8_t {
    kFeedCandles = 0,
    kFeedTrades = 1,
    kFeedOrderBook = 2,
    kFeedTradesAndBook = 3,
    kFeedFunding = 4,
    kFeedCrossSection = 5,
    kFeedUnknown = 255,
};
std::uint8_t indicator_feed(std::string_view name);

// The parameter readers; `name` is the indicator reported in the error.
std::expected<double, BuildError> param_finite(Params p, std::size_t k, std::string_view name);
std::expected<std::uint64_t, BuildError> param_positive_int(Params p, std::size_t k, std::string_view name);
std::expected<std::int32_t, BuildError> param_i32(Params p, std::size_t k, std::string_view name);
std::expected<std::uint32_t, BuildError> param_u32(Params p, std::size_t k, std::string_view name);

// Boxes a constructed state, or turns a constructor's refusal into Invalid.
template <class T>
BuildResult finish_new(std::string_view name, std::expected<T, IndicatorError>&& result) {
    if (!result) return std::unexpected(BuildError::invalid(name, result.error().display()));
    return IndicatorBox(std::make_unique<T>(std::move(*result)));
}

// One registry row: the name, its feed class and its builder.
using Builder = BuildResult (*)(Params params, std::string_view name);
struct RegistryRow {
    std::string_view name;
    std::uint8_t feed;
    Builder build;
};
std::span<const RegistryRow> registry_rows();

// Parameter kinds, for the generic builder below.
enum class ParamKind : std::uint8_t { PositiveInt, Finite, I32, U32 };

namespace detail {
template <ParamKind K> struct ParamType;
template <> struct ParamType<ParamKind::PositiveInt> { using type = std::uint64_t; };
template <> struct ParamType<ParamKind::Finite> { using type = double; };
template <> struct ParamType<ParamKind::I32> { using type = std::int32_t; };
template <> struct ParamType<ParamKind::U32> { using type = std::uint32_t; };

template <ParamKind K>
std::expected<typename ParamType<K>::type, BuildError> read_param(Params p, std::size_t k,
                                                                    std::string_view name) {
    if constexpr (K == ParamKind::PositiveInt) return param_positive_int(p, k, name);
    else if constexpr (K == ParamKind::Finite) return param_finite(p, k, name);
    else if constexpr (K == ParamKind::I32) return param_i32(p, k, name);
    else return param_u32(p, k, name);
}

template <class T, ParamKind... Ks, std::size_t... Is>
BuildResult build_with([[maybe_unused]] Params p, std::string_view name, std::index_sequence<Is...>) {
    std::tuple<typename ParamType<Ks>::type...> values{};
    std::optional<BuildError> failure;
    // Read in index order; the first failure stops the reading.
    (void)((
        [&] {
            auto v = read_param<Ks>(p, Is, name);
            if (!v) {
                failure = std::move(v.error());
                return false;
            }
            std::get<Is>(values) = *v;
            return true;
        }()) && ...);
    if (failure) return std::unexpected(std::move(*failure));
    return finish_new<T>(name, T::create(std::get<Is>(values)...));
}
}  // namespace detail

// Reads the declared parameters in order, calls T::create with them and boxes the
// result through finish_new.
template <class T, ParamKind... Ks>
BuildResult build_new(Params p, std::string_view name) {
    return detail::build_with<T, Ks...>(p, name, std::make_index_sequence<sizeof...(Ks)>{});
}

}  // namespace torvex
