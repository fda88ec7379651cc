// Opt-in "hours=" against the local clock: whether the shop is open now, looked at again
// whenever the caller asks (every half minute while there are hours at all).
#pragma once

#include <string>

#include "settings/ShopHours.h"

class ShopHoursClock {
public:
    // The hours as written, and whether they include now. A value that cannot be read is not
    // guessed at: the shop is then always open, and Unreadable() says what could not be read.
    void Set(const std::string& text);
    bool AlwaysOpen() const { return m_hours.AlwaysOpen(); }
    const std::string& Unreadable() const { return m_unreadable; }

    bool IsOpen() const { return m_open; }
    // Whether the shop is open now; true when that changed since the last look.
    bool Look();

private:
    ShopHours m_hours;
    std::string m_unreadable;
    bool m_open = true;
};
