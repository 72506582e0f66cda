// Local calendar time of a bar in a fixed UTC offset: floor divisions of signed
// milliseconds and the proleptic Gregorian civil date of a day number. No time-zone
// database: an offset is a whole number of minutes that never changes.
#pragma once

#include <compare>
#include <cstdint>

namespace torvex {

struct CivilDate {
    std::int64_t year = 1970;
    std::uint32_t month = 1;  // 1..12
    std::uint32_t day = 1;    // 1..31

    friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
    friend constexpr auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

// Division rounded toward negative infinity (d > 0).
constexpr std::int64_t floor_div(std::int64_t a, std::int64_t d) {
    const std::int64_t q = a / d;
    return (a % d != 0 && a < 0) ? q - 1 : q;
}

// The non-negative remainder of floor_div (d > 0).
constexpr std::int64_t floor_mod(std::int64_t a, std::int64_t d) { return a - floor_div(a, d) * d; }

// Seconds since 1970-01-01 00:00 local time. Cannot overflow: |ts / 1000| < 9.3e15
// and |offset x 60| < 1.3e11.
constexpr std::int64_t local_seconds(std::int64_t ts_ms, std::int32_t offset_minutes) {
    return floor_div(ts_ms, 1000) + static_cast<std::int64_t>(offset_minutes) * 60;
}

// Days since 1970-01-01 of a local second count.
constexpr std::int64_t local_day(std::int64_t local_secs) { return floor_div(local_secs, 86400); }

// Seconds since local midnight (0..86399) and the local hour (0..23).
constexpr std::int64_t second_of_day(std::int64_t local_secs) { return floor_mod(local_secs, 86400); }
constexpr std::uint32_t hour_of_day(std::int64_t local_secs) {
    return static_cast<std::uint32_t>(second_of_day(local_secs) / 3600);
}

// Day of the week of a day number, 0 = Monday .. 6 = Sunday (1970-01-01 was a Thursday).
constexpr std::uint32_t weekday_monday0(std::int64_t day) { return static_cast<std::uint32_t>(floor_mod(day + 3, 7)); }

// Civil date of a day number (day 0 = 1970-01-01); shifted to start on 0000-03-01 and
// split into 400-year eras of 146,097 days.
constexpr CivilDate civil_from_days(std::int64_t day) {
    const std::int64_t z = day + 719468;
    const std::int64_t era = floor_div(z, 146097);
    const std::int64_t doe = z - era * 146097;                                    // 0..146096
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // 0..399
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);              // 0..365
    const std::int64_t mp = (5 * doy + 2) / 153;                                  // 0..11
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = doy < 306 ? mp + 3 : mp - 9;
    return CivilDate{yoe + 400 * era + (m <= 2 ? 1 : 0), static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(d)};
}

constexpr bool is_leap_year(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Days in a month of a year (month 1..12).
constexpr std::uint32_t days_in_month(std::int64_t year, std::uint32_t month) {
    constexpr std::uint32_t kDays[12] = {31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 ? (is_leap_year(year) ? 29u : 28u) : kDays[month - 1];
}

// The local civil date of a bar's time stamp.
constexpr CivilDate local_date(std::int64_t ts_ms, std::int32_t offset_minutes) {
    return civil_from_days(local_day(local_seconds(ts_ms, offset_minutes)));
}

static_assert(civil_from_days(0) == CivilDate{1970, 1, 1});
static_assert(civil_from_days(-1) == CivilDate{1969, 12, 31});
static_assert(civil_from_days(11016) == CivilDate{2000, 2, 29});
static_assert(weekday_monday0(0) == 3);

}  // namespace torvex
