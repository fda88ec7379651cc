// Shop hours ("hours=" in the store): when the output shows. Ranges per weekday in local time,
// separated by semicolons or commas, "1-5 08:30-21:00; 6-7 10:00-22:00" (1 is Monday, 7 Sunday; a
// single day "3" also; "24:00" ends a day). A range that ends before its start passes midnight and
// belongs to the day it starts on. Blanks around the separators and the full-width forms a Chinese
// input method types (１-５ ０８：３０－２１：００；...) read as the plain ones.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class ShopHours {
public:
    // No text (or only blanks): always open. A part not understood makes the whole value
    // unreadable: nothing, and that part in `unreadable`.
    static std::optional<ShopHours> Parse(const std::string& text, std::string* unreadable = nullptr);

    bool AlwaysOpen() const { return m_ranges.empty(); }
    // Weekday 1 (Monday) to 7, minute of the day 0 to 1439.
    bool IsOpen(int weekday, int minute) const;
    bool IsOpenAt(const SYSTEMTIME& local) const;

private:
    struct Range {
        int firstDay, lastDay;  // 6-2 runs from Saturday to Tuesday
        int from, to;           // minutes of the day; to <= from passes midnight
        bool hasDay(int day) const;
    };
    std::vector<Range> m_ranges;
};
