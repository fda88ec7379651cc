// "hours=": which text is read, and whether the shop is open at a weekday and minute.
#include <gtest/gtest.h>

#include <string>

#include "settings/ShopHours.h"

namespace {

constexpr int At(int hours, int minutes) { return hours * 60 + minutes; }

TEST(ShopHoursTest, WeekdaysAndNightsAreReadAndAnythingElseIsNotGuessedAt) {
    const struct {
        const char* text;
        int weekday;
        int minute;
        bool open;
    } cases[] = {
        {"", 3, At(3, 0), true},
        {"  ", 3, At(3, 0), true},
        {"1-5 08:30-21:00; 6-7 10:00-22:00", 1, At(8, 29), false},
        {"1-5 08:30-21:00; 6-7 10:00-22:00", 1, At(8, 30), true},
        {"1-5 08:30-21:00; 6-7 10:00-22:00", 5, At(20, 59), true},
        {"1-5 08:30-21:00; 6-7 10:00-22:00", 5, At(21, 0), false},
        {"1-5 08:30-21:00; 6-7 10:00-22:00", 6, At(9, 59), false},
        {"1-5 08:30-21:00; 6-7 10:00-22:00", 7, At(21, 59), true},
        {"1-5 08:30-21:00;", 2, At(12, 0), true},
        {"3 22:00-06:00", 3, At(22, 0), true},
        {"3 22:00-06:00", 4, At(5, 59), true},   // the night belongs to Wednesday
        {"3 22:00-06:00", 4, At(6, 0), false},
        {"3 22:00-06:00", 3, At(5, 0), false},   // Tuesday's night is not listed
        {"3 22:00-06:00", 4, At(22, 0), false},
        {"7 20:00-02:00", 1, At(1, 0), true},    // Sunday's night runs into Monday
        {"6-1 00:00-24:00", 7, At(12, 0), true}, // Saturday to Monday
        {"6-1 00:00-24:00", 1, At(23, 59), true},
        {"6-1 00:00-24:00", 2, At(0, 0), false},
        {"2 9:00-17:00", 2, At(9, 0), true},
        // As people type them: blanks around the separators, commas, a Chinese input method's forms.
        {"1-5 08:30 - 21:00", 5, At(20, 59), true},
        {"1 - 5 08 : 30-21:00 , 6-7 10:00-22:00", 7, At(21, 59), true},
        {"１－５　０８：３０－２１：００；６－７ １０：００－２２：００", 6, At(10, 0), true},
        {"１－５ ０８：３０－２１：００，６－７ １０：００－２２：００", 1, At(8, 29), false},
    };
    for (const auto& c : cases) {
        const std::optional<ShopHours> hours = ShopHours::Parse(c.text);
        ASSERT_TRUE(hours) << c.text;
        EXPECT_EQ(hours->IsOpen(c.weekday, c.minute), c.open) << c.text << " on day " << c.weekday << " at " << c.minute;
    }

    // Each refused whole, the part not understood named.
    for (const char* text : {"1-5 8:30", "1-5 08:30-21:00x", "8 08:00-09:00", "1-5 08:60-09:00", "1-5 25:00-26:00",
                             "1-5 24:00-08:00", "1-5 09:00-09:00", "08:00-09:00", "1-508:00-09:00"}) {
        std::string unreadable;
        EXPECT_FALSE(ShopHours::Parse(text, &unreadable)) << text;
        EXPECT_EQ(unreadable, text);
    }
    std::string unreadable;
    EXPECT_FALSE(ShopHours::Parse("1-5 08:00-21:00; weekends", &unreadable));
    EXPECT_EQ(unreadable, "weekends");
}

// Windows numbers the days from Sunday, 0; the hours from Monday, 1.
TEST(ShopHoursTest, EachWindowsWeekdayIsTheDayTheHoursName) {
    const struct {
        WORD windowsDay;
        int weekday;
    } days[] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {0, 7}};
    for (const auto& day : days) {
        SYSTEMTIME noon{};
        noon.wDayOfWeek = day.windowsDay;
        noon.wHour = 12;
        for (int weekday = 1; weekday <= 7; ++weekday) {
            const std::optional<ShopHours> hours = ShopHours::Parse(std::to_string(weekday) + " 00:00-24:00");
            ASSERT_TRUE(hours);
            EXPECT_EQ(hours->IsOpenAt(noon), weekday == day.weekday) << "Windows day " << day.windowsDay;
        }
    }
}

}  // namespace
