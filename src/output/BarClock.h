// The clock the bar may show at its right end ("clock=" in the store): the local time of day, or
// the date with its weekday and the time, 24-hour.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

enum class BarClock { None, Time, Date };

// "" or "0": none; "time"; "date". Anything else cannot be read: none, and nullopt.
std::optional<BarClock> ParseBarClock(const std::string& text);

// What the clock shows at `local`: "14:05", or "2026年12月9日 星期三 14:05"; empty for None.
std::string BarClockText(BarClock clock, const SYSTEMTIME& local);

// The milliseconds from `local` until the next minute begins.
UINT MillisecondsToNextMinute(const SYSTEMTIME& local);
