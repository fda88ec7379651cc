#include "settings/ShopHours.h"

#include <algorithm>

#include "base/ProgramText.h"
#include "settings/Digits.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsSeparator(char c) { return c == ';' || c == ',' || c == '-' || c == ':'; }

// The hours as people type them: the full-width digits and ；：－， of a Chinese input method and
// its full-width blank as their ASCII forms, and no blanks around a separator.
std::string AsTyped(const std::string& text) {
    std::wstring wide = WideFromProgramText(text);
    for (wchar_t& c : wide) {
        if (c == L'\x3000') c = L' ';
        const bool fullWidth = (c >= L'\xFF10' && c <= L'\xFF19') || c == L'\xFF1B' || c == L'\xFF1A' ||
                               c == L'\xFF0D' || c == L'\xFF0C';
        if (fullWidth) c = static_cast<wchar_t>(c - 0xFEE0);
    }
    const std::string ascii = wide.empty() ? text : ProgramTextFromWide(wide);
    std::string typed;
    for (size_t i = 0; i < ascii.size(); ++i) {
        if (IsBlank(ascii[i])) {
            size_t next = i;
            while (next < ascii.size() && IsBlank(ascii[next])) ++next;
            const bool nextToSeparator = (!typed.empty() && IsSeparator(typed.back())) ||
                                         (next < ascii.size() && IsSeparator(ascii[next]));
            if (!nextToSeparator) typed += ' ';
            i = next - 1;
            continue;
        }
        typed += ascii[i];
    }
    return typed;
}

std::string Trimmed(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// A decimal number of `fewest` to `most` digits.
bool ReadNumber(const std::string& text, size_t& at, size_t fewest, size_t most, int& value) {
    const size_t from = at;
    value = static_cast<int>(ReadDigits(text, at, most));
    return at - from >= fewest;
}

bool ReadChar(const std::string& text, size_t& at, char wanted) {
    if (at >= text.size() || text[at] != wanted) return false;
    ++at;
    return true;
}

bool ReadDay(const std::string& text, size_t& at, int& day) {
    return ReadNumber(text, at, 1, 1, day) && day >= 1 && day <= 7;
}

// "H:MM" or "HH:MM", 00:00 to 24:00, in minutes.
bool ReadTime(const std::string& text, size_t& at, int& minutes) {
    int hours = 0, mins = 0;
    if (!ReadNumber(text, at, 1, 2, hours) || !ReadChar(text, at, ':') || !ReadNumber(text, at, 2, 2, mins)) {
        return false;
    }
    if (hours > 24 || mins > 59 || (hours == 24 && mins != 0)) return false;
    minutes = hours * 60 + mins;
    return true;
}

}  // namespace

bool ShopHours::Range::hasDay(int day) const {
    return firstDay <= lastDay ? day >= firstDay && day <= lastDay : day >= firstDay || day <= lastDay;
}

std::optional<ShopHours> ShopHours::Parse(const std::string& written, std::string* unreadable) {
    const std::string text = AsTyped(written);
    ShopHours hours;
    size_t begin = 0;
    while (begin <= text.size()) {
        const size_t end = std::min(text.find_first_of(";,", begin), text.size());
        const std::string part = Trimmed(text.substr(begin, end - begin));
        begin = end + 1;
        if (part.empty()) continue;
        Range range{};
        size_t at = 0;
        bool read = ReadDay(part, at, range.firstDay);
        range.lastDay = range.firstDay;
        if (read && at < part.size() && part[at] == '-') read = ReadDay(part, ++at, range.lastDay);
        const size_t daysEnd = at;
        while (at < part.size() && IsBlank(part[at])) ++at;
        read = read && at > daysEnd && ReadTime(part, at, range.from) && ReadChar(part, at, '-') &&
               ReadTime(part, at, range.to) && at == part.size() && range.from < 24 * 60 && range.from != range.to;
        if (!read) {
            if (unreadable != nullptr) *unreadable = part;
            return std::nullopt;
        }
        hours.m_ranges.push_back(range);
    }
    return hours;
}

bool ShopHours::IsOpen(int weekday, int minute) const {
    if (m_ranges.empty()) return true;
    const int yesterday = weekday == 1 ? 7 : weekday - 1;
    for (const Range& range : m_ranges) {
        if (range.from < range.to) {
            if (range.hasDay(weekday) && minute >= range.from && minute < range.to) return true;
        } else if ((range.hasDay(weekday) && minute >= range.from) || (range.hasDay(yesterday) && minute < range.to)) {
            return true;
        }
    }
    return false;
}

bool ShopHours::IsOpenAt(const SYSTEMTIME& local) const {
    const int weekday = local.wDayOfWeek == 0 ? 7 : local.wDayOfWeek;
    return IsOpen(weekday, local.wHour * 60 + local.wMinute);
}
