// Local calendar time and the calendar indicators: civil dates checked against a
// day-by-day calendar walk, day and hour grouping, and values worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "volatility/candle_support.hpp"

#include "indicators/cores/local_time.hpp"
#include "indicators/profiles/overnight_gap.hpp"
#include "indicators/profiles/seasonal_z_score.hpp"
#include "indicators/profiles/turn_of_month.hpp"

namespace torvex::test {
namespace {

constexpr std::int64_t kHour = 3'600'000;
constexpr std::int64_t kDay = 24 * kHour;

// ---- An independent calendar: whole years and months walked one at a time.

bool model_leap(std::int64_t y) { return y % 400 == 0 || (y % 4 == 0 && y % 100 != 0); }
std::int64_t model_year_days(std::int64_t y) { return model_leap(y) ? 366 : 365; }
std::int64_t model_month_days(std::int64_t y, int m) {
    static const int kLen[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && model_leap(y) ? 29 : kLen[m - 1];
}

CivilDate model_date(std::int64_t day) {
    std::int64_t y = 1970;
    while (day < 0) day += model_year_days(--y);
    while (day >= model_year_days(y)) day -= model_year_days(y++);
    int m = 1;
    while (day >= model_month_days(y, m)) day -= model_month_days(y, m++);
    return CivilDate{y, static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(day + 1)};
}

std::int64_t model_day_number(std::int64_t y, int m, int d) {
    std::int64_t day = 0;
    for (std::int64_t k = 1970; k < y; ++k) day += model_year_days(k);
    for (std::int64_t k = y; k < 1970; ++k) day -= model_year_days(k);
    for (int k = 1; k < m; ++k) day += model_month_days(y, k);
    return day + d - 1;
}

// Local seconds by long-double floor, a different road from the integer floor division.
std::int64_t model_local_seconds(std::int64_t ts, std::int32_t offset) {
    return static_cast<std::int64_t>(std::floor(static_cast<long double>(ts) / 1000.0L)) + offset * 60LL;
}

TEST(LocalTime, FixedDates) {
    struct Case {
        std::int64_t ts;
        std::int32_t offset;
        CivilDate date;
        std::uint32_t hour;
    };
    const Case cases[] = {
        {0, 0, {1970, 1, 1}, 0},
        {-1, 0, {1969, 12, 31}, 23},
        {-kDay, 0, {1969, 12, 31}, 0},
        {-kDay - 1, 0, {1969, 12, 30}, 23},
        {0, -840, {1969, 12, 31}, 10},
        {0, 840, {1970, 1, 1}, 14},
        {23 * kHour + 30 * 60'000, 60, {1970, 1, 2}, 0},
        {11016 * kDay, 0, {2000, 2, 29}, 0},                 // 2000 is a leap year
        {11017 * kDay, 0, {2000, 3, 1}, 0},
        {model_day_number(2100, 2, 28) * kDay, 0, {2100, 2, 28}, 0},
        {(model_day_number(2100, 2, 28) + 1) * kDay, 0, {2100, 3, 1}, 0},  // 2100 is not
        {(model_day_number(2024, 3, 1) * kDay) - 1, 0, {2024, 2, 29}, 23},
        {model_day_number(1900, 3, 1) * kDay - 1, 840, {1900, 3, 1}, 13},
        {model_day_number(1600, 1, 1) * kDay, -1, {1599, 12, 31}, 23},
    };
    for (const Case& c : cases) {
        const std::int64_t secs = local_seconds(c.ts, c.offset);
        EXPECT_EQ(local_date(c.ts, c.offset), c.date) << c.ts << " " << c.offset;
        EXPECT_EQ(hour_of_day(secs), c.hour) << c.ts << " " << c.offset;
    }
    EXPECT_EQ(days_in_month(2100, 2), 28u);
    EXPECT_EQ(days_in_month(2000, 2), 29u);
    EXPECT_EQ(days_in_month(2024, 2), 29u);
    EXPECT_EQ(days_in_month(2023, 2), 28u);
    EXPECT_EQ(days_in_month(2023, 4), 30u);
    EXPECT_EQ(days_in_month(2023, 12), 31u);
}

// 10,000 pseudo-random instants between about 1600 and 2400, with offsets up to
// ±14 h, against the calendar walk.
TEST(LocalTime, RandomInstantsAgainstACalendarWalk) {
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    const std::int64_t span = 800LL * 366 * kDay;
    const std::int64_t lo = -370LL * 366 * kDay;
    for (int i = 0; i < 10'000; ++i) {
        const std::int64_t ts = lo + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(span));
        const std::int32_t offset = static_cast<std::int32_t>(next() % 1681) - 840;
        const std::int64_t secs = model_local_seconds(ts, offset);
        const std::int64_t day = static_cast<std::int64_t>(std::floor(static_cast<long double>(secs) / 86400.0L));
        ASSERT_EQ(local_seconds(ts, offset), secs) << ts;
        ASSERT_EQ(local_date(ts, offset), model_date(day)) << ts << " " << offset;
        ASSERT_EQ(hour_of_day(secs), static_cast<std::uint32_t>((secs - day * 86400) / 3600)) << ts;
    }
}

TEST(Calendar, WarmupIsDeclaredAndRefusedCandlesChangeNothing) {
    std::vector<Ohlcv> bars = wavy_bars(600);
    for (std::size_t i = 0; i < bars.size(); ++i) bars[i].ts = 1'700'000'000'000 + static_cast<std::int64_t>(i) * 4 * kHour;
    expect_candle_contract("OvernightGap", {60}, bars, false);
    expect_candle_contract("SeasonalZScore", {-300}, bars, false);
    expect_candle_contract("TurnOfMonth", {2, 3, 120}, bars, false);
    EXPECT_EQ(registry_message("TurnOfMonth", {0, 0, 0}), kZero);
    EXPECT_EQ(registry_message("TurnOfMonth", {0, 3, 0}), "built");
    EXPECT_EQ(registry_message("OvernightGap", {-840}), "built");
    EXPECT_EQ(registry_message("SeasonalZScore", {0.5}), "parameter #0 must be an i32, got 0.5");
}

TEST(Calendar, OvernightGapOfEachLocalDay) {
    auto gap = boxed(OvernightGap::create(0));
    const std::vector<Ohlcv> bars = {
        candle(10, 11, 10, 11, 0), candle(11, 12, 11, 12, kHour),               // day 1
        candle(13, 14, 13, 14, kDay), candle(14, 15, 13, 13, kDay + kHour),     // day 2: 13/12 − 1
        candle(0, 1, 0, 0, 2 * kDay),                                           // day 3: 0/13 − 1
        candle(1, 1, 1, 1, 3 * kDay),                                           // day 4: previous close 0
    };
    expect_answers("offset 0", feed_bars(*gap, bars), {None, None, 13.0 / 12.0 - 1.0, 13.0 / 12.0 - 1.0, -1.0, 0.0});
    // At +60 the bar at 23:30 UTC opens the next local day.
    auto shifted = boxed(OvernightGap::create(60));
    expect_answers("offset +60",
                   feed_bars(*shifted, {candle(10, 10, 10, 10, 22 * kHour), candle(12, 12, 12, 12, 23 * kHour + kHour / 2)}),
                   {None, 0.2});
}

TEST(Calendar, SeasonalZScoreAgainstEarlierReturnsOfTheHour) {
    // Hour 0 only: returns 0.01, 2/101 and 3/103; the third is scored.
    auto z = boxed(SeasonalZScore::create(0));
    const double r1 = 0.01, r2 = 103.0 / 101.0 - 1.0, r3 = 106.0 / 103.0 - 1.0;
    const double mean = (r1 + r2) / 2.0;
    const double sd = std::sqrt((r1 - mean) * (r1 - mean) + (r2 - mean) * (r2 - mean));
    const std::vector<Ohlcv> bars = {candle(100, 100, 100, 100, 0), candle(101, 101, 101, 101, kDay),
                                     candle(103, 103, 103, 103, 2 * kDay), candle(106, 106, 106, 106, 3 * kDay)};
    expect_answers("hour 0", feed_bars(*z, bars), {None, None, None, (r3 - mean) / sd}, 1e-9);
    // Two equal earlier returns: no spread, 0.
    auto flat = boxed(SeasonalZScore::create(0));
    const std::vector<Ohlcv> doubling = {candle(1, 1, 1, 1, 0), candle(2, 2, 2, 2, kDay), candle(4, 4, 4, 4, 2 * kDay),
                                         candle(8, 8, 8, 8, 3 * kDay)};
    expect_answers("equal returns", feed_bars(*flat, doubling), {None, None, None, 0.0});
    // At +60, 23:30 UTC is hour 0: it joins the bucket of the bars at midnight.
    auto shifted = boxed(SeasonalZScore::create(60));
    const std::vector<Ohlcv> mixed = {candle(1, 1, 1, 1, 0), candle(2, 2, 2, 2, kDay - kHour),
                                      candle(4, 4, 4, 4, 2 * kDay - kHour), candle(8, 8, 8, 8, 3 * kDay - kHour / 2)};
    expect_answers("offset +60", feed_bars(*shifted, mixed), {None, None, None, 0.0});
}

// One bar a day from (y, m, d) on, closing 100, 101, 103, 106, ... so every day's
// return is different; answers of TurnOfMonth(f, l, 0) bar by bar.
std::vector<std::optional<double>> turn_of_month(std::uint32_t f, std::uint32_t l, std::int64_t y, int m, int d,
                                                 int days, std::vector<double>& closes) {
    auto tom = boxed(TurnOfMonth::create(f, l, 0));
    const std::int64_t first = model_day_number(y, m, d);
    std::vector<std::optional<double>> out;
    closes.clear();
    for (int i = 0; i < days; ++i) {
        const double c = 100.0 + i * (i + 1) / 2.0;
        closes.push_back(c);
        out.push_back(feed(*tom, candle(c, c, c, c, (first + i) * kDay + 5 * kHour)));
    }
    return out;
}

TEST(Calendar, TurnOfMonthCountsTheFirstAndLastDays) {
    std::vector<double> c;
    auto ret = [&c](int i) { return c[i] / c[i - 1] - 1.0; };
    // From the 26th of February: index 3 is the last February day in 2024 and 2000
    // (the 29th), index 2 in 2023 and 2100 (the 28th); the next is the 1st of March.
    // A day's return is counted on the next day's bar.
    for (const std::int64_t year : {2024, 2000}) {
        const auto got = turn_of_month(1, 1, year, 2, 26, 7, c);
        expect_answers("leap", got, {None, None, None, None, ret(3), (ret(3) + ret(4)) / 2, (ret(3) + ret(4)) / 2});
    }
    for (const std::int64_t year : {2023, 2100}) {
        const auto got = turn_of_month(1, 1, year, 2, 26, 6, c);
        expect_answers("common", got, {None, None, None, ret(2), (ret(2) + ret(3)) / 2, (ret(2) + ret(3)) / 2});
    }
    // Last two days only, from the 29th of April: the 29th and 30th count, the 1st
    // of May does not; the first day's return is never counted.
    const auto tail = turn_of_month(0, 2, 2023, 4, 28, 5, c);
    expect_answers("last two", tail, {None, None, ret(1), (ret(1) + ret(2)) / 2, (ret(1) + ret(2)) / 2});
    // L above the month's length counts every day.
    const auto all = turn_of_month(0, 40, 2023, 4, 28, 4, c);
    expect_answers("all days", all, {None, None, ret(1), (ret(1) + ret(2)) / 2});
}

}  // namespace
}  // namespace torvex::test
