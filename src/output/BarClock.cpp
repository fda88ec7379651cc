#include "output/BarClock.h"

#include <cstdio>

std::optional<BarClock> ParseBarClock(const std::string& text) {
    if (text.empty() || text == "0") return BarClock::None;
    if (text == "time") return BarClock::Time;
    if (text == "date") return BarClock::Date;
    return std::nullopt;
}

std::string BarClockText(BarClock clock, const SYSTEMTIME& local) {
    static const char* const kWeekdays[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    char time[8] = {};
    std::snprintf(time, sizeof(time), "%02u:%02u", local.wHour % 24u, local.wMinute % 60u);
    if (clock == BarClock::Time) return time;
    if (clock != BarClock::Date) return {};
    char date[48] = {};
    std::snprintf(date, sizeof(date), "%u年%u月%u日 %s ", local.wYear, local.wMonth, local.wDay,
                  kWeekdays[local.wDayOfWeek % 7u]);
    return std::string(date) + time;
}

UINT MillisecondsToNextMinute(const SYSTEMTIME& local) {
    const UINT into = (local.wSecond % 60u) * 1000u + local.wMilliseconds % 1000u;
    return 60000u - into;
}
