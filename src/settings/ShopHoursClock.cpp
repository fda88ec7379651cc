#include "settings/ShopHoursClock.h"

#include <optional>

namespace {

bool OpenNow(const ShopHours& hours) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return hours.IsOpenAt(now);
}

}  // namespace

void ShopHoursClock::Set(const std::string& text) {
    std::string unreadable;
    const std::optional<ShopHours> hours = ShopHours::Parse(text, &unreadable);
    m_hours = hours ? *hours : ShopHours{};
    m_unreadable = hours ? std::string() : unreadable.empty() ? text : unreadable;
    m_open = OpenNow(m_hours);
}

bool ShopHoursClock::Look() {
    const bool open = OpenNow(m_hours);
    if (open == m_open) return false;
    m_open = open;
    return true;
}
