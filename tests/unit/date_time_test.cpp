#include "text/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvane {
namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return ToDateTime({year, month, day, hour, minute, second});
}

struct TextCase {
    DateTime time;
    const char* expected;
};

TEST(TimeToText, DefaultFormatLeavesOffTrailingZeroUnits) {
    const TextCase cases[] = {
        {41955.37855324074, "2014年11月12日9时5分7秒"},
        {At(2014, 11, 12, 9, 5, 7), "2014年11月12日9时5分7秒"},
        {At(2014, 11, 12, 9, 5, 0), "2014年11月12日9时5分"},
        {At(2014, 11, 12, 9, 0, 0), "2014年11月12日9时"},
        {At(2014, 11, 12, 0, 0, 0), "2014年11月12日"},
        {At(2014, 11, 12, 0, 0, 5), "2014年11月12日0时0分5秒"},
        {At(2014, 11, 12, 0, 30, 0), "2014年11月12日0时30分"},
        {At(2015, 1, 2, 10, 0, 30), "2015年1月2日10时0分30秒"},
        {At(2015, 1, 2, 23, 59, 59), "2015年1月2日23时59分59秒"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(TimeToText(c.time), c.expected);
        EXPECT_EQ(TimeToText(c.time, 1), c.expected);
    }
}

TEST(TimeToText, FormatsTwoAndThreeAndClampedFormats) {
    DateTime time = At(2014, 11, 12, 9, 0, 0);
    EXPECT_EQ(TimeToText(time, 2), "2014年11月12日");
    EXPECT_EQ(TimeToText(time, 3), "9时0分0秒");
    EXPECT_EQ(TimeToText(time, 0), "2014年11月12日9时");
    EXPECT_EQ(TimeToText(time, -4), "2014年11月12日9时");
    EXPECT_EQ(TimeToText(time, 4), "9时0分0秒");
    EXPECT_EQ(TimeToText(At(2014, 11, 12), 3), "0时0分0秒");
}

TEST(TimeToText, RoundsToTheNearestSecond) {
    const double second = 1.0 / 86400;
    DateTime noon = At(2014, 11, 12, 12, 0, 0);
    EXPECT_EQ(TimeToText(noon + 0.4 * second), "2014年11月12日12时");
    EXPECT_EQ(TimeToText(noon + 0.6 * second), "2014年11月12日12时0分1秒");
    EXPECT_EQ(TimeToText(noon - 0.4 * second), "2014年11月12日12时");
    // Half a second before midnight rounds up into the next day, month and year.
    EXPECT_EQ(TimeToText(At(2014, 12, 31, 23, 59, 59) + 0.6 * second), "2015年1月1日");
    EXPECT_EQ(TimeToText(At(2016, 2, 28, 23, 59, 59) + 0.7 * second), "2016年2月29日");
    EXPECT_EQ(TimeToText(At(2015, 2, 28, 23, 59, 59) + 0.7 * second), "2015年3月1日");
}

TEST(TimeToText, ReadsDaysBefore30December1899) {
    const double second = 1.0 / 86400;
    EXPECT_EQ(TimeToText(0), "1899年12月30日");
    EXPECT_EQ(TimeToText(0.25), "1899年12月30日6时");
    EXPECT_EQ(TimeToText(-0.25), "1899年12月30日6时");
    EXPECT_EQ(TimeToText(-1.25), "1899年12月29日6时");
    EXPECT_EQ(TimeToText(-1.0), "1899年12月29日");
    EXPECT_EQ(TimeToText(-2.75), "1899年12月28日18时");
    EXPECT_EQ(TimeToText(At(1800, 3, 1, 13, 14, 15)), "1800年3月1日13时14分15秒");
    // Just before midnight of 29 December rounds into 30 December, the next day.
    EXPECT_EQ(TimeToText(-1 - (1 - 0.3 * second)), "1899年12月30日");
    EXPECT_EQ(TimeToText(-1 - 0.3 * second), "1899年12月29日");
}

TEST(TimeToText, ClampsToTheYears100To9999) {
    EXPECT_EQ(TimeToText(kEarliestDateTime), "100年1月1日");
    EXPECT_EQ(TimeToText(-1e9), "100年1月1日");
    EXPECT_EQ(TimeToText(kLatestDateTime), "9999年12月31日");
    EXPECT_EQ(TimeToText(kLatestDateTime + 0.75), "9999年12月31日");
    EXPECT_EQ(TimeToText(1e12), "9999年12月31日");
    EXPECT_EQ(TimeToText(-std::numeric_limits<double>::infinity()), "100年1月1日");
    EXPECT_EQ(TimeToText(std::numeric_limits<double>::infinity()), "9999年12月31日");
    EXPECT_EQ(TimeToText(std::numeric_limits<double>::quiet_NaN()), "1899年12月30日");
}

TEST(DateTime, CivilTimesRoundTrip) {
    const CivilTime cases[] = {
        {1899, 12, 30, 0, 0, 0}, {1899, 12, 29, 6, 0, 0}, {1970, 1, 1, 0, 0, 1},
        {2000, 2, 29, 12, 30, 45}, {100, 1, 1, 0, 0, 0},  {9999, 12, 30, 23, 59, 59},
        {1600, 2, 29, 1, 2, 3},
    };
    for (const CivilTime& c : cases) {
        CivilTime back = ToCivilTime(ToDateTime(c));
        EXPECT_EQ(back.year, c.year);
        EXPECT_EQ(back.month, c.month);
        EXPECT_EQ(back.day, c.day);
        EXPECT_EQ(back.hour, c.hour);
        EXPECT_EQ(back.minute, c.minute);
        EXPECT_EQ(back.second, c.second);
    }
    EXPECT_DOUBLE_EQ(ToDateTime({1899, 12, 29, 6, 0, 0}), -1.25);
    EXPECT_NEAR(ToDateTime({2014, 11, 12, 9, 5, 7}), 41955.37855324074, 1e-9);
}

TEST(CurrentTime, IsTheLocalClockToTheSecond) {
    CivilTime before = ReadLocalClock();
    DateTime now = CurrentTime();
    CivilTime after = ReadLocalClock();
    EXPECT_GE(now, ToDateTime(before));
    EXPECT_LE(now, ToDateTime(after));
    // Whole seconds: the time of day is a whole number of seconds.
    double secondsOfDay = (now - std::floor(now)) * 86400;
    EXPECT_NEAR(secondsOfDay, std::round(secondsOfDay), 1e-4);
}

}  // namespace
}  // namespace quorvane
