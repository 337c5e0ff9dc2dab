#pragma once
// Local dates and times in the OLE Automation representation: days since
// 30 December 1899, the time of day as the fraction. For dates before that day
// the whole part counts days toward zero and the fraction's magnitude is still
// the time of day, so -1.25 is 29 December 1899, 06:00.

#include <optional>
#include <string>

namespace quorvane {

using DateTime = double;

struct CivilTime {
    int year;
    int month;  // 1 to 12
    int day;    // 1 to 31
    int hour;   // 0 to 23
    int minute;
    int second;
};

// The earliest and latest dates shown: 1 January 100 and 31 December 9999.
inline constexpr DateTime kEarliestDateTime = -657434;
inline constexpr DateTime kLatestDateTime = 2958465;

DateTime ToDateTime(const CivilTime& time);

// Clamped to the range above and rounded to the nearest second.
CivilTime ToCivilTime(DateTime time);

// The local time now, to the second.
DateTime CurrentTime();

// Format 1 (the default): date and time, "2014年11月12日9时5分7秒", with trailing
// zero units left off; 2: the date alone; 3: "9时5分7秒" always in full. Formats
// below 1 count as 1, above 3 as 3.
std::string TimeToText(DateTime time, std::optional<int> format = std::nullopt);

// The local calendar clock, read by the platform's own means.
CivilTime ReadLocalClock();

}  // namespace quorvane
