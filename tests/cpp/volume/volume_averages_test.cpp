// Volume-weighted averages: Vwma, Evwma, RollingVwap and SessionVwap on hand-made bars.
#include <gtest/gtest.h>

#include "indicators/volume/evwma.hpp"
#include "indicators/volume/rolling_vwap.hpp"
#include "indicators/volume/session_vwap.hpp"
#include "indicators/volume/vwma.hpp"
#include "volume_bars.hpp"

namespace torvex {
namespace {

using namespace volume_test;
constexpr std::nullopt_t None = std::nullopt;

TEST(VolumeAverages, Vwma) {
    check("period 1 is the close, with or without volume", Vwma::create(1),
          {flat(10, 3), flat(12, 0), around(7, 2)}, {10.0, 12.0, 7.0});
    check("period 3 weighs the closes by volume", Vwma::create(3),
          {flat(10, 1), flat(11, 2), flat(12, 3), flat(13, 0)}, {None, None, 68.0 / 6.0, 58.0 / 5.0});
    check("a window without volume is the plain mean of its closes", Vwma::create(3),
          {flat(10, 0), flat(12, 0), flat(14, 0), flat(16, 2), flat(18, 0)}, {None, None, 12.0, 16.0, 16.0});
}

TEST(VolumeAverages, VwmaCoreSeesTheSameSteps) {
    auto core = VwmaCore::create(2);
    ASSERT_TRUE(core);
    EXPECT_EQ(core->step(10, 1), std::nullopt);
    EXPECT_EQ(core->step(20, 3), 17.5);
    EXPECT_EQ(core->step(30, 0), 20.0);
    EXPECT_EQ(core->step(40, 0), 35.0);  // no volume left: the mean of 30 and 40
}

TEST(VolumeAverages, Evwma) {
    // Seeded with the close on the first full window; a zero-volume bar keeps e·S/S.
    check("volume shares", Evwma::create(2), {flat(10, 1), flat(12, 3), flat(14, 0), flat(20, 1), flat(20, 0)},
          {None, 12.0, 12.0, 20.0, 20.0});
    check("a window without volume holds the value, or seeds with the close", Evwma::create(2),
          {flat(10, 0), flat(11, 0), flat(12, 0), flat(13, 4), flat(20, 0), flat(30, 0)},
          {None, 11.0, 11.0, 13.0, 13.0, 13.0});
}

// The window's volume sum is re-added from the window: once a huge volume has left,
// each close weighs in with exactly a third of a window of three unit volumes.
TEST(VolumeAverages, EvwmaRecoversAfterAHugeVolumeLeaves) {
    IndicatorBox ind = test::boxed(Evwma::create(3));
    ASSERT_TRUE(ind);
    test::feed(*ind, flat(10, 1e20));
    std::optional<double> prev;
    for (int i = 2; i <= 12; ++i) {
        const double close = 10.0 + i;
        const auto v = test::feed(*ind, flat(close, 1));
        if (i >= 7) {
            ASSERT_TRUE(v && prev);
            EXPECT_NEAR(*v, (close + 2.0 * *prev) / 3.0, 1e-12) << "bar " << i;
        }
        prev = v;
    }
}

TEST(VolumeAverages, RollingVwap) {
    check("typical price by volume; nothing for a window without volume", RollingVwap::create(2),
          {flat(10, 1), flat(20, 3), flat(30, 0), flat(40, 0), bar(50, 52, 48, 50.5, 2)},
          {None, 17.5, 20.0, None, (52.0 + 48.0 + 50.5) / 3.0});
}

TEST(VolumeAverages, SessionVwapRestartsAtLocalMidnight) {
    constexpr std::int64_t kDay = 86'400'000;
    constexpr std::int64_t kHour = 3'600'000;
    struct Case {
        const char* label;
        std::int32_t offset;
        std::int64_t ts1;
        std::int64_t ts2;
        bool same_session;
    };
    const Case cases[] = {
        {"23:59:59.999 and 00:00 UTC", 0, kDay - 1, kDay, false},
        {"two bars of one UTC day", 0, kDay + kHour, 2 * kDay - 1, true},
        {"offset +60 moves midnight to 23:00 UTC", 60, kDay - kHour - 1, kDay - kHour, false},
        {"offset +60: 23:00 and 23:59 UTC share a day", 60, kDay - kHour, kDay - 1, true},
        {"offset -300 moves midnight to 05:00 UTC", -300, kDay + 5 * kHour - 1, kDay + 5 * kHour, false},
        {"offset -300: 00:00 and 04:59 UTC share a day", -300, kDay, kDay + 5 * kHour - 1, true},
        {"ts -1 belongs to 1969-12-31", 0, -1, 0, false},
        {"ts -1000 and -1 share 1969-12-31", 0, -1000, -1, true},
    };
    for (const Case& c : cases) {
        auto made = SessionVwap::create(c.offset);
        ASSERT_TRUE(made);
        EXPECT_EQ(made->offset_minutes(), c.offset);
        check(c.label, std::move(made), {flat(10, 1, c.ts1), flat(20, 1, c.ts2)},
              {10.0, c.same_session ? 15.0 : 20.0});
    }
}

TEST(VolumeAverages, SessionVwapWithoutVolumeAnswersTheTypicalPrice) {
    check("first bar without volume, then one with", SessionVwap::create(0),
          {bar(10, 12, 9, 11, 0, 1000), bar(20, 23, 20, 20, 5, 2000), flat(30, 0, 3000)},
          {32.0 / 3.0, 21.0, 21.0});
}

}  // namespace
}  // namespace torvex
